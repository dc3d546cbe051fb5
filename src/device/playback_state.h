#pragma once

#include <atomic>
#include <cstdint>

namespace novu {

// The button presses the device event thread records and the key-press service thread
// serves. Each item is written by one side and read by the other without further locking;
// the event thread fills the pressed key code before it sets the trigger.
struct PressState {
    std::atomic<bool> keyPending{false};          // a press waits for its DPI follow
    std::atomic<bool> trigger{false};             // a press waits to be served
    std::atomic<std::uint8_t> pressedKeyCode{0};  // 0xF0 + hardware key number
    std::atomic<bool> held{false};                // from a press until its release
    std::atomic<bool> toggle{false};              // flipped by every press of a macro key
    std::atomic<bool> armed{false};               // a left-button macro is armed
    std::atomic<int> armedSlot{0};                // the button slot that armed it
};

}  // namespace novu
