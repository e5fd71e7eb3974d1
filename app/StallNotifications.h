#pragma once

#include <QObject>
#include <QSet>

#include <functional>

namespace zyne {

class DesktopNotifier;

// Desktop notifications of stalled fans while the window is hidden: one per fan until it runs
// again. A click on one asks for the window on that fan's box.
class StallNotifications : public QObject {
    Q_OBJECT
public:
    StallNotifications(DesktopNotifier* notifier, std::function<bool()> windowHidden, QObject* parent);

    // A fan-speed report (as the stall warning gets it).
    void report(int box, int port, int rpm, int fanType, bool monitor);

signals:
    void showBox(int box);

private:
    DesktopNotifier* m_notifier;
    std::function<bool()> m_windowHidden;
    // box * 8 + port of every fan notified and not yet running again.
    QSet<int> m_notified;
};

} // namespace zyne
