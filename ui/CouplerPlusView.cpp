#include "CouplerPlusView.h"

#include "FanNameLineEdit.h"
#include "Pictures.h"
#include "RainbowFan.h"
#include "UiTexts.h"
#include "ViewControls.h"
#include "ViewRules.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace zyne::ui {

namespace {
constexpr const char* kDeviceName = "Coupler Plus";
constexpr const char* kBody = "CouplerPlus/mainBody.png";
constexpr const char* kPalette = "palette.png";
// A press this close to the wheel's centre picks a colour.
constexpr int kPickRadius = 72;
constexpr std::array<const char*, kCouplerButtonCount> kModeObjects = {"btn_RGB", "btn_Flash", "btn_Blink"};
} // namespace

CouplerPlusView::CouplerPlusView(RainbowFan* owner, QWidget* parent)
    : QWidget(parent), m_owner(owner), m_palette(pictureImage(QLatin1String(kPalette))) {
    setObjectName(QStringLiteral("CouplerPlusView"));
    resize(kWidth, kHeight);
    buildControls();
    connect(m_owner, &RainbowFan::portStateShown, this, &CouplerPlusView::refresh);
    retranslate();
    refresh();
}

QPoint CouplerPlusView::paletteCentre() const {
    return {kWidth / 2, 198};
}

void CouplerPlusView::buildControls() {
    m_title = makeButton(this, "btn_fanNum", QRect(12, 8, 176, 26),
                         QStringLiteral("QPushButton {color: white; font-family: Arial; font-size: 15px;"
                                        " font-weight: bold; text-align: left; border: none;"
                                        " background: transparent;}"));
    m_title->setText(QLatin1String(kDeviceName));
    m_title->setIcon(QIcon(picture(QStringLiteral("CouplerPlus/CouplerPlus_Icon.png"))));
    m_title->setIconSize(QSize(22, 22));

    m_turnOff = makeButton(this, "btn_turnoff", QRect(282, 8, 28, 28), QString());
    m_turnOff->setCheckable(true);
    m_turnOff->setStyleSheet(QStringLiteral("QPushButton {%1 border: none;} QPushButton:checked {%2}")
                                 .arg(borderImage(QStringLiteral("light.png")),
                                      borderImage(QStringLiteral("light_off.png"))));
    connect(m_turnOff, &QPushButton::clicked, this, [this](bool off) {
        m_owner->turnOff(off);
        refresh();
    });

    m_monitor = makeButton(this, "btn_monitor", QRect(196, 10, 80, 24));
    m_monitor->setCheckable(true);
    connect(m_monitor, &QPushButton::clicked, m_owner, &RainbowFan::pushMonitor);
    connect(m_monitor, &QPushButton::clicked, this, &CouplerPlusView::refresh);

    m_nameLabel = makeLabel(this, "label_editFanNameLine", QRect(12, 40, 270, 22), theme::kValue);
    m_nameEdit = new FanNameLineEdit(this);
    m_nameEdit->setGeometry(12, 40, 270, 22);
    m_nameEdit->setStyleSheet(QStringLiteral("QLineEdit#labelFanName {color: white; background: #14181d;"
                                             " border: 1px solid #03C6F7; border-radius: 4px;"
                                             " font-family: Arial; font-size: 12px;}"));
    m_nameEdit->hide();
    connect(m_nameEdit, &FanNameLineEdit::focussed, this, &CouplerPlusView::finishNameEdit);
    m_editName = makeButton(this, "btn_editFanName", QRect(290, 42, 18, 18),
                            borderImage(QStringLiteral("editFanNanePen.png")));
    connect(m_editName, &QPushButton::released, this, &CouplerPlusView::startNameEdit);

    m_modeCaption = makeLabel(this, "label_lightMode", QRect(12, 336, 200, 18), theme::kCaption);
    for (int b = 0; b < kCouplerButtonCount; ++b) {
        auto* button = makeButton(this, kModeObjects[static_cast<std::size_t>(b)],
                                  QRect(12 + 102 * b, 356, 94, 28));
        button->setCheckable(true);
        connect(button, &QPushButton::clicked, this, &CouplerPlusView::pushLightModeButton);
        m_modeButtons[static_cast<std::size_t>(b)] = button;
    }

    m_brightCaption = makeLabel(this, "label_brightness", QRect(12, 396, 96, 18), theme::kCaption);
    m_brightSlider = makeSlider(this, "slider_Light", QRect(110, 396, 200, 18), 10);
    connect(m_brightSlider, &QSlider::valueChanged, this, &CouplerPlusView::changeBrightness);
}

