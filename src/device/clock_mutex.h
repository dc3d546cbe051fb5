#pragma once

#include <mutex>

#include "base/clock.h"

namespace novu {

// A mutex whose waiters wait through the clock seam. A thread blocked on a plain mutex looks
// busy to the virtual clock, so a holder that sleeps while holding it would never wake; a
// thread waiting here counts as waiting and lets time move on.
//
// lock/unlock are spelled as the standard library expects, so std::lock_guard and
// std::unique_lock work with it.
class ClockMutex {
public:
    explicit ClockMutex(Clock& clock) : clock_(clock) {}
    ClockMutex(const ClockMutex&) = delete;
    ClockMutex& operator=(const ClockMutex&) = delete;

    void lock();
    void unlock();

private:
    Clock& clock_;
    std::mutex state_;
    bool locked_ = false;
    ClockEvent released_;
};

}  // namespace novu
