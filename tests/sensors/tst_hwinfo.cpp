#include "GetHWiNFO.h"
#include "LibsensorsLibrary.h"
#include "ReadingNames.h"
#include "SensorsTests.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <sys/vfs.h>

#include <cmath>
#include <limits>
#include <map>

using zyne::ReadingKind;

namespace {

struct FakeReading {
    ReadingKind kind;
    QString name;
    double value;
};

struct FakeSensor {
    QString name;
    QVector<FakeReading> readings;
};

// Sensors as given; a reading's index counts the sensor's readings of the same kind.
class FakeSensorLibrary : public zyne::SensorLibrary {
public:
    explicit FakeSensorLibrary(QVector<FakeSensor> sensors, bool available = true)
        : sensors_(std::move(sensors)), available_(available) {}

    bool isAvailable() const override { return available_; }
    int sensorCount() override { return sensors_.size(); }
    void selectSensor(int sensor) override { selected_ = sensor; }
    QString sensorName(int sensor) override { return sensors_.value(sensor).name; }
    double reading(ReadingKind kind, int sensor, int index, QString& name) override {
        if (sensor != selected_) {
            return zyne::kNoReading; // the reader must select before reading
        }
        int seen = 0;
        for (const FakeReading& r : sensors_.value(sensor).readings) {
            if (r.kind == kind && seen++ == index) {
                name = r.name;
                return r.value;
            }
        }
        name.clear();
        return 0.0;
    }

private:
    QVector<FakeSensor> sensors_;
    bool available_;
    int selected_ = -1;
};

FakeReading temp(const QString& name, double value) {
    return {ReadingKind::Temperature, name, value};
}

// Runs one reading on the reader's own thread, as the window's timer does.
QList<QVariant> pollOnce(GetHWiNFO& reader) {
    QSignalSpy done(&reader, &GetHWiNFO::done);
    reader.start();
    reader.wait();
    QCoreApplication::processEvents();
    return done.isEmpty() ? QList<QVariant>() : done.takeFirst();
}

constexpr long kTmpfsMagic = 0x01021994;

bool hwmonTreeIsPrivate() {
    struct statfs info {};
    return statfs("/sys/class", &info) == 0 && info.f_type == kTmpfsMagic;
}

void writeFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(text + '\n');
}

// hwmon folders: chip name -> (label -> millidegrees)
void buildHwmonTree(const std::map<QByteArray, std::map<QByteArray, QByteArray>>& chips) {
    QDir hwmon(QStringLiteral("/sys/class/hwmon"));
    hwmon.removeRecursively();
    QVERIFY(QDir().mkpath(hwmon.path()));
    int n = 0;
    for (const auto& [chip, readings] : chips) {
        const QString folder = hwmon.filePath(QStringLiteral("hwmon%1").arg(n++));
        QVERIFY(QDir().mkpath(folder));
        writeFile(folder + QStringLiteral("/name"), chip);
        int t = 1;
        for (const auto& [label, milli] : readings) {
            writeFile(folder + QStringLiteral("/temp%1_label").arg(t), label);
            writeFile(folder + QStringLiteral("/temp%1_input").arg(t), milli);
            ++t;
        }
    }
}

} // namespace

Q_DECLARE_METATYPE(QVector<FakeSensor>)

