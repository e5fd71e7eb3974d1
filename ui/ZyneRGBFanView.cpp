#include "ZyneRGBFanView.h"

#include "Pictures.h"
#include "UiTexts.h"
#include "ViewRules.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadialGradient>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

Q_LOGGING_CATEGORY(lcClassicView, "zyne.ui.classic")

namespace zyne::ui {

namespace {
constexpr int kPickRadius = 75;
const char* const kOn = "1";
const char* const kOff = "0";
} // namespace

ZyneRGBFanView::ZyneRGBFanView(int fan, QWidget* parent) : QWidget(parent), m_fan(fan) {
    setObjectName(QStringLiteral("ZyneRGBFanView%1").arg(fan));
    resize(kWidth, kHeight);
    m_paletteRect = QRect(13, 210, 150, 150);
    m_palette = pictureImage(QStringLiteral("Zyne/palette.png"));
    buildHeader();
    buildFanSpeed();
    buildLighting();
    retranslate();
    resetView();
}

QColor ZyneRGBFanView::shownColour() const {
    const float factor = std::clamp(m_bright, 0.0F, 1.0F);
    return QColor(static_cast<int>(static_cast<float>(m_red) * factor),
                  static_cast<int>(static_cast<float>(m_green) * factor),
                  static_cast<int>(static_cast<float>(m_blue) * factor));
}

// State from the main window

void ZyneRGBFanView::setState(const ClassicViewState& state) {
    m_red = std::clamp(state.red, 0, 255);
    m_green = std::clamp(state.green, 0, 255);
    m_blue = std::clamp(state.blue, 0, 255);
    m_bright = std::clamp(state.bright, 0.0F, 1.0F);
    qCDebug(lcClassicView).nospace() << "selectRValue:" << m_red << ", selectGValue:" << m_green
                                     << ", selectBValue:" << m_blue << ", brightValue:" << m_bright;
    m_lightMode = state.lightMode;
    m_turnedOff = state.isTurnOff;
    qCDebug(lcClassicView) << "isTurnOff" << m_turnedOff;
    m_monitor = state.monitor;
    qCDebug(lcClassicView) << "setMonitor:" << m_monitor;
    m_pwm = state.pwm;
    {
        const QSignalBlocker blocker(m_speedSlider);
        m_speedSlider->setValue(std::clamp(state.speed, 0, 5));
    }
    resetView();
}

void ZyneRGBFanView::resetView() {
    qCDebug(lcClassicView) << "ZyneRGBFanView::resetView()";
    const QSignalBlocker a(m_rgb), b(m_blink), c(m_turnOff), d(m_monitorButton), e(m_pwmButton),
        f(m_brightSlider), g(m_silent), h(m_performance);
    m_rgb->setChecked(m_lightMode == 1);
    m_blink->setChecked(m_lightMode == 2);
    m_turnOff->setChecked(m_turnedOff);
    m_monitorButton->setChecked(m_monitor);
    m_pwmButton->setChecked(m_pwm);
    m_brightSlider->setValue(classicSliderFromBright(m_bright));
    const int level = m_speedSlider->value();
    m_silent->setChecked(level == 0);
    m_performance->setChecked(level == 5);
    m_stallIndicator->setVisible(m_monitor && m_stalled);
    refreshSpeedLabel();
    refreshPalette();
    restyleBrightnessGroove();
    refreshShown();
}

void ZyneRGBFanView::showFanSpeed(int rpm, bool stalled) {
    m_rpmReadout->setText(QStringLiteral("%1 RPM").arg(std::max(rpm, 0)));
    m_stalled = stalled;
    m_stallIndicator->setVisible(m_monitor && m_stalled);
}

void ZyneRGBFanView::refreshShown() {
    m_colourText->setText(m_turnedOff        ? QStringLiteral("OFF")
                          : m_lightMode == 1 ? QStringLiteral("RGB")
                                             : shownColour().name().toUpper());
    update();
}

// Light modes

void ZyneRGBFanView::pushLightMode() {
    QObject* from = sender();
    QString word = QStringLiteral("btn_done");
    if (from == m_rgb) {
        qCDebug(lcClassicView) << "RGB:" << m_rgb->isChecked();
        m_blink->setChecked(false);
        m_turnOff->setChecked(false);
    } else if (from == m_blink) {
        qCDebug(lcClassicView) << "Blink:" << m_blink->isChecked();
        m_rgb->setChecked(false);
        m_turnOff->setChecked(false);
    } else if (from == m_copy) {
        word = QStringLiteral("btn_copy");
    }
    m_turnedOff = m_turnOff->isChecked();
    m_lightMode = classicLightMode(m_rgb->isChecked(), m_blink->isChecked());
    refreshPalette();
    refreshShown();
    emitLightMode(word);
}

void ZyneRGBFanView::emitLightMode(const QString& word) {
    emit sendData({word, QString::number(m_fan), QString::number(m_lightMode)});
}

void ZyneRGBFanView::refreshPalette() {
    // The colour cycle ignores the fan colour; the wheel dims, and a press on it leaves the cycle.
    m_paletteEnabled = !m_rgb->isChecked();
    m_brightSlider->setEnabled(m_lightMode != 1);
}

// Switches

void ZyneRGBFanView::pushTurnOff() {
    qCDebug(lcClassicView) << "pushTurnOff:" << m_turnOff->isChecked();
    m_turnedOff = m_turnOff->isChecked();
    refreshShown();
    emit sendData({QStringLiteral("btn_turnoff"), QString::number(m_fan), m_turnedOff ? kOn : kOff});
}

void ZyneRGBFanView::pushMonitor() {
    qCDebug(lcClassicView) << "pushMonitor()";
    m_monitor = m_monitorButton->isChecked();
    // An unwatched fan raises no stall mark.
    m_stallIndicator->setVisible(m_monitor && m_stalled);
    emit sendData({QStringLiteral("pushMonitor"), QString::number(m_fan), m_monitor ? kOn : kOff});
}

// Fan speed

void ZyneRGBFanView::pushFanSpeed() {
    auto* pressed = qobject_cast<QPushButton*>(sender());
    if (pressed != m_performance && pressed != m_silent)
        return;
    if (!pressed->isChecked()) {
        // A preset is left by choosing another level, never by pressing it again.
        const QSignalBlocker blocker(pressed);
        pressed->setChecked(true);
        return;
    }
    const bool performance = pressed == m_performance;
    QPushButton* other = performance ? m_silent : m_performance;
    {
        const QSignalBlocker blocker(other);
        other->setChecked(false);
    }
    m_speedSlider->setValue(performance ? m_speedSlider->maximum() : m_speedSlider->minimum());
    emit sendData({performance ? QStringLiteral("btn_performance") : QStringLiteral("btn_silent"),
                   QString::number(m_fan)});
}

void ZyneRGBFanView::changeSliderFanSpeed(int value) {
    qCDebug(lcClassicView) << "changeSliderFanSpeed_value:" << value;
    refreshSpeedLabel();
    {
        const QSignalBlocker a(m_performance), b(m_silent);
        m_performance->setChecked(value == 5);
        m_silent->setChecked(value == 0);
    }
    emit sendData({QStringLiteral("changeSliderFanSpeed"), QString::number(m_fan), QString::number(value)});
}

void ZyneRGBFanView::pushPWM() {
    m_pwm = m_pwmButton->isChecked();
    qCDebug(lcClassicView) << "pushPWM:" << m_pwm;
    refreshSpeedLabel();
    emit sendData({QStringLiteral("btn_pwm"), QString::number(m_fan), m_pwm ? kOn : kOff});
}

void ZyneRGBFanView::refreshSpeedLabel() {
    m_speedLabel->setText(classicSpeedCaption(m_speedSlider->value(), m_pwm, ZyneRGBFanViewText::tr("Silent"),
                                              ZyneRGBFanViewText::tr("Performance"))
                              .text);
}

// Brightness

void ZyneRGBFanView::changeSliderLight(int value) {
    qCDebug(lcClassicView) << "slider_value:" << value;
    m_bright = classicBrightFromSlider(value);
    qCDebug(lcClassicView) << "slider_value_computer:" << m_bright;
    refreshShown();
    emit sendData({QStringLiteral("changeSliderLight"), QString::number(m_fan), factorText(m_bright)});
}

// Colour picking

bool ZyneRGBFanView::pickColourAt(QPoint position) {
    const QPoint offset = position - m_paletteRect.center();
    if (offset.x() * offset.x() + offset.y() * offset.y() > kPickRadius * kPickRadius || m_palette.isNull())
        return false;
    const double scale = m_palette.width() / static_cast<double>(m_paletteRect.width());
    const QPoint inImage = position - m_paletteRect.topLeft();
    const int x = std::clamp(static_cast<int>(inImage.x() * scale), 0, m_palette.width() - 1);
    const int y = std::clamp(static_cast<int>(inImage.y() * scale), 0, m_palette.height() - 1);
    const QColor picked = m_palette.pixelColor(x, y);
    m_red = picked.red();
    m_green = picked.green();
    m_blue = picked.blue();
    // A picked colour is shown steadily: the colour cycle would ignore it. Blink keeps blinking in it.
    {
        const QSignalBlocker a(m_rgb), b(m_turnOff);
        m_rgb->setChecked(false);
        m_turnOff->setChecked(false);
    }
    m_turnedOff = false;
    m_lightMode = classicLightMode(false, m_blink->isChecked());
    refreshPalette();
    restyleBrightnessGroove();
    refreshShown();
    emit sendRGBData(m_red, m_green, m_blue, m_bright, m_fan);
    emitLightMode(QStringLiteral("btn_done"));
    return true;
}

void ZyneRGBFanView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pickColourAt(event->pos()))
        QWidget::mousePressEvent(event);
}

