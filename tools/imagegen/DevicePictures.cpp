// The device views' pictures: card, colour wheels, device bodies and icons, small controls.
#include "Drawing.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace {
using namespace palette;

const QColor kMetalLight(120, 128, 138);
const QColor kMetalDark(46, 51, 58);

QPointF centreOf(QSizeF s) {
    return {s.width() / 2, s.height() / 2};
}

void card(QPainter& p, QSizeF s) {
    const QRectF r(QPointF(0, 0), s);
    roundedPanel(p, r.adjusted(1, 1, -1, -1), 14, QColor(32, 37, 44, 245), QColor(19, 22, 27, 245), kLine);
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    p.drawLine(QPointF(12, 68.5), QPointF(s.width() - 12, 68.5));
    p.drawLine(QPointF(12, 328.5), QPointF(s.width() - 12, 328.5));
    // Accent edge along the top.
    QLinearGradient edge(0, 0, s.width(), 0);
    edge.setColorAt(0, QColor(3, 198, 247, 0));
    edge.setColorAt(0.5, QColor(3, 198, 247, 170));
    edge.setColorAt(1, QColor(3, 198, 247, 0));
    p.setPen(QPen(QBrush(edge), 1.5));
    p.drawLine(QPointF(24, 1.5), QPointF(s.width() - 24, 1.5));
}

void ledTrack(QPainter& p, QPointF c, qreal r) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 12, 15), 16));
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.drawEllipse(c, r + 8, r + 8);
    p.drawEllipse(c, r - 8, r - 8);
}

void fanBody(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    roundedPanel(p, QRectF(QPointF(2, 2), s - QSizeF(4, 4)), 26, QColor(40, 45, 52), QColor(26, 29, 34),
                 QColor(66, 74, 84));
    p.setPen(Qt::NoPen);
    for (QPointF corner : {QPointF(18, 18), QPointF(s.width() - 18, 18), QPointF(18, s.height() - 18),
                           QPointF(s.width() - 18, s.height() - 18)}) {
        p.setBrush(QColor(12, 14, 17));
        p.drawEllipse(corner, 6, 6);
        p.setBrush(QColor(70, 78, 88));
        p.drawEllipse(corner, 2.5, 2.5);
    }
    p.setBrush(QColor(14, 16, 20));
    p.drawEllipse(c, 104, 104);
    ledTrack(p, c, 88);
}

void pumpBody(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    p.setPen(Qt::NoPen);
    // Tubes leaving the pump head.
    p.setBrush(QColor(30, 33, 38));
    p.drawRoundedRect(QRectF(c.x() + 60, 0, 22, 60), 10, 10);
    p.drawRoundedRect(QRectF(c.x() + 30, 0, 22, 48), 10, 10);
    QRadialGradient metal(c - QPointF(30, 30), 140);
    metal.setColorAt(0, kMetalLight);
    metal.setColorAt(1, kMetalDark);
    p.setBrush(metal);
    p.drawEllipse(c, 100, 100);
    p.setBrush(QColor(16, 18, 22));
    p.drawEllipse(c, 92, 92);
    ledTrack(p, c, 80);
}

void radiatorBody(QPainter& p, QSizeF s) {
    roundedPanel(p, QRectF(QPointF(4, 4), s - QSizeF(8, 8)), 10, QColor(44, 48, 55), QColor(30, 33, 38),
                 QColor(70, 78, 88));
    p.setPen(QPen(QColor(255, 255, 255, 16), 1));
    for (qreal y = 34; y < s.height() - 34; y += 4)
        p.drawLine(QPointF(14, y), QPointF(s.width() - 14, y));
    // Light strips along the top and bottom edge.
    for (qreal y : {18.0, s.height() - 18.0}) {
        p.setPen(QPen(QColor(10, 12, 15), 14, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(16, y), QPointF(s.width() - 16, y));
    }
}

void caseBody(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    roundedPanel(p, QRectF(QPointF(6, 2), s - QSizeF(12, 4)), 18, QColor(38, 42, 48), QColor(22, 25, 29),
                 QColor(66, 74, 84));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 12, 15), 16));
    p.drawEllipse(c, 98, 86);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.drawEllipse(c, 106, 94);
}

