#include "device/macro_image.h"

#include <algorithm>
#include <optional>
#include <span>

#include "input/key_codes.h"

namespace novu {

namespace {

namespace fc = function_code;
namespace tip = macro_image_tip;

constexpr int kBuiltinTableSize = 13;
constexpr int kKeyPositionBase = 70;  // function codes from 70 name keyboard-picture positions
constexpr std::uint8_t kPressBit = 0x80;

// A delay chunk carrying the most units one entry can hold.
constexpr std::uint8_t kChunkFull = kDelayChunk;

int RoundUpTo8(int size) {
    return size % 8 == 0 ? size : (size / 8) * 8 + 8;
}

// The bytes a copy of a lighting block takes: 4 n + 4, n its byte 0.
int LightingBlockBytes(const LedBlock& block) {
    return 4 * block[0] + 4;
}

// Sizing share of one lighting block: a block whose copy is already a multiple of 8 bytes
// counts once more in full. The sizing has always reserved this; the mouse reads nothing
// from the extra bytes.
int LightingBlockShare(const LedBlock& block) {
    const int s = LightingBlockBytes(block);
    return (s % 8 == 0 ? s : 0) + (s / 8) * 8 + 8;
}

// The region size the macro area reserves for a macro with `stepEntries` entries.
int SizingRule(const MacroRecord& record, int stepEntries) {
    const int t =
        2 + 2 * stepEntries + 4 * record.moveCount +
        2 * (record.countF7 + record.dpiCount + record.countFA + record.ledCount + record.countFB);
    int size = (t / 8) * 8 + 8;
    for (int b = 0; b < std::min<int>(record.ledCount, kLedBlockCount); ++b) {
        size += LightingBlockShare(record.ledBlocks[static_cast<std::size_t>(b)]);
    }
    for (int b = 0; b < std::min<int>(record.countFB, kLedBlockCount); ++b) {
        size += LightingBlockShare(record.fbBlocks[static_cast<std::size_t>(b)]);
    }
    return std::min(size, kLargestRegion);
}

void PutWord(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::uint16_t PlayCountOf(const MacroRecord& record, MacroKind kind) {
    // Built-in macros are written as if played by count; the descriptor carries their mode.
    const int mode = kind == MacroKind::Builtin ? 0 : record.playMode & 3;
    return mode == play_mode::kUntilPressed || mode == play_mode::kWhileHeld ? 1
                                                                             : record.repeatCount;
}

// Splits the chunks of 127 units off a step's delay (clamped to the longest delay) and
// returns the units left for the step itself, at least 1.
std::uint8_t SplitDelay(std::uint16_t delayMs, std::vector<std::uint8_t>& chunks) {
    int d = std::min<int>(delayMs, kLongestDelayMs);
    if (d > kDelayChunk) {
        const int chunkCount = d / kDelayChunk;
        for (int c = 0; c < chunkCount; ++c) {
            if (d > kDelayChunk) {
                chunks.insert(chunks.end(), {kChunkFull, 0});
                d -= kDelayChunk;
            } else {
                chunks.insert(chunks.end(), {0, 0});
            }
        }
    }
    return static_cast<std::uint8_t>(std::max(d, 1));
}

// Collects the step entries and the lighting block copies of one region. A lighting step's
// block address is known only once every entry is placed, so it is filled in at the end.
class RegionBuilder {
public:
    RegionBuilder(const MacroRecord& record, std::vector<int>& warnings)
        : record_(record), warnings_(warnings) {}

    void PlayCount(std::uint16_t count) { PutWord(entries_, count); }

    // Appends the entry of one step, followed by its delay chunks; returns the number of
    // entries the step counts for N.
    int Step(const MacroEvent& event) {
        std::vector<std::uint8_t> chunks;
        const std::uint8_t d = SplitDelay(event.delay, chunks);
        if (event.code == step_code::kMove) {
            Move(event, d);
        } else if (event.code == step_code::kDpi) {
            const auto first =
                static_cast<std::uint8_t>(event.type == step_type::kSetDpi ? d + kPressBit : d);
            entries_.insert(entries_.end(), {first, step_code::kDpi,
                                             static_cast<std::uint8_t>(event.param1 & 0xFF), 0});
        } else if (event.code == step_code::kLighting) {
            Lighting(event, d);
        } else if (event.type == step_type::kPress) {
            entries_.insert(entries_.end(), {static_cast<std::uint8_t>(d + kPressBit), event.code});
        } else if (event.type == step_type::kRelease || event.code == step_code::kDelay) {
            entries_.insert(entries_.end(), {d, event.code});
        }
        entries_.insert(entries_.end(), chunks.begin(), chunks.end());
        return 1 + static_cast<int>(chunks.size() / 2);
    }

    // The region from `address`, at least `reserved` bytes; empty when a lighting block
    // would land beyond what its 14-bit address can reach.
    std::optional<std::vector<std::uint8_t>> Finish(std::uint16_t address, int reserved) {
        const int lightingStart = RoundUpTo8(static_cast<int>(entries_.size()));
        for (const Fixup& fixup : fixups_) {
            const int blockAddress = address + lightingStart + fixup.lightingOffset;
            if (blockAddress >= kLightingAddressLimit) {
                return std::nullopt;
            }
            entries_[fixup.entry] = static_cast<std::uint8_t>(blockAddress & 0xFF);
            entries_[fixup.entry + 1] =
                static_cast<std::uint8_t>(fixup.slot * 64 + ((blockAddress >> 8) & 0x3F));
        }
        const int needed = lightingStart + static_cast<int>(lighting_.size());
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max(reserved, needed)), 0);
        std::copy(entries_.begin(), entries_.end(), bytes.begin());
        std::copy(lighting_.begin(), lighting_.end(), bytes.begin() + lightingStart);
        return bytes;
    }

private:
    struct Fixup {
        std::size_t entry;   // position of the entry's third byte
        int lightingOffset;  // offset of the block copy within the lighting area
        std::uint8_t slot;
    };

