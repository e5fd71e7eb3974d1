#pragma once

#include <QImage>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QSlider;

namespace zyne::ui {

class FanNameLineEdit;
class RainbowFan;

// The device view of a coupler: one colour for the whole device from its palette, three light
// modes, brightness, turn-off, monitor and the editable name. It keeps no state of its own: every
// control acts through the owning port view, which sends the commands, and shows that view's state.
class CouplerPlusView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 322;
    static constexpr int kHeight = 427;
    static constexpr int kPaletteSize = 144;

    explicit CouplerPlusView(RainbowFan* owner, QWidget* parent = nullptr);

    RainbowFan* owner() const { return m_owner; }
    QPoint paletteCentre() const;
    // The controls follow the owning view's state without sending anything.
    void refresh();
    void retranslate();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void pushLightModeButton();
    void changeBrightness(int level);
    bool pickColourAt(QPoint position);
    void makeSingleColour();
    bool isCycling() const;
    void startNameEdit();
    void finishNameEdit(bool focussed);

    RainbowFan* const m_owner;
    QImage m_palette;
    QPushButton* m_title = nullptr;
    QPushButton* m_monitor = nullptr;
    QPushButton* m_turnOff = nullptr;
    std::array<QPushButton*, 3> m_modeButtons{};
    QLabel* m_modeCaption = nullptr;
    QLabel* m_brightCaption = nullptr;
    QSlider* m_brightSlider = nullptr;
    QLabel* m_nameLabel = nullptr;
    FanNameLineEdit* m_nameEdit = nullptr;
    QPushButton* m_editName = nullptr;
};

} // namespace zyne::ui
