#pragma once

#include "HotKeyState.h"

#include <QString>

namespace zyne {

struct NamedKeyEvent {
    QString name;
    KeyTransition transition = KeyTransition::Pressed;
};

// Turns evdev key events (code, value 1 press / 2 repeat / 0 release) into the key names and
// Alt-aware transitions the hot keys are written for. Keys the hot keys don't use all get one
// neutral name, so what the user types never leaves this class.
class KeyEventNames {
public:
    static const QString kOtherKey;

    NamedKeyEvent translate(unsigned code, int value);

private:
    bool altHeld() const { return m_leftAlt || m_rightAlt; }

    bool m_leftAlt = false;
    bool m_rightAlt = false;
};

} // namespace zyne
