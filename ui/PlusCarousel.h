#pragma once

#include "ViewRules.h"

#include <QAbstractAnimation>
#include <QObject>

#include <array>

class QParallelAnimationGroup;
class QWidget;

namespace zyne::ui {

class RainbowFan;

// The five Plus device views in their carousel slots: rotation on a click at a back view, and the
// fade that flags views with a pending warning after a box or profile change.
class PlusCarousel : public QObject {
    Q_OBJECT
public:
    static constexpr int kRotationMs = 700;
    static constexpr int kFadeMs = 300;

    explicit PlusCarousel(QWidget* host);

    RainbowFan* view(int port) const;
    const std::array<RainbowFan*, kPortViewCount>& views() const { return m_views; }
    void setVisible(bool visible);
    void rotate(bool clockwise);
    bool isRotating() const;
    void fadeViews();

signals:
    void rotationFinished();

private slots:
    void fadeStateChanged(QAbstractAnimation::State newState, QAbstractAnimation::State oldState);

private:
    std::array<RainbowFan*, kPortViewCount> m_views{};
    QParallelAnimationGroup* m_rotation;
    QParallelAnimationGroup* m_fade;
};

} // namespace zyne::ui
