#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "device/memory_image.h"
#include "macro/macro_record.h"
#include "macro/macro_sources.h"

namespace novu {

// TipText entries the macro image reports.
namespace macro_image_tip {
constexpr int kLighting = 6;        // a lighting step the mouse cannot take
constexpr int kMacroAreaFull = 29;  // the macros do not fit into the macro area
}  // namespace macro_image_tip

constexpr int kDescriptorSize = 10;
constexpr int kDescriptorTableSize = kProfileCount * kDeviceKeys * kDescriptorSize;  // 560
static_assert(kDescriptorTableSize == 560);

constexpr int kLongestDelayMs = 10000;
constexpr int kDelayChunk = 127;        // most delay units one step entry carries
constexpr int kHoldModeMinimumMs = 40;  // while-held macros are repeated to about this
constexpr int kLargestRegion = 0x2000;
constexpr int kLightingAddressLimit = 0x4000;  // lighting block addresses have 14 bits

// Which table a function code takes its macro from.
enum class MacroKind { None, Builtin, Preset, User };
MacroKind MacroKindOf(std::int32_t code);

// The macros an upload reads, each read once: the key types, the sizing and the writing of
// a region all see the same record even while the library changes underneath.
class MacroCatalog {
public:
    explicit MacroCatalog(const MacroSources& sources) : sources_(sources) {}

    // A preset or user-macro code whose preset or group does not exist (an index equal to
    // a group's macro count still names its empty record).
    bool DesignatesNothing(std::int32_t code) const;
    // The record of a macro code 33..29999 (built-in indices above 12 read as 0); an
    // all-zero record for any other code.
    const MacroRecord& Record(std::int32_t code);

private:
    const MacroSources& sources_;
    std::unordered_map<std::int32_t, MacroRecord> records_;
};

// While-held macros shorter than 40 ms are repeated in the image: the steps are appended
// again (codes above 0xF6 turned into pure delays) until about 40 ms, at most 275 steps.
void RepeatForHold(MacroRecord& record);

// One macro region, ready to be written from `address`.
struct MacroRegionImage {
    std::uint16_t address = 0;
    std::vector<std::uint8_t> bytes;  // the whole region, zero padded
    int stepEntries = 0;              // N of the descriptor
    std::vector<int> warnings;        // TipText entries, in step order
    std::optional<int> failureTip;    // set when the region cannot be placed
};

// Encodes the macro of `kind` for the region at `address`: play count, step entries with
// their delay chunks, lighting blocks. The region is at least as large as the sizing rule
// gives, and large enough for everything the record really encodes.
MacroRegionImage EncodeMacroRegion(MacroRecord record, MacroKind kind, std::uint16_t address);

// The descriptor table and the regions of every macro key of the four profiles.
struct MacroImage {
    std::array<std::uint8_t, kDescriptorTableSize> descriptors{};
    std::vector<MacroRegionImage> regions;  // in address order, which is the writing order
    std::uint16_t macroEnd = memory_address::kMacroArea;  // E
    std::vector<int> warnings;
    std::optional<int> failureTip;  // when set nothing of the image may be written
};

// `languageIndex` selects the keyboard layout of descriptor byte 2.
MacroImage BuildMacroImage(const KeyTables& keys, MacroCatalog& macros, int languageIndex);

}  // namespace novu
