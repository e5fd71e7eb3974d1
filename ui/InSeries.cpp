#include "InSeries.h"

#include "FanRecords.h"
#include "Pictures.h"
#include "PlusLEDButton.h"
#include "Theme.h"
#include "UiTexts.h"
#include "ViewRules.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lcSeries, "zyne.ui.series")

namespace zyne::ui {

namespace {
constexpr int kLastSpeed = 3;
const QPoint kRingCentre(180, 150);
constexpr int kRingRadius = 88;

QString ledStyle(const QColor& colour, bool on) {
    return QStringLiteral("QPushButton {border-radius: %1px; border: %2px solid %3;"
                          " background: qradialgradient(cx:0.5, cy:0.5, radius:0.6, fx:0.4, fy:0.35,"
                          " stop:0 %4, stop:0.7 %5, stop:1 %6); color: %7; font-family: Arial; font-size: %8px;}")
        .arg(ledButtonSize(on) / 2)
        .arg(on ? 2 : 1)
        .arg(on ? QLatin1String(theme::kAccent) : QStringLiteral("#464e58"), colour.lighter(150).name(),
             colour.name(), colour.darker(180).name(), buttonTextColor(colour.red(), colour.green(), colour.blue()))
        .arg(on ? 11 : 8);
}
} // namespace

InSeries::InSeries(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("InSeries"));
    resize(kWidth, kHeight);
    // The series colours start as a fan's own defaults: a hue circle.
    const RainbowFanState defaults;
    m_red = defaults.RColor;
    m_green = defaults.GColor;
    m_blue = defaults.BColor;
    m_bright.fill(1.0F);

    m_title = new QLabel(this);
    m_title->setGeometry(20, 14, 280, 26);
    m_title->setStyleSheet(QStringLiteral("color: white; font-family: Arial; font-size: 16px; font-weight: bold;"));
    auto* close = new QPushButton(this);
    close->setObjectName(QStringLiteral("btn_closeSeries"));
    close->setGeometry(kWidth - 40, 16, 22, 22);
    close->setCursor(Qt::PointingHandCursor);
    close->setStyleSheet(QStringLiteral("QPushButton {border: none; %1}").arg(borderImage(QStringLiteral("btn_close.png"))));
    connect(close, &QPushButton::released, this, &InSeries::closeSeries);

    for (int i = 0; i < kLeds; ++i) {
        auto* led = new PlusLEDButton(i, this);
        led->setObjectName(QString::number(i + 1));
        connect(led, &QPushButton::clicked, this, &InSeries::selectLedBtn);
        m_leds[static_cast<std::size_t>(i)] = led;
        placeLed(i, false);
    }

    struct Row {
        QLabel** name;
        const char* left;
        const char* right;
        void (InSeries::*onLeft)();
        void (InSeries::*onRight)();
    };
    const Row rows[] = {
        {&m_colorModeName, "btn_seriesColorModeLeft", "btn_seriesColorModeRight", &InSeries::colorModeLeft,
         &InSeries::colorModeRight},
        {&m_lightModeName, "btn_seriesLightModeLeft", "btn_seriesLightModeRight", &InSeries::lightModeLeft,
         &InSeries::lightModeRight},
        {&m_lightSpeedName, "btn_seriesLightSpeedLeft", "btn_seriesLightSpeedRight", &InSeries::lightSpeedLeft,
         &InSeries::lightSpeedRight},
    };
    int y = 286;
    for (std::size_t r = 0; r < 3; ++r) {
        const Row& row = rows[r];
        m_captions[r] = new QLabel(this);
        m_captions[r]->setGeometry(24, y, 96, 30);
        m_captions[r]->setStyleSheet(QLatin1String(theme::kCaption));
        auto arrow = [&](const char* name, int x, const QString& glyph, void (InSeries::*slot)()) {
            auto* b = new QPushButton(glyph, this);
            b->setObjectName(QLatin1String(name));
            b->setGeometry(x, y + 3, 24, 24);
            b->setStyleSheet(QLatin1String(theme::kArrow));
            b->setFocusPolicy(Qt::NoFocus);
            b->setCursor(Qt::PointingHandCursor);
            connect(b, &QPushButton::released, this, slot);
        };
        arrow(row.left, 124, QStringLiteral("\u25C0"), row.onLeft);
        *row.name = new QLabel(this);
        (*row.name)->setGeometry(150, y, 160, 30);
        (*row.name)->setAlignment(Qt::AlignCenter);
        (*row.name)->setStyleSheet(QLatin1String(theme::kValue));
        arrow(row.right, 312, QStringLiteral("\u25B6"), row.onRight);
        y += 40;
    }
    retranslate();
}

void InSeries::setColorModeNames(const QStringList& names) {
    m_colorModeNames = names;
    refreshLabels();
}

void InSeries::setLightModeNames(const QStringList& names) {
    m_lightModeNames = names;
    m_lightMode = std::clamp(m_lightMode, 0, std::max(0, static_cast<int>(names.size()) - 1));
    refreshLabels();
}

void InSeries::setLightSpeedNames(const QStringList& names) {
    m_lightSpeedNames = names;
    refreshLabels();
}

