#pragma once

#include "MobileClassicCommands.h"
#include "MobileCommand.h"
#include "MobileViewRedraw.h"

#include <QVariantMap>

#include <functional>

namespace zyne {

class SocketHelper;
class VxZyneRainbow;
class ZynePlusCommandHelper;

// Turns the mobile app's commands into the main window's signals, the same ones the views emit,
// and answers the ones that ask for a record.
class MobileCommandRouter {
public:
    MobileCommandRouter(VxZyneRainbow& window, const ZynePlusCommandHelper& plus, SocketHelper& server);

    // One decoded command object; anything malformed is logged and changes nothing.
    void route(const QVariantMap& object);

private:
    void routePlus(const MobileCommand& c);
    // A refused voice request (18, 19) still gets its isSuccess 0.
    void answerRefusal(const QVariantMap& object);

    // Present Plus boxes the mask selects, in box order.
    QList<int> plusBoxes(const MobileCommand& c) const;
    // Calls act(box, port) for every addressed port; filtered applies the FanType filter.
    void forEachPlusPort(const MobileCommand& c, bool filtered,
                         const std::function<void(int, int)>& act) const;
    void sendBrightness(const MobileCommand& c, int box, int port);
    // Command 8: the selected ports of the shown box back to their defaults, as its Default button.
    void resetToDefaults(const MobileCommand& c);
    void saveProfile(const MobileCommand& c);
    // Forwards the voice assistant's keys; false when there was nothing to forward.
    bool sendVoiceCommand(const MobileCommand& c);
    // A demo show named by its number or phrase, else the user script of that name.
    bool playVoiceDemo(const QString& voice);
    void sendDeviceList();
    void sendProfile(int box, bool withPortDetails);

    VxZyneRainbow& m_window;
    const ZynePlusCommandHelper& m_plus;
    SocketHelper& m_server;
    MobileViewRedraw m_redraw;
    MobileClassicCommands m_classic;
};

} // namespace zyne
