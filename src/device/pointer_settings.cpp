#include "device/pointer_settings.h"

#include <array>

namespace novu {

namespace {

constexpr std::array<int, 12> kMouseSpeeds = {0, 1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
constexpr int kDefaultMouseSpeed = 6;

Error Unavailable() {
    return MakeError(Fault::System, "pointer settings are not available on this desktop");
}

}  // namespace

Result<int> NoPointerSettings::MouseSpeed() const {
    return Unavailable();
}

Result<void> NoPointerSettings::SetMouseSpeed(int) {
    return Unavailable();
}

Result<int> NoPointerSettings::WheelScrollLines() const {
    return Unavailable();
}

Result<void> NoPointerSettings::SetWheelScrollLines(int) {
    return Unavailable();
}

int MouseSpeedOfDpiSpeed(int dpiSpeed) {
    if (dpiSpeed < 0 || dpiSpeed >= static_cast<int>(kMouseSpeeds.size())) {
        return kDefaultMouseSpeed;
    }
    return kMouseSpeeds[static_cast<std::size_t>(dpiSpeed)];
}

}  // namespace novu
