#pragma once

#include "DeviceSettings.h"
#include "GroupMap.h"
#include "IniDocument.h"
#include "LightingProfiles.h"

#include <QString>

namespace zyne {

// What an existing file's content reads as (the readers below add the file and its absence):
// a missing or empty slot value takes its default, a missing Main or profile value stays empty.
DeviceSettings deviceSettingsFrom(const IniDocument& document);
PlusProfileTexts plusProfileFrom(const IniDocument& document);
ClassicProfileTexts classicProfileFrom(const IniDocument& document);

// Reads and writes Device.ini and the Plus and classic profile files of one settings folder, in the
// Qt settings store's INI format. Every write merges into the file's current content and replaces
// the file whole (see updateIniFile). The helper holds no state besides its folder, so each worker
// can own one and use it on its own thread.
class IniHelper {
public:
    IniHelper(); // the user's settings folder
    explicit IniHelper(QString folder);

    const QString& folder() const { return m_folder; }

    // Missing file: every slot and Main take their defaults. Existing file: a missing or empty
    // slot value takes its default, a missing Main value stays empty.
    DeviceSettings readDeviceIni() const;
    // Writes the six keys of every DeviceN group the map holds with keys, and the Main keys when
    // the map holds Main; a key the group lacks is written empty. Other groups keep their content.
    void writeDeviceIni(GroupMap groups) const;

    // Missing file: the defaults. Existing file: a missing key reads as empty text.
    // A profile number outside 1..5 is refused with a log line (reads give the defaults).
    PlusProfileTexts readProfileIni(int profile) const;
    void writeProfileIni(GroupMap groups, int profile) const;
    ClassicProfileTexts readClassicProfileIni(int profile) const;
    void writeClassicProfileIni(GroupMap groups, int profile) const;

private:
    QString m_folder;
};

} // namespace zyne
