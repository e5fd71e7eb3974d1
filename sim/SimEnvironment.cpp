#include "SimEnvironment.h"

#include "HidapiBackend.h"
#include "SimBackend.h"
#include "SimControlServer.h"
#include "SimDeviceNotifier.h"
#include "SimLogging.h"
#include "UdevDeviceNotifier.h"

namespace zyne::sim {

namespace {
bool refuse(QString* error, const QString& problem) {
    qCWarning(lcSim).noquote() << problem;
    if (error)
        *error = problem;
    return false;
}
} // namespace

bool installBackendFromEnvironment(QString* error, QObject* controlServerParent) {
    const QString backend = qEnvironmentVariable("ZYNE_HID_BACKEND");
    if (backend.isEmpty() || backend == QLatin1String("hidapi")) {
        installHidBackend(std::make_unique<HidapiBackend>());
        return true;
    }
    if (backend != QLatin1String("sim"))
        return refuse(
            error, QStringLiteral("ZYNE_HID_BACKEND: unknown backend \"%1\" (hidapi or sim)").arg(backend));

    const QString rigFile = qEnvironmentVariable("ZYNE_SIM_RIG");
    QString problem;
    const std::optional<SimRig> rig =
        rigFile.isEmpty() ? SimRig::defaultRig() : SimRig::fromFile(rigFile, &problem);
    if (!rig)
        return refuse(error, problem);

    // Nothing in the program reads events back: the trace file is where they go.
    auto sim = std::make_unique<SimBackend>(*rig, qEnvironmentVariable("ZYNE_SIM_TRACE"), EventMemory::None);
    if (!sim->traceError().isEmpty())
        return refuse(error, QStringLiteral("ZYNE_SIM_TRACE: ") + sim->traceError());

    const QString controlPath = qEnvironmentVariable("ZYNE_SIM_CONTROL");
    if (!controlPath.isEmpty()) {
        auto* server = new SimControlServer(*sim, controlPath, controlServerParent);
        if (!server->isListening()) {
            const QString reason = server->errorString();
            delete server;
            return refuse(
                error, QStringLiteral("ZYNE_SIM_CONTROL: cannot listen on %1: %2").arg(controlPath, reason));
        }
    }
    qCInfo(lcSim).noquote() << "simulated rig" << (rigFile.isEmpty() ? QStringLiteral("(default)") : rigFile);
    installChipLink(sim->chipLink());
    installHidBackend(std::move(sim));
    return true;
}

DeviceNotifier* makeDeviceNotifier(QObject* parent) {
    if (auto* sim = dynamic_cast<SimBackend*>(&hidBackend()))
        return new SimDeviceNotifier(*sim, parent);
    return new UdevDeviceNotifier(parent);
}

} // namespace zyne::sim
