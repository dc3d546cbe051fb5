#pragma once

#include "base/clock.h"

namespace novu {

// The steady clock of the machine. Sleeps wake at their absolute deadline; the last stretch
// before a deadline is spun so that protocol pauses of 2..5 ms keep their length instead of
// growing by the scheduler's wake-up latency.
class RealClock final : public Clock {
public:
    RealClock();

    TimePoint Now() const override;
    void SleepUntil(TimePoint deadline) override;
    bool WaitFor(ClockEvent& event, std::optional<TimePoint> deadline) override;
    void Raise(ClockEvent& event) override;

private:
    std::chrono::steady_clock::time_point epoch_;
};

}  // namespace novu
