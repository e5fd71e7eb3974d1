// The program on a real desk: its command line, the report of --diagnose and how a start decides
// between the window and the tray.
#include "ProgramUnderTest.h"

#include <QJsonArray>
#include <QTest>

namespace {
QJsonObject fullRig() {
    return QJsonObject{
        {"plus", QJsonArray{QJsonObject{{"index", 0}}, QJsonObject{{"index", 3}}}},
        {"classic", QJsonArray{QJsonObject{{"index", 5}}}},
        {"power_supply", QJsonObject{{"model", "MODEL-TEXT"}}},
        {"awt", QJsonObject{{"boxes", QJsonArray{0}}}},
        {"keyboards", QJsonArray{"264a:3009"}},
    };
}
} // namespace

class DeskTest : public QObject {
    Q_OBJECT

private slots:
    void menuStartShowsTheWindow_data();
    void menuStartShowsTheWindow();
    void unknownOptionIsRefusedWithTheUsage();
    void helpAndVersionNeedNoDisplay();
    void diagnoseReportsWhatIsThere();
    void diagnoseLeavesTheRunningInstanceAlone();
    void messageToolTakesNames();
};

void DeskTest::menuStartShowsTheWindow_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("logged");
    // No Device.ini: autorun is on, and the desktop menu starts the program in the home folder.
    QTest::newRow("from the menu") << QStringList{} << "start: window shown";
    // The offscreen desktop has no tray: a hidden start would leave nothing to click.
    QTest::newRow("--hidden without a tray")
        << QStringList{"--hidden"} << "start: no system tray: window shown";
}

void DeskTest::menuStartShowsTheWindow() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, logged);
    ProgramUnderTest program;
    program.setArguments(arguments);
    program.setWorkingFolder(program.homeFolder());
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QVERIFY2(program.waitForLog(logged), qPrintable(program.diagnostics()));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void DeskTest::unknownOptionIsRefusedWithTheUsage() {
    ProgramUnderTest program;
    const auto run = program.runOnce({"--frobnicate"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.standardError.startsWith("Unknown option 'frobnicate'."), run.standardError.constData());
    QVERIFY(run.standardError.contains("Usage:"));
    QVERIFY(run.standardError.contains("--diagnose"));
    QVERIFY(run.standardOutput.isEmpty());
    // Refused before anything started: no settings were written.
    QVERIFY(program.readSettingsFile("Device.ini").isEmpty());
}

void DeskTest::helpAndVersionNeedNoDisplay() {
    ProgramUnderTest program;
    // A platform that can't start would abort a program that opened a window.
    program.setEnvironment("QT_QPA_PLATFORM", "xcb");
    program.setEnvironment("DISPLAY", ":none");
    const auto help = program.runOnce({"--help"});
    QCOMPARE(help.exitCode, 0);
    QVERIFY2(help.standardOutput.contains("--hidden") && help.standardOutput.contains("--diagnose"),
             help.standardOutput.constData());
    const auto version = program.runOnce({"--version"});
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.standardOutput, QByteArray("vx-zyne-plus-rgb 1.1.5\n"));
    const auto report = program.runOnce({"--diagnose"});
    QCOMPARE(report.exitCode, 0);
}

