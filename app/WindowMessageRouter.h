#pragma once

#include <QtGlobal>

namespace zyne {

struct ApplicationSettingsValues;
class VxZyneRainbow;

// The private window messages 0x8101..0x8126 that a second start or an automation tool sends to
// the running program. Unknown numbers and parameters out of range are logged and ignored.
class WindowMessageRouter {
public:
    explicit WindowMessageRouter(VxZyneRainbow& window) : m_window(window) {}

    // Returns whether the message was one of the program's own (those are always "handled").
    bool route(quint32 msg, quint32 wParam, quint32 lParam);

private:
    void setPassword(quint32 wParam);
    void storeSettings(const ApplicationSettingsValues& settings);
    void routeToPlusView(quint32 msg, quint32 wParam, quint32 lParam);

    VxZyneRainbow& m_window;
};

} // namespace zyne