void InSeries::retranslate() {
    m_title->setText(InSeriesText::tr("All Fans"));
    m_captions[0]->setText(InSeriesText::tr("Color Mode"));
    m_captions[1]->setText(InSeriesText::tr("Light Mode"));
    m_captions[2]->setText(InSeriesText::tr("Light Speed"));
}

void InSeries::refreshLabels() {
    m_colorModeName->setText(m_colorModeNames.value(m_colorMode, QString::number(m_colorMode)));
    m_lightModeName->setText(m_lightModeNames.value(m_lightMode, QString::number(m_lightMode)));
    m_lightSpeedName->setText(m_lightSpeedNames.value(m_lightSpeed, QString::number(m_lightSpeed)));
    for (int i = 0; i < kLeds; ++i)
        placeLed(i, m_leds[static_cast<std::size_t>(i)]->isChecked());
}

void InSeries::placeLed(int led, bool large) {
    PlusLEDButton* button = m_leds[static_cast<std::size_t>(led)];
    // LED 1 at the top right, clockwise, as on the fans.
    const double angle = (60.0 - 30.0 * led) * M_PI / 180.0;
    const QPoint centre = kRingCentre + QPoint(static_cast<int>(std::lround(kRingRadius * std::cos(angle))),
                                               static_cast<int>(std::lround(-kRingRadius * std::sin(angle))));
    const int size = ledButtonSize(large);
    button->setGeometry(centre.x() - size / 2, centre.y() - size / 2, size, size);
    const auto entry = static_cast<std::size_t>(m_colorMode == ColorSingle ? kWholeFanEntry : led);
    button->setStyleSheet(ledStyle(QColor(m_red[entry], m_green[entry], m_blue[entry]), large));
}

// Pickers

void InSeries::colorModeLeft() {
    qCDebug(lcSeries) << "void __thiscall InSeries::colorModeLeft(void)";
    setColorMode(m_colorMode - 1 < 0 ? 1 : m_colorMode - 1);
}

void InSeries::colorModeRight() {
    qCDebug(lcSeries) << "void __thiscall InSeries::colorModeRight(void)";
    setColorMode(m_colorMode + 1 > 1 ? 0 : m_colorMode + 1);
}

void InSeries::setColorMode(int mode) {
    m_colorMode = mode;
    // One colour for the whole fan: every LED takes part.
    for (PlusLEDButton* led : m_leds)
        led->setChecked(mode == ColorSingle);
    refreshLabels();
    emit sendSeriesColorMode(mode);
    emit sendRGB(0, 0, m_red.data(), m_green.data(), m_blue.data(), m_bright.data());
}

void InSeries::lightModeLeft() {
    qCDebug(lcSeries) << "void __thiscall InSeries::lightModeLeft(void)";
    const int last = std::max(0, static_cast<int>(m_lightModeNames.size()) - 1);
    setLightMode(m_lightMode - 1 < 0 ? last : m_lightMode - 1);
}

void InSeries::lightModeRight() {
    qCDebug(lcSeries) << "void __thiscall InSeries::lightModeRight(void)";
    const int last = std::max(0, static_cast<int>(m_lightModeNames.size()) - 1);
    setLightMode(m_lightMode + 1 > last ? 0 : m_lightMode + 1);
}

void InSeries::setLightMode(int mode) {
    m_lightMode = mode;
    refreshLabels();
    emit sendSeriesLightMode(mode);
}

void InSeries::lightSpeedLeft() {
    qCDebug(lcSeries) << "void __thiscall InSeries::lightSpeedLeft(void)";
    setLightSpeed(m_lightSpeed + 1 > kLastSpeed ? 0 : m_lightSpeed + 1);
}

void InSeries::lightSpeedRight() {
    qCDebug(lcSeries) << "void __thiscall InSeries::lightSpeedRight(void)";
    setLightSpeed(m_lightSpeed - 1 < 0 ? kLastSpeed : m_lightSpeed - 1);
}

void InSeries::setLightSpeed(int speed) {
    m_lightSpeed = speed;
    refreshLabels();
    emit sendSeriesLightSpeed(speed);
}

void InSeries::selectLedBtn() {
    auto* led = qobject_cast<PlusLEDButton*>(sender());
    if (!led)
        return;
    const int number = led->objectName().toInt();
    qCDebug(lcSeries) << "selectLedBtn:" << led->objectName();
    qCDebug(lcSeries) << "btn->isChecked():" << led->isChecked();
    qCDebug(lcSeries) << "btnNum:" << number;
    // With one colour for the whole fan every LED stays selected.
    if (m_colorMode == ColorSingle)
        led->setChecked(true);
    placeLed(number - 1, led->isChecked());
    qCDebug(lcSeries) << "AFTER---btn->isChecked():" << led->isChecked();
}

void InSeries::closeSeries() {
    // Closing ends the series effect, so the fans and the panel agree again.
    const bool running = m_lightMode != 0;
    m_lightMode = 0;
    refreshLabels();
    if (running)
        emit sendSeriesLightMode(0);
    emit sendHideSeriesView();
}

void InSeries::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture(QStringLiteral("series_background.png")));
}

} // namespace zyne::ui
