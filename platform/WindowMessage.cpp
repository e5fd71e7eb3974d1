#include "WindowMessage.h"

#include <QtEndian>

namespace zyne {

bool isProgramMessage(quint32 msg) {
    // 0x8111..0x8114 and 0x8116 were never given a meaning.
    return msg >= 0x8101 && msg <= 0x8126 && !(msg >= 0x8111 && msg <= 0x8114) && msg != 0x8116;
}

QByteArray encodeWindowMessage(const WindowMessage& message) {
    QByteArray bytes(kWindowMessageBytes, '\0');
    auto* out = reinterpret_cast<uchar*>(bytes.data());
    qToBigEndian(message.msg, out);
    qToBigEndian(message.wParam, out + 4);
    qToBigEndian(message.lParam, out + 8);
    return bytes;
}

std::optional<WindowMessage> takeWindowMessage(QByteArray& buffer) {
    if (buffer.size() < kWindowMessageBytes)
        return std::nullopt;
    const auto* in = reinterpret_cast<const uchar*>(buffer.constData());
    WindowMessage message{qFromBigEndian<quint32>(in), qFromBigEndian<quint32>(in + 4),
                          qFromBigEndian<quint32>(in + 8)};
    buffer.remove(0, kWindowMessageBytes);
    return message;
}

} // namespace zyne
