#include "ProgramUnderTest.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QtTest>

namespace {
bool writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// Percent reports (32 51 port 01 duty) the program wrote to box 0.
QList<int> dutiesForPort(const QVector<SimTraceEvent>& events, int wirePort) {
    QList<int> duties;
    for (const auto& event : events) {
        if (event.dev == QLatin1String("264a:1fa5") && event.dir == QLatin1String("out") &&
            event.bytes.startsWith(QByteArray("\x00\x32\x51", 3)) && event.bytes.at(3) == wirePort &&
            event.bytes.at(4) == 0x01)
            duties << static_cast<unsigned char>(event.bytes.at(5));
    }
    return duties;
}
} // namespace

// Runs inside a private mount namespace whose /sys/class is an empty tmpfs (see the sensors tests'
// wrapper), so a made-up Intel chip is what libsensors finds.
class CpuTemperatureSystemTest : public QObject {
    Q_OBJECT
private slots:
    void fansUnderTheCurveFollowTheCpu();
};

void CpuTemperatureSystemTest::fansUnderTheCurveFollowTheCpu() {
    const QString chip = QStringLiteral("/sys/class/hwmon/hwmon0");
    if (!QDir().mkpath(chip) || !writeText(chip + "/name", "coretemp\n"))
        QSKIP("needs root and a private /sys/class");
    QVERIFY(writeText(chip + "/temp1_label", "Package id 0\n"));
    QVERIFY(writeText(chip + "/temp1_input", "52900\n"));
    QVERIFY(writeText(chip + "/temp2_label", "Core 0\n"));
    QVERIFY(writeText(chip + "/temp2_input", "45700\n"));

    ProgramUnderTest program;
    program.setRig(
        QJsonObject{{QStringLiteral("plus"), QJsonArray{QJsonObject{{QStringLiteral("index"), 0}}}}});
    QVERIFY2(program.startAndWaitUntilRunning(), qPrintable(program.diagnostics()));
    // The first reading comes five seconds after the start.
    QVERIFY2(program.waitForLog(QStringLiteral("CPU temperature: 52")), qPrintable(program.diagnostics()));

    // Every port follows the curve by default: 52 °C allows 70 %.
    QString error;
    QVERIFY(program.waitUntil([&] { return dutiesForPort(program.trace(&error), 5).contains(70); }));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(dutiesForPort(program.trace(&error), 1).contains(70));
    QVERIFY2(program.stop(), qPrintable(program.diagnostics()));
}

QTEST_MAIN(CpuTemperatureSystemTest)
#include "tst_cputemperature.moc"
