#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

#include "base/clock.h"
#include "device/playback_state.h"

namespace novu {

// One button press as the device event thread recorded it: what the key-press service
// needs of it, taken from the press's own report (a later report cannot change it).
struct RecordedPress {
    std::uint8_t keyCode = 0;   // 0xF0 + hardware key number
    std::uint8_t dpiLevel = 0;  // bits 0..2 of the report's byte 2
    std::uint64_t claim = 0;    // non-zero when this press set the trigger

    bool operator==(const RecordedPress&) const = default;
};

// The hand-over of button presses from the device event thread to the key-press service
// thread, and the trigger rule that decides which presses are served.
//
// Every press is queued, so the service follows the DPI level of each one. Only a press
// that finds the trigger clear (and the service not serving) claims it: that press is
// served, later presses are not, until the service has finished serving. Presses recorded
// while a macro plays therefore only change the held and toggle flags (which is how the
// playing macro is stopped). A profile follow drops the claim: a claimed press that the
// service has not begun to serve is then not served.
//
// The service waits through the clock seam, so the hand-over runs on virtual time.
class PressQueue {
public:
    // Presses beyond this many waiting are dropped, the oldest unclaimed first: a mouse
    // that floods reports while a long macro plays cannot grow the queue without bound.
    static constexpr std::size_t kCapacity = 256;

    // `state` holds the trigger flag and the pressed key code the queue keeps up to date.
    PressQueue(Clock& clock, PressState& state) : clock_(clock), state_(state) {}
    PressQueue(const PressQueue&) = delete;
    PressQueue& operator=(const PressQueue&) = delete;

    // Device event thread: queues a press. It claims the trigger when the trigger is clear
    // and nothing is being served; the claim sets the pressed key code and the trigger.
    void Record(std::uint8_t keyCode, std::uint8_t dpiLevel);
    // Device event thread: clears the trigger and drops the claim (a profile follow).
    void CancelClaim();

    // Service: the next press, waiting for one; nullopt once the queue is closed.
    std::optional<RecordedPress> Next();
    // Service: whether `press` still holds the claim; if so the service serves it now.
    bool TakeClaim(const RecordedPress& press);
    // Service: serving has ended; the trigger is clear again and claims made meanwhile are
    // dropped.
    void FinishServing();
    // Service: the press taken with Next is done with.
    void Done();

    // Whether every recorded press is done with.
    bool Idle() const;
    std::size_t Waiting() const;

    // Ends the waits of Next; every later Next returns nullopt.
    void Close();

private:
    Clock& clock_;
    PressState& state_;
    mutable std::mutex mutex_;  // held only for bookkeeping, never across a wait
    std::deque<RecordedPress> presses_;
    std::uint64_t lastClaim_ = 0;
    std::uint64_t claimed_ = 0;  // the claim that may be served; 0: none
    bool serving_ = false;
    bool closed_ = false;
    std::uint64_t recorded_ = 0;
    std::uint64_t done_ = 0;
    ClockEvent arrived_;
};

}  // namespace novu
