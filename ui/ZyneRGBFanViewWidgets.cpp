// Building and laying out the controls of a classic fan view; the behaviour is in ZyneRGBFanView.cpp.
#include "ZyneRGBFanView.h"

#include "Pictures.h"
#include "Theme.h"
#include "UiTexts.h"
#include "ViewControls.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace zyne::ui {

namespace {
// The themed button, with a drawn picture for its checked state.
QString checkedPictureStyle(const char* picture) {
    return QLatin1String(theme::kButton) +
           QStringLiteral("QPushButton:checked {color: white; border: none; %1}")
               .arg(borderImage(QLatin1String(picture)));
}

QString sliderStyle(const char* handle, int handleSize, const QString& groove) {
    return QStringLiteral("QSlider::groove:horizontal {height: 6px; border-radius: 3px; %1}"
                          "QSlider::handle:horizontal {width: %2px; height: %2px; margin: -%3px 0; %4}"
                          "QSlider::handle:horizontal:disabled {image: none; background: #5a636d;"
                          " border-radius: %5px;}")
        .arg(groove)
        .arg(handleSize)
        .arg((handleSize - 6) / 2)
        .arg(borderImage(QLatin1String(handle)))
        .arg(handleSize / 2);
}
} // namespace

void ZyneRGBFanView::buildHeader() {
    m_monitorButton = makeButton(this, "btn_fanNum", QRect(12, 10, 64, 24), QLatin1String(theme::kButton));
    m_monitorButton->setCheckable(true);
    connect(m_monitorButton, &QPushButton::clicked, this, &ZyneRGBFanView::pushMonitor);

    m_rpmReadout = makeLabel(this, "label_rpm", QRect(84, 10, 124, 24), theme::kValue, Qt::AlignHCenter);
    m_rpmReadout->setText(QStringLiteral("0 RPM"));
    m_stallIndicator = makeLabel(this, "stallIndicator", QRect(214, 11, 22, 22), "");
    m_stallIndicator->setPixmap(picture(QStringLiteral("Zyne/Fan_Error3.png")));
    m_stallIndicator->setScaledContents(true);
    m_stallIndicator->hide();

    m_turnOff = makeButton(this, "Off", QRect(250, 9, 40, 26),
                           QStringLiteral("QPushButton {border: none; %1} QPushButton:hover {%2}"
                                          " QPushButton:checked {%3}")
                               .arg(borderImage(QStringLiteral("Zyne/btn_turnOn.png")),
                                    borderImage(QStringLiteral("Zyne/btn_openFan.png")),
                                    borderImage(QStringLiteral("Zyne/btn_closeFan.png"))));
    m_turnOff->setCheckable(true);
    connect(m_turnOff, &QPushButton::clicked, this, &ZyneRGBFanView::pushTurnOff);
}

void ZyneRGBFanView::buildFanSpeed() {
    m_fanModeCaption = makeLabel(this, "label_fanMode", QRect(12, 52, 180, 18), theme::kCaption);
    m_pwmButton = makeButton(this, "PWM", QRect(246, 50, 44, 22), checkedPictureStyle("Zyne/btn_pwm_h.png"));
    m_pwmButton->setCheckable(true);
    connect(m_pwmButton, &QPushButton::clicked, this, &ZyneRGBFanView::pushPWM);

    m_silent = makeButton(this, "Silent", QRect(12, 78, 58, 36), checkedPictureStyle("Zyne/btn_silent_h.png"));
    m_silent->setCheckable(true);
    connect(m_silent, &QPushButton::clicked, this, &ZyneRGBFanView::pushFanSpeed);
    m_performance = makeButton(this, "Performance", QRect(232, 78, 58, 36),
                               checkedPictureStyle("Zyne/btn_performance_h.png"));
    m_performance->setCheckable(true);
    connect(m_performance, &QPushButton::clicked, this, &ZyneRGBFanView::pushFanSpeed);

    m_speedSlider = new QSlider(Qt::Horizontal, this);
    m_speedSlider->setObjectName(QStringLiteral("slider_RPM_Fan"));
    m_speedSlider->setGeometry(80, 82, 142, 22);
    m_speedSlider->setRange(0, 5);
    m_speedSlider->setSingleStep(1);
    m_speedSlider->setPageStep(1);
    m_speedSlider->setFocusPolicy(Qt::NoFocus);
    m_speedSlider->setStyleSheet(sliderStyle(
        "Zyne/bar-button.png", 18,
        QStringLiteral("background: #2f3740;} QSlider::sub-page:horizontal {height: 6px; border-radius: 3px;"
                       " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #0a6f8c, stop:1 "
                       "#03C6F7);")));
    m_speedSlider->setValue(3);
    connect(m_speedSlider, &QSlider::valueChanged, this, &ZyneRGBFanView::changeSliderFanSpeed);

    m_speedLabel = makeLabel(this, "RPM", QRect(96, 106, 110, 30),
                             "color: white; font-family: Arial; font-size: 10px; font-weight: bold;",
                             Qt::AlignHCenter);
    m_speedLabel->setStyleSheet(m_speedLabel->styleSheet() + QStringLiteral(" %1 padding: 0 6px;")
                                                                 .arg(borderImage(QStringLiteral("Zyne/rpm_bar.png"))));
}

