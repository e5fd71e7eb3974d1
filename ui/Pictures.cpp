#include "Pictures.h"

#include "ProgramData.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcPictures, "zyne.ui.pictures")

namespace zyne::ui {

QString imagePath(const QString& relative) {
    return programDataPath(QStringLiteral("Images/") + relative);
}

QPixmap picture(const QString& relative) {
    static QHash<QString, QPixmap> cache;
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    const QString key = relative + QLatin1Char('@') + QString::number(ratio);
    auto cached = cache.constFind(key);
    if (cached != cache.constEnd())
        return *cached;
    QPixmap pixmap;
    if (ratio > 1.0) {
        const QFileInfo file(imagePath(relative));
        const QString sharp =
            file.path() + QLatin1Char('/') + file.completeBaseName() + QStringLiteral("@2x.") + file.suffix();
        if (pixmap.load(sharp))
            pixmap.setDevicePixelRatio(2.0);
    }
    if (pixmap.isNull() && !pixmap.load(imagePath(relative)))
        qCWarning(lcPictures) << "picture can't be loaded:" << imagePath(relative);
    cache.insert(key, pixmap);
    return pixmap;
}

QImage pictureImage(const QString& relative) {
    return QImage(imagePath(relative)).convertToFormat(QImage::Format_RGB32);
}

QColor paletteColourAt(const QImage& palette, int shownSize, QPoint fromCentre, int radius) {
    if (palette.isNull() || shownSize <= 0 ||
        fromCentre.x() * fromCentre.x() + fromCentre.y() * fromCentre.y() > radius * radius)
        return {};
    const double scale = palette.width() / static_cast<double>(shownSize);
    const int half = shownSize / 2;
    const int x = std::clamp(static_cast<int>((fromCentre.x() + half) * scale), 0, palette.width() - 1);
    const int y = std::clamp(static_cast<int>((fromCentre.y() + half) * scale), 0, palette.height() - 1);
    return palette.pixelColor(x, y);
}

QString borderImage(const QString& relative) {
    return QStringLiteral("border-image: url(%1);").arg(imagePath(relative));
}

} // namespace zyne::ui
