#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;
class QSlider;

namespace zyne::ui {

// What the classic engine reports for one fan.
struct ClassicViewState {
    int lightMode = 0;
    int red = 255;
    int green = 0;
    int blue = 0;
    float bright = 1.0F;
    int speed = 3;
    bool isTurnOff = false;
    bool monitor = true;
    bool pwm = false;
};

// One fan of a classic controller box: one colour for the whole fan, three light modes, brightness,
// a fan-speed level and the monitor switch. Every action leaves as a command list.
class ZyneRGBFanView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 302;
    static constexpr int kHeight = 430;

    explicit ZyneRGBFanView(int fan, QWidget* parent = nullptr);

    int fan() const { return m_fan; }
    int lightMode() const { return m_lightMode; }
    float bright() const { return m_bright; }
    QColor colour() const { return QColor(m_red, m_green, m_blue); }
    // The colour as the fan shows it: each channel times the brightness, truncated.
    QColor shownColour() const;
    bool isTurnedOff() const { return m_turnedOff; }
    bool isMonitored() const { return m_monitor; }
    bool isPwm() const { return m_pwm; }
    QRect paletteRect() const { return m_paletteRect; }

    // The engine's state of the fan; the controls follow without emitting anything.
    void setState(const ClassicViewState& state);
    void showFanSpeed(int rpm, bool stalled);
    void retranslate();

signals:
    void sendData(QStringList data);
    void sendRGBData(int red, int green, int blue, float bright, int fan);

public slots:
    void pushFanSpeed();
    void pushLightMode();
    void pushTurnOff();
    void pushPWM();
    void changeSliderLight(int value);
    void changeSliderFanSpeed(int value);
    void pushMonitor();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Built in ZyneRGBFanViewWidgets.cpp.
    void buildHeader();
    void buildFanSpeed();
    void buildLighting();
    void restyleBrightnessGroove();

    void resetView();
    bool pickColourAt(QPoint position);
    void refreshSpeedLabel();
    void refreshPalette();
    // The fan picture and the colour text follow colour, brightness, mode and the off switch.
    void refreshShown();
    void emitLightMode(const QString& word);

    const int m_fan;
    int m_red = 255;
    int m_green = 0;
    int m_blue = 0;
    float m_bright = 1.0F;
    int m_lightMode = 0;
    bool m_turnedOff = false;
    bool m_monitor = true;
    bool m_pwm = false;
    bool m_stalled = false;
    bool m_paletteEnabled = true;
    QRect m_paletteRect;
    QImage m_palette;

    QPushButton* m_monitorButton = nullptr;
    QPushButton* m_turnOff = nullptr;
    QLabel* m_stallIndicator = nullptr;
    QLabel* m_rpmReadout = nullptr;
    QLabel* m_fanModeCaption = nullptr;
    QPushButton* m_silent = nullptr;
    QPushButton* m_performance = nullptr;
    QPushButton* m_pwmButton = nullptr;
    QSlider* m_speedSlider = nullptr;
    QLabel* m_speedLabel = nullptr;
    QPushButton* m_rgb = nullptr;
    QPushButton* m_blink = nullptr;
    QPushButton* m_copy = nullptr;
    QLabel* m_colourText = nullptr;
    QLabel* m_brightCaption = nullptr;
    QSlider* m_brightSlider = nullptr;
};

} // namespace zyne::ui
