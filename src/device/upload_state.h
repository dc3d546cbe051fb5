#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "base/clock.h"
#include "device/clock_mutex.h"
#include "device/memory_image.h"

namespace novu {

// What the full uploads of one run share: the busy flag the Apply control looks at, the
// macro end of the last upload that was written, and the key tables the device threads read
// (device key types and hold-signal marks as the mouse holds them).
class UploadState {
public:
    explicit UploadState(Clock& clock) : writeMutex_(clock) {}

    // Apply may start an upload only while none runs or waits.
    bool TryClaimForApply();
    // Start-up and power broadcasts never give up; they wait their turn instead.
    void Claim();
    void Release();
    bool Busy() const { return claims_.load() > 0; }

    std::uint16_t MacroEnd() const;
    // The tables of the last upload that was written; zeros before the first one.
    KeyTables Keys() const;
    void Publish(std::uint16_t macroEnd, const KeyTables& keys);

    // Held while an upload writes, so uploads from several threads never interleave. Its
    // waiters wait on the clock, so a waiting upload lets virtual time run.
    ClockMutex& WriteLock() { return writeMutex_; }

private:
    std::atomic<int> claims_{0};
    mutable std::mutex mutex_;
    std::uint16_t macroEnd_ = 0;
    KeyTables keys_{};
    ClockMutex writeMutex_;
};

}  // namespace novu
