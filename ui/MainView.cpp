#include "MainView.h"

#include "BoxBar.h"
#include "CouplerPlusView.h"
#include "ErrorLine.h"
#include "InSeries.h"
#include "InfoView.h"
#include "PasswordKeypad.h"
#include "Pictures.h"
#include "PlusCarousel.h"
#include "SettingsMenu.h"
#include "Theme.h"
#include "UiTexts.h"

#include <QButtonGroup>
#include <QGraphicsOpacityEffect>
#include <QHostAddress>
#include <QHostInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QNetworkInterface>
#include <QPainter>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QThread>

Q_LOGGING_CATEGORY(lcMainView, "zyne.ui.main")

namespace zyne::ui {

namespace {
QPushButton* imageButton(QWidget* parent, const QString& name, const QString& image, QRect geometry) {
    auto* b = new QPushButton(parent);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(QStringLiteral("QPushButton {%1 border: none;}").arg(borderImage(image)));
    return b;
}

QLabel* imageLabel(QWidget* parent, const QString& image, QRect geometry) {
    auto* l = new QLabel(parent);
    l->setGeometry(geometry);
    l->setPixmap(picture(image));
    l->setScaledContents(true);
    return l;
}

int senderNumber(QObject* sender, const QString& prefix) {
    if (!sender)
        return -1;
    const QString name = sender->objectName();
    if (!name.startsWith(prefix))
        return -1;
    bool ok = false;
    const int number = name.mid(prefix.size()).toInt(&ok);
    return ok ? number : -1;
}
} // namespace

MainView::MainView(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("MainView"));
    setGeometry(200, 200, 999, 606);
    setFixedSize(999, 606);
    setWindowIcon(QIcon(imagePath(QStringLiteral("logo.ico"))));
    setWindowTitle(QStringLiteral("Zyne Plus RGB"));

    imageLabel(this, QStringLiteral("product_name.png"), QRect(337, 7, 325, 14));
    imageLabel(this, QStringLiteral("LOGO.png"), QRect(26, 558, 168, 28));

    m_carousel = new PlusCarousel(this);
    for (RainbowFan* fan : m_carousel->views()) {
        connect(fan, &RainbowFan::sendData, this, &MainView::receiveData);
        connect(fan, &RainbowFan::sendRGBData, this, &MainView::receiveRGBData);
    }
    connect(m_carousel, &PlusCarousel::rotationFinished, this, [this] { m_errorLine->raise(); });

    buildClassicViews();
    buildCoupler();
    m_info = new InfoView(this);
    m_info->hide();
    buildTitleBar();
    buildProfiles();
    buildInfoLabels();

    m_menu = new SettingsMenu(this);
    for (QAbstractButton* language : m_menu->languageGroup()->buttons())
        connect(language, &QAbstractButton::released, this, &MainView::changeLanguage);
    for (int k = SettingsMenu::kAutoUpdateEntry; k <= SettingsMenu::kPasswordEntry; ++k)
        connect(m_menu->entry(k), &QAbstractButton::released, this, &MainView::otherSwitch);
    connect(m_menu->syncButton(), &QAbstractButton::released, this, &MainView::slotSyncPwrix);
    connect(m_menu->openScriptButton(), &QAbstractButton::released, this, &MainView::openScript);

    m_keypad = new PasswordKeypad(this);
    for (int k = 0; k < 12; ++k)
        connect(m_keypad->key(k), &QAbstractButton::released, this, &MainView::keyboardTouch);

    buildSeries();
    buildSyncWarning();
    setPassword(QStringLiteral("0000"));
    resetLanguage(0);
    setLocalAddress(localAddressText());
    setTemperature(0);
    m_hasTemperature = false;
    m_temperatureLabel->setText(MainViewText::tr("TEMP"));
}

void MainView::buildSeries() {
    m_series = new InSeries(this);
    m_series->move((width() - InSeries::kWidth) / 2, 120);
    m_series->hide();
    connect(m_series, &InSeries::sendHideSeriesView, this, &MainView::receiveCloseSeries);
    m_seriesButton = new QPushButton(this);
    m_seriesButton->setObjectName(QStringLiteral("btn_series"));
    m_seriesButton->setGeometry(767, 79, 102, 25);
    m_seriesButton->setFocusPolicy(Qt::NoFocus);
    m_seriesButton->setCursor(Qt::PointingHandCursor);
    m_seriesButton->setStyleSheet(QLatin1String(theme::kButton));
    connect(m_seriesButton, &QPushButton::released, this, [this] {
        m_series->show();
        m_series->raise();
    });
}

