// Building and laying out the controls of a device view; the behaviour is in RainbowFan.cpp.
#include "RainbowFan.h"

#include "FanNameLineEdit.h"
#include "Pictures.h"
#include "PlusLEDButton.h"
#include "Theme.h"
#include "UiTexts.h"
#include "ViewControls.h"

#include <QComboBox>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace zyne::ui {

namespace {
QString ledStyle(const QColor& colour, bool checked) {
    const QColor rim = checked ? QColor(QLatin1String(theme::kAccent)) : QColor(70, 78, 88);
    return QStringLiteral(
               "QPushButton {border-radius: %1px; border: %2px solid %3;"
               " background: qradialgradient(cx:0.5, cy:0.5, radius:0.6, fx:0.4, fy:0.35,"
               " stop:0 %4, stop:0.7 %5, stop:1 %6); color: %7; font-family: Arial; font-size: %8px;}")
        .arg(ledButtonSize(checked) / 2)
        .arg(checked ? 2 : 1)
        .arg(rim.name(), colour.lighter(150).name(), colour.name(), colour.darker(180).name(),
             buttonTextColor(colour.red(), colour.green(), colour.blue()))
        .arg(checked ? 11 : 8);
}
} // namespace

void RainbowFan::buildControls() {
    m_fanNum = makeButton(this, "btn_fanNum", QRect(12, 10, 56, 22));
    m_fanNum->setCheckable(true);
    m_fanNum->setChecked(m_monitor);
    connect(m_fanNum, &QPushButton::clicked, this, &RainbowFan::pushMonitor);

    m_nameLabel = makeLabel(this, QRect(74, 10, 168, 22), theme::kValue, Qt::AlignHCenter);
    m_nameLabel->setObjectName(QStringLiteral("label_editFanNameLine"));
    m_nameEdit = new FanNameLineEdit(this);
    m_nameEdit->setGeometry(74, 10, 168, 22);
    // While it is open the editor stands out from the card.
    m_nameEdit->setStyleSheet(QStringLiteral("QLineEdit#labelFanName {color: white; background: #14181d;"
                                             " border: 1px solid #03C6F7; border-radius: 4px;"
                                             " font-family: Arial; font-size: 12px;}"));
    m_nameEdit->hide();
    connect(m_nameEdit, &FanNameLineEdit::focussed, this, &RainbowFan::finishEditFanName);
    m_editName = makeButton(this, "btn_editFanName", QRect(246, 12, 18, 18), "");
    m_editName->setStyleSheet(borderImage(QStringLiteral("editFanNanePen.png")));
    connect(m_editName, &QPushButton::released, this, &RainbowFan::pushEditFanNameBtn);

    m_turnOff = makeButton(this, "btn_turnoff", QRect(276, 8, 36, 26), "");
    m_turnOff->setCheckable(true);
    m_turnOff->setStyleSheet(QStringLiteral("QPushButton {%1} QPushButton:checked {%2}")
                                 .arg(borderImage(QStringLiteral("btn_turnon.png")),
                                      borderImage(QStringLiteral("btn_turnoff.png"))));
    connect(m_turnOff, &QPushButton::clicked, this, &RainbowFan::pushTurnOff);

    m_selectType = new QComboBox(this);
    m_selectType->setObjectName(QStringLiteral("SelectType"));
    m_selectType->setGeometry(12, 40, 150, 24);
    m_selectType->setStyleSheet(QLatin1String(theme::kCombo));
    m_selectType->setFocusPolicy(Qt::NoFocus);
    m_selectType->setIconSize(QSize(18, 18));
    connect(m_selectType, QOverload<int>::of(&QComboBox::activated), this, &RainbowFan::currentIndex);

    m_showColor = makeButton(this, "btn_showColor", QRect(168, 40, 68, 24));
    connect(m_showColor, &QPushButton::released, this, &RainbowFan::pushShowColorWidget);
    m_default = makeButton(this, "btn_default", QRect(242, 40, 70, 24));
    connect(m_default, &QPushButton::released, this, &RainbowFan::pushDefault);

    for (int i = 0; i < kLedCount; ++i) {
        auto* led = new PlusLEDButton(i, this);
        connect(led, &QPushButton::clicked, this, &RainbowFan::selectLedBtn);
        m_leds[static_cast<std::size_t>(i)] = led;
    }

    m_rpmLabel = makeLabel(this, QRect(232, 122, 80, 16), theme::kValue, Qt::AlignRight);
    m_rpmLabel->setObjectName(QStringLiteral("label_rpm"));
    m_stallMark = makeLabel(this, QRect(290, 142, 22, 22),
                            "color: white; background: #e0413a; border-radius: 11px; font-family: Arial;"
                            " font-size: 14px; font-weight: bold;",
                            Qt::AlignHCenter);
    m_stallMark->setObjectName(QStringLiteral("stallMark"));
    m_stallMark->setText(QStringLiteral("!"));
    m_stallMark->hide();
    m_done = makeButton(this, "btn_done", QRect(256, 298, 56, 24));
    connect(m_done, &QPushButton::released, this, &RainbowFan::pushDone);

    buildFanSpeed();
    buildPickers();
    buildColorWidget();
    buildWarnings();
}