void CouplerPlusView::retranslate() {
    m_monitor->setText(CouplerPlusViewText::tr("Monitor"));
    m_modeCaption->setText(CouplerPlusViewText::tr("Light Mode"));
    m_modeButtons[CouplerRgb]->setText(CouplerPlusViewText::tr("RGB"));
    m_modeButtons[CouplerFlash]->setText(CouplerPlusViewText::tr("Flash"));
    m_modeButtons[CouplerBlink]->setText(CouplerPlusViewText::tr("Blink"));
    m_brightCaption->setText(CouplerPlusViewText::tr("LED BRIGHTNESS"));
}

void CouplerPlusView::refresh() {
    const int checked = couplerButtonFor(m_owner->lightMode());
    for (int b = 0; b < kCouplerButtonCount; ++b) {
        QPushButton* button = m_modeButtons[static_cast<std::size_t>(b)];
        const QSignalBlocker blocker(button);
        button->setChecked(b == checked);
    }
    {
        const QSignalBlocker a(m_turnOff), b(m_monitor), c(m_brightSlider);
        m_turnOff->setChecked(m_owner->isTurnedOff());
        m_monitor->setChecked(m_owner->isMonitored());
        m_brightSlider->setValue(m_owner->brightnessLevel());
    }
    m_nameLabel->setText(m_owner->fanName());
    update();
}

bool CouplerPlusView::isCycling() const {
    return couplerButtonFor(m_owner->lightMode()) == CouplerRgb;
}

// The coupler lights one colour for the whole device.
void CouplerPlusView::makeSingleColour() {
    if (m_owner->colorMode() != ColorSingle)
        m_owner->pickColorMode(ColorSingle);
}

void CouplerPlusView::pushLightModeButton() {
    const auto found = std::find(m_modeButtons.begin(), m_modeButtons.end(), sender());
    if (found == m_modeButtons.end())
        return;
    // The buttons exclude each other; unchecking the checked one leaves the colour lit steadily.
    const int button = (*found)->isChecked() ? static_cast<int>(found - m_modeButtons.begin()) : CouplerNone;
    m_owner->pickLighting(couplerLightMode(button), ColorSingle);
    refresh();
}

void CouplerPlusView::changeBrightness(int level) {
    makeSingleColour();
    m_owner->setBrightnessLevel(level);
    update();
}

bool CouplerPlusView::pickColourAt(QPoint position) {
    // The colour cycle shows no colour of its own, so the palette waits until another mode is chosen.
    if (isCycling())
        return false;
    const QColor colour = paletteColourAt(m_palette, kPaletteSize, position - paletteCentre(), kPickRadius);
    if (!colour.isValid())
        return false;
    makeSingleColour();
    m_owner->applyPickedColour(colour);
    update();
    return true;
}

void CouplerPlusView::startNameEdit() {
    m_nameEdit->setText(m_owner->fanName());
    m_nameEdit->setEnabled(true);
    m_nameEdit->show();
    m_nameEdit->raise();
    m_nameEdit->setFocus();
    m_nameEdit->selectAll();
}

void CouplerPlusView::finishNameEdit(bool focussed) {
    if (focussed || !m_nameEdit->isVisible())
        return;
    m_nameEdit->hide();
    m_nameEdit->setEnabled(false);
    m_owner->renameFan(m_nameEdit->text());
    m_nameLabel->setText(m_owner->fanName());
}

void CouplerPlusView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pickColourAt(event->pos()))
        QWidget::mousePressEvent(event);
}

void CouplerPlusView::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton) || !pickColourAt(event->pos()))
        QWidget::mouseMoveEvent(event);
}

void CouplerPlusView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture(QStringLiteral("fanCard.png")));
    const QPoint c = paletteCentre();
    painter.drawPixmap(QRect(c.x() - 110, c.y() - 110, 220, 220), picture(QLatin1String(kBody)));
    // The ring around the wheel shows the colour the device is lit with.
    const bool cycling = isCycling();
    const bool lit = !m_owner->isTurnedOff() && !cycling;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(lit ? m_owner->wholeFanColour() : QColor(10, 12, 15), 8));
    painter.drawEllipse(c, 84, 84);
    painter.setOpacity(cycling ? 0.35 : 1.0);
    const int half = kPaletteSize / 2;
    painter.drawPixmap(QRect(c.x() - half, c.y() - half, kPaletteSize, kPaletteSize),
                       picture(QLatin1String(kPalette)));
}

} // namespace zyne::ui