void MainView::fillSeriesNames() {
    // Each fan's own lighting, then the three effects that run across all fans.
    m_series->setLightModeNames({InSeriesText::tr("Each Fan"), lightModeName(17), lightModeName(18),
                                 lightModeName(19)});
    m_series->setColorModeNames({colorModeName(0), colorModeName(1)});
    m_series->setLightSpeedNames({lightSpeedName(0), lightSpeedName(1), lightSpeedName(2), lightSpeedName(3)});
    m_series->retranslate();
    m_seriesButton->setText(InSeriesText::tr("All Fans"));
}

void MainView::receiveCloseSeries() {
    m_series->hide();
}

void MainView::buildTitleBar() {
    auto* close = imageButton(this, QStringLiteral("Close_Window"), QStringLiteral("btn_close.png"),
                              QRect(969, 2, 22, 22));
    connect(close, &QPushButton::released, this, &QWidget::hide);
    auto* minimise =
        imageButton(this, QStringLiteral("Min_Window"), QStringLiteral("btn_min.png"), QRect(937, 2, 22, 22));
    connect(minimise, &QPushButton::released, this, &QWidget::showMinimized);
    auto* settings = imageButton(this, QStringLiteral("Min_Window"), QStringLiteral("btn_setting.png"),
                                 QRect(903, 3, 22, 22));
    connect(settings, &QPushButton::released, this, &MainView::mutiLanguageWidget);
    auto* info =
        imageButton(this, QStringLiteral("Info"), QStringLiteral("btn_info.png"), QRect(871, 3, 22, 22));
    connect(info, &QPushButton::released, this, &MainView::showInfo);

    auto* left = imageButton(this, QStringLiteral("ArrowLeft"), QStringLiteral("ArrowLeft.png"),
                             QRect(31, 38, 15, 19));
    connect(left, &QPushButton::released, this, &MainView::moveControllerBox);
    auto* right = imageButton(this, QStringLiteral("ArrowRight"), QStringLiteral("ArrowRight.png"),
                              QRect(351, 38, 15, 19));
    connect(right, &QPushButton::released, this, &MainView::moveControllerBox);
    m_boxBar = new BoxBar(this);
    m_boxBar->setGeometry(90, 30, 218, 33);
    for (QAbstractButton* box : m_boxBar->group()->buttons())
        connect(box, &QAbstractButton::released, this, &MainView::changeControllerBox);
}

void MainView::buildProfiles() {
    m_profileGroup = new QButtonGroup(this);
    m_profileGroup->setExclusive(true);
    for (int i = 0; i < kProfileCount; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::number(i));
        b->setGeometry(671 + 64 * i, 30, 57, 34);
        b->setCheckable(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::PointingHandCursor);
        m_profileGroup->addButton(b, i);
        connect(b, &QPushButton::released, this, &MainView::selectProfile);
    }
    m_profileGroup->button(0)->setChecked(true);
    m_save = new QPushButton(this);
    m_save->setObjectName(QStringLiteral("btn_save"));
    m_save->setGeometry(879, 79, 102, 25);
    m_save->setFocusPolicy(Qt::NoFocus);
    m_save->setCursor(Qt::PointingHandCursor);
    m_save->setStyleSheet(QLatin1String(theme::kButton));
    connect(m_save, &QPushButton::released, this, &MainView::saveProfile);
    m_profileLabel = new QLabel(this);
    m_profileLabel->setGeometry(30, 80, 100, 15);
    m_profileLabel->setStyleSheet(QStringLiteral("color:#03C6F7; font-family: Arial;"));
}

void MainView::buildInfoLabels() {
    auto label = [this](const char* name, QRect geometry, Qt::Alignment align) {
        auto* l = new QLabel(this);
        l->setObjectName(QLatin1String(name));
        l->setGeometry(geometry);
        l->setAlignment(align | Qt::AlignVCenter);
        l->setStyleSheet(QStringLiteral("color: #8a94a0; font-family: Arial; font-size: 11px;"));
        return l;
    };
    m_temperatureLabel = label("label_temperature", QRect(384, 38, 200, 20), Qt::AlignLeft);
    m_temperatureLabel->setStyleSheet(QStringLiteral("color: #d8dde3; font-family: Arial; font-size: 13px;"));
    m_addressLabel = label("label_address", QRect(520, 582, 260, 16), Qt::AlignRight);
    m_versionLabel = label("label_version", QRect(790, 582, 190, 16), Qt::AlignRight);
    m_errorLine = new ErrorLine(this);
    refreshVersionLabel();
}

