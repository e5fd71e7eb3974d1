#include "ScsiPassThrough.h"

#include "Log.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace xqcomm {

namespace {
constexpr int kMaxTimeoutSeconds = 24 * 60 * 60;

bool fail(const PassThrough& command, int error, const char* why) {
    logLine("SCSI command not sent: %s", why);
    if (command.dataLength)
        *command.dataLength = std::uint32_t(error);
    return false;
}
} // namespace

bool passThrough(ScsiChannel& channel, const PassThrough& command) {
    if (!command.senseLength || !command.dataLength)
        return fail(command, EINVAL, "no sense or data length");
    if (!command.cdb || command.cdbLength < 1 || command.cdbLength > kMaxCdbLength)
        return fail(command, EINVAL, "bad command block");
    const std::uint32_t transferLength = *command.dataLength;
    if (transferLength > kMaxTransferLength)
        return fail(command, EINVAL, "transfer longer than 64 KiB");
    if (!command.dataIn && transferLength > 0 && !command.data)
        return fail(command, EINVAL, "no data to send");

    std::vector<std::uint8_t> data(transferLength);
    if (!command.dataIn && transferLength > 0)
        std::memcpy(data.data(), command.data, transferLength);
    std::uint8_t sense[kMaxSenseLength] = {};

    ScsiRequest request;
    request.cdb = command.cdb;
    request.cdbLength = std::uint8_t(command.cdbLength);
    request.direction = transferLength == 0 ? DataDirection::None
                        : command.dataIn    ? DataDirection::In
                                            : DataDirection::Out;
    request.data = data.data();
    request.dataLength = transferLength;
    request.sense = sense;
    request.senseCapacity = std::min(*command.senseLength, kMaxSenseLength);
    request.timeoutMs = unsigned(std::clamp(command.timeoutSeconds, 0, kMaxTimeoutSeconds)) * 1000u;

    const ScsiResult result = channel.transmit(request);
    if (result.error != 0) {
        logLine("SCSI command 0x%02x failed: %s", command.cdb[0], std::strerror(result.error));
        *command.dataLength = std::uint32_t(result.error);
        return false;
    }
    const std::uint8_t senseLength = std::min(result.senseLength, request.senseCapacity);
    const std::uint32_t transferred = std::min(result.transferred, transferLength);
    *command.senseLength = senseLength;
    if (command.sense && senseLength > 0)
        std::memcpy(command.sense, sense, senseLength);
    *command.dataLength = transferred;
    if (command.dataIn && command.data && transferred > 0)
        std::memcpy(command.data, data.data(), transferred);
    return true;
}

} // namespace xqcomm
