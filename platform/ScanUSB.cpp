#include "ScanUSB.h"

#include "HidBackend.h"

namespace zyne {

int ScanUSB::count(std::uint16_t vendorId, std::uint16_t productId) {
    return static_cast<int>(hidBackend().enumerate(vendorId, productId).size());
}

} // namespace zyne
