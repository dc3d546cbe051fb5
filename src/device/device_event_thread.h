#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

#include "device/current_macro.h"
#include "device/device_thread_context.h"
#include "device/playback_state.h"
#include "device/press_queue.h"

namespace novu {

// Input report 6 of the mouse's vendor input interface.
namespace input_report {
constexpr std::uint8_t kId = 0x06;
constexpr std::size_t kLargest = 256;
// Byte 1: the event code.
constexpr std::uint8_t kOffsetUp = 0x01;        // the current macro's vertical offset + 1
constexpr std::uint8_t kOffsetDown = 0x02;      // ... - 1
constexpr std::uint8_t kProfileChanged = 0x03;  // the mouse switched its profile itself
constexpr std::uint8_t kButtonBase = 0xF0;      // above it: a button event of key code - 0xF0
// Byte 2 of a button event.
constexpr std::uint8_t kReleased = 0x80;
constexpr std::uint8_t kDpiLevelMask = 0x07;
}  // namespace input_report

// Pause after each report, as the mouse's events have always been paced on the host.
constexpr Duration kEventPause = Ms(2);

// The device event thread: reads the mouse's input reports for the life of the program and
// turns them into state changes. It follows profile changes made on the mouse, arms and
// disarms left-button macros, adjusts the vertical offset of the current macro, sends the
// hold signal, and hands every press to the key-press service thread.
class DeviceEventThread {
public:
    DeviceEventThread(const DeviceThreadContext& context, DeviceThreadCallbacks callbacks,
                      InputSource input, PressState& press, PressQueue& queue, CurrentMacro& macro);
    DeviceEventThread(const DeviceEventThread&) = delete;
    DeviceEventThread& operator=(const DeviceEventThread&) = delete;

    // The thread's body, until Stop: user macro 0 of group 0 becomes the current macro,
    // then every input report is read and handled. While no input interface is open, or
    // once a read fails (the mouse is gone), it waits for InputChanged instead of reading.
    void Run();
    // From any other thread: ends Run, interrupting a blocked read.
    void Stop();
    // The input interface was opened (again): Run reads it from now on.
    void InputChanged();

    // Handles one input report (report ID first).
    void Handle(std::span<const std::uint8_t> report);

    // Reports read and handled so far (reports of other IDs included).
    std::uint64_t ReportsHandled() const { return handled_.load(); }
    // Raised after every report handled.
    void SetSettledEvent(ClockEvent* settled) { settled_ = settled; }

private:
    // Waits until the source offers another interface than `failed`, or Stop.
    void WaitForInput(const std::shared_ptr<HidDevice>& failed);
    void Settled();

    void ButtonEvent(std::uint8_t code, std::uint8_t state);
    void LoadMacroOf(std::int32_t code);
    // Reads the profile active on the mouse and makes it the current one. A profile-switch
    // button also puts the new profile's host-function keys off the mouse and drops the
    // armed macro and the trigger.
    void FollowProfile(bool switchButton);
    void Press(int slot, std::uint8_t code, std::uint8_t dpiLevel, std::int32_t function);
    void Release(int slot);
    void ArmingPress(int slot, const Settings& settings);

    DeviceThreadContext context_;
    DeviceThreadCallbacks callbacks_;
    InputSource input_;
    PressState& press_;
    PressQueue& queue_;
    CurrentMacro& macro_;
    ClockEvent* settled_ = nullptr;

    std::mutex readerMutex_;  // guards the two below against Stop
    bool stopping_ = false;
    std::shared_ptr<HidDevice> reading_;
    ClockEvent inputChanged_;
    std::atomic<std::uint64_t> handled_{0};
};

}  // namespace novu
