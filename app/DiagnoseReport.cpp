#include "DiagnoseReport.h"

#include "ApplicationSettings.h"
#include "AudioServerProbe.h"
#include "AutoStart.h"
#include "AwtController.h"
#include "ChipLink.h"
#include "DeviceSettings.h"
#include "IniHelper.h"
#include "LibsensorsLibrary.h"
#include "MakerDevices.h"
#include "SettingsFolder.h"
#include "SimEnvironment.h"
#include "SocketHelper.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace zyne {

namespace {
constexpr int kAudioServerWaitMs = 200;

const char* const kUdevRuleFolders[] = {"/etc/udev/rules.d", "/run/udev/rules.d",
                                        "/usr/local/lib/udev/rules.d", "/usr/lib/udev/rules.d",
                                        "/lib/udev/rules.d"};
const QString kUdevRuleName = QStringLiteral("60-vx-zyne-plus-rgb.rules");

QString yesNo(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

void writeDevices(QTextStream& out) {
    const std::vector<MakerDevice> devices = listMakerDevices();
    out << "devices: " << devices.size() << '\n';
    for (const MakerDevice& device : devices) {
        const HidDeviceInfo& info = device.node.info;
        out << "  " << device.name << ": " << info.path << ", interface " << info.interfaceNumber << ", ids "
            << deviceIdText(info.vendorId, info.productId)
            << ", can be opened: " << nodeAccessText(device.node) << '\n';
    }
}

void writeChipSlots(QTextStream& out) {
    // Each slot opened and closed at once: no frame reaches the chip.
    QStringList present;
    const std::shared_ptr<ChipLink> link = chipLink();
    for (int slot = 1; slot <= AwtController::kHandleCount; ++slot) {
        const std::string name = "xq_hid" + std::to_string(slot);
        const ChipHandle handle = link->open(name);
        if (handle == kNoChipHandle)
            continue;
        link->close(handle);
        present << QString::fromStdString(name);
    }
    out << "AWT chip slots: " << (present.isEmpty() ? QStringLiteral("none") : present.join(QLatin1Char(' ')))
        << '\n';
}

void writeUdevRule(QTextStream& out) {
    for (const char* folder : kUdevRuleFolders) {
        const QString path = QLatin1String(folder) + QLatin1Char('/') + kUdevRuleName;
        if (QFileInfo::exists(path)) {
            out << "udev rule: installed at " << path << '\n';
            return;
        }
    }
    out << "udev rule: not installed (see README, \"The udev rule\")\n";
}

void writeSettings(QTextStream& out) {
    const QString folder = settingsFolder();
    out << "settings folder: " << folder << '\n';
    out << "log file: " << folder << "/ZynePlus.log" << '\n';
    const ApplicationSettingsValues values = applicationSettingsFrom(IniHelper(folder).readDeviceIni().main);
    const AutoStart entry(QCoreApplication::applicationFilePath());
    out << "autorun: " << (values.isAutoRun ? "on" : "off") << ", autostart entry " << entry.entryPath()
        << ": " << (entry.isRegistered() ? "present" : "absent") << '\n';
    static const char* const exposures[] = {"off", "every interface", "this PC only"};
    out << "mobile app server: " << exposures[values.mobileServer] << ", port "
        << SocketHelper::portFromEnvironment() << '\n';
}

void writeSoundAndSensors(QTextStream& out) {
    QString server;
    const bool answers = audioServerAnswers(kAudioServerWaitMs, &server);
    out << "sound server answers: " << yesNo(answers) << " (" << server << ")\n";
    LibsensorsLibrary sensors;
    QStringList chips;
    for (int chip = 0; chip < sensors.sensorCount(); ++chip)
        chips << sensors.sensorName(chip);
    out << "hwmon chips: "
        << (sensors.isAvailable() ? QString::number(chips.size()) : QStringLiteral("libsensors unavailable"))
        << (chips.isEmpty() ? QString()
                            : QStringLiteral(" (") + chips.join(QStringLiteral(", ")) + QLatin1Char(')'))
        << '\n';
}
} // namespace

QString diagnoseReport() {
    QString text;
    QTextStream out(&text);
    out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << ", Qt "
        << qVersion() << '\n';
    // The simulator's trace and control socket belong to a running instance, if any.
    qunsetenv("ZYNE_SIM_TRACE");
    qunsetenv("ZYNE_SIM_CONTROL");
    QString error;
    if (!sim::installBackendFromEnvironment(&error, nullptr)) {
        out << "HID backend: unusable: " << error << '\n';
        return text;
    }
    const bool simulated = qEnvironmentVariable("ZYNE_HID_BACKEND") == QLatin1String("sim");
    out << "HID backend: " << (simulated ? "simulated rig" : "hidapi") << '\n';
    writeDevices(out);
    writeChipSlots(out);
    writeUdevRule(out);
    writeSettings(out);
    writeSoundAndSensors(out);
    return text;
}

} // namespace zyne
