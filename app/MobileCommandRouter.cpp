#include "MobileCommandRouter.h"

#include "MobileFrames.h"
#include "MobileReplies.h"
#include "PresenceString.h"
#include "RemoteLog.h"
#include "SelectedBox.h"
#include "SettingsText.h"
#include "SocketHelper.h"
#include "VxZyneRainbow.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

namespace {
// Music modes 11..13 follow the level the app sends.
constexpr int kFirstMobileMusicMode = 11;
// The light speed a port's Default button sets.
constexpr int kDefaultLightSpeed = 2;

template <typename Values> QStringList textList(const Values& values) {
    QStringList texts;
    for (const auto value : values)
        texts << QString::number(value);
    return texts;
}

QStringList fullBrightness() {
    std::array<int, kColourEntries> ones;
    ones.fill(1);
    return textList(ones);
}
} // namespace

MobileCommandRouter::MobileCommandRouter(VxZyneRainbow& window, const ZynePlusCommandHelper& plus,
                                         SocketHelper& server)
    : m_window(window), m_plus(plus), m_server(server), m_redraw(window),
      m_classic(window, server, m_redraw) {}

void MobileCommandRouter::route(const QVariantMap& object) {
    QString error;
    const std::optional<MobileCommand> command = parseMobileCommand(object, &error);
    if (!command) {
        qCWarning(lcRemote).noquote() << "command skipped:" << error;
        answerRefusal(object);
        return;
    }
    if (command->classic)
        m_classic.route(*command);
    else
        routePlus(*command);
}

void MobileCommandRouter::answerRefusal(const QVariantMap& object) {
    // The voice assistant waits for its answer, also when the request made no sense.
    const std::optional<int> number = integerValue(object.value(QStringLiteral("command")));
    const bool classic = integerValue(object.value(QStringLiteral("DeviceType"))) == 0;
    if (!classic && (number == 18 || number == 19))
        m_server.push(compactJson(successReply(*number, false)));
}

QList<int> MobileCommandRouter::plusBoxes(const MobileCommand& c) const {
    QList<int> boxes;
    for (int box = 0; box < kBoxCount; ++box) {
        if (c.boxes[std::size_t(box)] && checkControllerStr().isPresent(box))
            boxes << box;
    }
    return boxes;
}

void MobileCommandRouter::forEachPlusPort(const MobileCommand& c, bool filtered,
                                          const std::function<void(int, int)>& act) const {
    for (int box : plusBoxes(c)) {
        for (int port = 0; port < kPlusPortCount; ++port) {
            if (!c.ports[std::size_t(port)])
                continue;
            if (filtered && !c.passesFanType(m_plus.box(box).rainbowFan[std::size_t(port)].FanType)) {
                qCDebug(lcRemote) << "fanTypeStr != 1";
                continue;
            }
            act(box, port);
        }
    }
}

void MobileCommandRouter::routePlus(const MobileCommand& c) {
    switch (c.command) {
    case 0:
    case 2:
    case 17:
        forEachPlusPort(c, c.command != 0, [&](int box, int port) {
            emit m_window.changeLight(box, port, c.value("LightMode"), c.value("ColorMode"), c.value("Speed"),
                                      false);
        });
        break;
    case 1:
    case 3:
        // The engine takes the colour as it is; the brightness argument is not used.
        forEachPlusPort(c, c.command == 3, [&](int box, int port) {
            emit m_window.sendAPPRGBDataToCommand(box, c.value("RColor"), c.value("GColor"),
                                                  c.value("BColor"), 1.0f, port, c.ledMask);
        });
        break;
    case 4:
    case 16:
        forEachPlusPort(c, false, [&](int box, int port) { sendBrightness(c, box, port); });
        break;
    case 5:
    case 11:
        forEachPlusPort(c, c.command == 5,
                        [&](int box, int port) { emit m_window.sendTurnLed(box, port, c.value("Status")); });
        break;
    case 7:
        if (c.value("Status") != 1)
            break;
        emit m_window.sendMobileVolume(c.value("Volume"));
        forEachPlusPort(c, c.fanType.has_value(), [&](int box, int port) {
            emit m_window.changeLight(box, port, c.value("MusicMode") + kFirstMobileMusicMode,
                                      c.value("ColorMode"), 0, false);
        });
        break;
    case 8:
        resetToDefaults(c);
        break;
    case 9:
        sendDeviceList();
        break;
    case 12:
        saveProfile(c);
        break;
    case 14: {
        const QList<int> boxes = plusBoxes(c);
        for (int box : boxes)
            emit m_window.sendSelectProfile(box, c.value("Profile"));
        if (!boxes.isEmpty())
            sendProfile(boxes.first(), false);
        break;
    }
    case 15: {
        const QList<int> boxes = plusBoxes(c);
        if (!boxes.isEmpty())
            sendProfile(boxes.first(), true);
        break;
    }
    case 18:
        m_server.push(compactJson(successReply(18, playVoiceDemo(c.voice))));
        break;
    case 19:
        m_server.push(compactJson(successReply(19, sendVoiceCommand(c))));
        break;
    default:
        qCDebug(lcRemote) << "command" << c.command << "refreshes the view";
        m_redraw.plus();
        return;
    }
    // The shown box's view follows what the app changed there (its brightness slider included);
    // brightness always redraws it.
    static const QList<int> kRedrawn{0, 1, 2, 3, 5, 8, 11};
    if (c.command == 4 || (kRedrawn.contains(c.command) && plusBoxes(c).contains(selectedBox())))
        m_redraw.plus();
}

