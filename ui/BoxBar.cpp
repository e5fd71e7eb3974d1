#include "BoxBar.h"

#include "Pictures.h"
#include "ViewRules.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QScrollBar>

namespace zyne::ui {

namespace {
QString boxButtonStyle(bool present) {
    const QString colour = present ? QStringLiteral("white") : QStringLiteral("gray");
    return QStringLiteral("QPushButton {font-family: Arial; font-size:16px; color: %1; %2}"
                          "QPushButton:checked {font-size:14px; %3}")
        .arg(colour, borderImage(QStringLiteral("device.png")), borderImage(QStringLiteral("device_h.png")));
}
} // namespace

BoxBar::BoxBar(QWidget* parent) : QScrollArea(parent), m_group(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("boxBar"));
    setStyleSheet(QStringLiteral("* { background-color: rgb(80, 80, 80); }"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    auto* content = new QWidget;
    content->setFixedSize(713, 33);
    m_group->setExclusive(true);
    for (int box = 0; box < kBoxButtonCount; ++box) {
        auto* b = new QPushButton(QString::number(box + 1), content);
        b->setObjectName(QString::number(box));
        b->setGeometry(45 * box, 3, 38, 28);
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::PointingHandCursor);
        m_group->addButton(b, box);
        setPresent(box, false);
    }
    setWidget(content);
}

QPushButton* BoxBar::button(int box) const {
    return qobject_cast<QPushButton*>(m_group->button(box));
}

void BoxBar::setPresent(int box, bool present) {
    QPushButton* b = button(box);
    if (!b)
        return;
    if (!present && b->isChecked()) {
        // An exclusive group won't let its checked button go; lift the rule for this one.
        m_group->setExclusive(false);
        b->setChecked(false);
        m_group->setExclusive(true);
    }
    b->setCheckable(present);
    b->setStyleSheet(boxButtonStyle(present));
}

bool BoxBar::isPresent(int box) const {
    const QPushButton* b = button(box);
    return b && b->isCheckable();
}

void BoxBar::select(int box) {
    if (QPushButton* b = button(box); b && b->isCheckable())
        b->setChecked(true);
}

int BoxBar::position() const {
    return horizontalScrollBar()->value();
}

void BoxBar::setPosition(int position) {
    horizontalScrollBar()->setValue(position);
}

} // namespace zyne::ui
