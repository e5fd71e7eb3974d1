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

QString deviceIdText(std::uint16_t vendorId, std::uint16_t productId) {
    return QStringLiteral("%1:%2")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'));
}

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
