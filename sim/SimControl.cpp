// The control command language of the simulated rig: plug, unplug, rpm, behave.
#include "SimBackend.h"

#include "AwtChipEmulator.h"
#include "RigState.h"
#include "SimLogging.h"

#include <QRegularExpression>

namespace zyne::sim {

namespace {

enum class Verb { Plug, Unplug, Rpm, Behave };

struct Command {
    Verb verb = Verb::Plug;
    DeviceKind kind = DeviceKind::Plus;
    int index = 0;
    int port = 0;
    int rpm = 0;
    Behaviour behaviour = Behaviour::Ok;
};

// Each parser returns the problem as text, empty when the word was understood.
QString parseNumber(const QString& word, const char* what, int min, int max, int& out) {
    bool ok = false;
    out = word.toInt(&ok);
    if (!ok || out < min || out > max)
        return QStringLiteral("%1 must be %2..%3, got \"%4\"")
            .arg(QLatin1String(what))
            .arg(min)
            .arg(max)
            .arg(word);
    return {};
}

QString parseCommand(const QString& line, Command& command) {
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    const QStringList words = line.split(spaces, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QStringLiteral("empty command");

    static const QStringList verbs{"plug", "unplug", "rpm", "behave"};
    const int verb = verbs.indexOf(words[0]);
    if (verb < 0)
        return QStringLiteral("unknown command \"%1\" (plug, unplug, rpm, behave)").arg(words[0]);
    command.verb = static_cast<Verb>(verb);
    const bool plugging = command.verb == Verb::Plug || command.verb == Verb::Unplug;

    // Plus and classic boxes are numbered; the power supply and the AWT chip are one of a kind,
    // but the chip's fan speeds are set per box it drives ("rpm awt 0 1 0").
    static const QStringList kinds{"plus", "classic", "psu", "awt"};
    const int kind = kinds.indexOf(words.value(1));
    command.kind = static_cast<DeviceKind>(kind);
    if (kind < 0 || (!plugging && command.kind == DeviceKind::PowerSupply))
        return QStringLiteral("unknown device \"%1\" (%2)")
            .arg(words.value(1),
                 plugging ? QStringLiteral("plus, classic, psu, awt") : QStringLiteral("plus, classic, awt"));
    const bool numbered = kind <= 1 || (command.kind == DeviceKind::Awt && command.verb == Verb::Rpm);

    const int expected = 2 + (numbered ? 1 : 0) + (command.verb == Verb::Rpm ? 2 : plugging ? 0 : 1);
    if (words.size() != expected)
        return QStringLiteral("expected %1 words, got %2").arg(expected).arg(words.size());
    QString problem;
    if (numbered)
        problem = parseNumber(words[2], "box index", 0, SimRig::kBoxCount - 1, command.index);
    if (problem.isEmpty() && command.verb == Verb::Rpm) {
        // The port is checked against the device once it is found.
        problem = parseNumber(words[3], "port", 0, SimRig::kPlusFanPorts - 1, command.port);
        if (problem.isEmpty())
            problem = parseNumber(words[4], "rpm", 0, SimRig::kMaxRpm, command.rpm);
    }
    if (problem.isEmpty() && command.verb == Verb::Behave) {
        const auto behaviour = behaviourFromName(words.last());
        if (!behaviour)
            return QStringLiteral("unknown behaviour \"%1\" (ok, probe_fails, silent)").arg(words.last());
        command.behaviour = *behaviour;
    }
    return problem;
}

void unplug(RigState& state, SimDevice& device) {
    std::lock_guard lock(device.mutex);
    device.present = false;
    for (const auto& weak : device.handles) {
        if (auto handle = weak.lock())
            handle->deviceGone = true;
    }
    device.handles.clear();
    device.inputArrived.notify_all(); // readers waiting on the device give up now
    state.inputArrived.notify_all();  // and so does the chip link's
}

// Runs the command; sets `changedPath` when a device arrived or left.
QString setAwtRpm(RigState& state, const Command& command) {
    SimDevice* chip = state.find(DeviceKind::Awt, 0);
    if (!chip)
        return QStringLiteral("awt is not in the rig");
    std::lock_guard lock(chip->mutex);
    if (!static_cast<AwtChipEmulator&>(*chip->emulator)
             .setBoxFanRpm(command.index, command.port, command.rpm))
        return QStringLiteral("awt drives no box %1 with port %2 (ports 0..2)")
            .arg(command.index)
            .arg(command.port);
    return {};
}

QString apply(RigState& state, const Command& command, QString& changedPath) {
    if (command.verb == Verb::Rpm && command.kind == DeviceKind::Awt)
        return setAwtRpm(state, command);
    // The chip is one device whatever box index a command names.
    SimDevice* device = state.find(command.kind, command.kind == DeviceKind::Awt ? 0 : command.index);
    const QString name = deviceLabel(command.kind, command.index);
    switch (command.verb) {
    case Verb::Plug:
        if (device && device->present)
            return QStringLiteral("%1 is already plugged in").arg(name);
        if (!device)
            device = state.addFresh(command.kind, command.index);
        {
            std::lock_guard lock(device->mutex);
            device->present = true;
        }
        changedPath = device->windowsStylePath();
        return {};
    case Verb::Unplug:
        if (!device || !device->present)
            return QStringLiteral("%1 is not plugged in").arg(name);
        unplug(state, *device);
        changedPath = device->windowsStylePath();
        return {};
    case Verb::Rpm:
        if (!device)
            return QStringLiteral("%1 is not in the rig").arg(name);
        if (command.port >= device->emulator->fanCount())
            return QStringLiteral("%1 has ports 0..%2").arg(name).arg(device->emulator->fanCount() - 1);
        {
            std::lock_guard lock(device->mutex);
            device->emulator->setFanRpm(command.port, command.rpm);
        }
        return {};
    case Verb::Behave:
        if (!device)
            return QStringLiteral("%1 is not in the rig").arg(name);
        {
            std::lock_guard lock(device->mutex);
            device->behaviour = command.behaviour;
        }
        state.inputArrived.notify_all(); // a chip held busy answers now
        return {};
    }
    return {};
}

} // namespace

QString SimBackend::control(const QString& commandLine) {
    Command command;
    QString problem = parseCommand(commandLine, command);
    QString changedPath;
    std::function<void(const QString&, bool)> listener;
    if (problem.isEmpty()) {
        std::lock_guard lock(m_state->mutex);
        problem = apply(*m_state, command, changedPath);
        listener = m_state->deviceChangeListener;
    }
    if (!problem.isEmpty()) {
        qCWarning(lcSim).noquote() << "control command refused:" << commandLine.trimmed() << '-' << problem;
        return QStringLiteral("error: ") + problem;
    }
    qCDebug(lcSim).noquote() << "control:" << commandLine.trimmed();
    // Outside the lock: the listener may well open the device that just arrived.
    if (listener && !changedPath.isEmpty())
        listener(changedPath, command.verb == Verb::Plug);
    return QStringLiteral("ok");
}

} // namespace zyne::sim