void MainView::buildSyncWarning() {
    const int w = width() / 3;
    const int h = height() / 3;
    m_syncWarning = new QLabel(this);
    m_syncWarning->setObjectName(QStringLiteral("syncWarning"));
    m_syncWarning->setGeometry(w, h, w, h);
    m_syncWarning->setStyleSheet(QStringLiteral("background:rgba(0,0,0,0.9); border-radius:20; color:white;"
                                                " font-family: Arial; font-size:14px;"));
    m_syncWarningText = new QLabel(m_syncWarning);
    m_syncWarningText->setGeometry(10, 10, w - 20, h - 20);
    m_syncWarningText->setWordWrap(true);
    m_syncWarningText->setAlignment(Qt::AlignCenter);
    auto* effect = new QGraphicsOpacityEffect(m_syncWarning);
    m_syncWarning->setGraphicsEffect(effect);
    m_syncFade = new QPropertyAnimation(effect, "opacity", this);
    m_syncFade->setDuration(3000);
    m_syncFade->setKeyValueAt(0.0, 0.0);
    m_syncFade->setKeyValueAt(0.15, 1.0);
    m_syncFade->setKeyValueAt(0.8, 1.0);
    m_syncFade->setKeyValueAt(1.0, 0.0);
    connect(m_syncFade, &QAbstractAnimation::stateChanged, this,
            &MainView::on_animation_stateChanged_syncWarning);
    m_syncWarning->hide();
}

// Setters

void MainView::selectBoxButton(int box) {
    if (box < 0 || box >= kBoxButtonCount)
        return;
    m_selectedBox = box;
    m_boxBar->select(box);
}

void MainView::setBoxPresent(int box, bool present) {
    m_boxBar->setPresent(box, present);
}

void MainView::setProfileLabel(int profile) {
    if (profile < 1 || profile > kProfileCount)
        return;
    qCDebug(lcMainView) << "setProfileLabel--->" << profile;
    m_selectedProfile = profile;
    m_profileLabel->setText(MainViewText::tr("PROFILE") + QLatin1Char('_') + QString::number(profile));
}

void MainView::setSelectedProfile(int profile) {
    if (profile < 1 || profile > kProfileCount)
        return;
    m_selectedProfile = profile;
    m_profileGroup->button(profile - 1)->setChecked(true);
}

void MainView::setAutoUpdate(bool on) {
    m_menu->setAutoUpdate(on);
}

void MainView::setPasswordLock(bool on) {
    m_menu->setPasswordLock(on);
}

void MainView::setPassword(const QString& password) {
    m_password = password;
    m_menu->setPasswordText(password);
    m_keypad->showDigits(password);
}

void MainView::setSyncPwrix(bool on) {
    m_menu->setSyncPwrix(on);
}

void MainView::setFirmwareVersion(const QString& version) {
    m_firmwareVersion = version;
    refreshVersionLabel();
}

void MainView::setProgramVersion(const QString& version) {
    m_programVersion = version;
    refreshVersionLabel();
}

void MainView::refreshVersionLabel() {
    m_versionLabel->setText(QStringLiteral("V ") + m_programVersion + QStringLiteral(" , F ") +
                            m_firmwareVersion);
    m_info->setVersions(m_versionLabel->text());
}

void MainView::setLocalAddress(const QString& address) {
    qCDebug(lcMainView) << "setIPaddress--GetCurrentThreadId:" << QThread::currentThreadId();
    m_addressLabel->setText(address);
    m_info->setAddress(address);
}

QString MainView::localAddressText() {
    QString text;
    for (const QHostAddress& address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol &&
            address != QHostAddress(QHostAddress::LocalHost))
            text = QHostInfo::localHostName() + QLatin1Char(' ') + MainViewText::tr("IP Address") +
                   QLatin1Char(':') + address.toString();
    }
    return text;
}

void MainView::setTemperature(int celsius) {
    m_temperature = celsius;
    m_hasTemperature = true;
    m_temperatureLabel->setText(MainViewText::tr("TEMP") + temperatureSuffix(celsius));
}

