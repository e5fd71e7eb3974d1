// Classic controllers in the running program: discovery beside Plus boxes, start-up lighting from
// the classic profile, speed polling, and an orderly quit while the classic thread is busy.
#include "ProgramUnderTest.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QTest>

namespace {
constexpr std::uint16_t kVendor = 0x264A;

QString classicDevice(int box) {
    return simDeviceName(kVendor, static_cast<std::uint16_t>(0x1F41 + box));
}

// r[0..6] of every output report to the device, as hex.
QStringList outHeads(const QVector<SimTraceEvent>& events, const QString& device) {
    QStringList heads;
    for (const auto& event : events) {
        if (event.dev == device && event.dir == QLatin1String("out"))
            heads << QString::fromLatin1(event.bytes.mid(1, 7).toHex());
    }
    return heads;
}

// The trace once the device has taken `reports` output reports (or the wait ran out): the classic
// engine lights its boxes on its own thread, after the window is up.
QVector<SimTraceEvent> traceAfterReports(ProgramUnderTest& program, const QString& device, int reports,
                                         QString* error) {
    QVector<SimTraceEvent> events;
    program.waitUntil([&] {
        events = program.trace(error);
        return outHeads(events, device).size() >= reports;
    });
    return events;
}

QByteArray classicFan(int red, int green, int blue, int lightMode) {
    return "RColor=" + QByteArray::number(red) + "\nGColor=" + QByteArray::number(green) +
           "\nBColor=" + QByteArray::number(blue) +
           "\nBright=1\nSpeed=3\nSpeedMode=0\nPWM=0\nlightMode=" + QByteArray::number(lightMode) +
           "\nisTurnOffLed=0\n";
}
} // namespace

class ClassicSystemTest : public QObject {
    Q_OBJECT
private slots:
    void plusAndClassicShareTheBoxBar();
    void classicBoxAloneIsSelectedAndPolled();
    void quitsPromptlyWhileSixteenSilentBoxesAreDriven();
    void colourOrderOfDeviceIniReachesTheWire_data();
    void colourOrderOfDeviceIniReachesTheWire();
};

