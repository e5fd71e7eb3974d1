#pragma once

#include <QMap>
#include <QString>

namespace zyne {

// Key name to value text of one INI group.
using KeyMap = QMap<QString, QString>;
// Group name ("Device0", "Main", "Fan3", ...) to its keys; what the writers take.
using GroupMap = QMap<QString, KeyMap>;

} // namespace zyne