void gxBody(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    QPainterPath frame;
    for (int i = 0; i < 8; ++i) {
        const double a = (22.5 + 45.0 * i) * 3.14159265358979 / 180.0;
        const QPointF corner = c + QPointF(108 * std::cos(a), 108 * std::sin(a));
        i == 0 ? frame.moveTo(corner) : frame.lineTo(corner);
    }
    frame.closeSubpath();
    QLinearGradient fill(0, 0, 0, s.height());
    fill.setColorAt(0, QColor(44, 49, 56));
    fill.setColorAt(1, QColor(24, 27, 32));
    p.setBrush(fill);
    p.setPen(QPen(QColor(70, 78, 88), 1));
    p.drawPath(frame);
    ledTrack(p, c, 88);
}

void glintBody(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(10, 12, 15), 18, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c - QPointF(96, 96), QSizeF(192, 192)), 0, 180 * 16);
    p.setPen(QPen(QColor(70, 78, 88), 1));
    p.drawArc(QRectF(c - QPointF(106, 106), QSizeF(212, 212)), 0, 180 * 16);
}

void glintSide(QPainter& p, QSizeF s) {
    QLinearGradient strip(0, 0, s.width(), 0);
    for (int i = 0; i <= 6; ++i)
        strip.setColorAt(i / 6.0, QColor::fromHsvF(i / 6.0 == 1.0 ? 0.0 : i / 6.0, 0.8, 0.9));
    p.setPen(Qt::NoPen);
    p.setBrush(strip);
    p.drawRoundedRect(QRectF(QPointF(0, 0), s).adjusted(1, 4, -1, -4), 4, 4);
}

// The coupler: a round hub lit by one ring, with a connector on either side for the strips it feeds.
void couplerBody(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    p.setPen(Qt::NoPen);
    for (qreal side : {-1.0, 1.0}) {
        const QRectF plug(c.x() + side * 100 - 12, c.y() - 16, 24, 32);
        roundedPanel(p, plug, 4, QColor(52, 58, 66), QColor(30, 33, 38), QColor(70, 78, 88));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 170, 90));
        for (int pin = 0; pin < 3; ++pin)
            p.drawRect(QRectF(plug.center().x() - 2, plug.top() + 6 + 8 * pin, 4, 4));
    }
    QRadialGradient shell(c - QPointF(26, 26), 130);
    shell.setColorAt(0, QColor(58, 64, 73));
    shell.setColorAt(1, QColor(24, 27, 32));
    p.setBrush(shell);
    p.setPen(QPen(QColor(70, 78, 88), 1));
    p.drawEllipse(c, 92, 92);
    ledTrack(p, c, 84);
}

void light(QPainter& p, QSizeF s, bool lit) {
    const QPointF c(s.width() / 2, s.height() / 2 - 2);
    if (lit) {
        QRadialGradient glow(c, s.width() / 2);
        glow.setColorAt(0, QColor(3, 198, 247, 120));
        glow.setColorAt(1, QColor(3, 198, 247, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, s.width() / 2, s.width() / 2);
    }
    p.setPen(QPen(lit ? kAccent : QColor(110, 118, 128), 1.6));
    p.setBrush(lit ? QColor(220, 246, 255) : QColor(40, 45, 52));
    p.drawEllipse(c, 7, 7);
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(c.x() - 4, c.y() + 10), QPointF(c.x() + 4, c.y() + 10));
    p.drawLine(QPointF(c.x() - 3, c.y() + 13), QPointF(c.x() + 3, c.y() + 13));
}

