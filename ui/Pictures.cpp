#include "Pictures.h"

#include "ProgramData.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QLoggingCategory>

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

QString borderImage(const QString& relative) {
    return QStringLiteral("border-image: url(%1);").arg(imagePath(relative));
}

} // namespace zyne::ui
