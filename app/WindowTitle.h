#pragma once

namespace zyne {

// The main window's title: a second start and vx-zyne-msg find the running program by it.
inline constexpr char kWindowTitleText[] = "Zyne Plus RGB";

} // namespace zyne