void RainbowFan::buildFanSpeed() {
    m_silent = makeButton(this, "btn_silent", QRect(12, 72, 48, 34));
    connect(m_silent, &QPushButton::released, this, &RainbowFan::pushSilent);
    m_speedPer = makeSlider(this, "slider_FanSpeed_Per", QRect(66, 74, 144, 18), 5);
    connect(m_speedPer, &QSlider::valueChanged, this, &RainbowFan::changeSliderFanSpeedPer);
    m_speedNum = makeSlider(this, "slider_FanSpeed_Num", QRect(66, 74, 144, 18), 10);
    connect(m_speedNum, &QSlider::valueChanged, this, &RainbowFan::changeSliderFanSpeedNum);
    m_speedNum->hide();
    m_speedCaption = makeLabel(this, QRect(66, 92, 144, 24),
                               "color: #d8dde3; font-family: Arial; font-size: 10px;", Qt::AlignHCenter);
    m_speedCaption->setObjectName(QStringLiteral("label_FanSpeed"));
    m_performance = makeButton(this, "btn_performance", QRect(216, 72, 54, 34));
    connect(m_performance, &QPushButton::released, this, &RainbowFan::pushPerformance);
    m_pwmButton = makeButton(this, "btn_pwm", QRect(274, 72, 38, 34));
    m_pwmButton->setCheckable(true);
    connect(m_pwmButton, &QPushButton::clicked, this, &RainbowFan::pushPWM);
}

void RainbowFan::buildPickers() {
    struct Row {
        QLabel** caption;
        QLabel** name;
        const char* nameObject;
        const char* left;
        const char* right;
        void (RainbowFan::*onLeft)();
        void (RainbowFan::*onRight)();
    };
    const Row rows[] = {
        {&m_lightModeCaption, &m_lightModeName, "label_lightModeName", "btn_LightModeLeft",
         "btn_LightModeRight", &RainbowFan::lightModeLeft, &RainbowFan::lightModeRight},
        {&m_colorModeCaption, &m_colorModeName, "label_colorModeName", "btn_ColorModeLeft",
         "btn_ColorModeRight", &RainbowFan::colorModeLeft, &RainbowFan::colorModeRight},
        {&m_lightSpeedCaption, &m_lightSpeedName, "label_lightSpeedName", "btn_LightSpeedLeft",
         "btn_LightSpeedRight", &RainbowFan::lightSpeedLeft, &RainbowFan::lightSpeedRight},
    };
    int y = 334;
    for (const Row& row : rows) {
        *row.caption = makeLabel(this, QRect(12, y, 84, 22), theme::kCaption);
        auto* left = makeButton(this, row.left, QRect(98, y, 22, 22), theme::kArrow);
        left->setText(QStringLiteral("\u25C0"));
        connect(left, &QPushButton::released, this, row.onLeft);
        *row.name = makeLabel(this, QRect(120, y, 168, 22), theme::kValue, Qt::AlignHCenter);
        (*row.name)->setObjectName(QLatin1String(row.nameObject));
        auto* right = makeButton(this, row.right, QRect(290, y, 22, 22), theme::kArrow);
        right->setText(QStringLiteral("\u25B6"));
        connect(right, &QPushButton::released, this, row.onRight);
        y += 24;
    }
    m_brightCaption = makeLabel(this, QRect(12, 404, 96, 18), theme::kCaption);
    m_brightSlider = makeSlider(this, "slider_Light", QRect(110, 404, 200, 18), 10);
    m_brightSlider->setValue(10);
    connect(m_brightSlider, &QSlider::valueChanged, this, &RainbowFan::changeSliderLight);
}

