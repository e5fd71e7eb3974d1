#include "PlusCarousel.h"

#include "RainbowFan.h"

#include <QEasingCurve>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>

namespace zyne::ui {

PlusCarousel::PlusCarousel(QWidget* host)
    : QObject(host), m_rotation(new QParallelAnimationGroup(this)),
      m_fade(new QParallelAnimationGroup(this)) {
    for (int port = 0; port < kPortViewCount; ++port) {
        auto* fan = new RainbowFan(port, host);
        fan->setGeometry(carouselSlotRect(port));
        m_views[static_cast<std::size_t>(port)] = fan;
    }
    // Back views first, the front one last, so it is on top from the start.
    for (int slot : raiseOrder(true))
        m_views[static_cast<std::size_t>(slot)]->raise();
    connect(m_rotation, &QAbstractAnimation::finished, this, &PlusCarousel::rotationFinished);
    connect(m_fade, &QAbstractAnimation::stateChanged, this, &PlusCarousel::fadeStateChanged);
}

RainbowFan* PlusCarousel::view(int port) const {
    return port >= 0 && port < kPortViewCount ? m_views[static_cast<std::size_t>(port)] : nullptr;
}

void PlusCarousel::setVisible(bool visible) {
    for (RainbowFan* fan : m_views)
        fan->setVisible(visible);
}

bool PlusCarousel::isRotating() const {
    return m_rotation->state() == QAbstractAnimation::Running;
}

void PlusCarousel::rotate(bool clockwise) {
    if (isRotating()) {
        // A click during a turn finishes it first, so every view lands in a real slot.
        m_rotation->setCurrentTime(m_rotation->totalDuration());
        m_rotation->stop();
    }
    m_rotation->clear();
    for (int slot : raiseOrder(clockwise)) {
        for (RainbowFan* fan : m_views) {
            if (fan->fanLocation() == slot)
                fan->raise();
        }
    }
    for (RainbowFan* fan : m_views) {
        const int next = slotAfterRotation(fan->fanLocation(), clockwise);
        auto* move = new QPropertyAnimation(fan, "geometry");
        move->setDuration(kRotationMs);
        move->setEasingCurve(QEasingCurve::InOutQuart);
        move->setStartValue(carouselSlotRect(fan->fanLocation()));
        move->setEndValue(carouselSlotRect(next));
        m_rotation->addAnimation(move);
        fan->setFanLocation(next);
    }
    m_rotation->start();
}

void PlusCarousel::fadeViews() {
    m_fade->stop();
    m_fade->clear();
    for (RainbowFan* fan : m_views) {
        QLabel* label = fan->fadeLabel();
        auto* effect = new QGraphicsOpacityEffect(label);
        label->setGraphicsEffect(effect);
        if (!fan->hasPendingWarning() || fan->isWarningPanelShown())
            continue;
        label->show();
        label->raise();
        auto* fade = new QPropertyAnimation(effect, "opacity");
        fade->setDuration(kFadeMs);
        fade->setEasingCurve(QEasingCurve::InOutQuart);
        fade->setStartValue(1.0);
        fade->setEndValue(0.0);
        m_fade->addAnimation(fade);
    }
    if (m_fade->animationCount() > 0)
        m_fade->start();
}

void PlusCarousel::fadeStateChanged(QAbstractAnimation::State newState, QAbstractAnimation::State) {
    if (newState != QAbstractAnimation::Stopped)
        return;
    for (RainbowFan* fan : m_views) {
        QLabel* label = fan->fadeLabel();
        if (auto* effect = qobject_cast<QGraphicsOpacityEffect*>(label->graphicsEffect()))
            effect->setOpacity(1.0);
        label->setVisible(fan->hasPendingWarning() && !fan->isWarningPanelShown());
    }
}

} // namespace zyne::ui
