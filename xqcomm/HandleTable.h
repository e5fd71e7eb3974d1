#pragma once

// Open devices and the keys the caller holds for them. Keys are 32-bit (a caller's handle can't
// hold a 64-bit address), start at 1 and are not reused while the table has room for new ones,
// so a stale handle finds nothing.

#include "System.h"

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace xqcomm {

struct OpenDevice {
    enum Kind : std::uint8_t { Storage = 4, Hid = 5 };
    enum TypeCode { HidType = 10, CdRomType = 18, UdiskType = 19 };

    Kind kind = Hid;
    std::uint8_t deviceNumber = 0;
    int typeCode = HidType;
    std::string path; // HID: the in-use table key

    // Serialises every call on this device and guards the channels.
    std::mutex lock;
    std::unique_ptr<HidChannel> hid;
    std::unique_ptr<ScsiChannel> scsi;
    std::size_t featureReportLength = 0; // cached once read
};

class HandleTable {
public:
    static HandleTable& instance();

    // Marks a HID path in use; false when it already is.
    bool claimPath(const std::string& path);
    void releasePath(const std::string& path);

    // Returns the new handle, or -1 when every key is taken.
    std::int32_t add(std::shared_ptr<OpenDevice> device);
    std::shared_ptr<OpenDevice> find(std::int32_t handle) const;
    // Removes the handle; null when it was not open.
    std::shared_ptr<OpenDevice> take(std::int32_t handle);

private:
    mutable std::mutex mutex_;
    std::map<std::int32_t, std::shared_ptr<OpenDevice>> devices_;
    std::set<std::string> pathsInUse_;
    std::int32_t nextKey_ = 1;
};

} // namespace xqcomm
