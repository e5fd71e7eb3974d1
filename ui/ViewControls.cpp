#include "ViewControls.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>

namespace zyne::ui {

QPushButton* makeButton(QWidget* parent, const char* name, QRect geometry, const QString& style) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setStyleSheet(style);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QLabel* makeLabel(QWidget* parent, QRect geometry, const char* style, Qt::Alignment align) {
    auto* l = new QLabel(parent);
    l->setGeometry(geometry);
    l->setStyleSheet(QLatin1String(style));
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

QLabel* makeLabel(QWidget* parent, const char* name, QRect geometry, const char* style, Qt::Alignment align) {
    QLabel* l = makeLabel(parent, geometry, style, align);
    l->setObjectName(QLatin1String(name));
    return l;
}

QSlider* makeSlider(QWidget* parent, const char* name, QRect geometry, int top) {
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(QLatin1String(name));
    s->setGeometry(geometry);
    s->setRange(0, top);
    s->setSingleStep(1);
    s->setPageStep(1);
    s->setStyleSheet(QLatin1String(theme::kSlider));
    s->setFocusPolicy(Qt::NoFocus);
    return s;
}

} // namespace zyne::ui
