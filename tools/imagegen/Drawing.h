#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <vector>

// One picture of the program: where it goes under Images/, its size at 1x, and how it is drawn in
// those logical pixels (the same drawing gives the @2x file).
struct Picture {
    QString path;
    QSize size;
    std::function<void(QPainter&, QSizeF)> draw;
};

namespace palette {
inline const QColor kAccent(3, 198, 247);
inline const QColor kSurface(24, 28, 34);
inline const QColor kSurfaceHigh(36, 42, 50);
inline const QColor kLine(58, 68, 80);
inline const QColor kText(216, 221, 227);
} // namespace palette

void addChromePictures(std::vector<Picture>& pictures);
void addDevicePictures(std::vector<Picture>& pictures);
void addClassicPictures(std::vector<Picture>& pictures);
void addDialogPictures(std::vector<Picture>& pictures);

// Shared strokes.
void roundedPanel(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
                  const QColor& border);
// A colour wheel: hue around, white at the centre; `steps` > 0 draws that many hue segments.
void colourWheel(QPainter& p, QSizeF size, int steps);
// A sliding on/off switch; `off` draws the knob on the left, greyed.
void powerSwitch(QPainter& p, QSizeF s, bool off);
// The round slider handle.
void handle(QPainter& p, QSizeF s);
