#include "device/press_queue.h"

#include <algorithm>

namespace novu {

void PressQueue::Record(std::uint8_t keyCode, std::uint8_t dpiLevel) {
    {
        std::lock_guard lock(mutex_);
        RecordedPress press{keyCode, dpiLevel, 0};
        if (!state_.trigger.load() && !serving_) {
            press.claim = ++lastClaim_;
            claimed_ = press.claim;
            // The code first: the service reads it once it sees the trigger.
            state_.pressedKeyCode.store(keyCode);
            state_.trigger.store(true);
        }
        if (presses_.size() >= kCapacity) {
            auto dropped = std::find_if(presses_.begin(), presses_.end(), [&](const auto& p) {
                return claimed_ == 0 || p.claim != claimed_;
            });
            presses_.erase(dropped == presses_.end() ? presses_.begin() : dropped);
            ++done_;
        }
        presses_.push_back(press);
        ++recorded_;
    }
    clock_.Raise(arrived_);
}

void PressQueue::CancelClaim() {
    std::lock_guard lock(mutex_);
    claimed_ = 0;
    state_.trigger.store(false);
}

std::optional<RecordedPress> PressQueue::Next() {
    for (;;) {
        {
            std::lock_guard lock(mutex_);
            if (closed_) {
                return std::nullopt;
            }
            if (!presses_.empty()) {
                const RecordedPress press = presses_.front();
                presses_.pop_front();
                return press;
            }
        }
        // A press recorded or the queue closed meanwhile has raised the event already, so
        // this wait ends at once and the loop looks again.
        clock_.WaitFor(arrived_, std::nullopt);
    }
}

bool PressQueue::TakeClaim(const RecordedPress& press) {
    std::lock_guard lock(mutex_);
    if (press.claim == 0 || press.claim != claimed_) {
        return false;
    }
    serving_ = true;
    return true;
}

void PressQueue::FinishServing() {
    std::lock_guard lock(mutex_);
    serving_ = false;
    claimed_ = 0;
    state_.trigger.store(false);
}

void PressQueue::Done() {
    std::lock_guard lock(mutex_);
    ++done_;
}

bool PressQueue::Idle() const {
    std::lock_guard lock(mutex_);
    return done_ == recorded_ && !serving_;
}

std::size_t PressQueue::Waiting() const {
    std::lock_guard lock(mutex_);
    return presses_.size();
}

void PressQueue::Close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    clock_.Raise(arrived_);
}

}  // namespace novu
