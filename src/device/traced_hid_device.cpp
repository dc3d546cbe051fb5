#include "device/traced_hid_device.h"

#include <algorithm>
#include <cstdio>

namespace novu {

std::string FormatTraceLine(Duration sinceFirst, bool answer,
                            std::span<const std::uint8_t> report) {
    // Integer arithmetic keeps the three decimals exact (no rounding through a double).
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(sinceFirst).count();
    char head[48];
    std::snprintf(head, sizeof head, "%lld.%03lld %s", static_cast<long long>(micros / 1000),
                  static_cast<long long>(micros % 1000), answer ? "GET" : "SET");
    std::string line = head;
    for (std::size_t i = 0; i < std::min<std::size_t>(report.size(), 8); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, " %02X", report[i]);
        line += byte;
    }
    return line;
}

TracedHidDevice::TracedHidDevice(HidDevice& inner, Clock& clock, std::ostream& out)
    : inner_(inner), clock_(clock), out_(out) {}

Duration TracedHidDevice::SinceFirst() {
    const TimePoint now = clock_.Now();
    if (!first_) {
        first_ = now;
    }
    return now - *first_;
}

Result<void> TracedHidDevice::SetFeature(std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    out_ << FormatTraceLine(SinceFirst(), false, report) << '\n';
    return inner_.SetFeature(report);
}

Result<void> TracedHidDevice::GetFeature(std::span<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    const Duration at = SinceFirst();
    auto result = inner_.GetFeature(report);
    out_ << FormatTraceLine(at, true, report) << '\n';
    return result;
}

Result<std::size_t> TracedHidDevice::ReadInput(std::span<std::uint8_t> report) {
    return inner_.ReadInput(report);
}

void TracedHidDevice::Interrupt() {
    inner_.Interrupt();
}

}  // namespace novu
