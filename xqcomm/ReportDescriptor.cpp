#include "ReportDescriptor.h"

#include <array>

namespace xqcomm {

namespace {

struct GlobalState {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// Deep enough for every descriptor seen in practice; deeper nesting is treated as malformed.
constexpr std::size_t kMaxPushDepth = 16;
constexpr std::uint64_t kMaxReportBits = kMaxFeatureReportLength * 8;

enum ItemType { Main = 0, Global = 1 };
enum MainTag { Feature = 0xB };
enum GlobalTag { ReportSize = 0x7, ReportId = 0x8, ReportCount = 0x9, Push = 0xA, Pop = 0xB };
constexpr std::uint8_t kLongItemPrefix = 0xFE;

std::uint32_t itemData(const std::uint8_t* data, std::size_t size) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size; ++i)
        value |= std::uint32_t(data[i]) << (8 * i);
    return value;
}

} // namespace

long featureReportLength(const std::uint8_t* descriptor, std::size_t length) {
    if (!descriptor && length > 0)
        return -1;
    std::array<std::uint64_t, 256> featureBits{};
    std::array<GlobalState, kMaxPushDepth> stack{};
    std::size_t depth = 0;
    GlobalState state;

    std::size_t pos = 0;
    while (pos < length) {
        const std::uint8_t prefix = descriptor[pos];
        if (prefix == kLongItemPrefix) {
            if (length - pos < 3)
                return -1;
            const std::size_t dataSize = descriptor[pos + 1];
            if (length - pos - 3 < dataSize)
                return -1;
            pos += 3 + dataSize;
            continue;
        }
        static constexpr std::size_t kSizes[4] = {0, 1, 2, 4};
        const std::size_t size = kSizes[prefix & 0x3];
        if (length - pos - 1 < size)
            return -1;
        const std::uint32_t value = itemData(descriptor + pos + 1, size);
        const int type = (prefix >> 2) & 0x3;
        const int tag = prefix >> 4;
        pos += 1 + size;

        if (type == Main && tag == Feature) {
            std::uint64_t& bits = featureBits[state.reportId];
            bits += std::uint64_t(state.reportSize) * state.reportCount;
            if (bits > kMaxReportBits)
                return -1;
        } else if (type == Global) {
            switch (tag) {
            case ReportSize:
                state.reportSize = value;
                break;
            case ReportCount:
                state.reportCount = value;
                break;
            case ReportId:
                state.reportId = std::uint8_t(value);
                break;
            case Push:
                if (depth == kMaxPushDepth)
                    return -1;
                stack[depth++] = state;
                break;
            case Pop:
                if (depth == 0)
                    return -1;
                state = stack[--depth];
                break;
            default:
                break;
            }
        }
    }
    if (depth != 0)
        return -1;

    std::uint64_t longestBits = 0;
    for (std::uint64_t bits : featureBits)
        longestBits = bits > longestBits ? bits : longestBits;
    if (longestBits == 0)
        return 0;
    const std::uint64_t bytes = (longestBits + 7) / 8 + 1;
    return bytes > kMaxFeatureReportLength ? -1 : long(bytes);
}

} // namespace xqcomm