void RainbowFan::buildColorWidget() {
    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("colorWidget"));
    panel->setGeometry(6, 330, 310, 92);
    panel->setPixmap(picture(QStringLiteral("colorWidget.png")));
    panel->setScaledContents(true);
    m_colorWidget = panel;
    m_colorWidgetCaption = makeLabel(panel, QRect(12, 6, 200, 18), theme::kCaption);
    m_colorWidgetCaption->setText(QStringLiteral("RGB Color Code"));
    const char* const channels[] = {"R", "G", "B"};
    for (int c = 0; c < 3; ++c) {
        makeLabel(panel, QRect(12 + 96 * c, 30, 14, 24), theme::kCaption)
            ->setText(QLatin1String(channels[c]));
        auto* field = new QSpinBox(panel);
        field->setObjectName(QStringLiteral("colorField%1").arg(QLatin1String(channels[c])));
        field->setGeometry(28 + 96 * c, 30, 66, 24);
        field->setRange(0, 255);
        field->setValue(255);
        field->setButtonSymbols(QAbstractSpinBox::NoButtons);
        field->setStyleSheet(QStringLiteral("color: white; background: #14181d; border: 1px solid #3a4450;"
                                            " border-radius: 4px; font-family: Arial; font-size: 12px;"));
        m_colorFields[static_cast<std::size_t>(c)] = field;
    }
    m_colorOk = makeButton(panel, "btn_colorLabel_OK", QRect(150, 62, 72, 24));
    connect(m_colorOk, &QPushButton::released, this, &RainbowFan::pushChangeColor);
    m_colorCancel = makeButton(panel, "btn_colorLabel_Cancel", QRect(230, 62, 72, 24));
    connect(m_colorCancel, &QPushButton::released, this, &RainbowFan::pushHideColorWidget);
    panel->hide();
}

RainbowFan::~RainbowFan() {
    // The fade is deleted with the other children, once this class is gone: it must not call back.
    m_volumeFade->disconnect(this);
}

void RainbowFan::buildWarnings() {
    m_fadeLabel = makeLabel(this, rect(), "background: rgba(224, 65, 58, 0.30); border-radius: 14px;");
    m_fadeLabel->setObjectName(QStringLiteral("fadeLabel"));
    m_fadeLabel->hide();

    m_volumeWarning = makeLabel(this, QRect(16, 160, 290, 110),
                                "background: rgba(0, 0, 0, 0.9); border-radius: 12px; color: white;"
                                " font-family: Arial; font-size: 13px; padding: 10px;",
                                Qt::AlignHCenter);
    m_volumeWarning->setObjectName(QStringLiteral("volumeWarning"));
    m_volumeWarning->setWordWrap(true);
    auto* effect = new QGraphicsOpacityEffect(m_volumeWarning);
    m_volumeWarning->setGraphicsEffect(effect);
    m_volumeFade = new QPropertyAnimation(effect, "opacity", this);
    m_volumeFade->setDuration(1000);
    m_volumeFade->setStartValue(1.0);
    m_volumeFade->setEndValue(0.0);
    connect(m_volumeFade, &QAbstractAnimation::stateChanged, this,
            &RainbowFan::on_animation_stateChanged_volumeWarning);
    m_volumeWarning->hide();

    m_backCover = makeLabel(this, rect(), "background: rgba(8, 10, 13, 0.55); border-radius: 14px;");
    m_backCover->setObjectName(QStringLiteral("backCover"));
    m_backCover->setAttribute(Qt::WA_TransparentForMouseEvents, false);
}

