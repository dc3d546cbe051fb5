#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "config/device_description.h"
#include "config/settings.h"
#include "device/memory_image.h"
#include "macro/macro_sources.h"

namespace novu {

// One WriteBlock call: 1..8 bytes at an address of the configuration memory.
struct BlockWrite {
    std::uint16_t address = 0;
    std::uint8_t length = 0;
    std::array<std::uint8_t, 8> data{};

    std::span<const std::uint8_t> Bytes() const { return {data.data(), length}; }
    bool operator==(const BlockWrite&) const = default;
};

// Reports one WriteBlock sends: one per byte, the commit and the closing idle.
constexpr int ReportsOf(const BlockWrite& block) {
    return block.length + 2;
}

// What a full upload is computed from.
struct UploadInput {
    Settings settings;
    DeviceDescription device;
    int productVariant = 1;              // 0 writes the whole header, 1 only the profile byte
    std::uint8_t lightingMode = 11;      // LightingMode once the mouse was found
    std::uint16_t previousMacroEnd = 0;  // E of the previous upload of this run, 0 at first
};

// Everything a full upload writes, in order, decided before the first report. A plan that
// does not fit (`failureTip` set) must not be written at all: a partial image would leave key
// types pointing at stale macro regions.
struct UploadPlan {
    std::vector<BlockWrite> blocks;  // in writing order; empty when the plan does not fit
    KeyTables keys;
    std::vector<DeadCode> deadCodes;  // codes to replace by 0 in the settings
    std::uint8_t cycleMask = 0;       // CYC_7COL_EN rebuilt from its seven flags
    std::uint16_t macroEnd = 0;       // E
    std::vector<int> warnings;        // TipText entries to show, in order
    std::optional<int> failureTip;    // TipText entry of the reason the plan does not fit

    bool Fits() const { return !failureTip.has_value(); }
    int WriteReports() const;  // reports of all WriteBlock calls
    int Bytes() const;         // bytes of all WriteBlock calls
};

UploadPlan BuildUploadPlan(const UploadInput& input, const MacroSources& sources);

// The plan's blocks applied to a memory image (for checks and images on disk).
void ApplyPlan(const UploadPlan& plan, std::span<std::uint8_t> memory);

}  // namespace novu
