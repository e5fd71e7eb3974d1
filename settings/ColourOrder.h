#pragma once

#include <QString>

#include <array>
#include <optional>

namespace zyne {

// Which channel of a (red, green, blue) colour a controller takes in each of a report's three
// colour bytes: {1, 0, 2} sends green first.
using ColourOrder = std::array<int, 3>;
constexpr ColourOrder kRedGreenBlue{0, 1, 2};

// "RGB", "GRB", ... (any case, each letter once); nothing for any other text.
std::optional<ColourOrder> colourOrderFromText(const QString& text);
QString colourOrderText(const ColourOrder& order);
// The three bytes in the order's sequence.
std::array<unsigned char, 3> inColourOrder(const ColourOrder& order, unsigned char red, unsigned char green,
                                           unsigned char blue);

} // namespace zyne
