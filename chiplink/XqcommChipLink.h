#pragma once

#include "ChipLink.h"

namespace zyne {

// The chip library itself (libxqcomm.so.1).
class XqcommChipLink : public ChipLink {
public:
    ChipHandle open(const std::string& deviceName) override;
    int close(ChipHandle handle) override;
    int comm(ChipHandle handle, const unsigned char* frame, int length, unsigned int* replyLength,
             unsigned char* reply, int timeout) override;
};

} // namespace zyne
