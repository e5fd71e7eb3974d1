#include "HidBackend.h"

#include "HidapiBackend.h"

#include <mutex>

namespace zyne {

namespace {
// The classic engine's thread and the GUI thread may both be first to ask for the backend.
std::mutex backendMutex;
std::unique_ptr<HidBackend> installedBackend;
} // namespace

QString deviceIdText(std::uint16_t vendorId, std::uint16_t productId) {
    return QStringLiteral("%1:%2")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'));
}

void installHidBackend(std::unique_ptr<HidBackend> backend) {
    std::unique_ptr<HidBackend> replaced;
    std::lock_guard<std::mutex> lock(backendMutex);
    replaced.swap(installedBackend);
    installedBackend = std::move(backend);
}

HidBackend& hidBackend() {
    std::lock_guard<std::mutex> lock(backendMutex);
    if (!installedBackend)
        installedBackend = std::make_unique<HidapiBackend>();
    return *installedBackend;
}

} // namespace zyne
