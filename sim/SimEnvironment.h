#pragma once

#include <QString>

class QObject;

namespace zyne {
class DeviceNotifier;
}

namespace zyne::sim {

// Chooses the process-wide HID backend from the environment: hidapi, or the simulated rig when
// ZYNE_HID_BACKEND=sim (rig from ZYNE_SIM_RIG, trace to ZYNE_SIM_TRACE, control socket at
// ZYNE_SIM_CONTROL, made a child of controlServerParent), and with it the simulated AWT chip as
// the chip link. Returns false with *error naming the
// variable or rig file and the problem; nothing is installed then.
bool installBackendFromEnvironment(QString* error, QObject* controlServerParent);

// Arrival and removal notices that match the installed backend: the simulated rig's own, else
// udev's. Not started yet.
DeviceNotifier* makeDeviceNotifier(QObject* parent);

} // namespace zyne::sim
