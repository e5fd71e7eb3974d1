#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace zyne::ui {

// Full path of a picture under the program's "Images/" folder.
QString imagePath(const QString& relative);
// The picture for the screen's pixel ratio: the "@2x" drawing on a 2x screen when it exists.
QPixmap picture(const QString& relative);
// The picture's own pixels at 1x, for reading colours under the cursor.
QImage pictureImage(const QString& relative);
// The colour of a palette wheel shown `shownSize` pixels across, under a point given from the wheel's
// centre; invalid beyond `radius` or when the image is missing. The image may be drawn larger.
QColor paletteColourAt(const QImage& palette, int shownSize, QPoint fromCentre, int radius);
// "border-image: url(...)" for a style sheet.
QString borderImage(const QString& relative);

} // namespace zyne::ui
