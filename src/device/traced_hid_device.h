#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "base/clock.h"
#include "device/hid.h"

namespace novu {

// One trace line: "<ms> SET|GET b0 .. b7", the time since the first traced report in
// milliseconds with exactly three decimals and bytes 0..7 as two-digit upper-case hex.
std::string FormatTraceLine(Duration sinceFirst, bool answer, std::span<const std::uint8_t> report);

// A HidDevice that writes every feature report exchanged through it to a stream: a set
// report as sent, a get report as the buffer holds it after the call (the mouse's answer).
// Times come from the clock seam, so on the virtual clock they are exact. Input reports pass
// through untraced. Safe to use from several threads; each line is written whole, in the
// order the exchanges reached the device.
class TracedHidDevice final : public HidDevice {
public:
    TracedHidDevice(HidDevice& inner, Clock& clock, std::ostream& out);

    Result<void> SetFeature(std::span<const std::uint8_t> report) override;
    Result<void> GetFeature(std::span<std::uint8_t> report) override;
    Result<std::size_t> ReadInput(std::span<std::uint8_t> report) override;
    void Interrupt() override;

private:
    Duration SinceFirst();  // the caller holds the lock

    HidDevice& inner_;
    Clock& clock_;
    std::mutex mutex_;
    std::ostream& out_;
    std::optional<TimePoint> first_;
};

}  // namespace novu
