#include "PlusLEDButton.h"

namespace zyne::ui {

PlusLEDButton::PlusLEDButton(int led, QWidget* parent) : QPushButton(parent) {
    setObjectName(QStringLiteral("led%1").arg(led));
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
    setText(QString::number(led + 1));
}

} // namespace zyne::ui
