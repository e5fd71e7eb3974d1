#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

namespace zyne {

// A private window message as the running instance receives it: (msg, wParam, lParam).
struct WindowMessage {
    quint32 msg = 0;
    quint32 wParam = 0;
    quint32 lParam = 0;

    friend bool operator==(const WindowMessage& a, const WindowMessage& b) {
        return a.msg == b.msg && a.wParam == b.wParam && a.lParam == b.lParam;
    }
};

// Whether msg is one of the program's private messages (0x8101..0x8126, those it has a meaning for).
bool isProgramMessage(quint32 msg);

// On the single-instance socket a message is three big-endian 32-bit words.
constexpr int kWindowMessageBytes = 12;
QByteArray encodeWindowMessage(const WindowMessage& message);
// Takes one message off the front of the buffer; nothing while fewer than 12 bytes are there.
std::optional<WindowMessage> takeWindowMessage(QByteArray& buffer);

} // namespace zyne
