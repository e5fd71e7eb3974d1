#pragma once

#include "SensorLibrary.h"

#include <array>
#include <vector>

struct sensors_chip_name;
struct sensors_feature;

namespace zyne {

// The hwmon chips of the kernel, read through libsensors. Each chip is a sensor; its readings of one
// kind are numbered in the chip's order, and named by the chip's labels in the CPU logic's own terms.
// libsensors keeps one process-wide state, so only one of these may be alive at a time; a second one
// reports itself unavailable.
class LibsensorsLibrary final : public SensorLibrary {
public:
    LibsensorsLibrary();
    ~LibsensorsLibrary() override;
    LibsensorsLibrary(const LibsensorsLibrary&) = delete;
    LibsensorsLibrary& operator=(const LibsensorsLibrary&) = delete;

    bool isAvailable() const override { return initialised_; }
    int sensorCount() override { return static_cast<int>(chips_.size()); }
    void selectSensor(int sensor) override;
    QString sensorName(int sensor) override;
    double reading(ReadingKind kind, int sensor, int index, QString& name) override;

private:
    static constexpr std::size_t kKinds = 7;

    bool initialised_ = false;
    std::vector<const sensors_chip_name*> chips_;
    int selected_ = -1;
    // The selected chip's features, by kind, in the chip's order.
    std::array<std::vector<const sensors_feature*>, kKinds> features_;
};

} // namespace zyne
