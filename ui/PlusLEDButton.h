#pragma once

#include <QPushButton>

namespace zyne::ui {

// One of the 12 round LED buttons of a device view: a checkable push button whose look the view
// sets from the LED's colour. It adds no behaviour; its type lets styles and tests find the LEDs.
class PlusLEDButton : public QPushButton {
    Q_OBJECT
public:
    explicit PlusLEDButton(int led, QWidget* parent = nullptr);
};

} // namespace zyne::ui
