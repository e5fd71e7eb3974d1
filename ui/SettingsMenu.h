#pragma once

#include <QLabel>

class QButtonGroup;
class QPushButton;

namespace zyne::ui {

// The drop-down settings menu: seven languages, auto update, password lock, the password entry,
// the Pwrix sync switch and the entry that opens a lighting script. The main view connects the entries and decides what they do.
class SettingsMenu : public QLabel {
    Q_OBJECT
public:
    static constexpr int kAutoUpdateEntry = 7;
    static constexpr int kPasswordLockEntry = 8;
    static constexpr int kPasswordEntry = 9;

    explicit SettingsMenu(QWidget* parent = nullptr);

    QPushButton* entry(int number) const;
    QPushButton* syncButton() const { return m_sync; }
    QPushButton* openScriptButton() const { return m_openScript; }
    QButtonGroup* languageGroup() const { return m_languages; }

    void setLanguage(int index);
    void setAutoUpdate(bool on);
    void setPasswordLock(bool on);
    void setPasswordText(const QString& password);
    void setSyncPwrix(bool on);
    // Re-applies the translated language names and the password caption.
    void retranslate();

private:
    QButtonGroup* m_languages;
    QPushButton* m_entries[10] = {};
    QPushButton* m_sync;
    QPushButton* m_openScript;
    QString m_password;
};

} // namespace zyne::ui
