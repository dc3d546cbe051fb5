#pragma once

namespace novu::window_message {

// Numbered messages other windows and threads post the main window
// (CNOVU_GMouseDlg::PostMessage): they run on the window's thread, so a sender on any thread
// never blocks and never touches the window itself.
inline constexpr int kRestoreLighting = 0x040C;  // the sound-reactive window ended: resync

}  // namespace novu::window_message
