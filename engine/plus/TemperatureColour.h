#pragma once

namespace zyne {

struct RgbColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RgbColour& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

// The colour the CPU-temperature mode aims for at a whole-degree temperature: blue below 40 °C,
// walking through cyan, green, yellow and red to magenta above 70 °C.
RgbColour temperatureTargetColour(int celsius);

} // namespace zyne

namespace zyne {

// One 200 ms step of the shown CPU-temperature colour towards the colour of `current`, along the
// circle between blue and red, in the direction the temperature moved. Unchanged when it did not move.
RgbColour walkTemperatureColour(RgbColour shown, int current, int previous);

} // namespace zyne
