#include "KeyEventNames.h"

#include <linux/input-event-codes.h>

namespace zyne {

const QString KeyEventNames::kOtherKey = QStringLiteral("other key");

namespace {
QString keyName(unsigned code) {
    switch (code) {
    case KEY_LEFTALT:
        return QStringLiteral("Alt");
    case KEY_RIGHTALT:
        return QStringLiteral("Right Alt");
    case KEY_PAGEUP:
        return QStringLiteral("Page Up");
    case KEY_PAGEDOWN:
        return QStringLiteral("Page Down");
    case KEY_HOME:
        return QStringLiteral("Home");
    case KEY_END:
        return QStringLiteral("End");
    case KEY_7:
        return QStringLiteral("7");
    case KEY_8:
        return QStringLiteral("8");
    case KEY_9:
        return QStringLiteral("9");
    case KEY_0:
        return QStringLiteral("0");
    default:
        return KeyEventNames::kOtherKey;
    }
}
} // namespace

NamedKeyEvent KeyEventNames::translate(unsigned code, int value) {
    const bool pressed = value != 0;
    // An Alt key counts as held from its own press and no longer on its own release.
    if (code == KEY_LEFTALT)
        m_leftAlt = pressed;
    else if (code == KEY_RIGHTALT)
        m_rightAlt = pressed;
    NamedKeyEvent event;
    event.name = keyName(code);
    if (pressed)
        event.transition = altHeld() ? KeyTransition::PressedWithAlt : KeyTransition::Pressed;
    else
        event.transition = altHeld() ? KeyTransition::ReleasedWithAlt : KeyTransition::Released;
    return event;
}

} // namespace zyne