class HwinfoTest : public QObject {
    Q_OBJECT
private slots:
    void labelsBecomeReadingNames_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("intel core") << "Core 0"
                                    << "Core #0" << true;
        QTest::newRow("intel core 7") << "Core 7"
                                      << "Core #7" << true;
        QTest::newRow("intel core 8") << "Core 8"
                                      << "Core #8" << false;
        QTest::newRow("intel core 12") << "Core 12"
                                       << "Core #12" << false;
        QTest::newRow("intel package") << "Package id 0"
                                       << "CPU Package" << true;
        QTest::newRow("second package") << "Package id 1"
                                        << "CPU Package" << true;
        QTest::newRow("amd control") << "Tctl"
                                     << "CPU" << true;
        QTest::newRow("amd die") << "Tdie"
                                 << "CPU" << true;
        QTest::newRow("amd ccd") << "Tccd1"
                                 << "Tccd1" << false;
        QTest::newRow("gpu") << "GPU"
                             << "GPU" << false;
        QTest::newRow("no label") << "temp1"
                                  << "temp1" << false;
        QTest::newRow("not a core") << "Core 0 hot"
                                    << "Core 0 hot" << false;
        QTest::newRow("board") << "Temperature 8"
                               << "Temperature 8" << true;
    }

    void labelsBecomeReadingNames() {
        QFETCH(QString, label);
        QFETCH(QString, name);
        QFETCH(bool, accepted);
        QCOMPARE(zyne::readingNameForLabel(label), name);
        QCOMPARE(zyne::isCpuTemperatureName(name), accepted);
    }

    void pollReportsHottestCpuReading_data() {
        QTest::addColumn<QVector<FakeSensor>>("sensors");
        QTest::addColumn<int>("expected");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("core and package")
            << QVector<FakeSensor>{{"cpu", {temp("Core #0", 45.7), temp("CPU Package", 52.9)}}} << 52;
        QTest::newRow("gpu ignored") << QVector<FakeSensor>{{"cpu", {temp("Core #0", 45.7)}},
                                                            {"gpu", {temp("GPU", 80)}}}
                                     << 45;
        QTest::newRow("core 8 not accepted")
            << QVector<FakeSensor>{{"cpu", {temp("Core #8", 70), temp("Core #1", 41)}}} << 41;
        QTest::newRow("missing values skipped")
            << QVector<FakeSensor>{{"cpu",
                                    {temp("CPU", -9999), temp("CPU 1", 0), temp("CPU 2", -5),
                                     temp("CPU 3", 38.2)}}}
            << 38;
        QTest::newRow("broken values skipped")
            << QVector<FakeSensor>{{"cpu",
                                    {temp("CPU", nan), temp("Core #2", 151), temp("Core #3", 1e300),
                                     temp("CPU 0", 60.99)}}}
            << 60;
        QTest::newRow("other kinds ignored")
            << QVector<FakeSensor>{{"cpu", {{ReadingKind::Voltage, "CPU", 95}, temp("CPU", 50)}}} << 50;
        // Without a CPU reading there is no temperature to report (0 °C would slow the fans).
        QTest::newRow("no cpu reading") << QVector<FakeSensor>{{"board", {temp("SYSTIN", 30)}}} << -1;
        QTest::newRow("hottest of many sensors")
            << QVector<FakeSensor>{{"a", {temp("CPU", 40)}}, {"b", {}}, {"c", {temp("Temperature 3", 66.6)}}}
            << 66;
    }

    void pollReportsHottestCpuReading() {
        QFETCH(QVector<FakeSensor>, sensors);
        QFETCH(int, expected);
        GetHWiNFO reader(std::make_unique<FakeSensorLibrary>(sensors));
        const QList<QVariant> done = pollOnce(reader);
        if (expected < 0) {
            QVERIFY(done.isEmpty());
            return;
        }
        QVERIFY(!done.isEmpty());
        QCOMPARE(done.at(0).toInt(), expected);
    }

    // Readings at or below zero are temperatures too, never taken for "no reading".
    void readingsBelowZeroAreReported_data() {
        QTest::addColumn<double>("reading");
        QTest::addColumn<int>("expected");
        QTest::newRow("-0.5") << -0.5 << -1;
        QTest::newRow("-0.01") << -0.01 << -1;
        QTest::newRow("-3.2") << -3.2 << -4;
        QTest::newRow("0.5") << 0.5 << 0;
    }
    void readingsBelowZeroAreReported() {
        QFETCH(double, reading);
        QFETCH(int, expected);
        GetHWiNFO reader(std::make_unique<FakeSensorLibrary>(QVector<FakeSensor>{{"cpu", {temp("CPU", reading)}}}));
        const QList<QVariant> done = pollOnce(reader);
        QVERIFY(!done.isEmpty());
        QCOMPARE(done.at(0).toInt(), expected);
    }

    void nothingToReadReportsNothing_data() {
        QTest::addColumn<bool>("available");
        QTest::addColumn<QVector<FakeSensor>>("sensors");
        QTest::newRow("no library") << false << QVector<FakeSensor>{{"cpu", {temp("CPU", 50)}}};
        QTest::newRow("no sensors") << true << QVector<FakeSensor>{};
    }

    void nothingToReadReportsNothing() {
        QFETCH(bool, available);
        QFETCH(QVector<FakeSensor>, sensors);
        GetHWiNFO reader(std::make_unique<FakeSensorLibrary>(sensors, available));
        QSignalSpy scanned(&reader, &GetHWiNFO::doneScanComputer);
        QVERIFY(pollOnce(reader).isEmpty());
        QVERIFY(reader.scanComputer().isEmpty());
        QCOMPARE(scanned.count(), 0);
    }

    void scanListsEveryReading() {
        GetHWiNFO reader(std::make_unique<FakeSensorLibrary>(QVector<FakeSensor>{
            {"coretemp-isa-0000",
             {temp("CPU Package", 52.875), temp("Core #0", -9999), {ReadingKind::Fan, "fan1", 1234}}},
            {"nct6775-isa-0290",
             {{ReadingKind::Voltage, "Vcore", 1.0123456},
              {ReadingKind::Power, "PPT", 0},
              temp("SYSTIN", 1e99)}},
        }));
        QSignalSpy scanned(&reader, &GetHWiNFO::doneScanComputer);
        const QStringList expected{
            "------------HWi32_GetSensorName:coretemp-isa-0000 = 0----------------------",
            "HWi32_GetTemperature:CPU Package = 52.875",
            "HWi32_GetFan:fan1 = 1234",
            "------------HWi32_GetSensorName:nct6775-isa-0290 = 0----------------------",
            "HWi32_GetVoltage:Vcore = 1.01235",
        };
        QCOMPARE(reader.scanComputer(), expected);
        QCOMPARE(reader.readingTexts(), expected);
        QCOMPARE(scanned.count(), 1);
        QCOMPARE(scanned.at(0).at(0).toStringList(), expected);
    }

    // The kernel's own hwmon files, read by the real libsensors, in a private /sys/class.
    void libsensorsReadsHwmonChips_data() {
        QTest::addColumn<QByteArray>("chip");
        QTest::addColumn<QByteArray>("hotLabel");
        QTest::addColumn<QByteArray>("hotMilli");
        QTest::addColumn<int>("expected");
        QTest::newRow("intel") << QByteArray("coretemp") << QByteArray("Package id 0") << QByteArray("52900")
                               << 52;
        QTest::newRow("amd") << QByteArray("k10temp") << QByteArray("Tctl") << QByteArray("61250") << 61;
        QTest::newRow("amd, broken") << QByteArray("k10temp") << QByteArray("Tdie") << QByteArray("255000")
                                     << 45;
    }

    void libsensorsReadsHwmonChips() {
        if (!hwmonTreeIsPrivate()) {
            QSKIP("needs root and a private /sys/class; run through run-in-private-sysfs.sh");
        }
        QFETCH(QByteArray, chip);
        QFETCH(QByteArray, hotLabel);
        QFETCH(QByteArray, hotMilli);
        QFETCH(int, expected);
        buildHwmonTree({
            {chip, {{"Core 0", "45700"}, {hotLabel, hotMilli}, {"Core 9", "99000"}}},
            {"amdgpu", {{"edge", "80000"}}},
        });
        GetHWiNFO reader;
        const QList<QVariant> done = pollOnce(reader);
        QVERIFY(!done.isEmpty());
        QCOMPARE(done.at(0).toInt(), expected);
        const QStringList texts = reader.scanComputer();
        QVERIFY2(texts.contains(QStringLiteral("HWi32_GetTemperature:Core #0 = 45.7")),
                 qPrintable(texts.join('\n')));
        QVERIFY(texts.contains(QStringLiteral("HWi32_GetTemperature:edge = 80")));
    }

    void libsensorsWithoutHwmonHasNoSensors() {
        if (!hwmonTreeIsPrivate()) {
            QSKIP("needs root and a private /sys/class; run through run-in-private-sysfs.sh");
        }
        QDir(QStringLiteral("/sys/class/hwmon")).removeRecursively();
        zyne::LibsensorsLibrary library;
        QVERIFY(library.isAvailable());
        QCOMPARE(library.sensorCount(), 0);
        // Only one libsensors state per process.
        QVERIFY(!zyne::LibsensorsLibrary().isAvailable());
    }
};

int runHwinfoTest(int argc, char** argv) {
    HwinfoTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hwinfo.moc"
