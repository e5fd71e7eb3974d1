#pragma once

namespace zyne {

// The highest duty percent the temperature curve allows at t °C (30 below 42 °C, 100 from 60 °C).
int curveCap(int t);

} // namespace zyne
