#pragma once

#include "FanRecords.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace zyne {

// A user lighting script as the file holds it: the frames' JSON texts, in frame order, and the
// milliseconds per frame.
struct ScriptText {
    QStringList frames;
    int frequency = 0;
    int count = 0;   // /Config/Count as written
    int skipped = 0; // frames below the count that the file does not hold
};

// Reads the INI text of a script: /Config/Count frames /Data/0.. /Data/n-1, each the Base64 of a
// frame's JSON. Only frames the file holds are taken, in index order, so a count beyond them
// costs nothing; a missing or unreadable count or frequency reads as 0.
ScriptText readScriptText(const QByteArray& iniBytes);

// One fan of one box in a script frame: 12 LED colours and brightness values.
struct UserScriptData {
    int fanIndex = 0;
    std::array<int, kLedCount> rColor{};
    std::array<int, kLedCount> gColor{};
    std::array<int, kLedCount> bColor{};
    std::array<int, kLedCount> brColor{};
};

struct UserScriptController {
    int boxIndex = 0;
    std::vector<UserScriptData> fans;
};

// The controller entries of one frame; empty when the frame's text could not be read.
using UserScriptFrame = std::vector<UserScriptController>;

struct ParsedScriptFrame {
    enum Status { Ok, ParseError, NotAnObject };
    Status status = Ok;
    UserScriptFrame frame;
    int skippedControllers = 0; // box numbers outside 0..15, or entries past one per box
};

// Parses one frame's JSON text: {"Controller": [{"ControllerNum": b, "Fan0": {"R": [...], "G": [...],
// "B": [...], "Br": [...]}, ...}]}. Fans 0..4 only; colours are clamped to 0..255 and brightness to
// 0..100, entries a list does not hold (or that are not numbers) read as 0.
ParsedScriptFrame parseScriptFrame(const QString& text);

} // namespace zyne
