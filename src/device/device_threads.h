#pragma once

#include <atomic>
#include <cstdint>
#include <latch>
#include <memory>
#include <optional>
#include <thread>

#include "device/current_macro.h"
#include "device/device_event_thread.h"
#include "device/device_thread_context.h"
#include "device/key_press_service.h"
#include "device/playback.h"
#include "device/playback_state.h"
#include "device/press_queue.h"

namespace novu {

// The two device threads of the program: the device event thread, which reads the mouse's
// input reports, and the key-press service thread, which follows the DPI level of every
// press and serves the presses (multimedia keys, software macro playback). The application
// starts them before it opens the mouse and stops them when it ends.
//
// Both threads take part in the clock from start to stop, so on the virtual clock time moves
// only while both wait (for a report, a press, or a pause of a playing macro).
class DeviceThreads {
public:
    // `random` gives the random additions to short mouse-button pauses of played macros;
    // without one the threads seed their own from the clock.
    DeviceThreads(const DeviceThreadContext& context, DeviceThreadCallbacks callbacks,
                  InputSource input, RandomSource* random = nullptr);
    // Stops the threads.
    ~DeviceThreads();
    DeviceThreads(const DeviceThreads&) = delete;
    DeviceThreads& operator=(const DeviceThreads&) = delete;

    // Starts both threads, once; returns when both take part in the clock.
    void Start();
    // Ends both threads: interrupts the input read and the service's wait, ends a playing
    // macro (releasing what it holds) and waits, through the clock, until both are gone.
    // Must not be called from a callback of the threads.
    void Stop();

    // The input interface was opened (at start-up or again after a hot-plug): the device
    // event thread reads it from now on.
    void InputChanged();

    // The press flags; an upload clears the armed flag in them.
    PressState& Press() { return press_; }
    const PressState& Press() const { return press_; }
    CurrentMacro& Macro() { return macro_; }

    // Input reports handled so far.
    std::uint64_t ReportsHandled() const { return events_.ReportsHandled(); }
    // Whether every press recorded so far has been followed and served.
    bool Idle() const { return queue_.Idle(); }
    // Waits, through the clock, until `reports` input reports have been handled and the
    // service is idle (true), or until `deadline` (false).
    bool WaitUntilSettled(std::uint64_t reports, std::optional<TimePoint> deadline);

private:
    void Launch(std::thread& thread, void (DeviceThreads::*body)());
    void RunEvents();
    void RunService();

    Clock& clock_;
    PressState press_;
    PressQueue queue_;
    CurrentMacro macro_;
    std::unique_ptr<RandomSource> ownRandom_;
    DeviceEventThread events_;
    KeyPressService service_;

    ClockEvent settled_;
    ClockEvent exited_;
    std::latch joined_{2};  // both threads take part in the clock
    std::atomic<int> running_{0};
    bool started_ = false;
    std::thread eventThread_;
    std::thread serviceThread_;
};

}  // namespace novu
