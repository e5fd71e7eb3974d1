#pragma once

#include <QTimer>

namespace zyne {

class VxZyneRainbow;

// The app may send thousands of commands a second, and redrawing the views takes milliseconds:
// the views follow the app's changes at most once per kIntervalMs, showing the state after the
// last of them.
class MobileViewRedraw {
public:
    static constexpr int kIntervalMs = 40;

    explicit MobileViewRedraw(VxZyneRainbow& window);

    // sendViewRequest soon.
    void plus();
    // sendResetViewRequest soon.
    void classic();

private:
    void request(bool& flag);
    void redraw();

    VxZyneRainbow& m_window;
    QTimer m_timer;
    bool m_plus = false;
    bool m_classic = false;
};

} // namespace zyne