void MainView::resetLanguage(int index) {
    qCDebug(lcMainView) << "resetLanguage";
    m_language = index;
    m_save->setText(MainViewText::tr("SAVE"));
    m_menu->retranslate();
    m_menu->setLanguage(index);
    restyleProfileButtons(index);
    setProfileLabel(m_selectedProfile);
    if (m_hasTemperature)
        setTemperature(m_temperature);
    else
        m_temperatureLabel->setText(MainViewText::tr("TEMP"));
    m_syncWarningText->setText(MainViewText::tr("Error_Code_S_0x0011"));
    for (RainbowFan* fan : m_carousel->views())
        fan->retranslate();
    for (ZyneRGBFanView* classic : m_classicViews)
        classic->retranslate();
    m_coupler->retranslate();
    m_info->retranslate();
    fillSeriesNames();
    m_errorLine->retranslate();
}

void MainView::restyleProfileButtons(int language) {
    // Japanese captions are long, English ones short.
    const int fontSize = language == 5 ? 7 : language == 0 ? 10 : 12;
    const QString style =
        QStringLiteral("QPushButton {color: #d8dde3; font-family: Arial; font-size: %1px; border: none; %2}"
                       "QPushButton:checked, QPushButton:pressed {color: white; %3}")
            .arg(fontSize)
            .arg(borderImage(QStringLiteral("btn_profile.png")),
                 borderImage(QStringLiteral("btn_profile_h.png")));
    for (int i = 0; i < kProfileCount; ++i) {
        QAbstractButton* b = m_profileGroup->button(i);
        b->setStyleSheet(style);
        b->setText(MainViewText::tr("PROFILE") + QString::number(i + 1));
    }
}

void MainView::showBoxWarning(bool isHide, int warningType, int warningIndex) {
    qCDebug(lcMainView).nospace() << "isHide:" << isHide << ", warningType:" << warningType
                                  << ", warningIndex" << warningIndex;
    m_errorLine->setError(warningType, warningIndex);
    m_errorLine->raise();
    m_errorLine->setVisible(!isHide);
}

void MainView::showSyncWarning() {
    m_syncWarning->raise();
    m_syncFade->stop();
    m_syncFade->start();
}

void MainView::on_animation_stateChanged_syncWarning(QAbstractAnimation::State newState,
                                                     QAbstractAnimation::State) {
    qCDebug(lcMainView) << "newState:" << newState;
    m_syncWarning->setVisible(newState == QAbstractAnimation::Running);
}

// Box bar

void MainView::changeControllerBox() {
    auto* button = qobject_cast<QAbstractButton*>(sender());
    if (!button || !button->isCheckable())
        return;
    bool ok = false;
    const int box = button->objectName().toInt(&ok);
    if (!ok || box < 0 || box >= kBoxButtonCount)
        return;
    if (box == m_selectedBox)
        qCDebug(lcMainView) << "click same controller";
    else
        m_selectedBox = box;
    qCDebug(lcMainView) << "controllerBoxNumber:" << box;
    emit sendData({QStringLiteral("changeControllerBox"), QString::number(box)});
    m_carousel->fadeViews();
}

void MainView::moveControllerBox() {
    const bool left = sender() && sender()->objectName() == QLatin1String("ArrowLeft");
    m_boxBar->setPosition(boxBarPositionAfterArrow(m_boxBar->position(), left));
}

// Profiles

void MainView::selectProfile() {
    const int id = m_profileGroup->checkedId();
    qCDebug(lcMainView) << "profileGroup->checkedId():" << id;
    if (id < 0)
        return;
    m_selectedProfile = id + 1;
    emit sendData({QStringLiteral("selectProfile"), QString::number(m_selectedProfile)});
    m_carousel->fadeViews();
}

void MainView::saveProfile() {
    qCDebug(lcMainView) << "saveProfile";
    const int id = m_profileGroup->checkedId();
    if (id < 0)
        return;
    emit sendData({QStringLiteral("saveProfile"), QString::number(id + 1)});
    setProfileLabel(m_selectedProfile);
}

// Settings menu and keypad

void MainView::mutiLanguageWidget() {
    qCDebug(lcMainView) << "mutiLanguageWidget";
    m_menu->raise();
    m_menu->setVisible(!m_menu->isVisible());
}

void MainView::changeLanguage() {
    const int id = m_menu->languageGroup()->checkedId();
    qCDebug(lcMainView) << "mutiLangGroup->checkedId():" << id;
    m_menu->hide();
    if (id < 0)
        return;
    emit sendData({QStringLiteral("changeLanguage"), QString::number(id)});
}

