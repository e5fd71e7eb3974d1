#include "HotKeyCommands.h"
#include "PresenceString.h"
#include "SelectedBox.h"
#include "SpeechCommands.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

namespace {
constexpr int kMaxSpeechFanSpeed = 100;

bool isConnectedOrAwtBox(const ControllerBox& target) {
    return target.isConnected || target.boxType == BoxAwt;
}

bool takesHotKey(const ControllerBox& target, int boxNum, hotkey::Targets targets) {
    switch (targets) {
    case hotkey::Targets::PlusPresent:
        return checkControllerStr().isPresent(boxNum);
    case hotkey::Targets::ConnectedOrAwt:
        return isConnectedOrAwtBox(target);
    case hotkey::Targets::None:
        break;
    }
    return false;
}

// Voice commands reach connected boxes and every box the AWT pass found.
bool takesSpeech(const ControllerBox& target, int boxNum) {
    return target.isConnected || awtPresenceStr().isPresent(boxNum);
}
} // namespace

void ZynePlusCommandHelper::receiveHotKeyCommand(int command, int value) {
    qCDebug(lcPlus) << "receiveHotKeyCommand:" << command << value;
    const hotkey::Targets targets = hotkey::targets(command);
    if (targets == hotkey::Targets::None || !hotkey::changesFans(command, value)) {
        qCWarning(lcPlus) << "receiveHotKeyCommand: command" << command << "with value" << value
                          << "changes nothing";
    } else if (command == hotkey::Profile) {
        // Every box takes the profile for now; what each box saved or selected stays as it was.
        const PlusProfileTexts profile = m_ini.readProfileIni(value);
        for (int b = 0; b < kBoxCount; ++b) {
            if (!takesHotKey(box(b), b, targets))
                continue;
            applyProfile(b, profile);
            resendPorts(b);
        }
    } else {
        for (int b = 0; b < kBoxCount; ++b) {
            if (!takesHotKey(box(b), b, targets))
                continue;
            for (int p = 0; p < kPlusPortCount; ++p) {
                hotkey::apply(port(b, p), command, value);
                refreshFanLed(b, p);
            }
        }
    }
    receiveViewRequest();
}

void ZynePlusCommandHelper::receiveSpeech(int lightMode, int colorMode, int lightSpeed, int red, int green,
                                          int blue, float bright, bool isTurnOff) {
    // The app's combined voice command arrives split into the mode, colour and speed commands;
    // this one is only logged.
    qCDebug(lcPlus) << "lightM:" << lightMode;
    qCDebug(lcPlus) << "colorM:" << colorMode;
    qCDebug(lcPlus) << "lightS:" << lightSpeed;
    qCDebug(lcPlus) << "r:" << red;
    qCDebug(lcPlus) << "g:" << green;
    qCDebug(lcPlus) << "b:" << blue;
    qCDebug(lcPlus) << "br:" << bright;
    qCDebug(lcPlus) << "isturnoff:" << isTurnOff;
}

void ZynePlusCommandHelper::receiveSpeechMode(int lightMode, int colorMode, int lightSpeed, bool isTurnOff,
                                              int fanType) {
    qCDebug(lcPlus) << "receiveSpeechMode---isTurnOff:" << isTurnOff;
    const speech::ModeCommand command{lightMode, colorMode, lightSpeed, isTurnOff, fanType};
    const QString refusal = speech::refusal(command);
    if (!refusal.isEmpty()) {
        qCWarning(lcPlus).noquote() << "receiveSpeechMode ignored:" << refusal;
        return;
    }
    for (int b = 0; b < kBoxCount; ++b) {
        qCDebug(lcPlus) << "i == " << b;
        if (!takesSpeech(box(b), b))
            continue;
        for (int p = 0; p < kPlusPortCount; ++p) {
            RainbowFanState& fan = port(b, p);
            if (!speech::targets(fan, fanType))
                continue;
            speech::apply(fan, command);
            qCDebug(lcPlus).nospace() << "Box:" << b << ", Fan:" << p << ", isTurnOff:" << isTurnOff;
            refreshFanLed(b, p);
        }
    }
    mirrorPortZeroChange(selectedBox());
    qCDebug(lcPlus) << "receiveSpeechMode--------end";
}

void ZynePlusCommandHelper::receiveSpeechColor(int red, int green, int blue, float bright,
                                               const QString& ledSelection, int fanType) {
    qCDebug(lcPlus) << "receiveSpeechColor--Start--" << red << green << blue << bright << ledSelection
                    << fanType;
    if (ledSelection.size() < kLedCount)
        qCWarning(lcPlus) << "receiveSpeechColor: LED selection" << ledSelection
                          << "is short, the LEDs past it are left as they are";
    const speech::ColourCommand command{red, green, blue, bright, ledSelection, fanType};
    for (int b = 0; b < kBoxCount; ++b) {
        if (!takesSpeech(box(b), b))
            continue;
        for (int p = 0; p < kPlusPortCount; ++p) {
            RainbowFanState& fan = port(b, p);
            if (!speech::targets(fan, fanType))
                continue;
            speech::apply(fan, command);
            refreshFanLed(b, p);
        }
    }
    qCDebug(lcPlus) << "receiveSpeechColor:" << red << green << blue << bright << ledSelection << fanType;
    mirrorSelectedPortToPowerSupply();
    qCDebug(lcPlus) << "receiveSpeechColor-----end";
}

void ZynePlusCommandHelper::receiveSpeechFanSpeed(int speed) {
    qCDebug(lcPlus) << "receiveSpeechFanSpeed:" << speed;
    if (speed < 0 || speed > kMaxSpeechFanSpeed) {
        qCWarning(lcPlus) << "receiveSpeechFanSpeed ignored: speed" << speed << "is not 0..100";
        return;
    }
    for (int b = 0; b < kBoxCount; ++b) {
        if (!isConnectedOrAwtBox(box(b)))
            continue;
        for (int p = 0; p < kPlusPortCount; ++p) {
            if (speech::applyFanSpeed(port(b, p), speed))
                sendCommand_FanSpeed(b, p);
        }
        qCDebug(lcPlus).nospace() << "boxArray[" << b << "].boxType:" << box(b).boxType;
    }
}

} // namespace zyne
