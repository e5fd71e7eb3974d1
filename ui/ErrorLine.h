#pragma once

#include <QLabel>

namespace zyne::ui {

// The red line under the title bar naming a hardware or software fault. It remembers the fault, so a
// language change shows it again in the new language, and grows to more lines rather than cutting a
// long text off; the code in brackets is never split.
class ErrorLine : public QLabel {
    Q_OBJECT
public:
    explicit ErrorLine(QWidget* parent);

    // A known fault (isKnownError) is remembered and shown; any other keeps the text as it is.
    void setError(int type, int index);
    void retranslate();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showMessage(const QString& text);

    // The text as laid out: text() with a line break before the code when it can't have one line.
    QString m_shown;
    int m_type = -1;
    int m_index = 0;
};

} // namespace zyne::ui
