// Feeds arbitrary bytes to a connection's frame reader, as whole reads and split at a point the
// input chooses, and every frame through the decoder and the command check. Checks that the reader
// never holds more than its bound and that whatever is accepted is within range.
#include "MobileCommand.h"
#include "MobileFrames.h"
#include "MobileReplies.h"

#include <QJsonObject>

#include <cstdlib>

using namespace zyne;

namespace {
void check(bool condition) {
    if (!condition)
        std::abort();
}

void checkCommand(const QVariantMap& object) {
    QString error;
    const std::optional<MobileCommand> command = parseMobileCommand(object, &error);
    check(command.has_value() == error.isEmpty());
    if (!command)
        return;
    for (auto it = command->values.cbegin(); it != command->values.cend(); ++it)
        check(it.value() >= 0 && it.value() <= 255);
    check(command->ledMask.isEmpty() || command->ledMask.size() == kLedCount);
    check(command->classicBright == -1.0f ||
          (command->classicBright >= 0.0f && command->classicBright <= 1.0f));
    if (command->command == 18)
        voiceDemoEffect(command->voice);
}

void feed(FrameReader& reader, const QByteArray& bytes) {
    if (!reader.append(bytes))
        return;
    check(reader.pendingBytes() <= 2 * kMaxUnfinishedFrame + bytes.size());
    while (const std::optional<QByteArray> frame = reader.nextFrame()) {
        const MobileFrame decoded = decodeFrame(*frame);
        check((decoded.kind == MobileFrame::Invalid) == !decoded.error.isEmpty());
        if (decoded.kind == MobileFrame::Command)
            checkCommand(decoded.command);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    // Raw frames, and the same text as the app would frame it.
    FrameReader whole;
    feed(whole, bytes);
    const MobileFrame direct = decodeFrame(bytes.toBase64());
    if (direct.kind == MobileFrame::Command)
        checkCommand(direct.command);

    if (size > 1) {
        const int cut = int(data[0]) % int(size);
        FrameReader split;
        feed(split, bytes.mid(1, cut));
        feed(split, bytes.mid(1 + cut));
    }
    return 0;
}