void ClassicSystemTest::plusAndClassicShareTheBoxBar() {
    ProgramUnderTest program;
    program.setRig(
        QJsonObject{{"plus", QJsonArray{QJsonObject{{"index", 0}}}},
                    {"classic", QJsonArray{QJsonObject{{"index", 0}}, QJsonObject{{"index", 2}}}}});
    QVERIFY(program.writeSettingsFile("Device.ini", "[Device2]\nProfile=2\n[Main]\nisAutoRun=0\n"));
    QVERIFY(program.writeSettingsFile("Zyne/Zyne Profile2.ini", "[Fan0]\n" + classicFan(10, 20, 30, 0) +
                                                                    "[Fan1]\n" + classicFan(40, 50, 60, 2) +
                                                                    "[Fan2]\n" + classicFan(70, 80, 90, 1)));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QVERIFY(program.waitForLog(QStringLiteral("checkUSBDevice")));

    QString error;
    const auto events = traceAfterReports(program, classicDevice(2), 7, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    for (const auto& event : events)
        QVERIFY2(event.dev != classicDevice(0), "the classic product id of a Plus box's index was used");
    const QStringList heads = outHeads(events, classicDevice(2));
    // Probe, then per port: the fixed speed (level 3 is 60 %) and the profile's lighting.
    QCOMPARE(heads.mid(0, 7),
             QStringList({"fe330000000000", "325101033c0000", "325201000a141e", "325102033c0000",
                          "3252020228323c", "325103033c0000", "32520301000000"}));
    QVERIFY2(!program.logLines(QStringLiteral("selected box 0")).isEmpty(),
             qPrintable(program.diagnostics()));
    // Both kinds agree with the device list: no rediscovery was asked for.
    QVERIFY(program.logLines(QStringLiteral("disagrees with the device list")).isEmpty());
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void ClassicSystemTest::classicBoxAloneIsSelectedAndPolled() {
    ProgramUnderTest program;
    program.setRig(
        QJsonObject{{"plus", QJsonArray{}},
                    {"classic", QJsonArray{QJsonObject{{"index", 2}, {"rpm", QJsonArray{900, 0, 700}}}}}});
    QVERIFY(program.writeSettingsFile("Device.ini", "[Main]\nisAutoRun=0\n"));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QVERIFY(!program.logLines(QStringLiteral("selected box 2")).isEmpty());
    // The stopped fan on port 1 reaches the main window once.
    QVERIFY2(program.waitForLog(QStringLiteral("receiveFanSpeed box:2, fan:2, rpm:700")),
             qPrintable(program.diagnostics()));
    QCOMPARE(program.logLines(QStringLiteral("receiveFanSpeed box:2, fan:1, rpm:0")).size(), 1);
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void ClassicSystemTest::colourOrderOfDeviceIniReachesTheWire_data() {
    QTest::addColumn<QByteArray>("mainGroup");
    QTest::addColumn<QStringList>("lighting");
    // Steady (10, 20, 30) on port 1, blink (40, 50, 60) on port 2.
    QTest::newRow("default: red first") << QByteArray() << QStringList{"325201000a141e", "3252020228323c"};
    QTest::newRow("GRB: green first") << QByteArray("ClassicColorOrder=GRB\n")
                                      << QStringList{"32520100140a1e", "3252020232283c"};
    QTest::newRow("not an order: red first")
        << QByteArray("ClassicColorOrder=RRB\n") << QStringList{"325201000a141e", "3252020228323c"};
}

void ClassicSystemTest::colourOrderOfDeviceIniReachesTheWire() {
    QFETCH(QByteArray, mainGroup);
    QFETCH(QStringList, lighting);
    ProgramUnderTest program;
    program.setRig(QJsonObject{{"plus", QJsonArray{}}, {"classic", QJsonArray{QJsonObject{{"index", 2}}}}});
    QVERIFY(program.writeSettingsFile("Device.ini", "[Main]\nisAutoRun=0\n" + mainGroup));
    QVERIFY(program.writeSettingsFile("Zyne/Zyne Profile1.ini", "[Fan0]\n" + classicFan(10, 20, 30, 0) +
                                                                    "[Fan1]\n" + classicFan(40, 50, 60, 2) +
                                                                    "[Fan2]\n" + classicFan(70, 80, 90, 1)));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    QVERIFY(program.waitForLog(QStringLiteral("checkUSBDevice")));
    QString error;
    const QStringList heads =
        outHeads(traceAfterReports(program, classicDevice(2), 5, &error), classicDevice(2));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY2(heads.size() >= 5, qPrintable(heads.join(' ')));
    QCOMPARE(heads.at(2), lighting.at(0));
    QCOMPARE(heads.at(4), lighting.at(1));
    if (mainGroup.contains("RRB"))
        QCOMPARE(program.logLines(QStringLiteral("is not an order of R, G and B")).size(), 1);
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

void ClassicSystemTest::quitsPromptlyWhileSixteenSilentBoxesAreDriven() {
    QJsonArray classic;
    for (int box = 0; box < 16; ++box)
        classic.append(QJsonObject{{"index", box}, {"behaviour", "silent"}});
    ProgramUnderTest program;
    program.setRig(QJsonObject{{"classic", classic}});
    // Every port in the random-colour mode keeps the classic thread writing to all 48 ports.
    QVERIFY(program.writeSettingsFile("Device.ini", "[Main]\nisAutoRun=0\n"));
    QVERIFY(program.writeSettingsFile("Zyne/Zyne Profile1.ini", "[Fan0]\n" + classicFan(1, 2, 3, 3) +
                                                                    "[Fan1]\n" + classicFan(1, 2, 3, 3) +
                                                                    "[Fan2]\n" + classicFan(1, 2, 3, 3)));
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    // Each box is waited for until it has left three reports unanswered; then the ticks run freely.
    QVERIFY2(
        program.waitUntil([&] { return program.logLines(QStringLiteral("does not answer")).size() == 16; }),
        qPrintable(program.diagnostics()));
    QVERIFY(!program.logLines(QStringLiteral("startZyneRandomTimer")).isEmpty());
    QTest::qWait(1000);

    QElapsedTimer sinceSignal;
    sinceSignal.start();
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
    // Measured, not asserted: the figure goes to the test log.
    qInfo("exit %lld ms after SIGTERM", static_cast<long long>(sinceSignal.elapsed()));
    QVERIFY(!program.logLines(QStringLiteral("classic engine stopped")).isEmpty());

    // Every report the program began reached the device whole.
    const QByteArray text = [&] {
        QFile file(program.tracePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    QVERIFY(text.endsWith('\n'));
    QString error;
    const auto events = program.trace(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    int reports = 0;
    for (const auto& event : events) {
        if (event.dir != QLatin1String("out"))
            continue;
        ++reports;
        QCOMPARE(event.bytes.size(), 65);
    }
    // Probes, first lighting and at least one random-colour tick on all 48 ports.
    QVERIFY(reports > 16 + 2 * 48);
}

QTEST_MAIN(ClassicSystemTest)
#include "tst_classic.moc"
