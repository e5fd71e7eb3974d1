#include "RainbowFan.h"

#include "FanNameLineEdit.h"
#include "Pictures.h"
#include "UiTexts.h"

#include <QComboBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lcFanView, "zyne.ui.fan")

namespace zyne::ui {

namespace {
QStringList numbers(const std::array<int, 13>& values) {
    QStringList texts;
    for (int v : values)
        texts << QString::number(v);
    return texts;
}

QStringList factors(const std::array<float, 13>& values) {
    QStringList texts;
    for (float v : values)
        texts << factorText(v);
    return texts;
}

int sliderStep(float factor) {
    return std::clamp(static_cast<int>(std::lround(factor * 10.0F)), 0, 10);
}
} // namespace

RainbowFan::RainbowFan(int port, QWidget* parent)
    : QWidget(parent), m_port(port), m_fanLocation(port), m_selectLED(kLedCount, QLatin1Char('0')) {
    qCDebug(lcFanView) << "set FanNumber:" << port;
    setObjectName(QStringLiteral("RainbowFan%1").arg(port));
    const RainbowFanState defaults;
    m_red = defaults.RColor;
    m_green = defaults.GColor;
    m_blue = defaults.BColor;
    m_bright.fill(1.0F);
    resize(322, 427);
    buildControls();
    applyKind(0);
    setBoxType(kBoxKindPlus);
    retranslate();
    setFanLocation(port);
}

void RainbowFan::setFanLocation(int slot) {
    qCDebug(lcFanView) << "set fanLocation:" << slot;
    m_fanLocation = slot;
    const bool back = slot == 3 || slot == 4;
    if (back)
        qCDebug(lcFanView) << "Location Background Fan:" << m_port;
    m_backCover->setVisible(back);
    if (back)
        m_backCover->raise();
}

void RainbowFan::setBoxType(int boxKind) {
    m_boxKind = boxKind;
    const QSignalBlocker blocker(m_selectType);
    m_selectType->clear();
    for (int kind : offeredKinds(boxKind))
        m_selectType->addItem(QIcon(picture(QLatin1String(ui::deviceKind(kind).icon))),
                              QLatin1String(ui::deviceKind(kind).name));
    m_selectType->setCurrentIndex(m_selectType->findText(QLatin1String(ui::deviceKind(m_kind).name)));
}

void RainbowFan::resetFanView(const PortViewState& state) {
    m_lightMode = state.lightMode;
    m_colorMode = std::clamp(state.colorMode, 0, 2);
    m_lightSpeed = std::clamp(state.lightSpeed, 0, 3);
    m_red = state.red;
    m_green = state.green;
    m_blue = state.blue;
    m_bright = state.bright;
    m_pwm = state.pwm;
    m_monitor = state.monitor;
    m_turnedOff = state.isTurnOffLed;
    m_fanName = state.fanName;
    if (m_colorMode == ColorSingle)
        m_selectLED = QString(kLedCount, QLatin1Char('1'));
    else if (m_colorMode == ColorOff)
        m_selectLED = QString(kLedCount, QLatin1Char('0'));
    {
        const QSignalBlocker a(m_speedPer), b(m_speedNum), c(m_pwmButton), d(m_turnOff), e(m_fanNum),
            f(m_brightSlider);
        // The slider of the inactive mode first, so the caption ends on the active one.
        if (m_pwm) {
            m_speedPer->setValue(state.speedPer);
            m_speedNum->setValue(state.speedNum);
        } else {
            m_speedNum->setValue(state.speedNum);
            m_speedPer->setValue(state.speedPer);
        }
        m_pwmButton->setChecked(m_pwm);
        m_turnOff->setChecked(m_turnedOff);
        m_fanNum->setChecked(m_monitor);
        const int firstSelected = m_selectLED.indexOf(QLatin1Char('1'));
        const int shownFactor = m_colorMode == ColorSingle ? kWholeFanEntry : std::max(firstSelected, 0);
        m_brightSlider->setValue(sliderStep(m_bright[static_cast<std::size_t>(shownFactor)]));
    }
    m_speedPer->setVisible(!m_pwm);
    m_speedNum->setVisible(m_pwm);
    if (state.fanType >= 0 && state.fanType < kDeviceKindCount && state.fanType != m_kind)
        applyKind(state.fanType);
    setBoxType(m_boxKind);
    setFanSpeedCaption();
    refreshTexts();
    emit portStateShown();
}

void RainbowFan::setCopyLightMode(int lightMode) {
    m_copyLightMode = lightMode;
}

void RainbowFan::copyResetFanView() {
    // A port in Copy shows port 0's lighting; only its captions follow.
    if (m_lightMode == ModeCopy)
        refreshTexts();
}

void RainbowFan::showFanSpeed(int rpm, bool stalled) {
    m_rpmLabel->setText(QStringLiteral("%1 RPM").arg(std::max(rpm, 0)));
    m_stallMark->setVisible(stalled);
}

void RainbowFan::setBoxWarning(bool warning) {
    m_boxWarning = warning;
}

bool RainbowFan::isWarningPanelShown() const {
    return m_volumeWarning->isVisible();
}

bool RainbowFan::isColorWidgetShown() const {
    return m_colorWidget->isVisible();
}

int RainbowFan::brightnessLevel() const {
    return m_brightSlider->value();
}

QColor RainbowFan::wholeFanColour() const {
    const float factor = std::clamp(m_bright[kWholeFanEntry], 0.0F, 1.0F);
    auto lit = [factor](int channel) { return static_cast<int>(std::clamp(channel, 0, 255) * factor); };
    return {lit(m_red[kWholeFanEntry]), lit(m_green[kWholeFanEntry]), lit(m_blue[kWholeFanEntry])};
}

int RainbowFan::effectiveLightMode() const {
    return m_lightMode == ModeCopy ? m_copyLightMode : m_lightMode;
}

void RainbowFan::emitCommand(const QString& word) {
    emit sendData({word, QString::number(m_port), QString::number(m_lightMode), QString::number(m_lightSpeed),
                   QString::number(m_colorMode)});
}

void RainbowFan::emitColours() {
    if (m_lightMode == ModeCopy)
        return;
    emit sendRGBData(numbers(m_red), numbers(m_green), numbers(m_blue), factors(m_bright), m_port,
                     m_selectLED);
}

// Light mode

void RainbowFan::lightModeRight() {
    setLightModeFromPicker(stepLightMode(m_port, m_lightMode, true));
}

void RainbowFan::lightModeLeft() {
    setLightModeFromPicker(stepLightMode(m_port, m_lightMode, false));
}

void RainbowFan::setLightModeFromPicker(int mode, int colorMode) {
    m_lightMode = mode;
    m_colorMode = colorMode;
    m_selectLED = selectionForColorMode(colorMode, m_selectLED, false);
    m_turnedOff = false;
    {
        const QSignalBlocker blocker(m_turnOff);
        m_turnOff->setChecked(false);
    }
    refreshTexts();
    QString word = QStringLiteral("btn_done");
    if (mode == ModeCopy)
        word = QStringLiteral("btn_copy");
    else if (isMusicMode(mode))
        word = QStringLiteral("btn_music");
    emitCommand(word);
}

void RainbowFan::pickLightMode(int mode) {
    setLightModeFromPicker(mode);
}

void RainbowFan::pickLighting(int lightMode, int colorMode) {
    setLightModeFromPicker(lightMode, std::clamp(colorMode, 0, 2));
}

// Colour mode

void RainbowFan::colorModeRight() {
    setColorModeFromPicker(stepColorMode(effectiveLightMode(), m_colorMode, true), true);
}

void RainbowFan::colorModeLeft() {
    setColorModeFromPicker(stepColorMode(effectiveLightMode(), m_colorMode, false), false);
}

void RainbowFan::setColorModeFromPicker(int mode, bool viaRightArrow) {
    m_colorMode = mode;
    m_selectLED = selectionForColorMode(mode, m_selectLED, viaRightArrow);
    refreshTexts();
    emitCommand(QStringLiteral("btn_done"));
}

void RainbowFan::pickColorMode(int mode) {
    setColorModeFromPicker(mode, false);
}

// Light speed

void RainbowFan::lightSpeedRight() {
    m_lightSpeed = stepLightSpeed(m_lightSpeed, true);
    m_turnedOff = false;
    refreshTexts();
    emitCommand(QStringLiteral("btn_done"));
}

void RainbowFan::lightSpeedLeft() {
    m_lightSpeed = stepLightSpeed(m_lightSpeed, false);
    m_turnedOff = false;
    refreshTexts();
    emitCommand(QStringLiteral("btn_done"));
}

void RainbowFan::pickLightSpeed(int speed) {
    m_lightSpeed = speed;
    m_turnedOff = false;
    refreshTexts();
    emitCommand(QStringLiteral("btn_done"));
}

// Switches and buttons

void RainbowFan::pushDone() {
    pushHideColorWidget();
    emitCommand(QStringLiteral("btn_done"));
}

void RainbowFan::pushDefault() {
    const RainbowFanState defaults;
    m_red = defaults.RColor;
    m_green = defaults.GColor;
    m_blue = defaults.BColor;
    m_bright.fill(1.0F);
    m_lightSpeed = 2;
    {
        const QSignalBlocker blocker(m_brightSlider);
        m_brightSlider->setValue(10);
    }
    refreshTexts();
    // The engine writes the port on the command, so it must hold the colours by then.
    emitColours();
    emitCommand(QStringLiteral("btn_default"));
}

void RainbowFan::turnOff(bool off) {
    {
        const QSignalBlocker blocker(m_turnOff);
        m_turnOff->setChecked(off);
    }
    pushTurnOff();
}

void RainbowFan::pushTurnOff() {
    m_turnedOff = m_turnOff->isChecked();
    emitCommand(m_turnedOff ? QStringLiteral("btn_turnoff") : QStringLiteral("btn_turnon"));
}

void RainbowFan::pushMonitor() {
    m_monitor = !m_monitor;
    {
        const QSignalBlocker blocker(m_fanNum);
        m_fanNum->setChecked(m_monitor);
    }
    if (!m_monitor)
        m_stallMark->hide();
    emit sendData({QStringLiteral("pushMonitor"), QString::number(m_port), m_monitor ? "1" : "0"});
}

void RainbowFan::pushPerformance() {
    emit sendData({QStringLiteral("btn_performance"), QString::number(m_port)});
    // The preset is the top of whichever slider is active.
    QSlider* active = m_pwm ? m_speedNum : m_speedPer;
    active->setValue(active->maximum());
}

void RainbowFan::pushSilent() {
    emit sendData({QStringLiteral("btn_silent"), QString::number(m_port)});
    QSlider* active = m_pwm ? m_speedNum : m_speedPer;
    active->setValue(active->minimum());
}

void RainbowFan::pushPWM() {
    m_pwm = m_pwmButton->isChecked();
    m_speedPer->setVisible(!m_pwm);
    m_speedNum->setVisible(m_pwm);
    setFanSpeedCaption();
    emit sendData({QStringLiteral("btn_pwm"), QString::number(m_port), m_pwm ? "1" : "0"});
}

// Fan speed

void RainbowFan::changeSliderFanSpeedPer(int value) {
    setFanSpeedCaption();
    emit sendData({QStringLiteral("slider_FanSpeed_Per"), QString::number(m_port), QString::number(value)});
}

void RainbowFan::changeSliderFanSpeedNum(int value) {
    qCDebug(lcFanView) << "changeSliderFanSpeedNum:" << value;
    setFanSpeedCaption();
    emit sendData({QStringLiteral("slider_FanSpeed_Num"), QString::number(m_port), QString::number(value)});
}

void RainbowFan::setFanSpeedCaption() {
    const QString silent = RainbowFanText::tr("Silent");
    const QString performance = RainbowFanText::tr("Performance");
    const SliderCaption caption = m_pwm ? rpmSliderCaption(m_speedNum->value(), silent, performance)
                                        : percentSliderCaption(m_speedPer->value(), silent, performance);
    m_speedMode = caption.speedMode;
    m_speedCaption->setText(caption.text);
}

// Brightness

void RainbowFan::setBrightnessLevel(int level) {
    // Moving the slider runs changeSliderLight, as a drag would.
    m_brightSlider->setValue(level);
}

void RainbowFan::changeSliderLight(int value) {
    const float factor = static_cast<float>(std::clamp(value, 0, 10)) / 10.0F;
    if (m_colorMode == ColorSingle) {
        m_bright[kWholeFanEntry] = factor;
    } else {
        for (int i = 0; i < kLedCount; ++i) {
            if (m_selectLED.at(i) == QLatin1Char('1'))
                m_bright[static_cast<std::size_t>(i)] = factor;
        }
    }
    const QStringList brightness = factors(m_bright);
    qCDebug(lcFanView) << "brightStr:" << brightness.join(QLatin1Char(','));
    refreshLedButtons();
    if (noLedSelected(m_selectLED))
        return;
    emit sendData({QStringLiteral("slider_Light"), QString::number(m_port), QString::number(m_lightMode),
                   QString::number(m_lightSpeed), QString::number(m_colorMode),
                   brightness.join(QLatin1Char(','))});
}

// LEDs and colours

void RainbowFan::selectLedBtn() {
    const auto found = std::find(m_leds.begin(), m_leds.end(), sender());
    if (found == m_leds.end())
        return;
    const int led = static_cast<int>(found - m_leds.begin());
    m_selectLED = toggledSelection(m_selectLED, led, (*found)->isChecked());
    refreshLedButtons();
    emit sendData({QStringLiteral("selectLEDBtn"), QString::number(m_port), m_selectLED});
}

void RainbowFan::setLedSelection(const QString& selectLED) {
    m_selectLED = selectLED;
    refreshLedButtons();
    emit sendData({QStringLiteral("selectLEDBtn"), QString::number(m_port), m_selectLED});
}

void RainbowFan::applyColour(int red, int green, int blue) {
    auto set = [&](int index) {
        const auto i = static_cast<std::size_t>(index);
        m_red[i] = std::clamp(red, 0, 255);
        m_green[i] = std::clamp(green, 0, 255);
        m_blue[i] = std::clamp(blue, 0, 255);
    };
    if (m_colorMode == ColorSingle) {
        set(kWholeFanEntry);
    } else {
        for (int i = 0; i < kLedCount; ++i) {
            if (m_selectLED.at(i) == QLatin1Char('1'))
                set(i);
        }
    }
    refreshLedButtons();
    emitColours();
    emitCommand(QStringLiteral("btn_done"));
}

bool RainbowFan::pickColourAt(QPoint position) {
    if (!isColorWidgetShown() || m_lightMode == ModeCopy || m_lightMode == ModeTemperature)
        return false;
    const QColor colour =
        paletteColourAt(m_palette, 144, position - paletteCentre(), ui::deviceKind(m_kind).pickRadius);
    if (!colour.isValid())
        return false;
    for (int c = 0; c < 3; ++c) {
        const QSignalBlocker blocker(m_colorFields[static_cast<std::size_t>(c)]);
        m_colorFields[static_cast<std::size_t>(c)]->setValue(c == 0   ? colour.red()
                                                             : c == 1 ? colour.green()
                                                                      : colour.blue());
    }
    applyColour(colour.red(), colour.green(), colour.blue());
    return true;
}

void RainbowFan::applyPickedColour(const QColor& colour) {
    applyColour(colour.red(), colour.green(), colour.blue());
}

void RainbowFan::pushShowColorWidget() {
    m_colorWidget->show();
    m_colorWidget->raise();
}

void RainbowFan::pushHideColorWidget() {
    m_colorWidget->hide();
}

void RainbowFan::pushChangeColor() {
    applyColour(m_colorFields[0]->value(), m_colorFields[1]->value(), m_colorFields[2]->value());
}

// Device kind and name

void RainbowFan::currentIndex(int index) {
    qCDebug(lcFanView) << "index:" << index;
    qCDebug(lcFanView) << "pageComboBox->currentText():" << m_selectType->currentText();
    const int kind = kindNamed(m_selectType->currentText());
    if (kind < 0)
        return;
    applyKind(kind);
    emit sendData({QStringLiteral("selectFanType"), QString::number(m_port), QString::number(kind)});
}

void RainbowFan::pushEditFanNameBtn() {
    m_nameEdit->setText(m_fanName);
    m_nameEdit->setEnabled(true);
    m_nameEdit->show();
    m_nameEdit->raise();
    m_nameEdit->setFocus();
    m_nameEdit->selectAll();
}

void RainbowFan::finishEditFanName(bool focussed) {
    if (focussed || !m_nameEdit->isVisible())
        return;
    m_nameEdit->hide();
    m_nameEdit->setEnabled(false);
    renameFan(m_nameEdit->text());
}

void RainbowFan::renameFan(const QString& typed) {
    const QString name = FanNameLineEdit::cleaned(typed);
    if (name.isEmpty() || name == m_fanName)
        return;
    m_fanName = name;
    m_nameLabel->setText(name);
    emit sendData({QStringLiteral("finishEdit"), QString::number(m_port), name});
}

// Warnings

void RainbowFan::showVolumeWarning() {
    m_volumeWarning->show();
    m_volumeWarning->raise();
    m_volumeFade->stop();
    m_volumeFade->start();
}

void RainbowFan::on_animation_stateChanged_volumeWarning(QAbstractAnimation::State newState,
                                                         QAbstractAnimation::State) {
    m_volumeWarning->setVisible(newState == QAbstractAnimation::Running);
}

// Mouse: colour picking in the front slots, rotation from the back ones.

void RainbowFan::mousePressEvent(QMouseEvent* event) {
    if (m_fanLocation == 4) {
        emit sendData({QStringLiteral("counterClockwise"), QString::number(m_port)});
        return;
    }
    if (m_fanLocation == 3) {
        emit sendData({QStringLiteral("clockwise"), QString::number(m_port)});
        return;
    }
    if (event->button() != Qt::LeftButton || !pickColourAt(event->pos()))
        QWidget::mousePressEvent(event);
}

void RainbowFan::mouseMoveEvent(QMouseEvent* event) {
    if (m_fanLocation < 3 && (event->buttons() & Qt::LeftButton) && pickColourAt(event->pos()))
        return;
    QWidget::mouseMoveEvent(event);
}

void RainbowFan::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture(QStringLiteral("fanCard.png")));
    const QPoint c = paletteCentre();
    painter.drawPixmap(QRect(c.x() - 110, c.y() - 110, 220, 220),
                       picture(QLatin1String(ui::deviceKind(m_kind).body)));
    painter.drawPixmap(QRect(c.x() - 72, c.y() - 72, 144, 144),
                       picture(QLatin1String(ui::deviceKind(m_kind).palette)));
}

} // namespace zyne::ui
