#pragma once

namespace zyne {

// What one polled speed does to a port: whether the views hear of it, and the port's
// stall-warned flag afterwards. A stopped fan is reported once and then stays quiet until it runs
// again; pumps, strips and blocks may read 0 in normal work and are reported like running fans.
struct StallDecision {
    bool report = false;
    bool stallWarned = false;
};
StallDecision stallDecision(bool monitor, bool stallWarned, bool isFan, int rpm);

} // namespace zyne
