#pragma once

#include <QObject>

#include <memory>

namespace zyne {

namespace ui {
class AlertView;
}

// The stalled-fan warning of the main window: shown when a watched fan newly stands still, placed
// where the user sees it, and holding the main view until it is acknowledged.
class StallAlert : public QObject {
    Q_OBJECT
public:
    static constexpr int kFanTypeFan = 0;
    static constexpr int kFanTypeVela = 7;

    // `blocked` is the window that waits for the acknowledgement.
    StallAlert(QWidget* blocked, QObject* parent);
    ~StallAlert() override;

    ui::AlertView* view() const { return m_view.get(); }
    // A fan-speed report; true when it raised the warning.
    bool report(int box, int rpm, int fanType, bool stallWarned, bool monitor);

signals:
    void acknowledged();

private:
    void place();

    QWidget* m_blocked;
    std::unique_ptr<ui::AlertView> m_view;
};

} // namespace zyne
