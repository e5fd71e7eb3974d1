#include "DeviceName.h"

#include <strings.h>

#include <cstring>

namespace xqcomm {

namespace {

constexpr int kMaxHidNumber = 255; // the handle keeps it in a byte

struct Prefix {
    const char* text;
    DeviceKind kind;
    int maxDigits;
    int maxNumber;
};

constexpr Prefix kPrefixes[] = {
    {"xq_hid", DeviceKind::Hid, 3, kMaxHidNumber},
    {"xq_cdrom", DeviceKind::CdRom, 1, 9},
    {"xq_udisk", DeviceKind::Udisk, 1, 9},
};

} // namespace

bool parseDeviceName(const char* text, DeviceName* name) {
    if (!text)
        return false;
    for (const Prefix& prefix : kPrefixes) {
        const std::size_t prefixLength = std::strlen(prefix.text);
        if (strncasecmp(text, prefix.text, prefixLength) != 0)
            continue;
        const char* digits = text + prefixLength;
        int number = 0;
        int count = 0;
        for (; digits[count] >= '0' && digits[count] <= '9'; ++count) {
            if (count == prefix.maxDigits)
                return false;
            number = number * 10 + (digits[count] - '0');
        }
        if (count == 0 || digits[count] != '\0' || number < 1 || number > prefix.maxNumber)
            return false;
        name->kind = prefix.kind;
        name->number = number;
        return true;
    }
    return false;
}

} // namespace xqcomm
