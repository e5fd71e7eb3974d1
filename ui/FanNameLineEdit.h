#pragma once

#include <QLineEdit>

namespace zyne::ui {

// The fan-name editor: tells when it gains or loses the focus, so editing ends on a click elsewhere
// as well as on Return. Disabled until its owner starts an edit.
class FanNameLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // Characters as a reader counts them: an emoji, a flag or a letter with its marks is one.
    static constexpr int kMaxLength = 24;
    explicit FanNameLineEdit(QWidget* parent = nullptr);

    // What may be stored as a fan name: no control characters or line breaks, no text-direction
    // overrides, no broken surrogate halves, edges trimmed, at most kMaxLength characters. Anything
    // else a user types (commas, quotes, brackets, any script, emoji) is kept as typed.
    static QString cleaned(const QString& typed);
    static int characterCount(const QString& text);
    // The text cut after `count` characters, never inside one.
    static QString firstCharacters(const QString& text, int count);

signals:
    void focussed(bool hasFocus);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void limitTyping(const QString& text);
};

} // namespace zyne::ui
