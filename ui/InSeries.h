#pragma once

#include <QStringList>
#include <QWidget>

#include <array>

class QLabel;

namespace zyne::ui {

class PlusLEDButton;

// The series panel: one light mode, colour mode and speed for every fan at once, with the 12 LED
// buttons showing the series colours. The owner fills the three name lists.
class InSeries : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 420;
    static constexpr int kLeds = 12;

    explicit InSeries(QWidget* parent = nullptr);

    void setColorModeNames(const QStringList& names);
    void setLightModeNames(const QStringList& names);
    void setLightSpeedNames(const QStringList& names);
    void retranslate();

    int colorMode() const { return m_colorMode; }
    int lightMode() const { return m_lightMode; }
    int lightSpeed() const { return m_lightSpeed; }

signals:
    void sendHideSeriesView();
    void sendSeriesLightMode(int mode);
    void sendSeriesColorMode(int mode);
    void sendSeriesLightSpeed(int speed);
    void sendRGB(int unused1, int unused2, int* red, int* green, int* blue, float* bright);

public slots:
    void selectLedBtn();
    void colorModeLeft();
    void colorModeRight();
    void lightModeLeft();
    void lightModeRight();
    void lightSpeedLeft();
    void lightSpeedRight();
    void closeSeries();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setColorMode(int mode);
    void setLightMode(int mode);
    void setLightSpeed(int speed);
    void placeLed(int led, bool large);
    void refreshLabels();

    int m_colorMode = 0;
    int m_lightMode = 0;
    int m_lightSpeed = 0;
    QStringList m_colorModeNames;
    QStringList m_lightModeNames;
    QStringList m_lightSpeedNames;
    std::array<int, 13> m_red{}, m_green{}, m_blue{};
    std::array<float, 13> m_bright{};
    std::array<PlusLEDButton*, kLeds> m_leds{};
    QLabel* m_title = nullptr;
    std::array<QLabel*, 3> m_captions{};
    QLabel* m_colorModeName = nullptr;
    QLabel* m_lightModeName = nullptr;
    QLabel* m_lightSpeedName = nullptr;
};

} // namespace zyne::ui
