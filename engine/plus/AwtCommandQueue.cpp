#include "AwtCommandQueue.h"

#include <algorithm>

namespace zyne {

const char* awtCommandLabel(int type) {
    switch (type) {
    case AwtReadSpeeds:
        return "AWTSendCommand_ReadSpeed::";
    case AwtLighting:
    case AwtLighting9:
        return "AWTSendCommand_Light::";
    case AwtFanSpeed:
        return "sendAWTZynePlusCommand_Speed::";
    case AwtTurnOff:
        return "AWTSendCommand_TurnOff::";
    case AwtTurnOn:
        return "AWTSendCommand_TurnOn::";
    case AwtSave:
        return "AWTSendCommand_Save::";
    case AwtCross:
    case AwtCross2:
        return "AWTSendCommand_Cross::";
    case AwtOneColour:
        return "AWTSendCommand_OneColor::";
    case AwtMusicLight:
    case AwtMusicLight9:
        return "AWTSendCommand_MusicLight::";
    case AwtMusicEq9:
        return "AWTSendCommand_MusicEQ9LED::";
    case AwtMusicEq:
    case AwtMusicEq2:
    case AwtMusicEq3:
        return "AWTSendCommand_MusicEQ::";
    case AwtMeteor:
    case AwtMeteor9:
        return "AWTSendCommand_Meteor::";
    case AwtEffect:
    case AwtEffect9:
    case AwtEffect2:
        return "AWTSendCommand_Effect::";
    case AwtPresenceCheck:
        return "checkAWT_usb::";
    case AwtPassEnd:
        return "sendCheckAWTBoxSuccess";
    default:
        return "AWTSendCommand_Unknown::";
    }
}

namespace {
// Commands that only say what a port shows now: a newer one makes a waiting one pointless.
bool isReplaceable(int type) {
    return isAwtEffectFrame(type) || type == AwtOneColour;
}

// The waiting command of the port that decides whether `command` may take its place: for a frame the
// port's last command; for a speed setting the last one other than a frame (frames say nothing about
// the speed, and a chip busy for minutes must not replay minutes of stale speeds).
bool decides(const AwtCommand& command, const AwtCommand& queued) {
    if (queued.box != command.box || queued.port != command.port || !isAwtPortCommand(queued.type))
        return false;
    return command.type != AwtFanSpeed || !isReplaceable(queued.type);
}
} // namespace

bool AwtCommandQueue::push(const AwtCommand& command) {
    if (isReplaceable(command.type) || command.type == AwtFanSpeed) {
        const auto last = std::find_if(m_commands.rbegin(), m_commands.rend(),
                                       [&](const AwtCommand& queued) { return decides(command, queued); });
        const bool merges =
            last != m_commands.rend() &&
            (command.type == AwtFanSpeed ? last->type == AwtFanSpeed : isReplaceable(last->type));
        if (merges) {
            *last = command;
            return true;
        }
        if (m_commands.size() >= kMaxCommands && isAwtEffectFrame(command.type))
            return false;
    }
    m_commands.push_back(command);
    if (command.type == AwtReadSpeeds && isBoxIndex(command.box))
        ++m_speedReads[static_cast<std::size_t>(command.box)];
    return true;
}

bool AwtCommandQueue::hasSpeedRead(int box) const {
    return isBoxIndex(box) && m_speedReads[static_cast<std::size_t>(box)] > 0;
}

void AwtCommandQueue::forget(const AwtCommand& command) {
    if (command.type == AwtReadSpeeds && isBoxIndex(command.box))
        --m_speedReads[static_cast<std::size_t>(command.box)];
}

std::optional<AwtCommand> AwtCommandQueue::takeNext(const std::function<Verdict(const AwtCommand&)>& judge,
                                                    const std::function<void(const AwtCommand&)>& dropped) {
    for (auto it = m_commands.begin(); it != m_commands.end();) {
        const Verdict verdict = judge(*it);
        if (verdict == Verdict::Wait) {
            ++it;
            continue;
        }
        const AwtCommand command = *it;
        it = m_commands.erase(it);
        forget(command);
        if (verdict == Verdict::Run)
            return command;
        dropped(command);
    }
    return std::nullopt;
}

} // namespace zyne
