#pragma once

#include "HidBackend.h"

#include <atomic>
#include <map>
#include <string>
#include <vector>

namespace zyne {

// Talks to real devices through hidapi's hidraw backend. hid_open walks every hidraw node of the
// system for each id it opens; opens here go through one listing of the vendor's interfaces instead,
// until listAfresh().
class HidapiBackend : public HidBackend {
public:
    HidapiBackend();

    std::unique_ptr<HidDevice> open(std::uint16_t vendorId, std::uint16_t productId) override;
    void listAfresh() override;
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId = 0, std::uint16_t productId = 0) override;

private:
    struct Listed {
        std::uint16_t productId = 0;
        std::string path;
    };
    // The first listed interface with these ids, listing the vendor's interfaces if they are not
    // listed yet; null when there is none. Called under hidapi's call lock, which guards m_listings.
    const Listed* listed(std::uint16_t vendorId, std::uint16_t productId);

    // Counts the calls to listAfresh(): a lock-free count, so that no caller waits for an open
    // under way on another thread.
    std::atomic<unsigned> m_generation{0};
    // The generation the listings were taken in; by vendor id, in hidapi's order.
    unsigned m_listedGeneration = 0;
    std::map<std::uint16_t, std::vector<Listed>> m_listings;
};

} // namespace zyne
