#include "macro/macro_recorder_time.h"

#include <algorithm>
#include <chrono>

namespace novu {

std::int64_t SystemTimeOfDay::MillisecondsOfDay() const {
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    const std::int64_t ms = sinceEpoch.count() % kMillisecondsPerDay;
    return ms < 0 ? ms + kMillisecondsPerDay : ms;
}

std::int64_t ClockTimeOfDay::MillisecondsOfDay() const {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(clock_.Now()).count();
    const std::int64_t ms = (startOfDay_ + elapsed) % kMillisecondsPerDay;
    return ms < 0 ? ms + kMillisecondsPerDay : ms;
}

std::uint16_t ElapsedMs(std::int64_t now, std::int64_t last) {
    std::int64_t elapsed = now - last;
    if (elapsed < 0) {
        elapsed += kMillisecondsPerDay;
    }
    return static_cast<std::uint16_t>(std::clamp<std::int64_t>(elapsed, 0, kMaxRecordedPause));
}

}  // namespace novu
