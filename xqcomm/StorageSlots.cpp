#include "StorageSlots.h"

#include "Log.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <mutex>

namespace xqcomm {

namespace {

constexpr const char* kChipVendorMarks[] = {"GENERIC", "QUIRKSYS", "GENUSION"};
constexpr std::size_t kMaxDevicesPerKind = 10;

struct Slot {
    bool seen = false;
    std::string id;
    std::string node;
};

using SlotTable = std::array<Slot, kStorageSlots>;

struct Tables {
    std::mutex mutex;
    SlotTable disks;
    SlotTable cdroms;
};

Tables& tables() {
    static Tables instance;
    return instance;
}

bool isChipLabel(std::string label) {
    std::transform(label.begin(), label.end(), label.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return std::any_of(std::begin(kChipVendorMarks), std::end(kChipVendorMarks),
                       [&](const char* mark) { return label.find(mark) != std::string::npos; });
}

std::vector<StorageDevice> chipDevices(const std::vector<StorageDevice>& all, StorageKind kind) {
    std::vector<StorageDevice> kept;
    for (const StorageDevice& device : all) {
        if (device.kind == kind && isChipLabel(device.label) && kept.size() < kMaxDevicesPerKind)
            kept.push_back(device);
    }
    return kept;
}

void refresh(SlotTable& table, const std::vector<StorageDevice>& present) {
    for (Slot& slot : table)
        slot.seen = false;
    for (const StorageDevice& device : present) {
        auto slot =
            std::find_if(table.begin(), table.end(), [&](const Slot& s) { return s.id == device.id; });
        if (slot == table.end())
            slot = std::find_if(table.begin(), table.end(), [](const Slot& s) { return s.id.empty(); });
        if (slot == table.end()) {
            logLine("no free slot for storage device %s", device.id.c_str());
            continue;
        }
        slot->seen = true;
        slot->id = device.id;
        slot->node = device.node;
    }
}

} // namespace

ChipStorage findChipStorage(System& system, DeviceKind kind, int number) {
    const std::vector<StorageDevice> all = system.storageDevices();
    std::vector<StorageDevice> present = chipDevices(all, StorageKind::Disk);
    bool cdrom = kind == DeviceKind::CdRom || present.empty();
    if (cdrom)
        present = chipDevices(all, StorageKind::CdRom);

    Tables& state = tables();
    std::lock_guard<std::mutex> guard(state.mutex);
    SlotTable& table = cdrom ? state.cdroms : state.disks;
    refresh(table, present);

    ChipStorage result;
    result.cdromTable = cdrom;
    if (number >= 1 && number <= kStorageSlots && table[number - 1].seen)
        result.node = table[number - 1].node;
    return result;
}

} // namespace xqcomm
