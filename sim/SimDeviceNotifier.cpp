#include "SimDeviceNotifier.h"

#include "SimBackend.h"
#include "SimLogging.h"

#include <QPointer>

namespace zyne::sim {

SimDeviceNotifier::SimDeviceNotifier(SimBackend& backend, QObject* parent)
    : DeviceNotifier(parent), m_backend(backend) {}

SimDeviceNotifier::~SimDeviceNotifier() {
    m_backend.setDeviceChangeListener({});
}

bool SimDeviceNotifier::start() {
    QPointer<SimDeviceNotifier> self(this);
    m_backend.setDeviceChangeListener([self](const QString& name, bool arrived) {
        if (!self)
            return;
        QMetaObject::invokeMethod(
            self.data(),
            [self, name, arrived] {
                if (self)
                    emit self->deviceChanged(name, arrived);
            },
            Qt::QueuedConnection);
    });
    qCDebug(lcSim) << "hDevNotify----success";
    return true;
}

} // namespace zyne::sim