void ZyneRGBFanView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture(QStringLiteral("Zyne/zyneCard.png")));
    painter.setOpacity(m_paletteEnabled ? 1.0 : 0.35);
    painter.drawPixmap(m_paletteRect, picture(QStringLiteral("Zyne/palette.png")));
    painter.setOpacity(1.0);

    // The fan as it lights now: its ring glows in the shown colour, dark while turned off, and
    // in rainbow colours for the cycle.
    const QRect fanRect(176, 212, 114, 114);
    painter.drawPixmap(fanRect, picture(QStringLiteral("Zyne/classicFan.png")));
    const QPointF c = QRectF(fanRect).center();
    QBrush ring;
    if (m_turnedOff) {
        ring = QColor(22, 25, 30);
    } else if (m_lightMode == 1) {
        QConicalGradient cycle(c, 90);
        for (int i = 0; i <= 6; ++i)
            cycle.setColorAt(i / 6.0, QColor::fromHsvF(i == 6 ? 0.0 : i / 6.0, 0.9, 1.0));
        ring = cycle;
    } else {
        ring = shownColour();
    }
    if (!m_turnedOff) {
        QRadialGradient glow(c, 62);
        const QColor base = m_lightMode == 1 ? QColor(3, 198, 247) : shownColour();
        QColor inner = base;
        inner.setAlpha(90);
        QColor outer = base;
        outer.setAlpha(0);
        glow.setColorAt(0.55, inner);
        glow.setColorAt(1.0, outer);
        painter.setPen(Qt::NoPen);
        painter.setBrush(glow);
        painter.drawEllipse(c, 62, 62);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ring, 7));
    painter.drawEllipse(c, 40, 40);
    if (m_lightMode == 2 && !m_turnedOff) {
        // Blink: the ring is drawn broken, as a hint of the flashing.
        painter.setPen(QPen(QColor(19, 22, 27), 9, Qt::SolidLine, Qt::FlatCap));
        for (int i = 0; i < 8; ++i)
            painter.drawArc(QRectF(c.x() - 40, c.y() - 40, 80, 80), i * 45 * 16, 6 * 16);
    }
}

} // namespace zyne::ui
