#pragma once

#include <cstdint>

#include "base/clock.h"

namespace novu {

constexpr std::int64_t kMillisecondsPerDay = 86'400'000;
// The longest pause a recorded step can hold.
constexpr std::uint16_t kMaxRecordedPause = 65'535;

// Where the recorder reads the time of day: milliseconds since midnight UTC, 0..86 399 999.
class TimeOfDaySource {
public:
    virtual ~TimeOfDaySource() = default;
    virtual std::int64_t MillisecondsOfDay() const = 0;
};

// The system's UTC time of day.
class SystemTimeOfDay final : public TimeOfDaySource {
public:
    std::int64_t MillisecondsOfDay() const override;
};

// The time of day on a Clock, starting at `startOfDay` when the clock reads zero: puts
// recording on a virtual clock for tests and the emulator.
class ClockTimeOfDay final : public TimeOfDaySource {
public:
    ClockTimeOfDay(const Clock& clock, std::int64_t startOfDay)
        : clock_(clock), startOfDay_(startOfDay) {}
    std::int64_t MillisecondsOfDay() const override;

private:
    const Clock& clock_;
    std::int64_t startOfDay_;
};

// ((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds.
constexpr std::int64_t MillisecondsOfDay(int hours, int minutes, int seconds, int milliseconds) {
    return ((std::int64_t{hours} * 60 + minutes) * 60 + seconds) * 1000 + milliseconds;
}

// The pause between two times of day: a negative difference means midnight passed in
// between; the result is capped at kMaxRecordedPause.
std::uint16_t ElapsedMs(std::int64_t now, std::int64_t last);

}  // namespace novu