    void Move(const MacroEvent& event, std::uint8_t d) {
        entries_.insert(entries_.end(), {d, step_code::kMove});
        if (event.type < step_type::kMoveLeftUp || event.type > step_type::kMoveRightDown) {
            // A move without a direction (only a hand-edited file holds one) still takes its
            // six bytes: the mouse reads every 0xF6 entry as six, so a shorter entry would
            // shift every step after it.
            PutWord(entries_, 0);
            PutWord(entries_, 0);
            return;
        }
        const bool left = event.type <= step_type::kMoveLeftDown;
        const bool up =
            event.type == step_type::kMoveLeftUp || event.type == step_type::kMoveRightUp;
        PutWord(entries_, static_cast<std::uint16_t>(left ? -event.param1 : event.param1));
        PutWord(entries_, static_cast<std::uint16_t>(up ? -event.param2 : event.param2));
    }

    void Lighting(const MacroEvent& event, std::uint8_t d) {
        if (record_.ledCount == 0 || event.param1 >= kLedBlockCount) {
            warnings_.push_back(tip::kLighting);  // no block to show: no entry
            return;
        }
        std::uint8_t slot = 0;
        if (event.type >= step_type::kLighting && event.type <= step_type::kLighting + 2) {
            slot = static_cast<std::uint8_t>(event.type - step_type::kLighting);
        } else {
            warnings_.push_back(tip::kLighting);
        }
        fixups_.push_back({entries_.size() + 2, static_cast<int>(lighting_.size()), slot});
        entries_.insert(entries_.end(), {d, step_code::kLighting, 0, 0});

        // The copy starts with the entry count minus one; a count beyond the block's 68
        // bytes copies zeros for what the block does not hold.
        const LedBlock& block = record_.ledBlocks[event.param1];
        const int size = LightingBlockBytes(block);
        lighting_.push_back(static_cast<std::uint8_t>(block[0] - 1));
        for (int b = 1; b < size; ++b) {
            lighting_.push_back(b < kLedBlockSize ? block[static_cast<std::size_t>(b)] : 0);
        }
        lighting_.resize(lighting_.size() + static_cast<std::size_t>(RoundUpTo8(size) - size));
    }

