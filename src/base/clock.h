#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>

namespace novu {

// Time on a clock, as the span since that clock's own epoch.
using Duration = std::chrono::nanoseconds;
using TimePoint = Duration;

constexpr Duration Ms(std::int64_t ms) {
    return std::chrono::milliseconds(ms);
}

// Milliseconds of a duration, with fractions, for traces and figures.
double ToMilliseconds(Duration duration);

// An auto-reset event that a thread can wait for on a clock: raising it wakes one wait (or
// the next one, when nobody waits yet; a raise is never lost).
class ClockEvent {
public:
    ClockEvent() = default;
    ClockEvent(const ClockEvent&) = delete;
    ClockEvent& operator=(const ClockEvent&) = delete;

private:
    friend class RealClock;
    friend class VirtualClock;
    std::mutex mutex_;  // used by the real clock; the virtual clock guards `raised_` itself
    std::condition_variable changed_;
    bool raised_ = false;
};

// The clock seam: every pause and every blocking wait of the product goes through it, so
// tests and the emulator can run the protocol and the device threads on virtual time.
// Sleeps aim at absolute deadlines: a sequence of sleeps computed from a start time does not
// drift by the time spent between them.
class Clock {
public:
    virtual ~Clock() = default;

    virtual TimePoint Now() const = 0;
    virtual void SleepUntil(TimePoint deadline) = 0;
    void SleepFor(Duration duration) { SleepUntil(Now() + duration); }

    // Waits until `event` is raised (true, and the event is reset) or `deadline` passes
    // (false). Without a deadline it waits for the event only.
    virtual bool WaitFor(ClockEvent& event, std::optional<TimePoint> deadline) = 0;
    virtual void Raise(ClockEvent& event) = 0;

    // The calling thread takes part in the clock's time from Join until Leave (see
    // VirtualClock); the real clock ignores both.
    virtual void Join() {}
    virtual void Leave() {}
};

// Join and Leave for the life of a scope.
class ClockParticipation {
public:
    explicit ClockParticipation(Clock& clock) : clock_(clock) { clock_.Join(); }
    ~ClockParticipation() { clock_.Leave(); }
    ClockParticipation(const ClockParticipation&) = delete;
    ClockParticipation& operator=(const ClockParticipation&) = delete;

private:
    Clock& clock_;
};

}  // namespace novu