void aioLogo(QPainter& p, QSizeF s) {
    p.setPen(QPen(kText, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centreOf(s), s.height() / 2 - 1, s.height() / 2 - 1);
    p.drawLine(QPointF(s.width() / 2 - 3, s.height() / 2), QPointF(s.width() / 2 + 3, s.height() / 2));
}

// Small icons for the device-kind selector, 32 x 32.
void iconFan(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    roundedPanel(p, QRectF(QPointF(2, 2), s - QSizeF(4, 4)), 6, QColor(60, 66, 76), QColor(40, 45, 52),
                 kLine);
    QConicalGradient ring(c, 90);
    for (int i = 0; i <= 6; ++i)
        ring.setColorAt(i / 6.0, QColor::fromHsvF(i == 6 ? 0.0 : i / 6.0, 0.9, 1.0));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(ring), 3));
    p.drawEllipse(c, 10, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(kMetalLight);
    p.drawEllipse(c, 3, 3);
}

void iconPump(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    p.setPen(QPen(kAccent, 2.5));
    p.setBrush(QColor(40, 45, 52));
    p.drawEllipse(c, 12, 12);
    p.setPen(QPen(kText, 1.5));
    p.drawEllipse(c, 5, 5);
}

void iconRadiator(QPainter& p, QSizeF s) {
    roundedPanel(p, QRectF(3, 8, s.width() - 6, s.height() - 16), 3, QColor(60, 66, 76), QColor(40, 45, 52),
                 kLine);
    p.setPen(QPen(kAccent, 2));
    p.drawLine(QPointF(6, 10), QPointF(s.width() - 6, 10));
    p.drawLine(QPointF(6, s.height() - 10), QPointF(s.width() - 6, s.height() - 10));
}

void iconReservoir(QPainter& p, QSizeF s) {
    roundedPanel(p, QRectF(9, 2, s.width() - 18, s.height() - 4), 6, QColor(60, 66, 76), QColor(40, 45, 52),
                 kLine);
    p.fillRect(QRectF(12, 14, s.width() - 24, s.height() - 19), QColor(3, 198, 247, 150));
}

void iconCase(QPainter& p, QSizeF s) {
    roundedPanel(p, QRectF(7, 2, s.width() - 14, s.height() - 4), 4, QColor(60, 66, 76), QColor(40, 45, 52),
                 kLine);
    p.setPen(QPen(kAccent, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centreOf(s), 7, 9);
}

void iconGx(QPainter& p, QSizeF s) {
    iconFan(p, s);
    p.setPen(QPen(kAccent, 1.5));
    p.drawLine(QPointF(4, 4), QPointF(10, 4));
    p.drawLine(QPointF(s.width() - 10, s.height() - 4), QPointF(s.width() - 4, s.height() - 4));
}

void iconGlint(QPainter& p, QSizeF s) {
    p.setPen(QPen(kAccent, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(5, 8, s.width() - 10, s.height() - 6), 0, 180 * 16);
}

void iconCoupler(QPainter& p, QSizeF s) {
    const QPointF c = centreOf(s);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 66, 76));
    p.drawRect(QRectF(2, c.y() - 3, s.width() - 4, 6));
    p.setPen(QPen(kAccent, 2.5));
    p.setBrush(QColor(40, 45, 52));
    p.drawEllipse(c, 9, 9);
}

void colorPanel(QPainter& p, QSizeF s) {
    roundedPanel(p, QRectF(QPointF(0, 0), s), 10, QColor(28, 33, 40, 250), QColor(18, 21, 26, 250), kAccent);
}

