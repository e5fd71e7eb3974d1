// Feeds arbitrary bytes as Device.ini and as profile files, and checks that what comes out is
// always usable: values in range, files that read back the same after a write.
#include "IniDocument.h"
#include "IniHelper.h"
#include "SettingsFolder.h"

#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdlib>

using namespace zyne;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

void checkTextRoundTrip(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    IniDocument document;
    document.setValue(QStringLiteral("G"), QStringLiteral("K"), text);
    check(IniDocument::parse(document.serialized()).value(QStringLiteral("G"), QStringLiteral("K")) == text);
}

// Writing what was read changes nothing further, and every value reads back the same (lines that
// could not be read are kept, so the second document need not be well-formed either).
void checkDocumentRoundTrip(const QByteArray& bytes) {
    const IniDocument first = IniDocument::parse(bytes);
    const QByteArray written = first.serialized();
    const IniDocument second = IniDocument::parse(written);
    check(second.serialized() == written);
    for (int box = 0; box < kBoxCount; ++box) {
        for (const auto& key : kDeviceKeys)
            check(first.value(deviceGroupName(box), QLatin1String(key.key)) ==
                  second.value(deviceGroupName(box), QLatin1String(key.key)));
    }
}

void checkRecords(const IniHelper& ini) {
    const DeviceSettings settings = ini.readDeviceIni();
    for (const DeviceRecord& record : settings.devices) {
        PlusPorts ports;
        AwtFans awt;
        applyDeviceRecord(record, ports, awt);
        check(isProfileNumber(savedProfileFrom(record)));
        for (const RainbowFanState& port : ports)
            check(port.FanType >= 0 && port.FanType < kFanTypeCount);
    }
    // A language index without a catalogue is kept on purpose; it must only never name a file.
    const ApplicationSettingsValues values = applicationSettingsFrom(settings.main);
    const bool known = values.language >= 0 && values.language < kLanguageCount;
    check(known || translationFileForLanguage(values.language).isEmpty());

    PlusPorts ports;
    applyPlusProfile(ini.readProfileIni(1), ports);
    for (const RainbowFanState& port : ports) {
        check(port.lightMode >= 0 && port.lightMode <= 20 && port.colorMode >= 0 && port.colorMode <= 2);
        check(port.lightSpeed >= 0 && port.lightSpeed <= 3 && port.SpeedMode >= 0 && port.SpeedMode <= 2);
        for (int e = 0; e < kColourEntries; ++e) {
            check(port.RColor[e] >= 0 && port.RColor[e] <= 255 && port.BColor[e] >= 0 &&
                  port.BColor[e] <= 255);
            check(port.Bright[e] >= 0.0f && port.Bright[e] <= 1.0f);
        }
    }
    ClassicFans fans;
    applyClassicProfile(ini.readClassicProfileIni(1), fans);
    for (const ClassicFanState& fan : fans)
        check(fan.Speed >= 0 && fan.Speed <= 5 && fan.Bright >= 0.0f && fan.Bright <= 1.0f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QTemporaryDir folder;
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("zyne.settings=false"));
        return true;
    }();
    (void)quiet;
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    checkTextRoundTrip(bytes);
    checkDocumentRoundTrip(bytes);

    const IniHelper ini(folder.path());
    writeFile(deviceIniPath(ini.folder()), bytes);
    writeFile(plusProfilePath(ini.folder(), 1), bytes);
    writeFile(classicProfilePath(ini.folder(), 1), bytes);
    checkRecords(ini);
    return 0;
}
