#pragma once

#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "base/clock.h"

namespace novu {

// A clock for tests and the emulator: time stands still while anyone works and jumps when
// everyone waits.
//
// Threads that take part (Join) hold time still while they run. When every participant is
// waiting — sleeping, or blocked on a ClockEvent — and none is about to wake, time advances
// to the earliest deadline among the waits and that waiter wakes. A thread that has not
// joined counts as a participant only for the duration of its own wait, so a single thread
// that just sleeps sees every sleep end at once. Every SleepUntil is recorded.
class VirtualClock final : public Clock {
public:
    struct Sleep {
        TimePoint start;
        Duration length;
    };

    TimePoint Now() const override;
    void SleepUntil(TimePoint deadline) override;
    bool WaitFor(ClockEvent& event, std::optional<TimePoint> deadline) override;
    void Raise(ClockEvent& event) override;
    void Join() override;
    void Leave() override;

    // Moves time forward without recording a sleep (for an event that happens later).
    void Advance(Duration duration);

    std::vector<Sleep> Sleeps() const;
    void ClearSleeps();

private:
    struct Waiter {
        std::optional<TimePoint> deadline;
        ClockEvent* event;  // null for a sleep
    };

    bool Wait(std::unique_lock<std::mutex>& lock, Waiter& waiter);
    bool IsReady(const Waiter& waiter) const;
    void AdvanceIfAllWait();

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    TimePoint now_{};
    std::set<std::thread::id> joined_;
    int participants_ = 0;
    std::vector<Waiter*> waiters_;
    std::vector<Sleep> sleeps_;
};

}  // namespace novu
