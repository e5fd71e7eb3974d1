// The command line and what decides whether a start shows the window.
#include "CommandLine.h"
#include "StartVisibility.h"

#include <QtTest>

using namespace zyne;
using Action = StartRequest::Action;
Q_DECLARE_METATYPE(Action)

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void parses_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("nothing") << QStringList{} << Action::Run << false;
        QTest::newRow("hidden") << QStringList{"--hidden"} << Action::Run << true;
        QTest::newRow("help") << QStringList{"--help"} << Action::ShowHelp << false;
        QTest::newRow("-h") << QStringList{"-h"} << Action::ShowHelp << false;
        QTest::newRow("version") << QStringList{"--version"} << Action::ShowVersion << false;
        QTest::newRow("diagnose") << QStringList{"--diagnose"} << Action::Diagnose << false;
        QTest::newRow("unknown option") << QStringList{"--hiden"} << Action::Refuse << false;
        QTest::newRow("stray argument") << QStringList{"hidden"} << Action::Refuse << false;
        QTest::newRow("value to a flag") << QStringList{"--hidden=1"} << Action::Refuse << false;
        // Qt's own options are not taken, so they are not offered either.
        QTest::newRow("help-all") << QStringList{"--help-all"} << Action::Refuse << false;
    }
    void parses() {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(bool, hidden);
        CommandLine line;
        const StartRequest request = line.parse(QStringList{"vx-zyne-plus-rgb"} + arguments);
        QCOMPARE(request.action, action);
        QCOMPARE(request.hidden, hidden);
        if (action == Action::Refuse) {
            // What went wrong first, then how it is used.
            const QString text = line.text(request);
            QVERIFY2(text.contains("--hidden") && text.contains("--diagnose"), qPrintable(text));
            QVERIFY(!text.startsWith("Usage"));
        }
    }

    void startVisibility_data() {
        QTest::addColumn<bool>("hiddenOption");
        QTest::addColumn<bool>("marked");
        QTest::addColumn<bool>("autoRun");
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("hidden");
        // A start from the menu, whatever the folder and autorun: the window.
        QTest::newRow("menu start, autorun on") << false << false << true << true << false;
        QTest::newRow("--hidden with a tray") << true << false << false << true << true;
        QTest::newRow("--hidden without a tray") << true << false << true << false << false;
        // Entries written by earlier releases mark the start in the environment.
        QTest::newRow("earlier entry, autorun on") << false << true << true << true << true;
        QTest::newRow("earlier entry, autorun off") << false << true << false << true << false;
        QTest::newRow("earlier entry, no tray") << false << true << true << false << false;
    }
    void startVisibility() {
        QFETCH(bool, hiddenOption);
        QFETCH(bool, marked);
        QFETCH(bool, autoRun);
        QFETCH(bool, tray);
        QFETCH(bool, hidden);
        QCOMPARE(zyne::startVisibility({hiddenOption, marked, autoRun, tray}).hidden, hidden);
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_commandline.moc"
