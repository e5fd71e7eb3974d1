// The classic fan view's pictures (under Zyne/) and the dialogs' pictures.
#include "Drawing.h"

#include <QConicalGradient>
#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {
using namespace palette;

constexpr double kPi = 3.14159265358979;

QPointF centreOf(QSizeF s) {
    return {s.width() / 2, s.height() / 2};
}

QRectF whole(QSizeF s) {
    return QRectF(QPointF(0, 0), s);
}

void divider(QPainter& p, QSizeF s, qreal y) {
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    p.drawLine(QPointF(12, y + 0.5), QPointF(s.width() - 12, y + 0.5));
}

void classicCard(QPainter& p, QSizeF s) {
    roundedPanel(p, whole(s).adjusted(1, 1, -1, -1), 14, QColor(32, 37, 44, 245), QColor(19, 22, 27, 245),
                 kLine);
    for (qreal y : {44.0, 140.0, 364.0})
        divider(p, s, y);
    QLinearGradient edge(0, 0, s.width(), 0);
    edge.setColorAt(0, QColor(3, 198, 247, 0));
    edge.setColorAt(0.5, QColor(3, 198, 247, 170));
    edge.setColorAt(1, QColor(3, 198, 247, 0));
    p.setPen(QPen(QBrush(edge), 1.5));
    p.drawLine(QPointF(24, 1.5), QPointF(s.width() - 24, 1.5));
    // A soft well behind the fan preview.
    QRadialGradient well(QPointF(233, 269), 70);
    well.setColorAt(0, QColor(0, 0, 0, 90));
    well.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(well);
    p.drawEllipse(QPointF(233, 269), 70, 70);
}

// A 120 mm fan seen from the front: frame with screw holes, the LED ring's dark track and the blades.
void classicFan(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    roundedPanel(p, whole(s).adjusted(2, 2, -2, -2), 14, QColor(44, 49, 57), QColor(26, 29, 34),
                 QColor(74, 82, 92));
    p.setPen(Qt::NoPen);
    const qreal inset = 11;
    for (QPointF corner : {QPointF(inset, inset), QPointF(s.width() - inset, inset),
                           QPointF(inset, s.height() - inset), QPointF(s.width() - inset, s.height() - inset)}) {
        p.setBrush(QColor(12, 14, 17));
        p.drawEllipse(corner, 4, 4);
        p.setBrush(QColor(80, 88, 98));
        p.drawEllipse(corner, 1.6, 1.6);
    }
    p.setBrush(QColor(12, 14, 17));
    p.drawEllipse(c, 50, 50);
    // Blades: seven swept shapes around the hub.
    for (int i = 0; i < 7; ++i) {
        p.save();
        p.translate(c);
        p.rotate(360.0 / 7 * i);
        QPainterPath blade;
        blade.moveTo(0, -12);
        blade.cubicTo(14, -18, 26, -30, 22, -35);
        blade.cubicTo(12, -36, 4, -26, -4, -13);
        blade.closeSubpath();
        QLinearGradient shade(0, -12, 22, -35);
        shade.setColorAt(0, QColor(58, 64, 72));
        shade.setColorAt(1, QColor(34, 38, 44));
        p.setBrush(shade);
        p.drawPath(blade);
        p.restore();
    }
    QRadialGradient hub(c - QPointF(3, 3), 14);
    hub.setColorAt(0, QColor(96, 104, 114));
    hub.setColorAt(1, QColor(46, 51, 58));
    p.setBrush(hub);
    p.drawEllipse(c, 12, 12);
    p.setBrush(QColor(20, 23, 28));
    p.drawEllipse(c, 4, 4);
}

void rgbIcon(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    QConicalGradient ring(c, 90);
    for (int i = 0; i <= 6; ++i)
        ring.setColorAt(i / 6.0, QColor::fromHsvF(i == 6 ? 0.0 : i / 6.0, 0.9, 1.0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(ring), 3));
    p.drawEllipse(c, s.width() / 2 - 3, s.height() / 2 - 3);
    p.setPen(Qt::NoPen);
    p.setBrush(kText);
    p.drawEllipse(c, 2.5, 2.5);
}

void blinkIcon(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 214, 64));
    p.drawEllipse(c, 3.5, 3.5);
    p.setPen(QPen(QColor(255, 214, 64), 1.8, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(c + dir * 6, c + dir * (i % 2 ? 7.5 : 9));
    }
}