void MobileCommandRouter::resetToDefaults(const MobileCommand& c) {
    const int shown = selectedBox();
    if (!plusBoxes(c).contains(shown)) {
        qCDebug(lcRemote) << "command 8 is for the shown box" << shown << "only";
        return;
    }
    // The colour wheel at full brightness and light speed 2, then the app's light mode; the
    // colours go first so the refresh of the light mode writes them.
    const RainbowFanState defaults;
    for (int port = 0; port < kPlusPortCount; ++port) {
        if (!c.ports[std::size_t(port)])
            continue;
        const RainbowFanState& record = m_plus.box(shown).rainbowFan[std::size_t(port)];
        emit m_window.sendRGBDataToCommand(shown, textList(defaults.RColor), textList(defaults.GColor),
                                           textList(defaults.BColor), fullBrightness(), port,
                                           record.selectLED);
        emit m_window.changeLight(shown, port, c.value("LightMode"), record.colorMode, kDefaultLightSpeed,
                                  false);
        emit m_window.sendDefault(shown, port);
    }
}

void MobileCommandRouter::saveProfile(const MobileCommand& c) {
    const int profile = c.value("Profile");
    for (int box : plusBoxes(c)) {
        // The main view shows the profile the shown box is saved under before the save runs.
        if (box == selectedBox()) {
            m_window.setCurrentProfile(profile);
            m_window.receiveResetZyneMainViewProfile(profile);
        }
        emit m_window.sendSaveProfile(box, profile);
    }
}

void MobileCommandRouter::sendBrightness(const MobileCommand& c, int box, int port) {
    // Tenths from the app; the single colour's entry alone in colour mode 1, else the chosen LEDs.
    const float bright = float(c.value("Bright")) / 10.0f;
    std::array<float, kColourEntries> values = m_plus.box(box).rainbowFan[std::size_t(port)].Bright;
    if (c.value("ColorMode") == 1) {
        values[kWholeFanEntry] = bright;
    } else {
        for (int led = 0; led < kLedCount; ++led) {
            if (c.leds[std::size_t(led)])
                values[std::size_t(led)] = bright;
        }
    }
    emit m_window.sendPlusBrighr(box, port, joinedList(values, brightnessText).split(QLatin1Char(',')));
}

bool MobileCommandRouter::sendVoiceCommand(const MobileCommand& c) {
    // Absent values keep what the ports have; FanType narrows the ports to that type.
    const auto given = [&](const char* key) { return c.value(key, -1); };
    bool typeKnown = false;
    const int fanType = c.fanType ? c.fanType->toInt(&typeKnown) : -1;
    if (c.fanType && !typeKnown)
        return false;
    const bool isTurnOff = c.value("Status") != 0;
    bool understood = false;
    if (c.value("Rainbow") != 0) {
        const RainbowFanState rainbow;
        for (int box = 0; box < kBoxCount; ++box) {
            if (!checkControllerStr().isPresent(box))
                continue;
            for (int port = 0; port < kPlusPortCount; ++port) {
                if (fanType < 0 || m_plus.box(box).rainbowFan[std::size_t(port)].FanType == fanType)
                    emit m_window.sendRGBDataToCommand(
                        box, textList(rainbow.RColor), textList(rainbow.GColor), textList(rainbow.BColor),
                        fullBrightness(), port, QString(kLedCount, QLatin1Char('1')));
            }
        }
        emit m_window.sendSpeechMode(given("LightMode"), 0, given("Speed"), false, fanType);
        understood = true;
    } else {
        if (c.has("RColor") || c.has("GColor") || c.has("BColor") || c.has("Bright")) {
            const float bright = c.has("Bright") ? float(c.value("Bright")) / 100.0f : -1.0f;
            emit m_window.sendSpeechColor(given("RColor"), given("GColor"), given("BColor"), bright,
                                          QString(kLedCount, QLatin1Char('1')), fanType);
            understood = true;
        }
        if (c.has("LightMode") || c.has("ColorMode") || c.has("Speed") || c.has("Status")) {
            emit m_window.sendSpeechMode(given("LightMode"), given("ColorMode"), given("Speed"), isTurnOff,
                                         fanType);
            understood = true;
        }
    }
    if (c.has("FanSpeed")) {
        emit m_window.sendSpeechFanSpeed(c.value("FanSpeed"));
        understood = true;
    }
    return understood;
}

bool MobileCommandRouter::playVoiceDemo(const QString& voice) {
    if (const std::optional<int> effect = voiceDemoEffect(voice)) {
        m_window.startDemoEffect(*effect);
        return true;
    }
    // Any other name may be one of the user's scripts.
    return m_window.openScriptByName(voice.trimmed());
}

void MobileCommandRouter::sendDeviceList() {
    BoxFanTypes types{};
    for (int box = 0; box < kBoxCount; ++box) {
        for (int port = 0; port < kPlusPortCount; ++port)
            types[std::size_t(box)][std::size_t(port)] =
                m_plus.box(box).rainbowFan[std::size_t(port)].FanType;
    }
    m_server.push(
        compactJson(deviceListReply(types, checkControllerStr().text(), classicPresenceStr().text())));
}

void MobileCommandRouter::sendProfile(int box, bool withPortDetails) {
    const ControllerBox& record = m_plus.box(box);
    m_server.push(compactJson(profileReply(record.rainbowFan, record.currentProfile, withPortDetails)));
}

} // namespace zyne
