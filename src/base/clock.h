#pragma once

#include <chrono>
#include <cstdint>

namespace novu {

// Time on a clock, as the span since that clock's own epoch.
using Duration = std::chrono::nanoseconds;
using TimePoint = Duration;

constexpr Duration Ms(std::int64_t ms) {
    return std::chrono::milliseconds(ms);
}

// The clock seam: every pause of the product goes through it, so tests and the emulator can
// run the protocol on virtual time. Sleeps aim at absolute deadlines: a sequence of sleeps
// computed from a start time does not drift by the time spent between them.
class Clock {
public:
    virtual ~Clock() = default;

    virtual TimePoint Now() const = 0;
    virtual void SleepUntil(TimePoint deadline) = 0;

    void SleepFor(Duration duration) { SleepUntil(Now() + duration); }
};

// Milliseconds of a time point, with fractions, for traces and figures.
double ToMilliseconds(Duration duration);

}  // namespace novu
