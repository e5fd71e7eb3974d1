// vx-zyne-msg MSG WPARAM LPARAM: hands one private window message to the running
// VX Zyne Plus RGB, as an automation tool would. Numbers may be decimal or 0x-prefixed hex.
#include "SingleInstance.h"
#include "WindowTitle.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
enum ExitCode { kSent = 0, kUsage = 1, kNotRunning = 3 };

bool parseWord(const char* text, quint32& value) {
    bool ok = false;
    value = QString::fromLocal8Bit(text).trimmed().toUInt(&ok, 0);
    return ok;
}
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    zyne::WindowMessage message;
    if (argc != 4 || !parseWord(argv[1], message.msg) || !parseWord(argv[2], message.wParam) ||
        !parseWord(argv[3], message.lParam)) {
        std::fprintf(stderr, "usage: vx-zyne-msg MSG WPARAM LPARAM  (e.g. vx-zyne-msg 0x8106 2 0)\n"
                             "       each a 32-bit number, decimal or 0x-prefixed hex\n");
        return kUsage;
    }
    const zyne::SingleInstance instance(QString::fromLatin1(zyne::kWindowTitleText));
    if (!instance.send(message)) {
        std::fprintf(stderr, "vx-zyne-msg: VX Zyne Plus RGB is not running\n");
        return kNotRunning;
    }
    return kSent;
}