void DeskTest::diagnoseReportsWhatIsThere() {
    ProgramUnderTest program;
    program.setRig(fullRig());
    QVERIFY(program.writeSettingsFile("Device.ini", "[Main]\nisAutoRun=0\nMobileServer=2\n"));
    const auto run = program.runOnce({"--diagnose"});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = QString::fromUtf8(run.standardOutput).split('\n', Qt::SkipEmptyParts);
    const auto line = [&](const QString& start) {
        const QStringList found =
            lines.filter(QRegularExpression("^\\s*" + QRegularExpression::escape(start)));
        return found.size() == 1 ? found.first().trimmed()
                                 : QStringLiteral("%1 lines start with %2").arg(found.size()).arg(start);
    };
    QVERIFY2(lines.value(0).startsWith("vx-zyne-plus-rgb 1.1.5, Qt 5.15"), qPrintable(lines.value(0)));
    QCOMPARE(line("HID backend:"), QString("HID backend: simulated rig"));
    QCOMPARE(line("devices:"), QString("devices: 6"));
    QCOMPARE(line("Plus box 1:"), QString("Plus box 1: sim:264a:1fa5:0, interface 0, ids 264a:1fa5, "
                                          "can be opened: yes (simulated)"));
    QVERIFY(line("Plus box 4:").contains("ids 264a:1fa8"));
    QVERIFY(line("classic box 6:").contains("ids 264a:1f46"));
    QVERIFY(line("power supply:").contains("ids 264a:2329"));
    QVERIFY(line("keyboard:").contains("ids 264a:3009"));
    QVERIFY(line("AWT chip:").contains("ids c216:0102"));
    QCOMPARE(line("AWT chip slots:"), QString("AWT chip slots: xq_hid1"));
    QVERIFY(line("udev rule:").startsWith("udev rule: "));
    QCOMPARE(line("settings folder:"), "settings folder: " + program.settingsFolder());
    QCOMPARE(line("log file:"), "log file: " + program.settingsFolder() + "/ZynePlus.log");
    QCOMPARE(line("autorun:"), "autorun: off, autostart entry " + program.homeFolder() +
                                   "/.config/autostart/vx-zyne-plus-rgb.desktop: absent");
    // The harness lets the program pick a free port.
    QCOMPARE(line("mobile app server:"), QString("mobile app server: this PC only, port 0"));
    QVERIFY(line("sound server answers:").startsWith("sound server answers: "));
    QVERIFY(line("hwmon chips:").startsWith("hwmon chips: "));
    QCOMPARE(lines.size(), 17);
}

void DeskTest::diagnoseLeavesTheRunningInstanceAlone() {
    ProgramUnderTest running;
    running.setRig(fullRig());
    QVERIFY2(running.startAndWaitUntilRunning(), qPrintable(running.diagnostics()));
    const auto opens = [&] {
        QString error;
        int count = 0;
        for (const SimTraceEvent& event : running.trace(&error))
            count += event.dir == QLatin1String("open") ? 1 : 0;
        return count;
    };
    const int opensBefore = opens();

    // The same user, the same trace file and control socket as the running instance.
    const auto run = running.runOnce({"--diagnose"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.standardOutput.contains("devices: 6"));
    QVERIFY2(running.isRunning(), qPrintable(running.diagnostics()));
    // No show request reached it, its trace got none of the report's opens, and its simulator's
    // control socket is still its own.
    const QStringList shown = running.logLines("8101:");
    QVERIFY2(shown.isEmpty(), qPrintable(shown.join(QLatin1Char('\n'))));
    QCOMPARE(opens(), opensBefore);
    QCOMPARE(running.control("rpm plus 0 1 0"), QString("ok"));
    QVERIFY2(running.stop(), qPrintable(running.diagnostics()));
}

void DeskTest::messageToolTakesNames() {
    ProgramUnderTest program;
    program.setRig(fullRig());
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QCOMPARE(program.runBesideProgram("vx-zyne-msg", {"--help"}), 0);
    // Boxes are counted from 1, as the window shows them: box 4 is index 3.
    QCOMPARE(program.runBesideProgram("vx-zyne-msg", {"box", "4"}), 0);
    QVERIFY2(program.waitForLog("changeBox: 3"), qPrintable(program.diagnostics()));
    QCOMPARE(program.runBesideProgram("vx-zyne-msg", {"hide"}), 0);
    QVERIFY(program.waitForLog("8101: 0"));
    QCOMPARE(program.runBesideProgram("vx-zyne-msg", {"box", "17"}), 1);
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_GUILESS_MAIN(DeskTest)
#include "tst_desk.moc"
