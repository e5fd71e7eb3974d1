#include "SettingsMenu.h"

#include "Pictures.h"
#include "UiTexts.h"

#include <QButtonGroup>
#include <QPushButton>

namespace zyne::ui {

namespace {
const char* const kEntryStyle =
    "QPushButton {color: #d8dde3; font-family: Arial; font-size: 13px; text-align: left; padding-left: 12px;"
    " border: none; border-radius: 4px; background: transparent;}"
    "QPushButton:hover {background: rgba(3, 198, 247, 0.18);}"
    "QPushButton:checked {color: #03C6F7; background: rgba(3, 198, 247, 0.10);}";
} // namespace

SettingsMenu::SettingsMenu(QWidget* parent) : QLabel(parent), m_languages(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("menu_Language"));
    setPixmap(ui::picture(QStringLiteral("menu_Language.png")));
    setScaledContents(true);
    setGeometry(796, 30, 131, 424);
    for (int k = 0; k < 10; ++k) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("MutiLang%1").arg(k));
        b->setGeometry(5, 5 + 35 * k, 120, 30);
        b->setCheckable(k != kPasswordEntry);
        b->setStyleSheet(QLatin1String(kEntryStyle));
        b->setCursor(Qt::PointingHandCursor);
        if (k < kLanguageCount)
            m_languages->addButton(b, k);
        m_entries[k] = b;
    }
    m_sync = new QPushButton(QStringLiteral("Sync Pwrix Off"), this);
    m_sync->setObjectName(QStringLiteral("btnSyncPwrix"));
    m_sync->setGeometry(5, 355, 120, 30);
    m_sync->setCheckable(true);
    m_sync->setStyleSheet(QLatin1String(kEntryStyle));
    m_sync->setCursor(Qt::PointingHandCursor);
    m_openScript = new QPushButton(this);
    m_openScript->setObjectName(QStringLiteral("btnOpenScript"));
    m_openScript->setGeometry(5, 390, 120, 30);
    m_openScript->setStyleSheet(QLatin1String(kEntryStyle));
    m_openScript->setCursor(Qt::PointingHandCursor);
    setAutoUpdate(false);
    setPasswordLock(false);
    retranslate();
    hide();
}

QPushButton* SettingsMenu::entry(int number) const {
    return number >= 0 && number < 10 ? m_entries[number] : nullptr;
}

void SettingsMenu::setLanguage(int index) {
    if (QAbstractButton* b = m_languages->button(index))
        b->setChecked(true);
}

void SettingsMenu::setAutoUpdate(bool on) {
    m_entries[kAutoUpdateEntry]->setChecked(on);
    m_entries[kAutoUpdateEntry]->setText(on ? QStringLiteral("Auto Update On")
                                            : QStringLiteral("Auto Update Off"));
}

void SettingsMenu::setPasswordLock(bool on) {
    m_entries[kPasswordLockEntry]->setChecked(on);
    m_entries[kPasswordLockEntry]->setText(on ? QStringLiteral("Password On")
                                              : QStringLiteral("Password Off"));
}

void SettingsMenu::setPasswordText(const QString& password) {
    m_password = password;
    m_entries[kPasswordEntry]->setText(MainViewText::tr("Password") + QLatin1Char(':') + password);
}

void SettingsMenu::setSyncPwrix(bool on) {
    m_sync->setChecked(on);
    m_sync->setText(on ? QStringLiteral("Sync Pwrix On") : QStringLiteral("Sync Pwrix Off"));
}

void SettingsMenu::retranslate() {
    const QStringList names = languageNames();
    for (int k = 0; k < kLanguageCount; ++k)
        m_entries[k]->setText(names.at(k));
    m_openScript->setText(MainViewText::tr("Open Script"));
    setPasswordText(m_password);
}

} // namespace zyne::ui
