#include "System.h"

#include "linux/LinuxSystem.h"

#include <atomic>

namespace xqcomm {

namespace {
std::atomic<System*> installed{nullptr};
} // namespace

System& currentSystem() {
    if (System* system = installed.load())
        return *system;
    static LinuxSystem linuxSystem;
    return linuxSystem;
}

void installSystem(System* system) {
    installed.store(system);
}

} // namespace xqcomm
