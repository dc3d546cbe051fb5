#include "device/clock_mutex.h"

namespace novu {

void ClockMutex::lock() {
    std::unique_lock state(state_);
    while (locked_) {
        state.unlock();
        // Every unlock raises the event, so a wait that starts after the release still ends
        // at once; a wake-up that finds the mutex taken again simply waits once more.
        clock_.WaitFor(released_, std::nullopt);
        state.lock();
    }
    locked_ = true;
}

void ClockMutex::unlock() {
    {
        std::lock_guard state(state_);
        locked_ = false;
    }
    clock_.Raise(released_);
}

}  // namespace novu
