// Draws the program's images at build time, so no binary art lives in the repository.
//   imagegen <output folder>
// Every picture is written at 1x and as "@2x" for high-density screens.
#include "Drawing.h"

#include <QColor>
#include <QConicalGradient>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>

void roundedPanel(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
                  const QColor& border) {
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setBrush(fill);
    p.setPen(border.alpha() == 0 ? QPen(Qt::NoPen) : QPen(border, 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void colourWheel(QPainter& p, QSizeF size, int steps) {
    const QPointF c(size.width() / 2, size.height() / 2);
    const qreal radius = std::min(size.width(), size.height()) / 2;
    // Hue runs clockwise from red at the top; saturation grows from the white centre outwards. The
    // pixels are the colours a press there gives.
    QConicalGradient hue(c, 90);
    const int stops = steps > 0 ? steps : 36;
    for (int i = 0; i <= stops; ++i) {
        const qreal at = static_cast<qreal>(i) / stops;
        const QColor colour = QColor::fromHsvF(std::fmod(1.0 - at, 1.0), 1.0, 1.0);
        if (steps > 0 && i < stops) {
            hue.setColorAt(at, colour);
            hue.setColorAt(std::min(1.0, at + 1.0 / stops - 1e-6), colour);
        } else {
            hue.setColorAt(at, colour);
        }
    }
    p.setPen(Qt::NoPen);
    p.setBrush(hue);
    p.drawEllipse(c, radius, radius);
    QRadialGradient white(c, radius);
    white.setColorAt(0, QColor(255, 255, 255, 255));
    white.setColorAt(0.12, QColor(255, 255, 255, 235));
    white.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(white);
    p.drawEllipse(c, radius, radius);
}

namespace {
bool writePicture(const QDir& folder, const Picture& picture, int scale) {
    QImage image(picture.size * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.scale(scale, scale);
        picture.draw(painter, QSizeF(picture.size));
    }
    QString path = picture.path;
    if (scale > 1) {
        const QFileInfo info(path);
        const QString dir = info.path() == QLatin1String(".") ? QString() : info.path() + QLatin1Char('/');
        path = dir + info.completeBaseName() + QStringLiteral("@%1x.").arg(scale) + info.suffix();
    }
    const QString full = folder.filePath(path);
    if (!QDir().mkpath(QFileInfo(full).path()) || !image.save(full)) {
        std::fprintf(stderr, "imagegen: can't write %s\n", qPrintable(full));
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: imagegen <output folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "imagegen: can't create %s\n", argv[1]);
        return 1;
    }
    std::vector<Picture> pictures;
    addChromePictures(pictures);
    addDevicePictures(pictures);
    addClassicPictures(pictures);
    addDialogPictures(pictures);
    for (const Picture& picture : pictures) {
        // The window icon stays a single 1x file; everything else gets its sharp twin.
        const bool icon = picture.path.endsWith(QLatin1String(".ico"));
        if (!writePicture(folder, picture, 1) || (!icon && !writePicture(folder, picture, 2)))
            return 1;
    }
    return 0;
}
