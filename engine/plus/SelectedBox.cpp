#include "SelectedBox.h"

#include "FanRecords.h"

#include <atomic>

namespace zyne {

namespace {
std::atomic<int> selected{0};
}

int selectedBox() {
    return selected.load(std::memory_order_relaxed);
}

void setSelectedBox(int box) {
    if (isBoxIndex(box))
        selected.store(box, std::memory_order_relaxed);
}

} // namespace zyne
