// vx-zyne-msg's names for the private window messages, beside the numbers.
#include "WindowMessageNames.h"

#include <QtTest>

using namespace zyne;

class MessageNamesTest : public QObject {
    Q_OBJECT
private slots:
    void named_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<quint32>("msg");
        QTest::addColumn<quint32>("wParam");
        QTest::addColumn<quint32>("lParam");
        QTest::newRow("show, as a second start sends it") << "show" << 0x8101u << 1u << 1u;
        QTest::newRow("hide") << "hide" << 0x8101u << 0u << 0u;
        QTest::newRow("lock off") << "lock off" << 0x8103u << 0u << 0u;
        QTest::newRow("password with leading zeros") << "password 0042" << 0x8104u << 42u << 0u;
        // Boxes and profiles as the window counts them.
        QTest::newRow("first box") << "box 1" << 0x8106u << 0u << 0u;
        QTest::newRow("last box") << "box 16" << 0x8106u << 15u << 0u;
        QTest::newRow("profile 5") << "profile 5" << 0x8107u << 4u << 0u;
        QTest::newRow("port counted from 1") << "light-mode 2 4" << 0x8122u << 4u << 1u;
        QTest::newRow("LED bits in hex") << "leds 5 0xfff" << 0x8120u << 0xfffu << 4u;
        QTest::newRow("speed step right") << "light-speed-step 1 right" << 0x8125u << 1u << 0u;
        QTest::newRow("numbers as before") << "0x8106 2 0" << 0x8106u << 2u << 0u;
        QTest::newRow("decimal numbers") << "33030 4294967295 0" << 0x8106u << 0xFFFFFFFFu << 0u;
        // Documented as decimal or 0x-hex: a leading zero is no octal.
        QTest::newRow("leading zero") << "0x8106 010 0" << 0x8106u << 10u << 0u;
    }
    void named() {
        QFETCH(QString, words);
        QFETCH(quint32, msg);
        QFETCH(quint32, wParam);
        QFETCH(quint32, lParam);
        QString error;
        const auto message = windowMessageFromWords(words.split(' '), &error);
        QVERIFY2(message, qPrintable(error));
        QCOMPARE(message->msg, msg);
        QCOMPARE(message->wParam, wParam);
        QCOMPARE(message->lParam, lParam);
    }

    void refused_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QString>("error");
        QTest::newRow("box 0") << "box 0"
                               << "box: 0 is out of range (box N)";
        QTest::newRow("box 17") << "box 17"
                                << "box: 17 is out of range (box N)";
        QTest::newRow("no port 6") << "light-speed 6 1"
                                   << "light-speed: PORT is 1-5 (light-speed PORT N)";
        QTest::newRow("word missing") << "profile"
                                      << "profile: takes 1 word(s) (profile N)";
        QTest::newRow("word too many") << "show 1"
                                       << "show: takes 0 word(s) (show )";
        QTest::newRow("switch") << "lock maybe"
                                << "lock: on or off (lock on|off)";
        QTest::newRow("unknown name") << "blink"
                                      << "unknown message \"blink\"";
        QTest::newRow("number not a number")
            << "0x8106 x 0"
            << "a message by number takes MSG WPARAM LPARAM, each a 32-bit number";
        QTest::newRow("number too big")
            << "0x8106 4294967296 0"
            << "a message by number takes MSG WPARAM LPARAM, each a 32-bit number";
    }
    void refused() {
        QFETCH(QString, words);
        QFETCH(QString, error);
        QString said;
        QVERIFY(!windowMessageFromWords(words.split(' '), &said));
        QCOMPARE(said, error);
    }

    void helpNamesEveryMessage() {
        const QString help = windowMessageNamesHelp();
        for (const char* name : {"show", "hide", "box N", "profile N", "light-speed-step PORT left|right"})
            QVERIFY2(help.contains(QLatin1String(name)), name);
    }
};

QTEST_GUILESS_MAIN(MessageNamesTest)
#include "tst_messagenames.moc"
