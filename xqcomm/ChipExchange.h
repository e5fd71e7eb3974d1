#pragma once

// The command-block exchange with the chip over feature reports.
//
// Each feature report of length L carries one chunk: byte 0 report ID 0, byte 1 the wait value,
// byte 2 the control byte (sequence number, 0x20 when more chunks follow, 0x40 on every second
// chunk), byte 3 zero, byte 4 the payload length, payload from byte 5. Reply chunks use the same
// layout; 0xCC in byte 2 means the chip is still busy.

#include "System.h"

#include <cstddef>
#include <cstdint>

namespace xqcomm {

constexpr std::size_t kChunkHeaderLength = 5;
constexpr std::uint8_t kMoreChunksFollow = 0x20;
constexpr std::uint8_t kOddChunk = 0x40;
constexpr std::uint8_t kBusy = 0xCC;
constexpr std::uint64_t kReplyDeadlineMs = 900 * 1000;
// Pause after a busy answer, so a chip that stays busy is not polled in a tight loop.
constexpr unsigned kBusyPauseMs = 1;
constexpr std::uint8_t kSerialNumberWait = 255;
constexpr std::uint8_t kSerialNumberCommand = 0x55;

// Payload bytes per chunk for a feature report of this length (0 when none fit). The length byte
// caps it at 255.
std::size_t chunkCapacity(std::size_t featureReportLength);

// Control byte of chunk `index`. The sequence number wraps within its five bits, so it never
// reaches the flag bits.
std::uint8_t controlByte(std::size_t index, bool moreFollow);

// The wait value the chip gets for an XQ_Comm time-out: ceil(min(timeout, 600) / 3.844).
std::uint8_t waitValueForTimeout(int timeout);

struct ReplyChunk {
    enum class Kind { Busy, Data, Malformed } kind = Kind::Malformed;
    bool moreFollow = false;
    const std::uint8_t* payload = nullptr;
    std::size_t length = 0;
};

// Reads one reply report of which `received` bytes arrived.
ReplyChunk parseReplyChunk(const std::uint8_t* report, std::size_t received, std::size_t capacity);

// Sends `command` in reports of `reportLength` bytes and collects the reply into `reply`
// (XQ_MAX_REPLY_LEN bytes). On a chip status *payloadLength is the reply length without the
// status word; on a library error it is 0.
std::uint16_t exchangeCommand(HidChannel& chip, std::size_t reportLength, Clock& clock,
                              const std::uint8_t* command, std::size_t commandLength, std::uint8_t waitValue,
                              std::uint8_t* reply, std::size_t* payloadLength);

} // namespace xqcomm
