#pragma once

#include <QMutex>
#include <QString>

namespace zyne {

// Sixteen '0'/'1' characters, one per box index. Written by one engine, read by the other
// engine's thread and the main window, so every access goes through the lock.
class PresenceString {
public:
    PresenceString();
    QString text() const;
    bool isPresent(int box) const;
    void setPresent(int box, bool present);

private:
    mutable QMutex m_mutex;
    QString m_text;
};

// Plus boxes found by discovery.
PresenceString& checkControllerStr();
// AWT boxes; same form.
PresenceString& awtPresenceStr();
// Classic boxes, found by the classic engine; same form.
PresenceString& classicPresenceStr();

} // namespace zyne
