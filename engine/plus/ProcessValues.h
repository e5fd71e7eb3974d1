#pragma once

namespace zyne {

// Process-wide values written on the GUI thread (or by a power-supply client) and read by both
// engines, the classic one on its own thread: each is one atomic value.

// 0 until the power-supply application announced its kind, then 1 or 2.
int powerType();
void setPowerType(int type);

// The last music level the mobile app sent, 0..100.
int mobileMusicLevel();
void setMobileMusicLevel(int level);

} // namespace zyne
