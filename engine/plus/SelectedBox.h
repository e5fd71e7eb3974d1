#pragma once

namespace zyne {

// The box the main view shows (0..15). Set by the main window, read by the engines.
int selectedBox();
void setSelectedBox(int box);

} // namespace zyne
