#pragma once

#include <QLineEdit>

namespace zyne::ui {

// The fan-name line edit: tells when it gains or loses the focus, so editing ends on a click
// elsewhere as well as on Return.
class FanNameEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 24;
    explicit FanNameEdit(QWidget* parent = nullptr);

    // What may be stored as a fan name: no control characters, edges trimmed, at most kMaxLength.
    static QString cleaned(const QString& typed);

signals:
    void focussed(bool hasFocus);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

} // namespace zyne::ui
