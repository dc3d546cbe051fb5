#pragma once

#include <mutex>
#include <vector>

#include "base/clock.h"

namespace novu {

// A clock for tests and the emulator: time stands still until someone sleeps, and a sleep
// advances it to its deadline at once. Every sleep is recorded, so tests can check the
// pauses a sequence makes without waiting for them.
class VirtualClock final : public Clock {
public:
    struct Sleep {
        TimePoint start;
        Duration length;
    };

    TimePoint Now() const override;
    void SleepUntil(TimePoint deadline) override;

    // Moves time forward without recording a sleep (for an event that happens later).
    void Advance(Duration duration);

    std::vector<Sleep> Sleeps() const;
    void ClearSleeps();

private:
    mutable std::mutex mutex_;
    TimePoint now_{};
    std::vector<Sleep> sleeps_;
};

}  // namespace novu
