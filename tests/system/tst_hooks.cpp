// What reaches the running program from outside its windows: controllers unplugged and plugged
// back in, and messages from other programs.
#include "ProgramUnderTest.h"

#include <QJsonArray>
#include <QtTest>

namespace {
const QString kBox1 = QStringLiteral("264a:1fa6");

QByteArray profileGroup(int lightMode, int red) {
    const QByteArray reds = (QByteArray::number(red) + ",").repeated(12) + "0";
    return "RColor=\"" + reds +
           "\"\nGColor=\"0,0,0,0,0,0,0,0,0,0,0,0,0\"\nBColor=\"0,0,0,0,0,0,0,0,0,0,0,0,0\"\n" +
           "Bright=\"1,1,1,1,1,1,1,1,1,1,1,1,1\"\nSpeed_Per=5\nSpeed_Num=6\nSpeedMode=0\nPWM=0\ncolorMode="
           "0\n" +
           "lightMode=" + QByteArray::number(lightMode) + "\nlightSpeed=1\nisTurnOffLed=0\n";
}

// Lighting reports (32 52 port mode) to box 1 after its last successful open, first 8 bytes in hex.
QStringList lightingAfterLastOpen(const QVector<SimTraceEvent>& events) {
    QStringList heads;
    for (const auto& event : events) {
        if (event.dev != kBox1)
            continue;
        if (event.dir == QLatin1String("open") && event.ok)
            heads.clear();
        if (event.dir == QLatin1String("out") && event.bytes.startsWith(QByteArray("\x00\x32\x52", 3)))
            heads << QString::fromLatin1(event.bytes.left(8).toHex());
    }
    return heads;
}

// Speed reads (33 51 port) go to the selected box only.
QStringList speedReadBoxes(const QVector<SimTraceEvent>& events) {
    QStringList boxes;
    for (const auto& event : events) {
        if (event.dir == QLatin1String("out") && event.bytes.startsWith(QByteArray("\x00\x33\x51", 3)) &&
            !boxes.contains(event.dev))
            boxes << event.dev;
    }
    return boxes;
}

int successfulOpens(const QVector<SimTraceEvent>& events) {
    int opens = 0;
    for (const auto& event : events)
        opens += event.dev == kBox1 && event.dir == QLatin1String("open") && event.ok;
    return opens;
}
} // namespace

class HooksSystemTest : public QObject {
    Q_OBJECT
private slots:
    void replugGetsThePortsOfTheProfile();
    void messageToolChangesTheSelectedBox();
};

void HooksSystemTest::replugGetsThePortsOfTheProfile() {
    ProgramUnderTest program;
    program.setRig(
        QJsonObject{{QStringLiteral("plus"), QJsonArray{QJsonObject{{QStringLiteral("index"), 0}},
                                                        QJsonObject{{QStringLiteral("index"), 1}}}}});
    QVERIFY(program.writeSettingsFile(QStringLiteral("Device.ini"),
                                      "[Device1]\nBoxType=1\nProfile=3\n[Main]\nisAutoRun=0\n"));
    QVERIFY(program.writeSettingsFile(QStringLiteral("ZynePlus/Profile3.ini"),
                                      "[Fan0]\n" + profileGroup(6, 200) + "[Fan1]\n" + profileGroup(3, 100) +
                                          "[Fan2]\n" + profileGroup(4, 90) + "[Fan3]\n" +
                                          profileGroup(5, 80) + "[Fan4]\n" + profileGroup(0, 70)));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));

    QCOMPARE(program.control(QStringLiteral("unplug plus 1")), QStringLiteral("ok"));
    QVERIFY(program.waitForLog(QStringLiteral("Plus box 1 handled in")));
    QCOMPARE(program.control(QStringLiteral("plug plus 1")), QStringLiteral("ok"));

    const QStringList expected({QStringLiteral("003252011800c800"), QStringLiteral("003252020d006400"),
                                QStringLiteral("0032520311005a00"), QStringLiteral("0032520415005000"),
                                QStringLiteral("0032520501000000")});
    QString error;
    QVERIFY2(program.waitUntil([&] {
        const auto events = program.trace(&error);
        return successfulOpens(events) == 2 && lightingAfterLastOpen(events) == expected;
    }),
             qPrintable(lightingAfterLastOpen(program.trace(&error)).join(' ') + ' ' + error));
    const QStringList handled = program.logLines(QStringLiteral("Plus box 1 handled in"));
    QCOMPARE(handled.size(), 2);
    qInfo().noquote() << "replug notice to lighting re-sent:" << handled.last();
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void HooksSystemTest::messageToolChangesTheSelectedBox() {
    ProgramUnderTest program;
    program.setRig(
        QJsonObject{{QStringLiteral("plus"), QJsonArray{QJsonObject{{QStringLiteral("index"), 0}},
                                                        QJsonObject{{QStringLiteral("index"), 1}}}}});
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QString error;
    QVERIFY(program.waitUntil([&] { return speedReadBoxes(program.trace(&error)).contains("264a:1fa5"); }));

    // Start-up showed the first box; a box that is not plugged in and a number that is no box
    // change nothing.
    const int changesAtStart = program.logLines(QStringLiteral("SelectBoxIndex:")).size();
    QCOMPARE(program.runBesideProgram(QStringLiteral("vx-zyne-msg"), {"0x8106", "7", "0"}), 0);
    QCOMPARE(program.runBesideProgram(QStringLiteral("vx-zyne-msg"), {"0x8106", "4294967295", "0"}), 0);
    QCOMPARE(program.runBesideProgram(QStringLiteral("vx-zyne-msg"), {"0x8106", "1", "0"}), 0);
    QVERIFY(program.waitUntil([&] { return speedReadBoxes(program.trace(&error)).contains(kBox1); }));
    QCOMPARE(program.logLines(QStringLiteral("SelectBoxIndex:")).size(), changesAtStart + 1);
    QVERIFY(program.logLines(QStringLiteral("SelectBoxIndex:")).last().endsWith(QLatin1String(" 1")));

    // The Plus views take their messages through their own controls: light mode 3 (Blink) on
    // view 1 lights port 1 of the shown box.
    const auto port1Modes = [&] {
        QByteArray modes;
        for (const QString& head : lightingAfterLastOpen(program.trace(&error))) {
            if (head.startsWith(QLatin1String("00325202")))
                modes += static_cast<char>(head.mid(8, 2).toInt(nullptr, 16));
        }
        return modes;
    };
    const int port1Reports = port1Modes().size();
    QCOMPARE(program.runBesideProgram(QStringLiteral("vx-zyne-msg"), {"0x8122", "3", "1"}), 0);
    QVERIFY(program.waitUntil([&] { return port1Modes().size() > port1Reports; }));
    const char blink = port1Modes().back();
    QVERIFY2(blink >= 12 && blink <= 15, QByteArray(1, blink).toHex().constData());

    QCOMPARE(program.runBesideProgram(QStringLiteral("vx-zyne-msg"), {"0x8106", "x", "0"}), 1);
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
    QCOMPARE(program.runBesideProgram(QStringLiteral("vx-zyne-msg"), {"0x8106", "0", "0"}), 3);
}

QTEST_MAIN(HooksSystemTest)
#include "tst_hooks.moc"
