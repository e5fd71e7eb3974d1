#include "MobileCommandRouter.h"

#include "MobileReplies.h"
#include "PresenceString.h"
#include "RemoteLog.h"
#include "SocketHelper.h"
#include "VxZyneRainbow.h"
#include "ZynePlusCommandHelper.h"

namespace zyne {

namespace {
// Music modes 11..13 follow the level the app sends.
constexpr int kFirstMobileMusicMode = 11;
} // namespace

MobileCommandRouter::MobileCommandRouter(VxZyneRainbow& window, const ZynePlusCommandHelper& plus,
                                         SocketHelper& server)
    : m_window(window), m_plus(plus), m_server(server) {}

void MobileCommandRouter::route(const QVariantMap& object) {
    QString error;
    const std::optional<MobileCommand> command = parseMobileCommand(object, &error);
    if (!command) {
        qCWarning(lcRemote).noquote() << "command skipped:" << error;
        return;
    }
    if (command->classic)
        routeClassic(*command);
    else
        routePlus(*command);
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
    case 7:
        if (c.value("Status") != 1)
            break;
        forEachPlusPort(c, c.fanType.has_value(), [&](int box, int port) {
            emit m_window.changeLight(box, port, c.value("MusicMode") + kFirstMobileMusicMode,
                                      c.value("ColorMode"), 0, false);
        });
        break;
    case 9:
        sendDeviceList();
        break;
    case 12:
        for (int box : plusBoxes(c))
            emit m_window.sendSaveProfile(box, c.value("Profile"));
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
    default:
        qCDebug(lcRemote) << "command" << c.command << "not handled";
        break;
    }
}

void MobileCommandRouter::routeClassic(const MobileCommand& c) {
    qCDebug(lcRemote) << "classic command" << c.command << "not handled";
}

void MobileCommandRouter::sendDeviceList() {
    BoxFanTypes types{};
    for (int box = 0; box < kBoxCount; ++box) {
        for (int port = 0; port < kPlusPortCount; ++port)
            types[std::size_t(box)][std::size_t(port)] =
                m_plus.box(box).rainbowFan[std::size_t(port)].FanType;
    }
    m_server.push(compactJson(deviceListReply(types, checkControllerStr().text(), QString())));
}

void MobileCommandRouter::sendProfile(int box, bool withPortDetails) {
    const ControllerBox& record = m_plus.box(box);
    m_server.push(compactJson(profileReply(record.rainbowFan, record.currentProfile, withPortDetails)));
}

} // namespace zyne