void copyIcon(QPainter& p, QSizeF s) {
    p.setPen(QPen(kText, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(36, 42, 50));
    p.drawRoundedRect(QRectF(3, 3, s.width() - 9, s.height() - 9), 2.5, 2.5);
    p.setBrush(QColor(4, 96, 124));
    p.setPen(QPen(kAccent, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawRoundedRect(QRectF(7, 7, s.width() - 9, s.height() - 9), 2.5, 2.5);
}

// The checked state of a button: a lit pill in the button's own colour.
void litPill(QPainter& p, QSizeF s, const QColor& top, const QColor& bottom) {
    roundedPanel(p, whole(s).adjusted(1, 1, -1, -1), 6, top, bottom, top.lighter(140));
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    p.drawLine(QPointF(8, 2.5), QPointF(s.width() - 8, 2.5));
}

void errorMark(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    QRadialGradient fill(c - QPointF(2, 3), s.width() / 2);
    fill.setColorAt(0, QColor(255, 104, 92));
    fill.setColorAt(1, QColor(200, 40, 34));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawEllipse(c, s.width() / 2 - 1, s.height() / 2 - 1);
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x(), c.y() - 5.5), QPointF(c.x(), c.y() + 1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(c.x(), c.y() + 5.2), 1.4, 1.4);
}

void speedBar(QPainter& p, QSizeF s) {
    roundedPanel(p, whole(s).adjusted(1, 1, -1, -1), 10, QColor(16, 40, 50),
                 QColor(10, 26, 33), QColor(3, 198, 247, 150));
}

void brightHandle(QPainter& p, QSizeF s) {
    handle(p, s);
    const QPointF c = centreOf(s);
    p.setPen(QPen(QColor(3, 150, 190), 1.1, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(c + dir * 3.6, c + dir * 5.4);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(3, 150, 190));
    p.drawEllipse(c, 2.2, 2.2);
}

void hoverSwitch(QPainter& p, QSizeF s) {
    powerSwitch(p, s, false);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1));
    p.setBrush(Qt::NoBrush);
    const QRectF track = whole(s).adjusted(2, 5, -2, -5);
    p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
}

// Dialogs

void warningTriangle(QPainter& p, QPointF top, qreal size) {
    QPainterPath tri;
    tri.moveTo(top);
    tri.lineTo(top + QPointF(size * 0.58, size));
    tri.lineTo(top + QPointF(-size * 0.58, size));
    tri.closeSubpath();
    QLinearGradient fill(top, top + QPointF(0, size));
    fill.setColorAt(0, QColor(255, 196, 64));
    fill.setColorAt(1, QColor(240, 140, 30));
    p.setPen(QPen(QColor(255, 220, 120), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(tri);
    p.setPen(QPen(QColor(40, 26, 8), size * 0.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(top + QPointF(0, size * 0.34), top + QPointF(0, size * 0.66));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 26, 8));
    p.drawEllipse(top + QPointF(0, size * 0.82), size * 0.06, size * 0.06);
}

void warnBackground(QPainter& p, QSizeF s) {
    const QRectF r = whole(s).adjusted(1, 1, -1, -1);
    roundedPanel(p, r, 16, QColor(38, 34, 36), QColor(20, 22, 27), QColor(224, 96, 64));
    // A warm band along the top carries the caption.
    QPainterPath band;
    band.addRoundedRect(r, 16, 16);
    p.save();
    p.setClipPath(band);
    QLinearGradient glow(0, 0, 0, 64);
    glow.setColorAt(0, QColor(224, 84, 52, 120));
    glow.setColorAt(1, QColor(224, 84, 52, 0));
    p.fillRect(QRectF(0, 0, s.width(), 64), glow);
    p.restore();
    warningTriangle(p, QPointF(52, 72), 52);
    p.setPen(QPen(QColor(255, 255, 255, 16), 1));
    p.drawLine(QPointF(20, 186.5), QPointF(s.width() - 20, 186.5));
}

void saveButton(QPainter& p, QSizeF s, bool pressed) {
    const QRectF r = whole(s).adjusted(1, 1, -1, -1);
    if (pressed)
        roundedPanel(p, r, 7, QColor(4, 110, 140), QColor(3, 70, 90), kAccent);
    else
        roundedPanel(p, r, 7, QColor(9, 150, 190), QColor(4, 100, 128), QColor(80, 220, 255));
}

void infoBackground(QPainter& p, QSizeF s) {
    roundedPanel(p, whole(s).adjusted(1, 1, -1, -1), 16, QColor(32, 37, 44), QColor(18, 21, 26), kLine);
    QLinearGradient edge(0, 0, s.width(), 0);
    edge.setColorAt(0, QColor(3, 198, 247, 0));
    edge.setColorAt(0.5, QColor(3, 198, 247, 170));
    edge.setColorAt(1, QColor(3, 198, 247, 0));
    p.setPen(QPen(QBrush(edge), 1.5));
    p.drawLine(QPointF(30, 1.5), QPointF(s.width() - 30, 1.5));
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    p.drawLine(QPointF(20, 52.5), QPointF(s.width() - 20, 52.5));
}

void infoIcon(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    p.setPen(QPen(kAccent, 2));
    p.setBrush(QColor(4, 60, 78));
    p.drawEllipse(c, s.width() / 2 - 2, s.height() / 2 - 2);
    p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x(), c.y() - 1), QPointF(c.x(), c.y() + 6));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(c.x(), c.y() - 6), 1.7, 1.7);
}

