#include "ErrorLine.h"

#include "UiTexts.h"

#include <QPainter>
#include <QStyleOption>

#include <algorithm>

namespace zyne::ui {

namespace {
// Under the profile row, between the profile label and the buttons to its right; one line of text is
// this tall, longer texts add lines below.
const QRect kOneLine(140, 66, 620, 24);
constexpr int kVerticalPadding = 4;
constexpr int kTextFlags = Qt::AlignCenter | Qt::TextWordWrap;
} // namespace

ErrorLine::ErrorLine(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("label_error"));
    setStyleSheet(QStringLiteral("color: white; background: rgba(190, 40, 36, 0.92); border-radius: 12px;"
                                 " font-family: Arial; font-size: 11px; padding: %1px 10px;")
                      .arg(kVerticalPadding));
    setGeometry(kOneLine);
    hide();
}

void ErrorLine::setError(int type, int index) {
    if (!isKnownError(type, index))
        return;
    m_type = type;
    m_index = index;
    retranslate();
}

void ErrorLine::retranslate() {
    if (isKnownError(m_type, m_index))
        showMessage(errorLineText(m_type, m_index));
}

void ErrorLine::showMessage(const QString& text) {
    setText(text);
    ensurePolished();
    const QMargins margins = contentsMargins();
    const QRect room = QRect(QPoint(), kOneLine.size()).marginsRemoved(margins);
    // Too long for one line: the code in brackets goes whole onto the next one.
    const int codeAt = text.lastIndexOf(QStringLiteral(" ("));
    m_shown = text;
    if (fontMetrics().horizontalAdvance(text) > room.width() && codeAt > 0)
        m_shown = text.left(codeAt) + QLatin1Char('\n') + text.mid(codeAt + 1);
    const int textHeight =
        fontMetrics().boundingRect(room.x(), 0, room.width(), 0, kTextFlags, m_shown).height();
    setGeometry(kOneLine.x(), kOneLine.y(), kOneLine.width(),
                std::max(kOneLine.height(), textHeight + margins.top() + margins.bottom()));
}

void ErrorLine::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect(), kTextFlags, m_shown);
}

} // namespace zyne::ui
