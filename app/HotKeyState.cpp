#include "HotKeyState.h"

namespace zyne {

int HotKeyState::step(int& counter, int first, int last) {
    counter = counter >= last ? first : counter + 1;
    return counter;
}

std::optional<HotKeyCommand> HotKeyState::keyEvent(const QString& keyName, KeyTransition transition) {
    switch (transition) {
    case KeyTransition::Released:
        m_firstKey.clear();
        m_secondKey.clear();
        break;
    case KeyTransition::ReleasedWithAlt:
        m_secondKey.clear();
        break;
    case KeyTransition::PressedWithAlt:
        if (m_firstKey.isEmpty())
            m_firstKey = keyName;
        else if (m_secondKey.isEmpty() && keyName != m_firstKey)
            m_secondKey = keyName;
        break;
    case KeyTransition::Pressed:
        break;
    }
    if (m_firstKey != QLatin1String("Alt") && m_firstKey != QLatin1String("Right Alt"))
        return std::nullopt;
    if (m_secondKey == QLatin1String("Page Up"))
        return HotKeyCommand{0, 0, "Alt + Page Up"};
    if (m_secondKey == QLatin1String("Page Down"))
        return HotKeyCommand{1, 0, "Alt + Page Down"};
    if (m_secondKey == QLatin1String("Home"))
        return HotKeyCommand{2, 0, "Alt + Home"};
    if (m_secondKey == QLatin1String("End"))
        return HotKeyCommand{3, 0, "Alt + End"};
    if (m_secondKey == QLatin1String("7"))
        return HotKeyCommand{4, step(m_counter7, 0, 3), "Alt + 7"};
    if (m_secondKey == QLatin1String("8"))
        return HotKeyCommand{5, step(m_counter8, 0, 5), "Alt + 8"};
    if (m_secondKey == QLatin1String("9"))
        return HotKeyCommand{6, step(m_counter9, 0, 4), "Alt + 9"};
    if (m_secondKey == QLatin1String("0"))
        return HotKeyCommand{7, step(m_profileCounter, 1, 5), "Alt + 0"};
    return std::nullopt;
}

} // namespace zyne
