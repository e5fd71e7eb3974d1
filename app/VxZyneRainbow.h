#pragma once

#include <QMainWindow>
#include <QString>
#include <QSystemTrayIcon>

class QAction;
class QMenu;
class QTranslator;

namespace zyne {

class ZynePlusCommandHelper;

// The program's hidden main window: owns the engines, the tray icon and the timers, and routes
// commands and reports between them and the views.
class VxZyneRainbow : public QMainWindow {
    Q_OBJECT
public:
    explicit VxZyneRainbow(QWidget* parent = nullptr);
    ~VxZyneRainbow() override;

    static const QString kWindowTitle;
    static const QString kProgramVersion;

    int selectedBox() const { return SelectBoxIndex; }
    ZynePlusCommandHelper* plusEngine() const { return m_plus; }

    // Consistency check between the operating system's device list and the discovery strings.
    void checkUSBDevice();
    bool checkVXKeyboard();
    // A private window message from another instance or the system.
    void receiveWindowMessage(quint32 msg, quint32 wParam, quint32 lParam);

signals:
    void sendResetBoxRequest();
    void sendResetBoxRequestByOne(int boxNum);
    void sendResetZyneBoxRequest();
    void sendPlusGetFirmware(int boxNum);

public slots:
    void iconActivated(QSystemTrayIcon::ActivationReason reason);
    void showMainView();
    void trayIconAction();
    void receiveFirmware(QString version);
    void receiveCanControl(int boxNum, bool canControl);

private:
    void createTrayIcon();
    void loadTranslation(int language);
    void selectFirstBox();
    QString autoRunEntryText() const;

    QString m_firmwareVersion = QStringLiteral("0.0.0");
    QString m_applicationFolder;
    int SelectBoxIndex = 0;
    ZynePlusCommandHelper* m_plus = nullptr;
    QSystemTrayIcon* m_trayIcon = nullptr;
    QMenu* m_trayMenu = nullptr;
    QAction* m_launchAction = nullptr;
    QAction* m_autoRunAction = nullptr;
    QAction* m_exitAction = nullptr;
    QTranslator* m_translator = nullptr;
};

} // namespace zyne
