// The window's own pictures: background, title-bar buttons, box and profile buttons, menu, keypad.
#include "Drawing.h"

#include <QConicalGradient>
#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace {
using namespace palette;

QFont font(qreal pixelSize, int weight = QFont::Normal, qreal spacing = 0) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(static_cast<int>(pixelSize));
    f.setWeight(weight);
    if (spacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return f;
}

void fanMark(QPainter& p, QPointF c, qreal r) {
    QConicalGradient wheel(c, 90);
    const QColor stops[] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta, Qt::red};
    for (int i = 0; i < 7; ++i)
        wheel.setColorAt(i / 6.0, stops[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(wheel);
    p.drawEllipse(c, r, r);
    p.setBrush(QColor(20, 23, 28));
    p.drawEllipse(c, r * 0.66, r * 0.66);
    p.setBrush(QColor(95, 102, 112));
    p.drawEllipse(c, r * 0.22, r * 0.22);
}

void background(QPainter& p, QSizeF s) {
    QLinearGradient base(0, 0, 0, s.height());
    base.setColorAt(0, QColor(22, 25, 30));
    base.setColorAt(1, QColor(12, 14, 17));
    p.fillRect(QRectF(QPointF(0, 0), s), base);
    // A soft glow behind the front device view.
    QRadialGradient glow(QPointF(500, 360), 420);
    glow.setColorAt(0, QColor(3, 198, 247, 34));
    glow.setColorAt(1, QColor(3, 198, 247, 0));
    p.fillRect(QRectF(QPointF(0, 0), s), glow);
    // Title strip and the bar that holds boxes and profiles.
    p.fillRect(QRectF(0, 0, s.width(), 26), QColor(14, 16, 20));
    p.fillRect(QRectF(0, 26, s.width(), 1), QColor(40, 46, 54));
    roundedPanel(p, QRectF(20, 30, 358, 34), 8, QColor(34, 39, 46), QColor(27, 31, 37), kLine);
    // Fine dot grid for texture.
    p.setPen(QPen(QColor(255, 255, 255, 9), 1));
    for (int y = 110; y < s.height() - 30; y += 16)
        for (int x = 12; x < s.width(); x += 16)
            p.drawPoint(x, y);
    p.fillRect(QRectF(0, s.height() - 30, s.width(), 1), QColor(40, 46, 54));
    p.setPen(QPen(QColor(3, 198, 247, 160), 1));
    p.drawLine(QPointF(0, s.height() - 0.5), QPointF(s.width(), s.height() - 0.5));
}

void productName(QPainter& p, QSizeF s) {
    p.setFont(font(12, QFont::DemiBold, 4));
    p.setPen(kText);
    p.drawText(QRectF(QPointF(0, 0), s), Qt::AlignCenter, QStringLiteral("ZYNE PLUS RGB"));
}

void brandLogo(QPainter& p, QSizeF s) {
    fanMark(p, QPointF(14, s.height() / 2), 12);
    p.setFont(font(15, QFont::Bold, 2));
    p.setPen(Qt::white);
    p.drawText(QRectF(34, 0, s.width() - 34, s.height()), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("VX ZYNE"));
}

void iconBase(QPainter& p, QSizeF s) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 14));
    p.drawRoundedRect(QRectF(QPointF(0, 0), s).adjusted(1, 1, -1, -1), 5, 5);
    p.setPen(QPen(kText, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
}

void closeButton(QPainter& p, QSizeF s) {
    iconBase(p, s);
    p.drawLine(QPointF(7, 7), QPointF(s.width() - 7, s.height() - 7));
    p.drawLine(QPointF(s.width() - 7, 7), QPointF(7, s.height() - 7));
}

void minButton(QPainter& p, QSizeF s) {
    iconBase(p, s);
    p.drawLine(QPointF(7, s.height() / 2 + 0.5), QPointF(s.width() - 7, s.height() / 2 + 0.5));
}

void settingButton(QPainter& p, QSizeF s) {
    iconBase(p, s);
    const QPointF c(s.width() / 2, s.height() / 2);
    for (int i = 0; i < 8; ++i) {
        p.save();
        p.translate(c);
        p.rotate(45.0 * i);
        p.setPen(QPen(kText, 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(0, -5.2), QPointF(0, -7));
        p.restore();
    }
    p.drawEllipse(c, 4.6, 4.6);
    p.drawEllipse(c, 1.6, 1.6);
}

void infoButton(QPainter& p, QSizeF s) {
    iconBase(p, s);
    const QPointF c(s.width() / 2, s.height() / 2);
    p.drawEllipse(c, 7, 7);
    p.drawLine(QPointF(c.x(), c.y() - 1), QPointF(c.x(), c.y() + 4));
    p.setBrush(kText);
    p.drawEllipse(QPointF(c.x(), c.y() - 3.6), 0.6, 0.6);
}

void arrow(QPainter& p, QSizeF s, bool left) {
    QPainterPath path;
    const qreal w = s.width(), h = s.height();
    if (left) {
        path.moveTo(w - 3, 2);
        path.lineTo(3, h / 2);
        path.lineTo(w - 3, h - 2);
    } else {
        path.moveTo(3, 2);
        path.lineTo(w - 3, h / 2);
        path.lineTo(3, h - 2);
    }
    p.setPen(QPen(kAccent, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void boxButton(QPainter& p, QSizeF s, bool checked) {
    const QRectF r = QRectF(QPointF(0, 0), s).adjusted(1, 1, -1, -1);
    if (checked) {
        roundedPanel(p, r, 6, QColor(9, 120, 152), QColor(4, 74, 96), kAccent);
        p.setPen(QPen(QColor(3, 198, 247), 2));
        p.drawLine(QPointF(r.left() + 8, r.bottom() - 1), QPointF(r.right() - 8, r.bottom() - 1));
    } else {
        roundedPanel(p, r, 6, QColor(52, 58, 66), QColor(40, 45, 52), QColor(70, 78, 88));
    }
}

void profileButton(QPainter& p, QSizeF s, bool checked) {
    const QRectF r = QRectF(QPointF(0, 0), s).adjusted(1, 1, -1, -1);
    if (checked) {
        roundedPanel(p, r, 7, QColor(8, 96, 124), QColor(5, 60, 78), kAccent);
    } else {
        roundedPanel(p, r, 7, QColor(40, 46, 54), QColor(28, 32, 38), kLine);
    }
}

void menu(QPainter& p, QSizeF s) {
    roundedPanel(p, QRectF(QPointF(0, 0), s), 8, QColor(30, 35, 42, 250), QColor(20, 23, 28, 250), kLine);
    p.setPen(QPen(QColor(255, 255, 255, 16), 1));
    for (int k = 1; k < 11; ++k) {
        const qreal y = 5 + 35 * k - 2.5;
        if (k == 7 || k == 10)
            p.drawLine(QPointF(10, y), QPointF(s.width() - 10, y));
    }
}

void passwordMask(QPainter& p, QSizeF s) {
    p.fillRect(QRectF(QPointF(0, 0), s), QColor(5, 7, 9, 200));
}

void passwordPanel(QPainter& p, QSizeF s) {
    roundedPanel(p, QRectF(QPointF(0, 0), s), 16, QColor(34, 40, 48), QColor(20, 23, 28), kLine);
    p.setPen(QPen(QColor(3, 198, 247, 90), 1));
    p.drawLine(QPointF(24, 88.5), QPointF(s.width() - 24, 88.5));
}

void keypadKey(QPainter& p, QSizeF s) {
    const QRectF r = QRectF(QPointF(0, 0), s).adjusted(2, 2, -2, -2);
    QRadialGradient fill(r.center() - QPointF(0, 8), r.width() * 0.7);
    fill.setColorAt(0, QColor(56, 64, 74));
    fill.setColorAt(1, QColor(32, 37, 44));
    p.setBrush(fill);
    p.setPen(QPen(QColor(80, 90, 102), 1));
    p.drawEllipse(r);
}

void keypadOk(QPainter& p, QSizeF s) {
    const QRectF r = QRectF(QPointF(0, 0), s).adjusted(2, 2, -2, -2);
    p.setBrush(QColor(4, 110, 140));
    p.setPen(QPen(kAccent, 1.2));
    p.drawEllipse(r);
    QPainterPath tick;
    tick.moveTo(r.center() + QPointF(-10, 0));
    tick.lineTo(r.center() + QPointF(-3, 7));
    tick.lineTo(r.center() + QPointF(11, -8));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
}

void keypadReturn(QPainter& p, QSizeF s) {
    keypadKey(p, s);
    const QPointF c(s.width() / 2, s.height() / 2);
    QPainterPath back;
    back.moveTo(c + QPointF(11, -7));
    back.lineTo(c + QPointF(-4, -7));
    back.lineTo(c + QPointF(-12, 0));
    back.lineTo(c + QPointF(-4, 7));
    back.lineTo(c + QPointF(11, 7));
    back.closeSubpath();
    p.setPen(QPen(kText, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(back);
    p.drawLine(c + QPointF(0, -3), c + QPointF(6, 3));
    p.drawLine(c + QPointF(6, -3), c + QPointF(0, 3));
}

void line(QPainter& p, QSizeF s) {
    p.fillRect(QRectF(QPointF(0, 0), s), kAccent);
}

void appIcon(QPainter& p, QSizeF s) {
    fanMark(p, QPointF(s.width() / 2, s.height() / 2), s.width() * 0.48);
}
} // namespace

void addChromePictures(std::vector<Picture>& pictures) {
    auto add = [&](const char* path, QSize size, std::function<void(QPainter&, QSizeF)> draw) {
        pictures.push_back({QLatin1String(path), size, std::move(draw)});
    };
    add("logo.ico", {64, 64}, appIcon);
    add("logo.png", {64, 64}, appIcon);
    add("background.png", {999, 606}, background);
    add("product_name.png", {325, 14}, productName);
    add("LOGO.png", {168, 28}, brandLogo);
    add("btn_close.png", {22, 22}, closeButton);
    add("btn_min.png", {22, 22}, minButton);
    add("btn_setting.png", {22, 22}, settingButton);
    add("btn_info.png", {22, 22}, infoButton);
    add("ArrowLeft.png", {15, 19}, [](QPainter& p, QSizeF s) { arrow(p, s, true); });
    add("ArrowRight.png", {15, 19}, [](QPainter& p, QSizeF s) { arrow(p, s, false); });
    add("device.png", {38, 28}, [](QPainter& p, QSizeF s) { boxButton(p, s, false); });
    add("device_h.png", {38, 28}, [](QPainter& p, QSizeF s) { boxButton(p, s, true); });
    add("btn_profile.png", {57, 34}, [](QPainter& p, QSizeF s) { profileButton(p, s, false); });
    add("btn_profile_h.png", {57, 34}, [](QPainter& p, QSizeF s) { profileButton(p, s, true); });
    add("menu_Language.png", {131, 389}, menu);
    add("keyboard/passwordMask.png", {999, 606}, passwordMask);
    add("keyboard/passwordPanel.png", {299, 388}, passwordPanel);
    add("keyboard/LINE.png", {39, 1}, line);
    add("keyboard/keyboard.png", {57, 57}, keypadKey);
    add("keyboard/password_ok.png", {57, 57}, keypadOk);
    add("keyboard/password_return.png", {57, 57}, keypadReturn);
}
