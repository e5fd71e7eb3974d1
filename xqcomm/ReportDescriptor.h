#pragma once

#include <cstddef>
#include <cstdint>

namespace xqcomm {

// Longest feature report that a HID report descriptor declares, in bytes including the
// report-ID byte (as the chip's host driver counts it). 0 when the descriptor declares no
// feature report; -1 when it is malformed (truncated item, unbalanced or too deep Push/Pop,
// a report too long for one transfer).
long featureReportLength(const std::uint8_t* descriptor, std::size_t length);

// hidraw and the chip never move more than this in one feature report.
constexpr std::size_t kMaxFeatureReportLength = 4096;

} // namespace xqcomm