    const MacroRecord& record_;
    std::vector<int>& warnings_;
    std::vector<std::uint8_t> entries_;
    std::vector<std::uint8_t> lighting_;
    std::vector<Fixup> fixups_;
};

std::uint8_t KeyPositionUsage(std::int32_t code, int languageIndex) {
    const std::int32_t position = code - kKeyPositionBase;
    const std::uint8_t vk = KeyPositionToVk(position);
    if (vk == 0xFF) {
        return 0xFF;
    }
    return VkToHidUsage(vk, languageIndex);
}

// One key descriptor. `record` is null for a key without a macro (a multimedia key): its
// macro fields stay 0.
void FillDescriptor(std::span<std::uint8_t> d, int key, std::int32_t code,
                    const MacroRecord* record, std::uint16_t regionAddress, int n,
                    int languageIndex) {
    d[2] = KeyPositionUsage(code, languageIndex);
    const std::uint16_t consumer = MediaKeyToConsumerUsage(code - fc::kFirstMultimedia);
    d[3] = static_cast<std::uint8_t>(consumer & 0xFF);
    d[4] = static_cast<std::uint8_t>(consumer >> 8);
    d[5] = static_cast<std::uint8_t>(regionAddress & 0xFF);
    d[6] = static_cast<std::uint8_t>((regionAddress >> 8) & 0x3F);
    if (record == nullptr) {
        return;
    }
    d[1] = static_cast<std::uint8_t>(n % 128);
    d[7] = static_cast<std::uint8_t>((n / 128) & 0x3F);
    d[8] = static_cast<std::uint8_t>(record->yOffsetEnabled * 128 + record->yOffset);
    if (key >= kKeyByteKeys) {
        return;  // the play-mode flags exist for the keys with key bytes only
    }
    const int mode = record->playMode & 3;
    const bool held = mode == play_mode::kWhileHeld;
    const bool untilPressed = mode == play_mode::kUntilPressed;
    d[1] = static_cast<std::uint8_t>(d[1] | (held ? 0x80 : 0));
    d[6] = static_cast<std::uint8_t>(d[6] | (untilPressed ? 0x80 : 0) |
                                     ((record->playMode & 0x04) ? 0x40 : 0));
    if ((held || untilPressed) && (record->playMode & 0x08)) {
        d[7] = static_cast<std::uint8_t>(d[7] | 0x40);
    }
}

}  // namespace

MacroKind MacroKindOf(std::int32_t code) {
    if (code >= fc::kFirstBuiltin && code <= fc::kLastBuiltin) {
        return MacroKind::Builtin;
    }
    if (code >= fc::kFirstPreset && code <= fc::kLastPreset) {
        return MacroKind::Preset;
    }
    if (code >= fc::kFirstUserMacro && code <= fc::kLastUserMacro) {
        return MacroKind::User;
    }
    return MacroKind::None;
}

bool MacroCatalog::DesignatesNothing(std::int32_t code) const {
    switch (MacroKindOf(code)) {
        case MacroKind::Preset: {
            const int presets = sources_.PresetCount();
            return presets == 0 || code - fc::kFirstPreset >= presets;
        }
        case MacroKind::User: {
            const int group = code / 256 - 1;
            const int index = code % 256;
            const int groups = sources_.GroupCount();
            if (groups == 0 || group > groups) {
                return true;
            }
            const int count = group < groups ? sources_.MacroCount(group) : 0;
            return count == 0 || index > count;
        }
        case MacroKind::Builtin:
        case MacroKind::None:
            break;
    }
    return false;
}

const MacroRecord& MacroCatalog::Record(std::int32_t code) {
    auto found = records_.find(code);
    if (found != records_.end()) {
        return found->second;
    }
    MacroRecord record;
    switch (MacroKindOf(code)) {
        case MacroKind::Builtin: {
            const int index = code - fc::kFirstBuiltin;
            record = sources_.Builtin(index >= kBuiltinTableSize ? 0 : index);
            break;
        }
        case MacroKind::Preset:
            record = sources_.Preset(code - fc::kFirstPreset);
            break;
        case MacroKind::User:
            record = sources_.ReadMacroEntry(code / 256 - 1, code % 256);
            break;
        case MacroKind::None:
            break;
    }
    return records_.emplace(code, record).first->second;
}

