#pragma once

#include <QByteArray>
#include <QString>

namespace zyne {

// The power-supply companion application's link: the power type it announces and the messages the
// workers send it while power-supply synchronisation is on.

enum PowerType {
    PowerTypeUnknown = 0,
    PowerTypePlain = 1, // "VxPower": no addressable ring
    PowerTypeRing = 2,  // "VxPower_12LED": a 12-LED ring
};

// The type a read announces: the text up to the first "&", and of that the part before any "!".
// PowerTypeUnknown for any other name.
int powerTypeFromAnnouncement(const QByteArray& text);

// The last type either link learned; kept after a disconnect. Read from both workers' threads.
int powerType();
void setPowerType(int type);

// Framed messages (Base64 of the one-line JSON, then "&"), ready for testSendCommand.
// Kind 1: a classic fan's LEDs were switched ("Light" is always "0").
QString powerSupplyLightMessage();
// Kind 2: the light mode of fan 1 of the shown classic box (0 -> "1", 1 -> "2", 2 -> "4", else "0").
QString powerSupplyLightModeMessage(int classicLightMode);
// Kind 3: its colour and brightness (0..1, sent in percent).
QString powerSupplyColourMessage(int red, int green, int blue, float brightness);
// Kind 3 from the Plus worker: a port was reset to its defaults.
QString powerSupplyDefaultMessage();

} // namespace zyne
