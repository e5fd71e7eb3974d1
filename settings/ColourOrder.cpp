#include "ColourOrder.h"

namespace zyne {

namespace {
const QString kChannelLetters = QStringLiteral("RGB");
} // namespace

std::optional<ColourOrder> colourOrderFromText(const QString& text) {
    const QString letters = text.trimmed().toUpper();
    if (letters.size() != 3)
        return std::nullopt;
    ColourOrder order{};
    bool used[3] = {false, false, false};
    for (int i = 0; i < 3; ++i) {
        const int channel = kChannelLetters.indexOf(letters.at(i));
        if (channel < 0 || used[channel])
            return std::nullopt;
        used[channel] = true;
        order[static_cast<std::size_t>(i)] = channel;
    }
    return order;
}

QString colourOrderText(const ColourOrder& order) {
    QString text;
    for (const int channel : order)
        text += kChannelLetters.at(channel);
    return text;
}

std::array<unsigned char, 3> inColourOrder(const ColourOrder& order, unsigned char red, unsigned char green,
                                           unsigned char blue) {
    const unsigned char channels[3] = {red, green, blue};
    return {channels[order[0]], channels[order[1]], channels[order[2]]};
}

} // namespace zyne
