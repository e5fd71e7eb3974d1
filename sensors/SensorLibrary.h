#pragma once

#include <QString>

namespace zyne {

enum class ReadingKind { Temperature, Voltage, Fan, Current, Power, Clock, Usage };

// Returned for a reading that exists but cannot be read; a reading that does not exist is 0.
constexpr double kNoReading = -9999.0;
// Every sensor offers reading indexes 0 .. kReadingsPerSensor - 1.
constexpr int kReadingsPerSensor = 64;

// A hardware-monitoring library: sensors (chips), each with numbered readings per kind.
// Calls may come from the reader's thread and the GUI thread, one at a time.
class SensorLibrary {
public:
    virtual ~SensorLibrary() = default;

    // False when the library could not be loaded or initialised.
    virtual bool isAvailable() const = 0;
    virtual int sensorCount() = 0;
    // Makes sensor the one the following reading() calls look at.
    virtual void selectSensor(int sensor) = 0;
    virtual QString sensorName(int sensor) = 0;
    // The value of reading `index` of that kind on the selected sensor, and its name.
    // 0 when there is no such reading, kNoReading when it cannot be read.
    virtual double reading(ReadingKind kind, int sensor, int index, QString& name) = 0;
};

} // namespace zyne
