#pragma once

// The CD-ROM and disk personalities of the chip. Each kind has 9 numbered slots; a device keeps
// its slot (and so its device number) for the life of the process, even while detached.

#include "DeviceName.h"
#include "System.h"

#include <string>
#include <vector>

namespace xqcomm {

constexpr int kStorageSlots = 9;

struct ChipStorage {
    std::string node;
    bool cdromTable = false; // which table the device number was looked up in
};

// Finds the chip's storage devices, refreshes the slot table for `kind` (Udisk falls back to the
// CD-ROM table when no chip disk is present) and returns the node in slot `number` (1..9); an
// empty node when that slot holds no present device.
ChipStorage findChipStorage(System& system, DeviceKind kind, int number);

} // namespace xqcomm
