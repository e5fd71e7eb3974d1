#include "MobileViewRedraw.h"

#include "VxZyneRainbow.h"

namespace zyne {

MobileViewRedraw::MobileViewRedraw(VxZyneRainbow& window) : m_window(window) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(kIntervalMs);
    QObject::connect(&m_timer, &QTimer::timeout, &window, [this] { redraw(); });
}

void MobileViewRedraw::plus() {
    request(m_plus);
}

void MobileViewRedraw::classic() {
    request(m_classic);
}

void MobileViewRedraw::request(bool& flag) {
    flag = true;
    if (!m_timer.isActive())
        m_timer.start();
}

void MobileViewRedraw::redraw() {
    const bool plus = m_plus;
    const bool classic = m_classic;
    m_plus = m_classic = false;
    if (plus)
        emit m_window.sendViewRequest();
    if (classic)
        emit m_window.sendResetViewRequest();
}

} // namespace zyne
