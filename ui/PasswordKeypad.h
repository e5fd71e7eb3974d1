#pragma once

#include <QLabel>

class QPushButton;

namespace zyne::ui {

// The on-screen keypad for the four-digit password: a mask over the whole view holding a panel
// with four digit places and twelve keys ("Keyboard0" … "Keyboard9", enter "Keyboard10",
// clear "Keyboard11"). The main view connects the keys.
class PasswordKeypad : public QLabel {
    Q_OBJECT
public:
    static constexpr int kDigits = 4;
    static constexpr int kEnterKey = 10;
    static constexpr int kClearKey = 11;

    explicit PasswordKeypad(QWidget* parent);

    QPushButton* key(int number) const;
    // A key press; true when enter was pressed with all four digits typed.
    bool press(int key);
    QString typed() const;
    void showDigits(const QString& password);

private:
    QLabel* m_digits[kDigits] = {};
    QPushButton* m_keys[12] = {};
};

} // namespace zyne::ui
