#include "ChipLink.h"

#include "XqcommChipLink.h"

#include <mutex>

namespace zyne {

namespace {
std::mutex& linkMutex() {
    static std::mutex mutex;
    return mutex;
}
std::shared_ptr<ChipLink>& installedLink() {
    static std::shared_ptr<ChipLink> link;
    return link;
}
} // namespace

void installChipLink(std::shared_ptr<ChipLink> link) {
    std::lock_guard lock(linkMutex());
    installedLink() = std::move(link);
}

std::shared_ptr<ChipLink> chipLink() {
    std::lock_guard lock(linkMutex());
    auto& link = installedLink();
    if (!link)
        link = std::make_shared<XqcommChipLink>();
    return link;
}

} // namespace zyne
