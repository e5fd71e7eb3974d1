#include "PasswordKeypad.h"

#include "Pictures.h"

#include <QPushButton>

namespace zyne::ui {

PasswordKeypad::PasswordKeypad(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("passwordMask"));
    setPixmap(ui::picture(QStringLiteral("keyboard/passwordMask.png")));
    setScaledContents(true);
    setGeometry(0, 0, parent->width(), parent->height());

    auto* panel = new QLabel(this);
    panel->setObjectName(QStringLiteral("passwordPanel"));
    panel->setPixmap(ui::picture(QStringLiteral("keyboard/passwordPanel.png")));
    panel->setScaledContents(true);
    panel->setGeometry(width() / 2 - 150, height() / 2 - 194, 299, 388);

    static constexpr int kDigitX[kDigits] = {45, 102, 159, 216};
    for (int i = 0; i < kDigits; ++i) {
        m_digits[i] = new QLabel(panel);
        m_digits[i]->setObjectName(QStringLiteral("passwordDigit%1").arg(i));
        m_digits[i]->setGeometry(kDigitX[i], 32, 39, 42);
        m_digits[i]->setAlignment(Qt::AlignCenter);
        m_digits[i]->setStyleSheet(QStringLiteral("color: white; font-family: Arial; font-size: 26px;"));
        auto* line = new QLabel(panel);
        line->setPixmap(ui::picture(QStringLiteral("keyboard/LINE.png")));
        line->setScaledContents(true);
        line->setGeometry(kDigitX[i], 74, 39, 1);
    }
    for (int k = 0; k < 12; ++k) {
        auto* b = new QPushButton(panel);
        b->setObjectName(QStringLiteral("Keyboard%1").arg(k));
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::PointingHandCursor);
        QString image = QStringLiteral("keyboard/keyboard.png");
        if (k >= 1 && k <= 9) {
            b->setGeometry(42 + 77 * ((k - 1) % 3), 100 + 67 * ((k - 1) / 3), 57, 57);
        } else if (k == 0) {
            b->setGeometry(119, 301, 57, 57);
        } else if (k == kEnterKey) {
            b->setGeometry(42, 301, 57, 57);
            image = QStringLiteral("keyboard/password_ok.png");
        } else {
            b->setGeometry(196, 301, 57, 57);
            image = QStringLiteral("keyboard/password_return.png");
        }
        if (k <= 9)
            b->setText(QString::number(k));
        b->setStyleSheet(QStringLiteral("QPushButton {color: white; font-family: Arial; font-size: 22px; %1}"
                                        "QPushButton:pressed {color: #03C6F7;}")
                             .arg(borderImage(image)));
        m_keys[k] = b;
    }
    hide();
}

QPushButton* PasswordKeypad::key(int number) const {
    return number >= 0 && number < 12 ? m_keys[number] : nullptr;
}

bool PasswordKeypad::press(int key) {
    if (key >= 0 && key <= 9) {
        for (QLabel* digit : m_digits) {
            if (digit->text().isEmpty()) {
                digit->setText(QString::number(key));
                break;
            }
        }
        return false;
    }
    if (key == kClearKey) {
        for (QLabel* digit : m_digits)
            digit->clear();
        return false;
    }
    return key == kEnterKey && typed().size() == kDigits;
}

QString PasswordKeypad::typed() const {
    QString text;
    for (const QLabel* digit : m_digits)
        text += digit->text();
    return text;
}

void PasswordKeypad::showDigits(const QString& password) {
    for (int i = 0; i < kDigits; ++i)
        m_digits[i]->setText(i < password.size() && password.at(i).isDigit() ? QString(password.at(i))
                                                                             : QString());
}

} // namespace zyne::ui
