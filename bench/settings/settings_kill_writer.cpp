// settings_kill_writer write <folder>   writes Device.ini and Profile1.ini in turn until killed
// settings_kill_writer probe <folder>   checks both files, writes each once as the writer does and
//                                       prints "<damaged files> <device write ms> <profile write ms>
//                                       <writes that had to go without the lock>"
#include "IniDocument.h"
#include "IniHelper.h"
#include "SettingsFolder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>

#include <cstdio>

using namespace zyne;

namespace {

// Every write carries all of these; a file without one of them lost part of a write.
bool isWhole(const QString& path, const QList<QPair<QString, QString>>& groupKeys) {
    QFile file(path);
    if (!file.exists())
        return true; // never written yet
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const IniDocument document = IniDocument::parse(file.readAll());
    if (!document.isWellFormed())
        return false;
    for (const auto& [group, key] : groupKeys) {
        if (!document.contains(group, key))
            return false;
    }
    return true;
}

int lockWaits = 0;

void countLockWaits(QtMsgType, const QMessageLogContext&, const QString& message) {
    if (message.contains(QLatin1String("without its lock")))
        ++lockWaits;
}

GroupMap fullDeviceMap(int round) {
    ApplicationSettingsValues values;
    values.password = QString::number(round);
    GroupMap device = mainOnlyGroupMap(values);
    PlusPorts ports;
    for (auto& port : ports) {
        port.FanName = QStringLiteral("fan %1").arg(round);
        port.Speed_Num = round % 10;
    }
    const GroupMap boxes = deviceGroupMap({QString(kBoxCount, QLatin1Char('1'))},
                                          [&](int) { return plusDeviceGroup(ports, round % 5 + 1, 1); }, {});
    for (auto it = boxes.cbegin(); it != boxes.cend(); ++it)
        device.insert(it.key(), it.value());
    return device;
}

GroupMap fullProfileMap(int round) {
    PlusPorts ports;
    for (auto& port : ports)
        port.Speed_Num = round % 10;
    return plusProfileGroupMap(ports);
}

void writeBoth(const IniHelper& ini, int round) {
    ini.writeDeviceIni(fullDeviceMap(round));
    ini.writeProfileIni(fullProfileMap(round), 1);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("zyne.settings.debug=false\nzyne.settings.info=false"));
    if (argc != 3)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const IniHelper ini(QString::fromLocal8Bit(argv[2]));
    if (mode == QLatin1String("write")) {
        for (int round = 1;; ++round)
            writeBoth(ini, round);
    }
    if (mode != QLatin1String("probe"))
        return 2;

    QList<QPair<QString, QString>> device{{mainGroupName(), QStringLiteral("Password")}};
    for (int box = 0; box < kBoxCount; ++box)
        device.append({deviceGroupName(box), QStringLiteral("Profile")});
    QList<QPair<QString, QString>> profile;
    for (int port = 0; port < kPlusPortCount; ++port)
        profile.append({profileGroupName(port), QStringLiteral("lightMode")});
    const int damaged = int(!isWhole(deviceIniPath(ini.folder()), device)) +
                        int(!isWhole(plusProfilePath(ini.folder(), 1), profile));

    const GroupMap deviceGroups = fullDeviceMap(0);
    const GroupMap profileGroups = fullProfileMap(0);
    qInstallMessageHandler(countLockWaits);
    QElapsedTimer timer;
    timer.start();
    ini.writeDeviceIni(deviceGroups);
    const qint64 deviceMs = timer.restart();
    ini.writeProfileIni(profileGroups, 1);
    const qint64 profileMs = timer.elapsed();
    std::printf("%d %lld %lld %d\n", damaged, static_cast<long long>(deviceMs),
                static_cast<long long>(profileMs), lockWaits);
    return 0;
}
