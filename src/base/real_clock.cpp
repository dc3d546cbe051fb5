#include "base/real_clock.h"

#include <thread>

namespace novu {

namespace {
// Wake-ups from a timed sleep on Linux arrive 50..100 µs late (timer slack plus scheduling);
// stopping the sleep this much early and spinning the rest keeps pauses exact.
constexpr Duration kSpinMargin = std::chrono::microseconds(150);
}  // namespace

double ToMilliseconds(Duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

RealClock::RealClock() : epoch_(std::chrono::steady_clock::now()) {}

TimePoint RealClock::Now() const {
    return std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now() - epoch_);
}

void RealClock::SleepUntil(TimePoint deadline) {
    const auto target = epoch_ + deadline;
    if (target - std::chrono::steady_clock::now() > kSpinMargin) {
        std::this_thread::sleep_until(target - kSpinMargin);
    }
    while (std::chrono::steady_clock::now() < target) {
        std::this_thread::yield();
    }
}

bool RealClock::WaitFor(ClockEvent& event, std::optional<TimePoint> deadline) {
    std::unique_lock lock(event.mutex_);
    const auto raised = [&] { return event.raised_; };
    if (deadline) {
        if (!event.changed_.wait_until(lock, epoch_ + *deadline, raised)) {
            return false;
        }
    } else {
        event.changed_.wait(lock, raised);
    }
    event.raised_ = false;
    return true;
}

void RealClock::Raise(ClockEvent& event) {
    {
        std::lock_guard lock(event.mutex_);
        event.raised_ = true;
    }
    event.changed_.notify_all();
}

}  // namespace novu
