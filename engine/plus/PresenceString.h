#pragma once

#include <QString>
#include <mutex>

namespace zyne {

// Sixteen characters, one per box index: '0' for absent, else present. Plus and classic boxes
// are '0'/'1'; an AWT box counts the chips answering for it ('1'..'9'). Written by one engine,
// read by the other engine's thread and the main window, so every access goes through the lock.
class PresenceString {
public:
    PresenceString();
    QString text() const;
    bool isPresent(int box) const;
    void setPresent(int box, bool present);
    // A count of answers; above 9 it shows as 9.
    void setCount(int box, int count);

private:
    mutable std::mutex m_mutex;
    QString m_text;
};

// Plus boxes found by discovery.
PresenceString& checkControllerStr();
// AWT boxes; same form.
PresenceString& awtPresenceStr();
// Classic boxes, found by the classic engine; same form.
PresenceString& classicPresenceStr();

} // namespace zyne
