#include "StallRule.h"

namespace zyne {

StallDecision stallDecision(bool monitor, bool stallWarned, bool isFan, int rpm) {
    if (rpm <= 0 && isFan) {
        if (monitor && !stallWarned)
            return {true, true};
        return {false, stallWarned};
    }
    return {true, false};
}

} // namespace zyne
