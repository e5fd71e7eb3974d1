#include "LibsensorsLibrary.h"

#include "ReadingNames.h"
#include "SensorsLog.h"

#include <sensors/error.h>
#include <sensors/sensors.h>

#include <atomic>
#include <cstdlib>

namespace zyne {

namespace {

std::atomic<bool> libraryInUse{false};

// The kernel's kind of feature and the value that stands for it; clock and usage have none.
struct KindSource {
    sensors_feature_type feature;
    sensors_subfeature_type value;
};

bool sourceFor(ReadingKind kind, KindSource& source) {
    switch (kind) {
    case ReadingKind::Temperature:
        source = {SENSORS_FEATURE_TEMP, SENSORS_SUBFEATURE_TEMP_INPUT};
        return true;
    case ReadingKind::Voltage:
        source = {SENSORS_FEATURE_IN, SENSORS_SUBFEATURE_IN_INPUT};
        return true;
    case ReadingKind::Fan:
        source = {SENSORS_FEATURE_FAN, SENSORS_SUBFEATURE_FAN_INPUT};
        return true;
    case ReadingKind::Current:
        source = {SENSORS_FEATURE_CURR, SENSORS_SUBFEATURE_CURR_INPUT};
        return true;
    case ReadingKind::Power:
        source = {SENSORS_FEATURE_POWER, SENSORS_SUBFEATURE_POWER_INPUT};
        return true;
    case ReadingKind::Clock:
    case ReadingKind::Usage:
        break;
    }
    return false;
}

} // namespace

LibsensorsLibrary::LibsensorsLibrary() {
    if (libraryInUse.exchange(true)) {
        qCWarning(lcSensors) << "INIT FAILED:"
                             << "libsensors is already in use in this process";
        return;
    }
    // The system configuration (/etc/sensors3.conf, /etc/sensors.d) carries the user's labels.
    const int result = sensors_init(nullptr);
    if (result != 0) {
        qCWarning(lcSensors) << "INIT FAILED:" << result << sensors_strerror(result);
        libraryInUse = false;
        return;
    }
    initialised_ = true;
    int next = 0;
    while (const sensors_chip_name* chip = sensors_get_detected_chips(nullptr, &next)) {
        chips_.push_back(chip);
    }
    qCInfo(lcSensors) << "INIT OK" << chips_.size() << "sensor chips";
}

LibsensorsLibrary::~LibsensorsLibrary() {
    if (initialised_) {
        sensors_cleanup();
        libraryInUse = false;
    }
}

void LibsensorsLibrary::selectSensor(int sensor) {
    if (sensor == selected_) {
        return;
    }
    selected_ = -1;
    for (auto& list : features_) {
        list.clear();
    }
    if (sensor < 0 || sensor >= sensorCount()) {
        return;
    }
    selected_ = sensor;
    int next = 0;
    while (const sensors_feature* feature =
               sensors_get_features(chips_[static_cast<std::size_t>(sensor)], &next)) {
        for (std::size_t kind = 0; kind < kKinds; ++kind) {
            KindSource source{};
            if (sourceFor(static_cast<ReadingKind>(kind), source) && feature->type == source.feature) {
                features_[kind].push_back(feature);
            }
        }
    }
}

QString LibsensorsLibrary::sensorName(int sensor) {
    if (sensor < 0 || sensor >= sensorCount()) {
        return QString();
    }
    char name[256];
    if (sensors_snprintf_chip_name(name, sizeof name, chips_[static_cast<std::size_t>(sensor)]) < 0) {
        return QString();
    }
    return QString::fromLocal8Bit(name);
}

double LibsensorsLibrary::reading(ReadingKind kind, int sensor, int index, QString& name) {
    name.clear();
    selectSensor(sensor);
    KindSource source{};
    const auto& features = features_[static_cast<std::size_t>(kind)];
    if (selected_ < 0 || !sourceFor(kind, source) || index < 0 ||
        index >= static_cast<int>(features.size())) {
        return 0.0;
    }
    const sensors_chip_name* chip = chips_[static_cast<std::size_t>(selected_)];
    const sensors_feature* feature = features[static_cast<std::size_t>(index)];
    if (char* label = sensors_get_label(chip, feature)) {
        name = readingNameForLabel(QString::fromLocal8Bit(label));
        std::free(label);
    }
    const sensors_subfeature* value = sensors_get_subfeature(chip, feature, source.value);
    double result = 0.0;
    if (!value || sensors_get_value(chip, value->number, &result) < 0) {
        return kNoReading;
    }
    return result;
}

} // namespace zyne
