#include "MobileClassicCommands.h"

#include "ClassicWiring.h"
#include "MobileReplies.h"
#include "MobileViewRedraw.h"
#include "PresenceString.h"
#include "RemoteLog.h"
#include "SelectedBox.h"
#include "SocketHelper.h"
#include "VxZyneRainbow.h"

#include <QPointer>

namespace zyne {

namespace {
// The classic engine's SpeedMode for a level: 0 silent, 5 performance, else custom.
int speedModeOf(int level) {
    return level == 0 ? 1 : level == 5 ? 2 : 0;
}
} // namespace

MobileClassicCommands::MobileClassicCommands(VxZyneRainbow& window, SocketHelper& server,
                                             MobileViewRedraw& redraw)
    : m_window(window), m_server(server), m_redraw(redraw) {}

QList<int> MobileClassicCommands::boxes(const MobileCommand& c) const {
    QList<int> present;
    for (int box = 0; box < kBoxCount; ++box) {
        if (c.boxes[std::size_t(box)] && classicPresenceStr().isPresent(box))
            present << box;
    }
    return present;
}

bool MobileClassicCommands::forEachFan(const MobileCommand& c,
                                       const std::function<void(int, int)>& act) const {
    bool any = false;
    for (int box : boxes(c)) {
        for (int fan = 0; fan < kClassicPortCount; ++fan) {
            if (!c.ports[std::size_t(fan)])
                continue;
            act(box, fan);
            any = true;
        }
    }
    return any;
}

void MobileClassicCommands::sendColourAndMode(const MobileCommand& c, int box, int fan) {
    emit m_window.sendZyneRGBDataToCommand(box, c.value("RColor"), c.value("GColor"), c.value("BColor"),
                                           c.classicBright, fan);
    emit m_window.sendZyneChangeLight(box, fan, c.value("LightMode"), c.value("isTurnOff") != 0);
}

void MobileClassicCommands::route(const MobileCommand& c) {
    bool changed = false;
    switch (c.command) {
    case 1:
    case 4:
        changed = forEachFan(c, [&](int box, int fan) {
            emit m_window.sendZyneChangeLight(box, fan, c.value("LightMode"), c.value("isTurnOff") != 0);
        });
        break;
    case 2:
        changed = forEachFan(c, [&](int box, int fan) { sendColourAndMode(c, box, fan); });
        break;
    case 5: {
        // The shown box, under the profile number the main view shows.
        const int shown = selectedBox();
        if (classicPresenceStr().isPresent(shown))
            emit m_window.sendSaveZyne(shown, m_window.currentProfile());
        else
            qCDebug(lcRemote) << "classic command 5: the shown box" << shown << "is no classic box";
        return;
    }
    case 6:
        changed = forEachFan(c, [&](int box, int fan) {
            const int level = c.value("FanSpeed");
            emit m_window.sendChangeFanSpeed(box, fan, level, speedModeOf(level));
        });
        break;
    case 7:
        if (c.value("Status") != 1)
            return;
        emit m_window.sendZyneMobileVolume(c.value("Volume"));
        forEachFan(c, [&](int box, int fan) { sendColourAndMode(c, box, fan); });
        return;
    case 9:
        for (int box : boxes(c))
            emit m_window.sendSelectZyneProfile(box, c.value("Profile"));
        return;
    case 15: {
        const QList<int> addressed = boxes(c);
        if (!addressed.isEmpty())
            sendStatus(addressed.first());
        return;
    }
    default:
        qCDebug(lcRemote) << "classic command" << c.command << "does nothing";
        return;
    }
    if (changed)
        m_redraw.classic();
}

void MobileClassicCommands::sendStatus(int box) {
    qCDebug(lcRemote) << "Zyne Status" << box;
    // The records belong to the classic engine's thread; they are read there, after every command
    // queued before this one, and answered from here.
    QPointer<SocketHelper> server(&m_server);
    const SocketHelper::ReplyTarget asker = m_server.replyTarget();
    m_window.classic()->readBox(box, [server, asker](const ClassicFans& fans, int profile) {
        if (server)
            server->push(compactJson(classicStatusReply(fans, profile)), asker);
    });
}

} // namespace zyne