void pen(QPainter& p, QSizeF s) {
    QPainterPath body;
    body.moveTo(3, s.height() - 3);
    body.lineTo(4.5, s.height() - 7.5);
    body.lineTo(s.width() - 6, 3.5);
    body.lineTo(s.width() - 3.5, 6);
    body.lineTo(7.5, s.height() - 4.5);
    body.closeSubpath();
    p.setPen(QPen(kText, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
}

void selectBar(QPainter& p, QSizeF s) {
    roundedPanel(p, QRectF(QPointF(0, 0), s), 5, QColor(36, 42, 50), QColor(28, 32, 38), kLine);
}

void selectArrow(QPainter& p, QSizeF s) {
    QPainterPath v;
    v.moveTo(3, s.height() / 2 - 2);
    v.lineTo(s.width() / 2, s.height() / 2 + 2);
    v.lineTo(s.width() - 3, s.height() / 2 - 2);
    p.setPen(QPen(kAccent, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(v);
}
} // namespace

void powerSwitch(QPainter& p, QSizeF s, bool off) {
    const QRectF track = QRectF(QPointF(0, 0), s).adjusted(2, 5, -2, -5);
    p.setPen(QPen(off ? palette::kLine : palette::kAccent, 1));
    p.setBrush(off ? QColor(30, 34, 40) : QColor(4, 96, 124));
    p.drawRoundedRect(track, track.height() / 2, track.height() / 2);
    const qreal r = track.height() / 2 - 2;
    const QPointF knob(off ? track.left() + r + 2 : track.right() - r - 2, track.center().y());
    p.setPen(Qt::NoPen);
    p.setBrush(off ? QColor(110, 118, 128) : Qt::white);
    p.drawEllipse(knob, r, r);
}

void handle(QPainter& p, QSizeF s) {
    p.setPen(QPen(palette::kAccent, 2));
    p.setBrush(QColor(232, 248, 255));
    p.drawEllipse(centreOf(s), s.width() / 2 - 1.5, s.height() / 2 - 1.5);
}

void addDevicePictures(std::vector<Picture>& pictures) {
    auto add = [&](const char* path, QSize size, std::function<void(QPainter&, QSizeF)> draw) {
        pictures.push_back({QLatin1String(path), size, std::move(draw)});
    };
    add("fanCard.png", {322, 427}, card);
    add("palette.png", {144, 144}, [](QPainter& p, QSizeF s) { colourWheel(p, s, 0); });
    add("AIOPlus/palette.png", {144, 144}, [](QPainter& p, QSizeF s) { colourWheel(p, s, 0); });
    add("GXPlus/GX_Palette.png", {144, 144}, [](QPainter& p, QSizeF s) { colourWheel(p, s, 24); });
    add("fan_body.png", {220, 220}, fanBody);
    add("AIOPlus/mainBody.png", {220, 220}, pumpBody);
    add("RadiatorPlus/mainBody.png", {220, 220}, radiatorBody);
    add("K7Plus/mainBody.png", {220, 220}, caseBody);
    add("GXPlus/mainBody.png", {220, 220}, gxBody);
    add("GlintPlus/mainBody.png", {220, 220}, glintBody);
    add("GlintPlus/Side.png", {220, 14}, glintSide);
    add("CouplerPlus/mainBody.png", {220, 220}, couplerBody);
    add("CouplerPlus/CouplerPlus_Icon.png", {32, 32}, iconCoupler);
    add("light.png", {28, 28}, [](QPainter& p, QSizeF s) { light(p, s, true); });
    add("light_off.png", {28, 28}, [](QPainter& p, QSizeF s) { light(p, s, false); });
    add("AIOPlus/logo.png", {32, 14}, aioLogo);
    add("fan_Icon.png", {32, 32}, iconFan);
    add("AIOPlus/AIO_Icon.png", {32, 32}, iconPump);
    add("RadiatorPlus/RadiatorPlus_Icon.png", {32, 32}, iconRadiator);
    add("ReservoirPlus/ReservoirPlus_Icon.png", {32, 32}, iconReservoir);
    add("K7Plus/K7_Icon.png", {32, 32}, iconCase);
    add("GXPlus/GX_Icon.png", {32, 32}, iconGx);
    add("GlintPlus/GlintIcon.png", {32, 32}, iconGlint);
    add("colorWidget.png", {310, 92}, colorPanel);
    add("editFanNanePen.png", {18, 18}, pen);
    add("btn_turnon.png", {36, 26}, [](QPainter& p, QSizeF s) { powerSwitch(p, s, false); });
    add("btn_turnoff.png", {36, 26}, [](QPainter& p, QSizeF s) { powerSwitch(p, s, true); });
    add("bar_bright.png", {16, 16}, handle);
    add("adjust.png", {16, 16}, handle);
    add("selectTypeBar.png", {150, 24}, selectBar);
    add("Select.png", {12, 12}, selectArrow);
}