void ZyneRGBFanView::buildLighting() {
    m_rgb = makeButton(this, "RGB", QRect(12, 152, 116, 34), checkedPictureStyle("Zyne/btn_mode_h.png"));
    m_rgb->setCheckable(true);
    m_rgb->setIcon(QIcon(picture(QStringLiteral("Zyne/btn_RGB_Mode.png"))));
    m_rgb->setIconSize(QSize(20, 20));
    m_rgb->setText(QStringLiteral("RGB"));
    connect(m_rgb, &QPushButton::clicked, this, &ZyneRGBFanView::pushLightMode);
    m_blink = makeButton(this, "Blink", QRect(134, 152, 116, 34), checkedPictureStyle("Zyne/btn_mode_h.png"));
    m_blink->setCheckable(true);
    m_blink->setIcon(QIcon(picture(QStringLiteral("Zyne/btn_blink.png"))));
    m_blink->setIconSize(QSize(20, 20));
    connect(m_blink, &QPushButton::clicked, this, &ZyneRGBFanView::pushLightMode);
    m_copy = makeButton(this, "btn_Copy", QRect(256, 152, 34, 34), QLatin1String(theme::kButton));
    m_copy->setIcon(QIcon(picture(QStringLiteral("Zyne/btn_copyRGB.png"))));
    m_copy->setIconSize(QSize(20, 20));
    // Fan 1 is what the others copy.
    m_copy->setEnabled(m_fan != 0);
    connect(m_copy, &QPushButton::clicked, this, &ZyneRGBFanView::pushLightMode);

    m_colourText = makeLabel(this, "label_colour", QRect(176, 332, 114, 18),
                             "color: #d8dde3; font-family: Arial; font-size: 12px; font-weight: bold;",
                             Qt::AlignHCenter);

    m_brightCaption = makeLabel(this, "label_brightness", QRect(12, 372, 200, 18), theme::kCaption);
    m_brightSlider = new QSlider(Qt::Horizontal, this);
    m_brightSlider->setObjectName(QStringLiteral("slider_Light_Fan"));
    m_brightSlider->setGeometry(12, 394, 278, 22);
    m_brightSlider->setRange(0, 100);
    m_brightSlider->setFocusPolicy(Qt::NoFocus);
    connect(m_brightSlider, &QSlider::valueChanged, this, &ZyneRGBFanView::changeSliderLight);
}

void ZyneRGBFanView::restyleBrightnessGroove() {
    // Left full brightness, right dark: the groove runs from the fan colour to black.
    m_brightSlider->setStyleSheet(
        sliderStyle("Zyne/bar_bright.png", 18,
                    QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 %1, stop:1 "
                                   "#000000); border: 1px solid #3a4450;")
                        .arg(colour().name())));
}

void ZyneRGBFanView::retranslate() {
    m_monitorButton->setText(ZyneRGBFanViewText::tr("FAN") + QLatin1Char(' ') + QString::number(m_fan + 1));
    m_fanModeCaption->setText(ZyneRGBFanViewText::tr("FAN MODE"));
    m_silent->setText(ZyneRGBFanViewText::tr("Silent"));
    // The caption breaks after its hyphen, where a language has one.
    QString performance = ZyneRGBFanViewText::tr("Perfor-mance");
    if (const int dash = performance.indexOf(QLatin1Char('-')); dash > 0)
        performance.insert(dash + 1, QLatin1Char('\n'));
    m_performance->setText(performance);
    m_pwmButton->setText(ZyneRGBFanViewText::tr("PWM"));
    m_blink->setText(ZyneRGBFanViewText::tr("Blink"));
    m_brightCaption->setText(ZyneRGBFanViewText::tr("LED BRIGHTNESS"));
    refreshSpeedLabel();
}

} // namespace zyne::ui
