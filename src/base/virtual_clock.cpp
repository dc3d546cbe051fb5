#include "base/virtual_clock.h"

#include <algorithm>

namespace novu {

TimePoint VirtualClock::Now() const {
    std::lock_guard lock(mutex_);
    return now_;
}

bool VirtualClock::IsReady(const Waiter& waiter) const {
    return (waiter.event != nullptr && waiter.event->raised_) ||
           (waiter.deadline && now_ >= *waiter.deadline);
}

void VirtualClock::AdvanceIfAllWait() {
    if (static_cast<int>(waiters_.size()) < participants_) {
        return;  // someone is still working
    }
    std::optional<TimePoint> earliest;
    for (const Waiter* waiter : waiters_) {
        if (IsReady(*waiter)) {
            return;  // someone is about to wake: let it run first
        }
        if (waiter->deadline && (!earliest || *waiter->deadline < *earliest)) {
            earliest = waiter->deadline;
        }
    }
    if (earliest) {
        now_ = *earliest;
        changed_.notify_all();
    }
}

bool VirtualClock::Wait(std::unique_lock<std::mutex>& lock, Waiter& waiter) {
    const bool visitor = joined_.count(std::this_thread::get_id()) == 0;
    if (visitor) {
        ++participants_;
    }
    waiters_.push_back(&waiter);
    bool raised = false;
    for (;;) {
        if (waiter.event != nullptr && waiter.event->raised_) {
            waiter.event->raised_ = false;
            raised = true;
            break;
        }
        if (waiter.deadline && now_ >= *waiter.deadline) {
            break;
        }
        AdvanceIfAllWait();
        if (IsReady(waiter)) {
            continue;
        }
        changed_.wait(lock);
    }
    waiters_.erase(std::find(waiters_.begin(), waiters_.end(), &waiter));
    if (visitor) {
        --participants_;
    }
    changed_.notify_all();
    return raised;
}

void VirtualClock::SleepUntil(TimePoint deadline) {
    std::unique_lock lock(mutex_);
    const TimePoint start = now_;
    Waiter waiter{deadline, nullptr};
    Wait(lock, waiter);
    sleeps_.push_back({start, deadline > start ? deadline - start : Duration{}});
}

bool VirtualClock::WaitFor(ClockEvent& event, std::optional<TimePoint> deadline) {
    std::unique_lock lock(mutex_);
    Waiter waiter{deadline, &event};
    return Wait(lock, waiter);
}

void VirtualClock::Raise(ClockEvent& event) {
    std::lock_guard lock(mutex_);
    event.raised_ = true;
    changed_.notify_all();
}

void VirtualClock::Join() {
    std::lock_guard lock(mutex_);
    if (joined_.insert(std::this_thread::get_id()).second) {
        ++participants_;
    }
}

void VirtualClock::Leave() {
    std::lock_guard lock(mutex_);
    if (joined_.erase(std::this_thread::get_id()) > 0) {
        --participants_;
        AdvanceIfAllWait();
        changed_.notify_all();
    }
}

void VirtualClock::Advance(Duration duration) {
    std::lock_guard lock(mutex_);
    now_ += duration;
    changed_.notify_all();
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
