#pragma once

#include "WindowMessage.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace zyne {

// The private window messages by name, for vx-zyne-msg: "show", "box 3", "profile 2",
// "light-mode 1 4", ... beside the plain numbers "0x8106 2 0". Boxes, profiles and ports are
// counted from 1, as the window shows them.
std::optional<WindowMessage> windowMessageFromWords(const QStringList& words, QString* error);

// One line per name with its arguments and what it does.
QString windowMessageNamesHelp();

} // namespace zyne
