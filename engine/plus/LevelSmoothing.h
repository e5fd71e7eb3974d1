#pragma once

namespace zyne {

// Music levels move halfway toward a new reading on each tick, so the lights don't flicker; from
// 0, or from above 100, the new reading is taken at once. The result is truncated.
int smoothLevel(int smoothed, int level);

} // namespace zyne
