#include "config/settings.h"

#include <algorithm>

namespace novu {

namespace {

std::int32_t& ChannelOf(std::array<std::int32_t, kDpiLevels>& r,
                        std::array<std::int32_t, kDpiLevels>& g,
                        std::array<std::int32_t, kDpiLevels>& b, int i, Channel channel) {
    switch (channel) {
        case Channel::Red:
            return r[i];
        case Channel::Green:
            return g[i];
        case Channel::Blue:
            break;
    }
    return b[i];
}

std::int32_t& UserChannelOf(SharedSettings& s, int i, Channel channel) {
    switch (channel) {
        case Channel::Red:
            return s.LED_USER_R[i];
        case Channel::Green:
            return s.LED_USER_G[i];
        case Channel::Blue:
            break;
    }
    return s.LED_USER_B[i];
}

}  // namespace

void SetDpiColour(SharedSettings& shared, int level, Channel channel, int value) {
    ChannelOf(shared.DPI_R, shared.DPI_G, shared.DPI_B, level, channel) = ColourNibble(value);
    shared.dpiDisplayColour[level] =
        DisplayColour(shared.DPI_R[level], shared.DPI_G[level], shared.DPI_B[level]);
}

void SetUserColour(SharedSettings& shared, int colour, Channel channel, int value) {
    UserChannelOf(shared, colour, channel) = ColourNibble(value);
    shared.userDisplayColour[colour] = DisplayColour(
        shared.LED_USER_R[colour], shared.LED_USER_G[colour], shared.LED_USER_B[colour]);
}

void RefreshDisplayColours(SharedSettings& shared) {
    for (int i = 0; i < kDpiLevels; ++i) {
        shared.dpiDisplayColour[i] =
            DisplayColour(shared.DPI_R[i], shared.DPI_G[i], shared.DPI_B[i]);
    }
    for (int i = 0; i < kUserColours; ++i) {
        shared.userDisplayColour[i] =
            DisplayColour(shared.LED_USER_R[i], shared.LED_USER_G[i], shared.LED_USER_B[i]);
    }
}

std::uint8_t CycleMaskFromFlags(const SharedSettings& shared) {
    std::uint8_t mask = 0;
    for (int n = 0; n < kUserColours; ++n) {
        if (shared.cycleFlags[n]) {
            mask = static_cast<std::uint8_t>(mask | (1u << n));
        }
    }
    return mask;
}

void SetCycleMask(SharedSettings& shared, std::uint8_t mask) {
    shared.CYC_7COL_EN = mask;
    for (int n = 0; n < kUserColours; ++n) {
        shared.cycleFlags[n] = (mask >> n) & 1u;
    }
}

bool ToggleCycleFlag(SharedSettings& shared, int n) {
    if (shared.cycleFlags[n] &&
        std::count(shared.cycleFlags.begin(), shared.cycleFlags.end(), true) < 2) {
        return false;
    }
    shared.cycleFlags[n] = !shared.cycleFlags[n];
    return true;
}

void SetUsbSpeed(SharedSettings& shared, int /*usbSpeed*/) {
    shared.USB_SPEED = 0;
    shared.RateCode = 7;
}

void ToggleDpiLevel(SharedSettings& shared, int level) {
    if (!shared.DPI_SET_EN[level]) {
        shared.DPI_SET_EN[level] = true;
        return;
    }
    shared.DPI_SET_EN[level] = false;
    if (shared.DPI_LEVEL != level) {
        return;
    }
    for (int step = 0; step < kDpiLevels; ++step) {
        shared.DPI_LEVEL = (shared.DPI_LEVEL + 1) % kDpiLevels;
        if (shared.DPI_SET_EN[shared.DPI_LEVEL]) {
            return;
        }
    }
    // No other level is enabled: the one just disabled stays enabled and current.
    shared.DPI_SET_EN[level] = true;
    shared.DPI_LEVEL = level;
}

bool SelectDpiLevel(SharedSettings& shared, int level) {
    if (level < 0 || level >= kDpiLevels || !shared.DPI_SET_EN[level]) {
        return false;
    }
    shared.DPI_LEVEL = level;
    return true;
}

void SetFireTime(SharedSettings& shared, std::int32_t value) {
    shared.FIRE_TIME = std::max(value, kMinimumFireTime);
}

}  // namespace novu
