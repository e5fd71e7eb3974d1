#pragma once

#include "HotKeyState.h"
#include "KeyEventNames.h"

#include <QObject>

namespace zyne {

class MakerKeyboards;
class VxZyneRainbow;

// The hot keys: Alt + key on the maker's keyboards become the main window's sendHotKeyCommand.
class HotKeyHook : public QObject {
    Q_OBJECT
public:
    explicit HotKeyHook(VxZyneRainbow& window);

    // Starts reading the keyboards; false when that can't be done (no hot keys then).
    bool start();
    // One key event from a keyboard (code, value as evdev gives them).
    void keyEvent(unsigned code, int value);

private:
    VxZyneRainbow& m_window;
    MakerKeyboards* m_keyboards;
    KeyEventNames m_names;
    HotKeyState m_state;
};

} // namespace zyne