void MainView::otherSwitch() {
    const int entry = senderNumber(sender(), QStringLiteral("MutiLang"));
    if (entry == SettingsMenu::kAutoUpdateEntry) {
        const bool on = m_menu->entry(entry)->isChecked();
        m_menu->setAutoUpdate(on);
        emit sendData({QStringLiteral("AutoUpdate"), on ? "1" : "0"});
    } else if (entry == SettingsMenu::kPasswordLockEntry) {
        const bool on = m_menu->entry(entry)->isChecked();
        m_menu->setPasswordLock(on);
        emit sendData({QStringLiteral("Password"), on ? "1" : "0"});
    } else if (entry == SettingsMenu::kPasswordEntry) {
        qCDebug(lcMainView) << "MutiLang9";
        m_keypad->show();
        m_keypad->raise();
    }
    m_menu->hide();
}

void MainView::slotSyncPwrix() {
    const bool on = m_menu->syncButton()->isChecked();
    m_menu->setSyncPwrix(on);
    emit sendData({QStringLiteral("btnSyncPwrix"), on ? "1" : "0"});
    m_menu->hide();
}

void MainView::keyboardTouch() {
    const int key = senderNumber(sender(), QStringLiteral("Keyboard"));
    if (key < 0)
        return;
    if (key <= 9)
        qCDebug(lcMainView) << "Change Language:" << sender()->objectName();
    if (m_keypad->press(key))
        changePassword();
}

void MainView::changePassword() {
    const QString typed = m_keypad->typed();
    if (typed.size() != PasswordKeypad::kDigits)
        return;
    m_password = typed;
    m_menu->setPasswordText(typed);
    m_keypad->hide();
    qCDebug(lcMainView) << "saveDevice";
    emit sendData({QStringLiteral("saveDevice"), QStringLiteral("0"), typed});
}

// Lists from the device views

void MainView::receiveData(QStringList data) {
    qCDebug(lcMainView) << "MainView::reciveData:" << data;
    const QString word = data.value(0);
    if (word == QLatin1String("clockwise") || word == QLatin1String("counterClockwise")) {
        m_carousel->rotate(word == QLatin1String("clockwise"));
        return;
    }
    emit sendData(data);
}

void MainView::receiveZyneData(QStringList data) {
    qCDebug(lcMainView) << "MainView::receiveZyneData:" << data;
    emit sendZyneData(data);
}

void MainView::receiveRGBData(QStringList red, QStringList green, QStringList blue, QStringList bright,
                              int port, QString selectLED) {
    qCDebug(lcMainView) << "MainView::receiveRGBData:" << port << selectLED;
    emit sendRGBData(red, green, blue, bright, port, selectLED);
}

void MainView::receiveZyneRGBData(int red, int green, int blue, float bright, int fan) {
    qCDebug(lcMainView) << "MainView::receiveZyneRGBData:" << red;
    emit sendZyneRGBData(red, green, blue, bright, fan);
}

void MainView::showInfo() {
    qCDebug(lcMainView) << "showInfo";
    if (m_info->isHidden()) {
        m_info->move(frameGeometry().center() - m_info->rect().center());
        m_info->show();
    }
    m_info->raise();
    emit sendData({QStringLiteral("showInfo"), QStringLiteral("showInfo")});
}

// Window

void MainView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture(QStringLiteral("background.png")));
}

void MainView::mousePressEvent(QMouseEvent* event) {
    m_pressPosition = event->globalPos() - frameGeometry().topLeft();
    if (m_menu->isVisible())
        m_menu->hide();
    QWidget::mousePressEvent(event);
}

void MainView::mouseMoveEvent(QMouseEvent* event) {
    if ((event->buttons() & Qt::LeftButton) && event->pos().y() < 35 && event->pos().x() < 825)
        move(event->globalPos() - m_pressPosition);
    QWidget::mouseMoveEvent(event);
}

void MainView::keyPressEvent(QKeyEvent* event) {
    qCDebug(lcMainView) << "MainView--keyPressEvent:" << event->key();
    QWidget::keyPressEvent(event);
}

void MainView::keyReleaseEvent(QKeyEvent* event) {
    qCDebug(lcMainView) << "MainView--keyReleaseEvent:" << event->key();
    QWidget::keyReleaseEvent(event);
}

} // namespace zyne::ui
