// Feeds arbitrary bytes to the script reader, as a whole INI file and as one frame's JSON text, and
// checks that every frame it accepts stays within the boxes, fans and colour ranges.
#include "ScriptReader.h"

#include <algorithm>
#include <cstdlib>

using namespace zyne;

namespace {
void check(bool condition) {
    if (!condition)
        std::abort();
}

void checkFrame(const QString& text) {
    const ParsedScriptFrame parsed = parseScriptFrame(text);
    check(parsed.status == ParsedScriptFrame::Ok || parsed.frame.empty());
    check(parsed.frame.size() <= std::size_t(kBoxCount));
    for (const UserScriptController& controller : parsed.frame) {
        check(isBoxIndex(controller.boxIndex));
        check(controller.fans.size() <= std::size_t(kPlusPortCount));
        for (const UserScriptData& fan : controller.fans) {
            check(isPlusPortIndex(fan.fanIndex));
            for (int k = 0; k < kLedCount; ++k) {
                const auto i = std::size_t(k);
                check(fan.rColor[i] >= 0 && fan.rColor[i] <= 255 && fan.gColor[i] >= 0 &&
                      fan.gColor[i] <= 255 && fan.bColor[i] >= 0 && fan.bColor[i] <= 255 &&
                      fan.brColor[i] >= 0 && fan.brColor[i] <= 100);
            }
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    const ScriptText script = readScriptText(bytes);
    check(script.frames.size() <= std::max(0, script.count));
    check(script.skipped >= 0);
    for (const QString& frame : script.frames)
        checkFrame(frame);
    checkFrame(QString::fromUtf8(bytes));
    return 0;
}