void seriesBackground(QPainter& p, QSizeF s) {
    roundedPanel(p, whole(s).adjusted(1, 1, -1, -1), 16, QColor(32, 37, 44, 250), QColor(18, 21, 26, 250),
                 kAccent);
    const QPointF c(s.width() / 2, 150);
    p.setPen(QPen(QColor(10, 12, 15), 16));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 88, 88);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.drawEllipse(c, 96, 96);
    p.drawEllipse(c, 80, 80);
    p.drawLine(QPointF(20, 268.5), QPointF(s.width() - 20, 268.5));
}
} // namespace

void addClassicPictures(std::vector<Picture>& pictures) {
    auto add = [&](const char* path, QSize size, std::function<void(QPainter&, QSizeF)> draw) {
        pictures.push_back({QLatin1String(path), size, std::move(draw)});
    };
    add("Zyne/zyneCard.png", {302, 430}, classicCard);
    add("Zyne/palette.png", {150, 150}, [](QPainter& p, QSizeF s) { colourWheel(p, s, 0); });
    add("Zyne/classicFan.png", {114, 114}, classicFan);
    add("Zyne/btn_RGB_Mode.png", {20, 20}, rgbIcon);
    add("Zyne/btn_blink.png", {20, 20}, blinkIcon);
    add("Zyne/btn_copyRGB.png", {20, 20}, copyIcon);
    add("Zyne/btn_turnOn.png", {40, 26}, [](QPainter& p, QSizeF s) { powerSwitch(p, s, false); });
    add("Zyne/btn_openFan.png", {40, 26}, hoverSwitch);
    add("Zyne/btn_closeFan.png", {40, 26}, [](QPainter& p, QSizeF s) { powerSwitch(p, s, true); });
    add("Zyne/btn_performance_h.png", {58, 36},
        [](QPainter& p, QSizeF s) { litPill(p, s, QColor(236, 108, 48), QColor(176, 58, 30)); });
    add("Zyne/btn_silent_h.png", {58, 36},
        [](QPainter& p, QSizeF s) { litPill(p, s, QColor(24, 170, 140), QColor(10, 110, 92)); });
    add("Zyne/btn_pwm_h.png", {44, 22},
        [](QPainter& p, QSizeF s) { litPill(p, s, QColor(9, 150, 190), QColor(4, 96, 124)); });
    add("Zyne/btn_mode_h.png", {116, 34},
        [](QPainter& p, QSizeF s) { litPill(p, s, QColor(9, 150, 190), QColor(4, 96, 124)); });
    add("Zyne/bar-button.png", {18, 18}, handle);
    add("Zyne/bar_bright.png", {18, 18}, brightHandle);
    add("Zyne/rpm_bar.png", {110, 30}, speedBar);
    add("Zyne/blankImage_h.png", {22, 22}, [](QPainter&, QSizeF) {});
    add("Zyne/Fan_Error3.png", {22, 22}, errorMark);
}

void addDialogPictures(std::vector<Picture>& pictures) {
    auto add = [&](const char* path, QSize size, std::function<void(QPainter&, QSizeF)> draw) {
        pictures.push_back({QLatin1String(path), size, std::move(draw)});
    };
    add("warn_background.png", {428, 248}, warnBackground);
    add("btn_save.png", {80, 33}, [](QPainter& p, QSizeF s) { saveButton(p, s, false); });
    add("btn_save_h.png", {80, 33}, [](QPainter& p, QSizeF s) { saveButton(p, s, true); });
    add("info_background.png", {440, 400}, infoBackground);
    add("info_icon.png", {28, 28}, infoIcon);
    add("series_background.png", {360, 420}, seriesBackground);
}
