#pragma once

#include "MobileCommand.h"

#include <QList>

#include <functional>

namespace zyne {

class MobileViewRedraw;
class SocketHelper;
class VxZyneRainbow;

// The mobile app's commands for classic boxes (DeviceType 0): the same signals the classic view
// uses, queued to the classic engine's thread, and the status record read back from there.
class MobileClassicCommands {
public:
    MobileClassicCommands(VxZyneRainbow& window, SocketHelper& server, MobileViewRedraw& redraw);

    void route(const MobileCommand& c);

private:
    // Present classic boxes the mask selects, in box order.
    QList<int> boxes(const MobileCommand& c) const;
    // Calls act(box, fan) for every addressed fan; false when there was none.
    bool forEachFan(const MobileCommand& c, const std::function<void(int, int)>& act) const;
    // Colour and brightness, then the light mode (commands 2 and 7).
    void sendColourAndMode(const MobileCommand& c, int box, int fan);
    void sendStatus(int box);

    VxZyneRainbow& m_window;
    SocketHelper& m_server;
    MobileViewRedraw& m_redraw;
};

} // namespace zyne
