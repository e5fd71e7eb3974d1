#include "StallAlert.h"

#include "AlertView.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <QScreen>

Q_LOGGING_CATEGORY(lcStallAlert, "zyne.main")

namespace zyne {

StallAlert::StallAlert(QWidget* blocked, QObject* parent)
    : QObject(parent), m_blocked(blocked), m_view(std::make_unique<ui::AlertView>()) {
    m_view->hide();
    connect(m_view.get(), &ui::AlertView::alertViewSendData, this, [this] {
        qCDebug(lcStallAlert) << "alertViewReceiveData";
        m_blocked->setEnabled(true);
        emit acknowledged();
    });
}

StallAlert::~StallAlert() = default;

bool StallAlert::report(int box, int rpm, int fanType, bool stallWarned, bool monitor) {
    place();
    const bool fan = fanType == kFanTypeFan || fanType == kFanTypeVela;
    if (rpm > 0 || !monitor || stallWarned || !fan)
        return false;
    m_view->setBoxNumber(box);
    m_view->show();
    m_view->raise();
    m_blocked->setEnabled(false);
    return true;
}

void StallAlert::place() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    // Hidden in the tray: the corner above the task bar; otherwise over the middle of the screen.
    if (m_blocked->isHidden() || m_blocked->isMinimized())
        m_view->move(area.width() - 448, area.height() - 298);
    else
        m_view->move(area.center() - m_view->rect().center());
}

} // namespace zyne
