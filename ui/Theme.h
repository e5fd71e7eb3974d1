#pragma once

// The look shared by every view: dark surfaces, light text, one cyan accent.
namespace zyne::ui::theme {

inline constexpr const char* kAccent = "#03C6F7";
inline constexpr const char* kDimmed = "#c0c0c0";

inline constexpr const char* kCaption = "color: #8a94a0; font-family: Arial; font-size: 10px;";
inline constexpr const char* kValue = "color: white; font-family: Arial; font-size: 13px; font-weight: bold;";

inline constexpr const char* kButton =
    "QPushButton {color: #d8dde3; font-family: Arial; font-size: 11px; border: 1px solid #3a4450;"
    " border-radius: 5px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2c333c, stop:1 "
    "#20262d);}"
    "QPushButton:hover {border-color: #03C6F7;}"
    "QPushButton:pressed, QPushButton:checked {color: #03C6F7; border-color: #03C6F7; background: #16323d;}"
    "QPushButton:disabled {color: #5a636d; border-color: #2a3038;}";

inline constexpr const char* kArrow =
    "QPushButton {color: #03C6F7; font-family: Arial; font-size: 14px; font-weight: bold; border: none;"
    " background: transparent;}"
    "QPushButton:hover {color: white;}"
    "QPushButton:disabled {color: #4a525c;}";

inline constexpr const char* kSlider =
    "QSlider::groove:horizontal {height: 4px; border-radius: 2px; background: #2f3740;}"
    "QSlider::sub-page:horizontal {height: 4px; border-radius: 2px;"
    " background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #0a6f8c, stop:1 #03C6F7);}"
    "QSlider::handle:horizontal {width: 14px; height: 14px; margin: -5px 0; border-radius: 7px;"
    " background: #e8f8ff; border: 2px solid #03C6F7;}"
    "QSlider::handle:horizontal:disabled {background: #5a636d; border-color: #3a4450;}";

inline constexpr const char* kCombo =
    "QComboBox {color: #d8dde3; font-family: Arial; font-size: 11px; border: 1px solid #3a4450;"
    " border-radius: 5px; padding-left: 6px; background: #20262d;}"
    "QComboBox:hover {border-color: #03C6F7;}"
    "QComboBox::drop-down {border: none; width: 18px;}"
    "QComboBox QAbstractItemView {color: #d8dde3; background: #1b2026; selection-background-color: #16323d;"
    " border: 1px solid #3a4450;}";

} // namespace zyne::ui::theme
