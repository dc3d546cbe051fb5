#pragma once

namespace novu::window_message {

// The numbered messages other windows and threads send the main window. The Qt window
// receives them as method calls or signals; the numbers name them where they are logged or
// compared.
inline constexpr int kTrayCallback = 0x0401;     // notification-area icon
inline constexpr int kRestoreLighting = 0x040C;  // sound-reactive window: lighting resync
inline constexpr int kPopupClosed = 0x07E9;      // popup menu closed; wParam 1: language row
inline constexpr int kMacroMenuCommand = 0x07EA;
inline constexpr int kKeyCaptured = 0x07F5;
inline constexpr int kRecreateFonts = 0x07F7;
inline constexpr int kListEditCommitted = 0x2B11;
inline constexpr int kLightingEffectMenu = 0x83ED;
inline constexpr int kLightingSpeedMenu = 0x83EE;

// wParam of kPopupClosed when a language menu row was chosen.
inline constexpr int kLanguageChosen = 1;

// Tray menu commands.
inline constexpr int kTrayRestore = 0x8021;
inline constexpr int kTrayExit = 0x8020;

}  // namespace novu::window_message
