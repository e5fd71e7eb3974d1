#pragma once

#include "DeviceKinds.h"
#include "ViewRules.h"

#include <QAbstractAnimation>
#include <QColor>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QPropertyAnimation;

namespace zyne::ui {

class FanNameLineEdit;

// The state of one port as the engine reports it back to its view.
struct PortViewState {
    int lightMode = 0;
    int colorMode = 0;
    int lightSpeed = 2;
    std::array<int, 13> red{}, green{}, blue{};
    std::array<float, 13> bright{};
    int speedPer = 0;
    int speedNum = 0;
    bool pwm = false;
    bool monitor = true;
    int fanType = 0;
    QString fanName;
    bool isTurnOffLed = false;
};

// One port of the selected Plus or AWT box: device picture with its 12 LEDs, the colour palette,
// the lighting pickers, brightness and fan-speed controls. Every action becomes a command list.
class RainbowFan : public QWidget {
    Q_OBJECT
public:
    explicit RainbowFan(int port, QWidget* parent = nullptr);
    ~RainbowFan() override;

    int port() const { return m_port; }
    int fanLocation() const { return m_fanLocation; }
    void setFanLocation(int slot);
    // 1 Plus, 2 AWT: decides which device kinds the selector offers.
    void setBoxType(int boxKind);
    void resetFanView(const PortViewState& state);
    // Port 0's light mode, which a port in Copy follows.
    void setCopyLightMode(int lightMode);
    void showFanSpeed(int rpm, bool stalled);
    void setBoxWarning(bool warning);
    bool hasPendingWarning() const { return m_boxWarning; }
    bool isWarningPanelShown() const;
    QLabel* fadeLabel() const { return m_fadeLabel; }
    void showVolumeWarning();
    void retranslate();
    // Window messages set the controls through the paths a click takes; out-of-range values are the
    // caller's to refuse.
    void setBrightnessLevel(int level);
    void setLedSelection(const QString& selectLED);
    void pickLightMode(int mode);
    void pickColorMode(int mode);
    void pickLightSpeed(int speed);
    // Colour panel state, for the carousel's clicks.
    bool isColorWidgetShown() const;
    // A device view that stands in for this one (the coupler's) acts through these, as a click here
    // would: light and colour mode in one "btn_done", the turn-off switch, a colour from its own
    // palette, a new fan name.
    void pickLighting(int lightMode, int colorMode);
    void turnOff(bool off);
    void applyPickedColour(const QColor& colour);
    void renameFan(const QString& typed);

    int lightMode() const { return m_lightMode; }
    // The mode the colour-mode picker's rules go by: port 0's while this port copies it.
    int effectiveLightMode() const;
    int colorMode() const { return m_colorMode; }
    int lightSpeed() const { return m_lightSpeed; }
    QString selectLED() const { return m_selectLED; }
    int deviceKind() const { return m_kind; }
    bool isMonitored() const { return m_monitor; }
    bool isTurnedOff() const { return m_turnedOff; }
    QString fanName() const { return m_fanName; }
    int brightnessLevel() const;
    // The whole-fan colour as lit: entry 12 times its brightness.
    QColor wholeFanColour() const;

signals:
    void sendData(QStringList data);
    void sendRGBData(QStringList red, QStringList green, QStringList blue, QStringList bright, int port,
                     QString selectLED);
    // The main window wrote the port's state into the view.
    void portStateShown();

public slots:
    void copyResetFanView();
    void currentIndex(int index);
    void colorModeRight();
    void colorModeLeft();
    void lightSpeedRight();
    void lightSpeedLeft();
    void lightModeRight();
    void lightModeLeft();
    void pushPerformance();
    void pushSilent();
    void pushPWM();
    void pushDone();
    void pushDefault();
    void pushTurnOff();
    void pushMonitor();
    void pushShowColorWidget();
    void pushHideColorWidget();
    void pushChangeColor();
    void selectLedBtn();
    void changeSliderLight(int value);
    void changeSliderFanSpeedPer(int value);
    void changeSliderFanSpeedNum(int value);
    void on_animation_stateChanged_volumeWarning(QAbstractAnimation::State newState,
                                                 QAbstractAnimation::State oldState);
    void pushEditFanNameBtn();
    void finishEditFanName(bool focussed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // Built in RainbowFanWidgets.cpp.
    void buildControls();
    void buildPickers();
    void buildFanSpeed();
    void buildColorWidget();
    void buildWarnings();
    void placeLedButtons();
    void applyKind(int kind);

    void emitCommand(const QString& word);
    void emitColours();
    void setLightModeFromPicker(int mode, int colorMode = ColorRgb);
    void setColorModeFromPicker(int mode, bool viaRightArrow);
    void applyColour(int red, int green, int blue);
    bool pickColourAt(QPoint position);
    void refreshTexts();
    void refreshLedButtons();
    void refreshEnabled();
    void setFanSpeedCaption();

    const int m_port;
    int m_fanLocation;
    int m_boxKind = kBoxKindPlus;
    int m_kind = 0;
    int m_lightMode = 0;
    int m_copyLightMode = 0;
    int m_colorMode = 0;
    int m_lightSpeed = 2;
    bool m_turnedOff = false;
    bool m_monitor = true;
    bool m_pwm = false;
    bool m_boxWarning = false;
    int m_speedMode = SpeedCustom;
    std::array<int, 13> m_red{}, m_green{}, m_blue{};
    std::array<float, 13> m_bright{};
    QString m_selectLED;
    QString m_fanName;
    QImage m_palette;

    std::array<QPushButton*, kLedCount> m_leds{};
    QLabel* m_fanLabel = nullptr;
    QLabel* m_nameLabel = nullptr;
    FanNameLineEdit* m_nameEdit = nullptr;
    QPushButton* m_editName = nullptr;
    QPushButton* m_fanNum = nullptr;
    QPushButton* m_turnOff = nullptr;
    QComboBox* m_selectType = nullptr;
    QPushButton* m_showColor = nullptr;
    QPushButton* m_default = nullptr;
    QPushButton* m_done = nullptr;
    QPushButton* m_silent = nullptr;
    QPushButton* m_performance = nullptr;
    QPushButton* m_pwmButton = nullptr;
    QSlider* m_speedPer = nullptr;
    QSlider* m_speedNum = nullptr;
    QLabel* m_speedCaption = nullptr;
    QLabel* m_rpmLabel = nullptr;
    QLabel* m_stallMark = nullptr;
    QLabel* m_lightModeCaption = nullptr;
    QLabel* m_colorModeCaption = nullptr;
    QLabel* m_lightSpeedCaption = nullptr;
    QLabel* m_lightModeName = nullptr;
    QLabel* m_colorModeName = nullptr;
    QLabel* m_lightSpeedName = nullptr;
    QLabel* m_brightCaption = nullptr;
    QSlider* m_brightSlider = nullptr;
    QWidget* m_colorWidget = nullptr;
    QLabel* m_colorWidgetCaption = nullptr;
    std::array<QSpinBox*, 3> m_colorFields{};
    QPushButton* m_colorOk = nullptr;
    QPushButton* m_colorCancel = nullptr;
    QLabel* m_backCover = nullptr;
    QLabel* m_fadeLabel = nullptr;
    QLabel* m_volumeWarning = nullptr;
    QPropertyAnimation* m_volumeFade = nullptr;
};

} // namespace zyne::ui
