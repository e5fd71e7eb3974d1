#pragma once

#include <QString>

#include <optional>

namespace zyne {

// One hot-key command for the Plus engine (sendHotKeyCommand) and the text logged for it.
struct HotKeyCommand {
    int command = 0;
    int value = 0;
    const char* log = "";
};

// How a key event came: the low-level keyboard flags of the system the hot keys were made for.
enum class KeyTransition {
    Pressed,         // 0x00/0x01
    PressedWithAlt,  // 0x20/0x21
    Released,        // 0x80/0x81
    ReleasedWithAlt, // above 0x81
};

// The Alt + key state machine: the first key held with Alt (normally "Alt" itself) and the second
// one. Every event of a second key while Alt stays held repeats its command; the counters of
// Alt + 7/8/9/0 step on each time.
class HotKeyState {
public:
    std::optional<HotKeyCommand> keyEvent(const QString& keyName, KeyTransition transition);
    // Alt + 0 steps through the profiles 1..5.
    int profile() const { return m_profileCounter; }

private:
    static int step(int& counter, int first, int last);

    QString m_firstKey;
    QString m_secondKey;
    int m_counter7 = 0;
    int m_counter8 = 0;
    int m_counter9 = 0;
    int m_profileCounter = 0;
};

} // namespace zyne
