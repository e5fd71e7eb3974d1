// The main window's part in "found, but not allowed": the error line and a notification when a
// device the program drives can't be opened for lack of permission.
#include "DesktopNotifier.h"
#include "MainView.h"
#include "UiTexts.h"
#include "VxZyneRainbow.h"

namespace zyne {

void VxZyneRainbow::checkDeviceAccess(const std::vector<MakerDevice>& devices, bool showErrorLine) {
    const bool refusedBefore = m_accessCheck.anyRefused();
    const QStringList newlyRefused = m_accessCheck.check(devices);
    if (!newlyRefused.isEmpty() && (m_mainView->isHidden() || m_mainView->isMinimized()))
        m_notifier->notify(ui::VxZyneRainbowText::tr("Controller found, but access was refused"),
                           ui::VxZyneRainbowText::tr("%1: install the udev rule (README, \"The udev rule\").")
                               .arg(newlyRefused.join(QStringLiteral(", "))),
                           QString());
    if (!showErrorLine && newlyRefused.isEmpty() && refusedBefore == m_accessCheck.anyRefused())
        return;
    // Found but not allowed says how to fix it, where "not found" or a clash would mislead.
    if (m_accessCheck.anyRefused())
        m_mainView->showBoxWarning(false, 0, AccessRefusedError);
    else
        m_mainView->showBoxWarning(m_errorLineVerdict.hide, 0, m_errorLineVerdict.hardwareError);
}

} // namespace zyne
