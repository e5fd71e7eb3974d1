#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace zyne {

// A chip handle as the chip library hands it out; -1 is none.
using ChipHandle = std::int32_t;
constexpr ChipHandle kNoChipHandle = -1;
// Every reply buffer given to comm() holds this many bytes (the library's XQ_MAX_REPLY_LEN).
constexpr int kChipReplyCapacity = 1024;

// Status words the program acts on; any other value is the chip's own.
namespace chipstatus {
constexpr int kOk = 0x0001;
constexpr int kBadHandle = 0xFFFF;
constexpr int kSendFailed = 0xFFF4;
constexpr int kReadFailed = 0xFFF3;
constexpr int kBadChunk = 0xFFF6;
constexpr int kReplyTooLong = 0xFFF5;
constexpr int kShortReply = 0xFFF8;
constexpr int kTimedOut = 0x6FF0;
} // namespace chipstatus

// The way to the AWT controller's USB chip: the calls of the chip library the program uses.
// Implementations are thread-safe; calls on one handle are serialised by the caller.
class ChipLink {
public:
    virtual ~ChipLink() = default;

    // Opens "xq_hid<n>"; kNoChipHandle when there is no such chip or it is already open.
    virtual ChipHandle open(const std::string& deviceName) = 0;
    // 0 when the device closed, -1 otherwise.
    virtual int close(ChipHandle handle) = 0;
    // Sends one frame and receives the reply payload (status word excluded) into `reply`, which
    // holds kChipReplyCapacity bytes. Returns the status word. May block while the chip is busy.
    virtual int comm(ChipHandle handle, const unsigned char* frame, int length, unsigned int* replyLength,
                     unsigned char* reply, int timeout) = 0;
};

// The process-wide chip link: the chip library by default, the simulated chip in tests and demos.
// Shared, so a worker stuck in a long exchange keeps its link alive.
void installChipLink(std::shared_ptr<ChipLink> link);
std::shared_ptr<ChipLink> chipLink();

} // namespace zyne