void RepeatForHold(MacroRecord& record) {
    const int steps = std::min<int>(record.eventCount, kMaxMacroSteps);
    int total = 1;
    for (int j = 0; j < steps; ++j) {
        total += record.eventDelay[static_cast<std::size_t>(j)];
    }
    const int copies = kHoldModeMinimumMs / total;
    int count = steps;
    for (int copy = 1; copy < copies; ++copy) {
        for (int j = 0; j < steps && count < kMaxMacroSteps; ++j) {
            MacroEvent event = EventAt(record, j);
            if (event.code > step_code::kMove) {
                event.code = step_code::kDelay;
            } else if (event.code == step_code::kMove) {
                ++record.moveCount;
            }
            SetEvent(record, count++, event);
        }
    }
    record.eventCount = static_cast<std::uint16_t>(count);
}

MacroRegionImage EncodeMacroRegion(MacroRecord record, MacroKind kind, std::uint16_t address) {
    MacroRegionImage region;
    region.address = address;
    if (kind != MacroKind::Builtin && record.playMode == play_mode::kWhileHeld) {
        RepeatForHold(record);
    }
    RegionBuilder builder(record, region.warnings);
    builder.PlayCount(PlayCountOf(record, kind));
    const int steps = std::min<int>(record.eventCount, kMaxMacroSteps);
    for (int j = 0; j < steps; ++j) {
        region.stepEntries += builder.Step(EventAt(record, j));
    }
    if (steps == 0 && kind != MacroKind::Builtin) {
        region.stepEntries = 3;  // an empty user macro or preset still counts three entries
    }
    auto bytes = builder.Finish(address, SizingRule(record, region.stepEntries));
    if (!bytes) {
        region.warnings.push_back(tip::kLighting);
        region.failureTip = tip::kLighting;
        return region;
    }
    region.bytes = std::move(*bytes);
    return region;
}

MacroImage BuildMacroImage(const KeyTables& keys, MacroCatalog& macros, int languageIndex) {
    struct Placed {
        std::int32_t code;
        std::uint16_t address;
        int stepEntries;
    };
    MacroImage image;
    std::vector<Placed> placed;
    int pointer = memory_address::kMacroArea;
    for (int p = 0; p < kProfileCount; ++p) {
        for (int k = 0; k < kDeviceKeys; ++k) {
            const auto pi = static_cast<std::size_t>(p);
            const auto ki = static_cast<std::size_t>(k);
            if (!HasMacroDescriptor(keys.keyType[pi][ki])) {
                continue;
            }
            const std::int32_t code = keys.keyCode[pi][ki];
            const MacroKind kind = MacroKindOf(code);
            auto earlier = std::find_if(placed.begin(), placed.end(),
                                        [&](const Placed& other) { return other.code == code; });
            Placed place{code, static_cast<std::uint16_t>(pointer), 0};
            if (earlier != placed.end()) {
                place = *earlier;
            } else if (kind != MacroKind::None) {
                MacroRegionImage region = EncodeMacroRegion(macros.Record(code), kind,
                                                            static_cast<std::uint16_t>(pointer));
                place.stepEntries = region.stepEntries;
                pointer += static_cast<int>(region.bytes.size());
                if (pointer >= memory_address::kMacroAreaEnd) {
                    // Nothing was written yet: the mouse keeps its previous image whole.
                    MacroImage full;
                    full.failureTip = tip::kMacroAreaFull;
                    return full;
                }
                image.regions.push_back(std::move(region));
            }
            placed.push_back(place);

            const auto at = static_cast<std::size_t>((p * kDeviceKeys + k) * kDescriptorSize);
            const MacroRecord* record = kind != MacroKind::None ? &macros.Record(code) : nullptr;
            FillDescriptor(std::span(image.descriptors).subspan(at, kDescriptorSize), k, code,
                           record, place.address, place.stepEntries, languageIndex);
        }
    }
    image.macroEnd = static_cast<std::uint16_t>(pointer);

    // The regions are written in address order: a lighting block that cannot be addressed
    // stops the image at that region, after the warnings of the regions before it.
    for (const MacroRegionImage& region : image.regions) {
        image.warnings.insert(image.warnings.end(), region.warnings.begin(), region.warnings.end());
        if (region.failureTip) {
            image.failureTip = region.failureTip;
            break;
        }
    }
    return image;
}

}  // namespace novu
