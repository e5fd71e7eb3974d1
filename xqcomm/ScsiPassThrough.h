#pragma once

// One SCSI command for BotUdiskTransmit: checks the caller's lengths, stages the data in a
// buffer of our own and copies back only what the device returned.

#include "System.h"

#include <cstdint>

namespace xqcomm {

constexpr std::uint8_t kMaxSenseLength = 32;
constexpr std::uint32_t kMaxTransferLength = 65536;
constexpr int kMaxCdbLength = 16;

struct PassThrough {
    std::uint8_t* senseLength = nullptr; // in: room in sense; out: sense bytes returned
    std::uint8_t* sense = nullptr;
    int timeoutSeconds = 0;
    int cdbLength = 0;
    const std::uint8_t* cdb = nullptr;
    bool dataIn = false;
    std::uint32_t* dataLength = nullptr; // in: bytes to move; out: bytes moved, or the error number
    std::uint8_t* data = nullptr;
};

bool passThrough(ScsiChannel& channel, const PassThrough& command);

} // namespace xqcomm
