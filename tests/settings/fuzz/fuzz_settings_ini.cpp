// Feeds arbitrary bytes as the content of Device.ini and of the profile files, and checks that what
// comes out is always usable: values in range, files that read back the same after a write. The
// readers' file handling (non-regular files, size limits) has its own tests; leaving the files out
// keeps a run well under a millisecond.
#include "IniDocument.h"
#include "IniHelper.h"
#include "SettingsFolder.h"

#include <QLoggingCategory>

#include <cstdlib>

using namespace zyne;

namespace {

void check(bool condition) {
    if (!condition)
        std::abort();
}

void checkTextRoundTrip(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    IniDocument document;
    document.setValue(QStringLiteral("G"), QStringLiteral("K"), text);
    check(IniDocument::parse(document.serialized()).value(QStringLiteral("G"), QStringLiteral("K")) == text);
}

// Writing what was read changes nothing further, and every value reads back the same (lines that
// could not be read are kept, so the second document need not be well-formed either).
void checkDocumentRoundTrip(const IniDocument& first) {
    const QByteArray written = first.serialized();
    const IniDocument second = IniDocument::parse(written);
    check(second.serialized() == written);
    for (int box = 0; box < kBoxCount; ++box) {
        for (const auto& key : kDeviceKeys)
            check(first.value(deviceGroupName(box), QLatin1String(key.key)) ==
                  second.value(deviceGroupName(box), QLatin1String(key.key)));
    }
}

void checkRecords(const IniDocument& document) {
    const DeviceSettings settings = deviceSettingsFrom(document);
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
    applyPlusProfile(plusProfileFrom(document), ports);
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
    applyClassicProfile(classicProfileFrom(document), fans);
    for (const ClassicFanState& fan : fans)
        check(fan.Speed >= 0 && fan.Speed <= 5 && fan.Bright >= 0.0f && fan.Bright <= 1.0f);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        QLoggingCategory::setFilterRules(QStringLiteral("zyne.settings=false"));
        return true;
    }();
    (void)quiet;
    const QByteArray bytes(reinterpret_cast<const char*>(data), int(size));
    checkTextRoundTrip(bytes);
    const IniDocument document = IniDocument::parse(bytes);
    checkDocumentRoundTrip(document);
    checkRecords(document);
    return 0;
}
