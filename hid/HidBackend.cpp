#include "HidBackend.h"

#include "HidapiBackend.h"

#include <mutex>

namespace zyne {

namespace {
std::unique_ptr<HidBackend>& installedBackend() {
    static std::unique_ptr<HidBackend> backend;
    return backend;
}
} // namespace

void installHidBackend(std::unique_ptr<HidBackend> backend) {
    installedBackend() = std::move(backend);
}

HidBackend& hidBackend() {
    auto& backend = installedBackend();
    if (!backend)
        backend = std::make_unique<HidapiBackend>();
    return *backend;
}

} // namespace zyne
