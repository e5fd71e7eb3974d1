#pragma once

#include "RainbowFan.h"
#include "ZyneRGBFanView.h"

#include <QAbstractAnimation>
#include <QPoint>
#include <QStringList>
#include <QWidget>

#include <array>

class QButtonGroup;
class QLabel;
class QPropertyAnimation;
class QPushButton;

namespace zyne::ui {

class BoxBar;
class CouplerPlusView;
class ErrorLine;
class InfoView;
class InSeries;
class PasswordKeypad;
class PlusCarousel;
class SettingsMenu;

// The program's visible window: box bar, the device views of the selected box, profiles, the
// settings menu with its password keypad, the error line and the information labels. It never talks
// to an engine: user actions leave as command lists, and the main window calls the setters.
class MainView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kProfileCount = 5;
    static constexpr int kClassicViewCount = 3;

    explicit MainView(QWidget* parent = nullptr);

    RainbowFan* plusView(int port) const;
    // The classic fan views 0..2; null for any other index.
    ZyneRGBFanView* classicView(int fan) const;
    PlusCarousel* carousel() const { return m_carousel; }
    InfoView* infoView() const { return m_info; }
    InSeries* seriesView() const { return m_series; }
    CouplerPlusView* couplerView() const { return m_coupler; }
    int selectedBox() const { return m_selectedBox; }
    int selectedProfile() const { return m_selectedProfile; }
    int boxType() const { return m_boxType; }

    // Setters of the main window.
    // 0 classic, 1 Plus and 2 AWT (the carousel), 3 coupler.
    void setBoxType(int kind);
    void selectBoxButton(int box);
    void setBoxPresent(int box, bool present);
    void setProfileLabel(int profile);
    void setSelectedProfile(int profile);
    void setAutoUpdate(bool on);
    void setPasswordLock(bool on);
    void setPassword(const QString& password);
    void setSyncPwrix(bool on);
    void setFirmwareVersion(const QString& version);
    void setProgramVersion(const QString& version);
    void setLocalAddress(const QString& address);
    void setTemperature(int celsius);
    void resetLanguage(int index);
    void showBoxWarning(bool isHide, int warningType, int warningIndex);
    void showSyncWarning();

    // Reads a lighting script and hands its frames on (testSendFileData); a file that can't be read
    // or holds no frames sends nothing.
    void openScriptFile(const QString& path);

    // The address text built the way the main window builds it: host, "IP Address", last IPv4.
    static QString localAddressText();

signals:
    void sendData(QStringList data);
    void sendZyneData(QStringList data);
    void sendRGBData(QStringList red, QStringList green, QStringList blue, QStringList bright, int port,
                     QString selectLED);
    void sendZyneRGBData(int red, int green, int blue, float bright, int fan);
    void testSendFileData(QStringList lines, int interval);

public slots:
    void changeLanguage();
    void otherSwitch();
    void selectProfile();
    void saveProfile();
    void moveControllerBox();
    void mutiLanguageWidget();
    void keyboardTouch();
    void changePassword();
    void receiveData(QStringList data);
    void receiveZyneData(QStringList data);
    void changeControllerBox();
    void receiveRGBData(QStringList red, QStringList green, QStringList blue, QStringList bright, int port,
                        QString selectLED);
    void receiveZyneRGBData(int red, int green, int blue, float bright, int fan);
    void showInfo();
    void slotSyncPwrix();
    void receiveCloseSeries();
    // The "Open Script" entry: a file dialog, then openScriptFile.
    void openScript();
    void on_animation_stateChanged_syncWarning(QAbstractAnimation::State newState,
                                               QAbstractAnimation::State oldState);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void buildTitleBar();
    void buildProfiles();
    void buildInfoLabels();
    void buildSyncWarning();
    void buildClassicViews();
    void buildCoupler();
    void buildSeries();
    void fillSeriesNames();
    void refreshVersionLabel();
    void restyleProfileButtons(int language);

    int m_selectedBox = 0;
    int m_selectedProfile = 1;
    int m_boxType = 1;
    int m_language = 0;
    QString m_programVersion;
    QString m_firmwareVersion = QStringLiteral("0.0.0");
    QString m_password;
    QPoint m_pressPosition;
    int m_temperature = 0;
    bool m_hasTemperature = false;

    BoxBar* m_boxBar = nullptr;
    SettingsMenu* m_menu = nullptr;
    PasswordKeypad* m_keypad = nullptr;
    InfoView* m_info = nullptr;
    InSeries* m_series = nullptr;
    QPushButton* m_seriesButton = nullptr;
    PlusCarousel* m_carousel = nullptr;
    std::array<ZyneRGBFanView*, kClassicViewCount> m_classicViews{};
    CouplerPlusView* m_coupler = nullptr;
    QButtonGroup* m_profileGroup = nullptr;
    QPushButton* m_save = nullptr;
    QLabel* m_profileLabel = nullptr;
    ErrorLine* m_errorLine = nullptr;
    QLabel* m_versionLabel = nullptr;
    QLabel* m_addressLabel = nullptr;
    QLabel* m_temperatureLabel = nullptr;
    QLabel* m_syncWarning = nullptr;
    QLabel* m_syncWarningText = nullptr;
    QPropertyAnimation* m_syncFade = nullptr;
};

} // namespace zyne::ui
