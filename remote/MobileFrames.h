#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace zyne {

// Frames of the mobile app link: the UTF-8 text of a JSON object, Base64-encoded, then "&".

constexpr char kFrameEnd = '&';
// An unfinished frame longer than this is no frame the app sends: the connection is dropped.
constexpr int kMaxUnfinishedFrame = 64 * 1024;

// What one frame asks for.
struct MobileFrame {
    enum Kind { Command, BoxListRequest, Invalid };
    Kind kind = Invalid;
    QVariantMap command; // Command: the command object as a map
    QString text;        // the decoded text, for the log
    QString error;       // Invalid: why
};

// Decodes one frame (without its "&"). "07 85" and "08 85" are the app's short music-level texts,
// "07 @@" stops the music; anything else must be a JSON object.
MobileFrame decodeFrame(const QByteArray& frame);

// Base64 of the text, then "&".
QByteArray encodeFrame(const QByteArray& utf8Text);

// The plain-text greeting sent once per connection.
QByteArray greeting(const QString& version, const QString& hostName, bool lockOn, const QString& password);

// The command number of a command object: an integer given as a number or as decimal text.
std::optional<int> integerValue(const QVariant& value);

// Collects one connection's bytes and hands out whole frames. A frame split across reads waits
// here for its "&"; the unfinished part is bounded by kMaxUnfinishedFrame.
class FrameReader {
public:
    // False when the unfinished frame grew past the bound (the bytes are not kept).
    bool append(const QByteArray& bytes);
    // The next whole frame, without its "&".
    std::optional<QByteArray> nextFrame();
    int pendingBytes() const { return int(m_buffer.size() - m_start); }

private:
    QByteArray m_buffer;
    int m_start = 0;      // bytes before this were handed out already
    int m_unfinished = 0; // bytes after the last "&"
};

} // namespace zyne
