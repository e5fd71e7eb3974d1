#include "HandleTable.h"

#include <limits>

namespace xqcomm {

namespace {
// The in-use table of the chip's host driver has room for this many paths.
constexpr std::size_t kMaxPathsInUse = 126;
} // namespace

HandleTable& HandleTable::instance() {
    static HandleTable table;
    return table;
}

bool HandleTable::claimPath(const std::string& path) {
    std::lock_guard<std::mutex> guard(mutex_);
    if (pathsInUse_.size() >= kMaxPathsInUse)
        return false;
    return pathsInUse_.insert(path).second;
}

void HandleTable::releasePath(const std::string& path) {
    std::lock_guard<std::mutex> guard(mutex_);
    pathsInUse_.erase(path);
}

std::int32_t HandleTable::add(std::shared_ptr<OpenDevice> device) {
    std::lock_guard<std::mutex> guard(mutex_);
    constexpr std::int32_t kLastKey = std::numeric_limits<std::int32_t>::max();
    if (devices_.size() >= std::size_t(kLastKey))
        return -1;
    while (devices_.count(nextKey_))
        nextKey_ = nextKey_ == kLastKey ? 1 : nextKey_ + 1;
    const std::int32_t key = nextKey_;
    nextKey_ = nextKey_ == kLastKey ? 1 : nextKey_ + 1;
    devices_.emplace(key, std::move(device));
    return key;
}

std::shared_ptr<OpenDevice> HandleTable::find(std::int32_t handle) const {
    std::lock_guard<std::mutex> guard(mutex_);
    const auto it = devices_.find(handle);
    return it == devices_.end() ? nullptr : it->second;
}

std::shared_ptr<OpenDevice> HandleTable::take(std::int32_t handle) {
    std::lock_guard<std::mutex> guard(mutex_);
    const auto it = devices_.find(handle);
    if (it == devices_.end())
        return nullptr;
    std::shared_ptr<OpenDevice> device = std::move(it->second);
    devices_.erase(it);
    return device;
}

} // namespace xqcomm
