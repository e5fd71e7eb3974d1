#pragma once

namespace zyne {

// Process-wide values written on the GUI thread and read by both engines, the classic one on its
// own thread: each is one atomic value. The power type lives with its link (PowerSupplyApp.h).

// The last music level the mobile app sent, 0..100.
int mobileMusicLevel();
void setMobileMusicLevel(int level);

} // namespace zyne