void RainbowFan::applyKind(int kind) {
    m_kind = kind;
    m_palette = pictureImage(QLatin1String(ui::deviceKind(kind).palette));
    {
        const QSignalBlocker blocker(m_selectType);
        m_selectType->setCurrentIndex(m_selectType->findText(QLatin1String(ui::deviceKind(kind).name)));
    }
    refreshLedButtons();
    update();
}

void RainbowFan::refreshLedButtons() {
    const bool single = m_colorMode == ColorSingle;
    for (int i = 0; i < kLedCount; ++i) {
        QPushButton* led = m_leds[static_cast<std::size_t>(i)];
        const bool checked = m_selectLED.at(i) == QLatin1Char('1');
        const auto source = static_cast<std::size_t>(single ? kWholeFanEntry : i);
        const float factor = std::clamp(m_bright[source], 0.0F, 1.0F);
        const QColor colour(static_cast<int>(std::clamp(m_red[source], 0, 255) * factor),
                            static_cast<int>(std::clamp(m_green[source], 0, 255) * factor),
                            static_cast<int>(std::clamp(m_blue[source], 0, 255) * factor));
        const int size = ledButtonSize(checked);
        const QPoint centre = ledCentre(m_kind, i);
        led->setChecked(checked);
        led->setGeometry(centre.x() - size / 2, centre.y() - size / 2, size, size);
        led->setStyleSheet(ledStyle(colour, checked));
        led->raise();
    }
}

void RainbowFan::refreshEnabled() {
    // A port in Copy follows port 0: nothing of its own colours can change.
    const bool ownColours = m_lightMode != ModeCopy;
    for (QPushButton* led : m_leds)
        led->setEnabled(ownColours);
    m_showColor->setEnabled(ownColours && m_lightMode != ModeTemperature);
    m_brightSlider->setEnabled(ownColours);
    if (!ownColours)
        m_colorWidget->hide();
}

void RainbowFan::refreshTexts() {
    const QString white = QStringLiteral("color: white;");
    const QString grey = QStringLiteral("color: %1;").arg(QLatin1String(theme::kDimmed));
    m_lightModeName->setText(lightModeName(m_lightMode).isEmpty() ? QString::number(m_lightMode)
                                                                  : lightModeName(m_lightMode));
    m_colorModeName->setText(colorModeName(m_colorMode));
    m_lightSpeedName->setText(lightSpeedName(m_lightSpeed));
    const int mode = effectiveLightMode();
    m_lightSpeedName->setStyleSheet(QLatin1String(theme::kValue) + (isMusicMode(mode) ? grey : white));
    m_colorModeName->setStyleSheet(QLatin1String(theme::kValue) + (mode <= ModeRadar ? grey : white));
    m_nameLabel->setText(m_fanName);
    refreshLedButtons();
    refreshEnabled();
}

void RainbowFan::retranslate() {
    m_fanNum->setText(RainbowFanText::tr("FAN") + QLatin1Char(' ') + QString::number(m_port + 1));
    m_silent->setText(RainbowFanText::tr("Silent"));
    // The caption breaks after its hyphen, where a language has one.
    QString performance = RainbowFanText::tr("Perfor-mance");
    if (const int dash = performance.indexOf(QLatin1Char('-')); dash > 0)
        performance.insert(dash + 1, QLatin1Char('\n'));
    m_performance->setText(performance);
    m_pwmButton->setText(RainbowFanText::tr("PWM"));
    m_lightModeCaption->setText(RainbowFanText::tr("Light Mode"));
    m_colorModeCaption->setText(RainbowFanText::tr("Color Mode"));
    m_lightSpeedCaption->setText(RainbowFanText::tr("Light Speed"));
    m_brightCaption->setText(RainbowFanText::tr("LED BRIGHTNESS"));
    m_done->setText(RainbowFanText::tr("Done"));
    m_default->setText(RainbowFanText::tr("Default"));
    m_showColor->setText(RainbowFanText::tr("Color"));
    m_colorOk->setText(RainbowFanText::tr("OK"));
    m_colorCancel->setText(RainbowFanText::tr("Cancel"));
    m_volumeWarning->setText(RainbowFanText::tr("Error_Code_S_0x0010"));
    setFanSpeedCaption();
    refreshTexts();
}

} // namespace zyne::ui
