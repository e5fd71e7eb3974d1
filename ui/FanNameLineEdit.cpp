#include "FanNameLineEdit.h"

#include <QLoggingCategory>
#include <QSignalBlocker>
#include <QTextBoundaryFinder>

#include <algorithm>

Q_LOGGING_CATEGORY(lcFanName, "zyne.ui.fan")

namespace zyne::ui {

namespace {
bool isDirectionOverride(uint code) {
    return (code >= 0x202A && code <= 0x202E) || (code >= 0x2066 && code <= 0x2069);
}

bool isKept(uint code) {
    const QChar::Category category = QChar::category(code);
    return category != QChar::Other_Control && category != QChar::Separator_Line &&
           category != QChar::Separator_Paragraph && !isDirectionOverride(code);
}
} // namespace

FanNameLineEdit::FanNameLineEdit(QWidget* parent) : QLineEdit(parent) {
    setObjectName(QStringLiteral("labelFanName"));
    setStyleSheet(QStringLiteral(
        "QLineEdit#labelFanName {font-family: Arial; font-size:12px;color: gray; border: 0px solid red;}"));
    setAlignment(Qt::AlignCenter);
    setPlaceholderText(QStringLiteral("Name"));
    setEnabled(false);
    connect(this, &QLineEdit::returnPressed, this, [this] { clearFocus(); });
    connect(this, &QLineEdit::textEdited, this, &FanNameLineEdit::limitTyping);
}

QString FanNameLineEdit::cleaned(const QString& typed) {
    QString name;
    for (int i = 0; i < typed.size(); ++i) {
        const QChar c = typed.at(i);
        if (c.isHighSurrogate() && i + 1 < typed.size() && typed.at(i + 1).isLowSurrogate()) {
            const uint code = QChar::surrogateToUcs4(c, typed.at(i + 1));
            if (isKept(code))
                name.append(c).append(typed.at(i + 1));
            ++i;
        } else if (!c.isSurrogate() && isKept(c.unicode())) {
            name.append(c);
        }
    }
    return firstCharacters(name.trimmed(), kMaxLength);
}

int FanNameLineEdit::characterCount(const QString& text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

QString FanNameLineEdit::firstCharacters(const QString& text, int count) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int end = 0;
    for (int i = 0; i < count; ++i) {
        const int next = finder.toNextBoundary();
        if (next < 0)
            return text;
        end = next;
    }
    return text.left(end);
}

void FanNameLineEdit::limitTyping(const QString& text) {
    if (characterCount(text) <= kMaxLength)
        return;
    const int cursor = cursorPosition();
    const QSignalBlocker blocker(this);
    setText(firstCharacters(text, kMaxLength));
    setCursorPosition(std::min(cursor, static_cast<int>(this->text().size())));
}

void FanNameLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    qCDebug(lcFanName) << "focusInEvent";
    emit focussed(true);
}

void FanNameLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    qCDebug(lcFanName) << "focusOutEvent";
    emit focussed(false);
}

} // namespace zyne::ui
