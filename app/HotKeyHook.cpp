#include "HotKeyHook.h"

#include "MakerKeyboards.h"
#include "VxZyneRainbow.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcHotKeys, "zyne.hotkeys")

namespace zyne {

namespace {
constexpr int kProfileCommand = 7;
}

HotKeyHook::HotKeyHook(VxZyneRainbow& window)
    : QObject(&window), m_window(window), m_keyboards(new MakerKeyboards(this)) {
    connect(m_keyboards, &MakerKeyboards::keyEvent, this, &HotKeyHook::keyEvent);
}

bool HotKeyHook::start() {
    qCDebug(lcHotKeys) << "setupHootKey";
    return m_keyboards->start();
}

void HotKeyHook::keyEvent(unsigned code, int value) {
    const NamedKeyEvent key = m_names.translate(code, value);
    const std::optional<HotKeyCommand> command = m_state.keyEvent(key.name, key.transition);
    if (!command)
        return;
    // Only the hot key itself is logged, never what else is typed.
    qCDebug(lcHotKeys) << command->log << command->value;
    if (command->command == kProfileCommand)
        m_window.setCurrentProfile(command->value);
    emit m_window.sendHotKeyCommand(command->command, command->value);
}

} // namespace zyne
