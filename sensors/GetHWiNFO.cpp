#include "GetHWiNFO.h"

#include "LibsensorsLibrary.h"
#include "ReadingNames.h"
#include "SensorsLog.h"

#include <cmath>
#include <optional>

namespace {

using zyne::ReadingKind;

// No CPU runs above this; a hotter reading is a broken sensor.
constexpr double kHottestPlausible = 150.0;

bool isNoReading(double value) {
    return value == 0.0 || value == zyne::kNoReading;
}

// Rejects what no sensor can measure; 0 and kNoReading must be filtered before.
bool isPlausible(ReadingKind kind, double value) {
    return std::isfinite(value) && !(kind == ReadingKind::Temperature && value > kHottestPlausible);
}

QString sixDigits(double value) {
    return QString::number(value, 'g', 6);
}

struct ScanKind {
    ReadingKind kind;
    const char* label;
};

constexpr ScanKind kScanKinds[] = {
    {ReadingKind::Temperature, "HWi32_GetTemperature:"},
    {ReadingKind::Voltage, "HWi32_GetVoltage:"},
    {ReadingKind::Fan, "HWi32_GetFan:"},
    {ReadingKind::Current, "HWi32_GetCurrent:"},
    {ReadingKind::Power, "HWi32_GetPower:"},
    {ReadingKind::Clock, "HWi32_GetClock:"},
    {ReadingKind::Usage, "HWi32_GetUsage:"},
};

} // namespace

GetHWiNFO::GetHWiNFO(QObject* parent) : GetHWiNFO(std::make_unique<zyne::LibsensorsLibrary>(), parent) {}

GetHWiNFO::GetHWiNFO(std::unique_ptr<zyne::SensorLibrary> library, QObject* parent)
    : QThread(parent), library_(std::move(library)) {}

GetHWiNFO::~GetHWiNFO() {
    // A reading may still be running when the window goes away.
    wait();
}

QStringList GetHWiNFO::readingTexts() const {
    std::lock_guard<std::mutex> lock(textsMutex_);
    return readingTexts_;
}

bool GetHWiNFO::canRead() {
    const char* why = nullptr;
    if (!library_->isAvailable()) {
        why = "no sensor library";
    } else if (library_->sensorCount() <= 0) {
        why = "no hardware sensors";
    }
    if (why && !reportedNothingToRead_.exchange(true)) {
        qCWarning(lcSensors) << "CPU temperature not read:" << why;
    }
    return !why;
}

void GetHWiNFO::run() {
    std::unique_lock<std::mutex> lock(libraryMutex_);
    if (!canRead()) {
        return;
    }
    // No accepted reading is no temperature: reporting 0 °C would slow every fan on the curve. Any
    // real reading, below zero too, is a temperature.
    std::optional<double> best;
    const int sensors = library_->sensorCount();
    for (int sensor = 0; sensor < sensors; ++sensor) {
        library_->selectSensor(sensor);
        for (int index = 0; index < zyne::kReadingsPerSensor; ++index) {
            QString name;
            const double value = library_->reading(ReadingKind::Temperature, sensor, index, name);
            if (isNoReading(value)) {
                continue;
            }
            if (!isPlausible(ReadingKind::Temperature, value)) {
                warnImplausibleOnce(name, value);
                continue;
            }
            if ((!best || value > *best) && zyne::isCpuTemperatureName(name)) {
                best = value;
            }
        }
    }
    lock.unlock();
    if (!best) {
        if (!reportedNoCpuReading_.exchange(true)) {
            qCWarning(lcSensors) << "CPU temperature not read: no sensor gives a CPU reading";
        }
        return;
    }
    // Whole degrees, rounded down below zero as above it: -0.5 °C is not the "no reading" 0.
    emit done(static_cast<int>(std::floor(*best)));
}

// A broken sensor stays broken: say so once per reading, not every poll.
void GetHWiNFO::warnImplausibleOnce(const QString& name, double value) {
    if (warnedImplausible_.insert(name).second) {
        qCWarning(lcSensors) << "skipped implausible reading" << name << '=' << value;
    }
}

QStringList GetHWiNFO::scanComputer() {
    QStringList texts;
    {
        std::lock_guard<std::mutex> lock(libraryMutex_);
        if (!canRead()) {
            return texts;
        }
        // The sensor's line shows the value read just before it, as the listing always has.
        double lastValue = 0.0;
        const int sensors = library_->sensorCount();
        for (int sensor = 0; sensor < sensors; ++sensor) {
            library_->selectSensor(sensor);
            texts << QStringLiteral("------------HWi32_GetSensorName:") + library_->sensorName(sensor) +
                         QStringLiteral(" = ") + sixDigits(lastValue) +
                         QStringLiteral("----------------------");
            for (int index = 0; index < zyne::kReadingsPerSensor; ++index) {
                for (const ScanKind& scan : kScanKinds) {
                    QString name;
                    lastValue = library_->reading(scan.kind, sensor, index, name);
                    if (isNoReading(lastValue)) {
                        continue;
                    }
                    if (!isPlausible(scan.kind, lastValue)) {
                        warnImplausibleOnce(name, lastValue);
                        continue;
                    }
                    texts << QLatin1String(scan.label) + name + QStringLiteral(" = ") + sixDigits(lastValue);
                }
            }
        }
    }
    {
        std::lock_guard<std::mutex> lock(textsMutex_);
        readingTexts_ = texts;
    }
    emit doneScanComputer(texts);
    return texts;
}
