#include "base/virtual_clock.h"

namespace novu {

TimePoint VirtualClock::Now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

void VirtualClock::SleepUntil(TimePoint deadline) {
    std::lock_guard lock(mutex_);
    const Duration length = deadline > now_ ? deadline - now_ : Duration{};
    sleeps_.push_back({now_, length});
    now_ += length;
}

void VirtualClock::Advance(Duration duration) {
    std::lock_guard lock(mutex_);
    now_ += duration;
}

std::vector<VirtualClock::Sleep> VirtualClock::Sleeps() const {
    std::lock_guard lock(mutex_);
    return sleeps_;
}

void VirtualClock::ClearSleeps() {
    std::lock_guard lock(mutex_);
    sleeps_.clear();
}

}  // namespace novu
