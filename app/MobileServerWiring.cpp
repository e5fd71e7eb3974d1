// The main window's side of the mobile app server: creating it and routing what it receives.
#include "VxZyneRainbow.h"

#include "ApplicationSettings.h"
#include "MobileCommandRouter.h"
#include "PresenceString.h"
#include "SocketHelper.h"

namespace zyne {

void VxZyneRainbow::createMobileServer() {
    const ApplicationSettingsValues settings = ApplicationSettings::get();
    m_mobileServer = new SocketHelper(
        static_cast<MobileServerExposure>(settings.mobileServer), SocketHelper::portFromEnvironment(),
        [] { return checkControllerStr().text(); }, this);
    m_mobileServer->setLock(settings.openPassword, settings.password);
    m_mobileRouter = std::make_unique<MobileCommandRouter>(*this, *m_plus, *m_mobileServer);
    connect(m_mobileServer, &SocketHelper::socketHelperSendData, this,
            &VxZyneRainbow::socketHelperReceiveData);
}

void VxZyneRainbow::socketHelperReceiveData(QVariantMap command) {
    m_mobileRouter->route(command);
}

} // namespace zyne
