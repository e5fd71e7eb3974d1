#pragma once

#include "ClassicFanState.h"
#include "FanRecords.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <array>
#include <optional>

namespace zyne {

// The JSON records sent back to the mobile app.

using BoxFanTypes = std::array<std::array<int, kPlusPortCount>, kBoxCount>;

// ResType 9: per slot the five fan types and what sits there ("1" Plus, "2" classic, "0" nothing).
QJsonObject deviceListReply(const BoxFanTypes& fanTypes, const QString& plusPresence,
                            const QString& classicPresence);

// ResType 15 from port 1 of a Plus box. withPortDetails adds port 1's fan type and the monitor flags
// of all five ports (command 15).
QJsonObject profileReply(const std::array<RainbowFanState, kPlusPortCount>& ports, int currentProfile,
                         bool withPortDetails);

// ResType 15 of a classic box.
QJsonObject classicStatusReply(const ClassicFans& fans, int profile);

// ResType 18 / 19: whether the request was understood.
QJsonObject successReply(int resType, bool success);

// The demo effect (0..8) a voice request names, if any.
std::optional<int> voiceDemoEffect(const QString& voice);

QByteArray compactJson(const QJsonObject& object);

} // namespace zyne
