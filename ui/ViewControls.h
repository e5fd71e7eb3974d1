#pragma once

#include "Theme.h"

#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QSlider;
class QWidget;

// The small building blocks the device views lay out: themed buttons, labels and sliders that never
// take the keyboard focus.
namespace zyne::ui {

QPushButton* makeButton(QWidget* parent, const char* name, QRect geometry,
                        const QString& style = QLatin1String(theme::kButton));
QLabel* makeLabel(QWidget* parent, QRect geometry, const char* style, Qt::Alignment align = Qt::AlignLeft);
QLabel* makeLabel(QWidget* parent, const char* name, QRect geometry, const char* style,
                  Qt::Alignment align = Qt::AlignLeft);
// A horizontal slider from 0 to `top` in steps of one.
QSlider* makeSlider(QWidget* parent, const char* name, QRect geometry, int top);

} // namespace zyne::ui
