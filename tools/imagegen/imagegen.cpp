// Draws the program's images at build time, so no binary art lives in the repository.
//   imagegen <output folder>
#include <QConicalGradient>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {
// A fan seen from the front: a colour-wheel ring around a dark hub.
QImage fanLogo(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(size / 2.0, size / 2.0);
    QConicalGradient wheel(centre, 90);
    const QColor stops[] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta, Qt::red};
    for (int i = 0; i < 7; ++i)
        wheel.setColorAt(i / 6.0, stops[i]);
    painter.setPen(Qt::NoPen);
    painter.setBrush(wheel);
    painter.drawEllipse(centre, size * 0.48, size * 0.48);
    painter.setBrush(QColor(24, 24, 28));
    painter.drawEllipse(centre, size * 0.32, size * 0.32);
    painter.setBrush(QColor(90, 90, 100));
    painter.drawEllipse(centre, size * 0.1, size * 0.1);
    return image;
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
    const QImage logo = fanLogo(64);
    if (!logo.save(folder.filePath(QStringLiteral("logo.ico"))) ||
        !logo.save(folder.filePath(QStringLiteral("logo.png")))) {
        std::fprintf(stderr, "imagegen: can't write the logo into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
