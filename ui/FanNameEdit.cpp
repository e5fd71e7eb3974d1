#include "FanNameEdit.h"

namespace zyne::ui {

FanNameEdit::FanNameEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(kMaxLength);
    connect(this, &QLineEdit::returnPressed, this, [this] { clearFocus(); });
}

QString FanNameEdit::cleaned(const QString& typed) {
    QString name;
    for (const QChar c : typed) {
        if (c.category() != QChar::Other_Control && c.category() != QChar::Other_Format &&
            c != QChar::LineSeparator && c != QChar::ParagraphSeparator)
            name += c;
    }
    return name.trimmed().left(kMaxLength);
}

void FanNameEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit focussed(true);
}

void FanNameEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focussed(false);
}

} // namespace zyne::ui
