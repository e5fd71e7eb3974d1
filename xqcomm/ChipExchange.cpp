#include "ChipExchange.h"

#include "Log.h"
#include "ReportDescriptor.h"
#include "xqcomm.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace xqcomm {

namespace {

constexpr std::size_t kMaxChunkPayload = 255;
constexpr std::uint8_t kSequenceMask = 0x1F;
constexpr int kMaxTimeout = 600;

bool sendCommand(HidChannel& chip, std::size_t reportLength, std::uint8_t waitValue,
                 const std::uint8_t* command, std::size_t commandLength) {
    const std::size_t capacity = chunkCapacity(reportLength);
    const std::size_t chunks = commandLength == 0 ? 1 : (commandLength + capacity - 1) / capacity;
    std::array<std::uint8_t, kMaxFeatureReportLength> report;
    for (std::size_t index = 0; index < chunks; ++index) {
        const std::size_t offset = index * capacity;
        const std::size_t length = std::min(capacity, commandLength - offset);
        std::fill_n(report.begin(), reportLength, 0);
        report[1] = waitValue;
        report[2] = controlByte(index, index + 1 < chunks);
        report[4] = std::uint8_t(length);
        if (length > 0)
            std::memcpy(report.data() + kChunkHeaderLength, command + offset, length);
        if (!chip.setFeature(report.data(), reportLength)) {
            logLine("sending chunk %zu of %zu failed", index + 1, chunks);
            return false;
        }
    }
    return true;
}

// The library's own codes come with no payload and a zeroed start of the buffer, so a caller can
// tell them from a chip answering the same word (see XQ_IsChipStatus).
std::uint16_t libraryCode(std::uint16_t code, std::uint8_t* reply, std::size_t* payloadLength) {
    *payloadLength = 0;
    reply[0] = 0;
    reply[1] = 0;
    return code;
}

} // namespace

std::size_t chunkCapacity(std::size_t featureReportLength) {
    if (featureReportLength <= kChunkHeaderLength)
        return 0;
    return std::min(featureReportLength - kChunkHeaderLength, kMaxChunkPayload);
}

std::uint8_t controlByte(std::size_t index, bool moreFollow) {
    std::uint8_t control = std::uint8_t(index) & kSequenceMask;
    if (moreFollow)
        control |= kMoreChunksFollow;
    if (index % 2 == 1)
        control |= kOddChunk;
    return control;
}

std::uint8_t waitValueForTimeout(int timeout) {
    if (timeout <= 0)
        return 0;
    const int bounded = std::min(timeout, kMaxTimeout);
    // 1 / 0.2601456815816858 = 3.844 exactly, so integer arithmetic gives the same rounding.
    return std::uint8_t((bounded * 1000 + 3843) / 3844);
}

ReplyChunk parseReplyChunk(const std::uint8_t* report, std::size_t received, std::size_t capacity) {
    ReplyChunk chunk;
    if (received > 2 && report[2] == kBusy) {
        chunk.kind = ReplyChunk::Kind::Busy;
        return chunk;
    }
    if (received < kChunkHeaderLength)
        return chunk;
    const std::size_t length = report[4];
    if (length > capacity || length > received - kChunkHeaderLength)
        return chunk;
    chunk.kind = ReplyChunk::Kind::Data;
    chunk.moreFollow = (report[2] & kMoreChunksFollow) != 0;
    chunk.payload = report + kChunkHeaderLength;
    chunk.length = length;
    return chunk;
}

std::uint16_t exchangeCommand(HidChannel& chip, std::size_t reportLength, Clock& clock,
                              const std::uint8_t* command, std::size_t commandLength, std::uint8_t waitValue,
                              std::uint8_t* reply, std::size_t* payloadLength) {
    *payloadLength = 0;
    const std::size_t capacity = chunkCapacity(reportLength);
    if (capacity == 0 || reportLength > kMaxFeatureReportLength) {
        logLine("unusable feature report length %zu", reportLength);
        return libraryCode(XQ_STATUS_BAD_HANDLE, reply, payloadLength);
    }
    if (!sendCommand(chip, reportLength, waitValue, command, commandLength))
        return libraryCode(XQ_STATUS_SEND_FAILED, reply, payloadLength);

    std::array<std::uint8_t, kMaxFeatureReportLength> report;
    std::size_t total = 0;
    const std::uint64_t start = clock.nowMs();
    for (;;) {
        if (clock.nowMs() - start > kReplyDeadlineMs) {
            logLine("no final reply chunk within %llu s", (unsigned long long)(kReplyDeadlineMs / 1000));
            return libraryCode(XQ_STATUS_TIMED_OUT, reply, payloadLength);
        }
        std::fill_n(report.begin(), reportLength, 0);
        const long received = chip.getFeature(report.data(), reportLength);
        if (received < 0) {
            logLine("reading a reply chunk failed");
            return libraryCode(XQ_STATUS_READ_FAILED, reply, payloadLength);
        }
        const ReplyChunk chunk =
            parseReplyChunk(report.data(), std::min(std::size_t(received), reportLength), capacity);
        if (chunk.kind == ReplyChunk::Kind::Busy) {
            clock.sleepMs(kBusyPauseMs);
            continue;
        }
        if (chunk.kind == ReplyChunk::Kind::Malformed) {
            logLine("malformed reply chunk: %ld bytes, length byte %u, room for %zu", received,
                    received > 4 ? unsigned(report[4]) : 0u, capacity);
            return libraryCode(XQ_STATUS_BAD_CHUNK, reply, payloadLength);
        }
        if (chunk.length > XQ_MAX_REPLY_LEN - total) {
            logLine("reply longer than %d bytes", XQ_MAX_REPLY_LEN);
            return libraryCode(XQ_STATUS_REPLY_TOO_LONG, reply, payloadLength);
        }
        std::memcpy(reply + total, chunk.payload, chunk.length);
        total += chunk.length;
        if (!chunk.moreFollow)
            break;
    }
    if (total < 2) {
        logLine("reply of %zu bytes has no status word", total);
        return libraryCode(XQ_STATUS_SHORT_REPLY, reply, payloadLength);
    }
    *payloadLength = total - 2;
    return std::uint16_t(reply[total - 2] << 8 | reply[total - 1]);
}

} // namespace xqcomm
