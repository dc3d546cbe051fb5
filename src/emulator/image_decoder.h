#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "base/result.h"

namespace novu {

// The mouse's configuration memory read back into meaning: the settings of the four
// profiles, the macro descriptor table and the macro regions decoded into their steps.
// Every value is what the bytes say; nothing is checked against what an upload would write,
// so a decoded image can be compared with the settings it came from.

constexpr std::size_t kImageSize = 0x10000;
constexpr int kImageProfiles = 4;
constexpr int kImageKeyBytes = 12;     // device keys 0..11 have key bytes
constexpr int kImageDescriptors = 14;  // device keys 0..13 have macro descriptors
constexpr int kImageDpiLevels = 6;
constexpr int kImageUserColours = 7;
constexpr int kImageHardwareKeys = 14;

// One key byte: the device key type and the reactive lighting of a button.
struct ImageKey {
    std::uint8_t byte = 0;
    std::uint8_t type = 0;          // bits 0..4
    bool reactive = false;          // bit 5
    std::uint8_t reactiveType = 0;  // bits 6..7
};

// A colour as three ColourNibble values 0..15.
struct ImageColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

struct ImageHeader {
    std::array<std::uint8_t, 8> bytes{};  // 0x00..0x07 as stored
    int profile = 0;                      // bits 5..6 of 0x01
    std::uint16_t productId = 0;          // 0x03
    std::uint16_t vendorId = 0;           // 0x05
};

struct ImageDpi {
    std::array<std::uint8_t, kImageDpiLevels> codes{};  // low nibble at 0x15.., bit 4 from 0x13
    std::uint8_t enableMask = 0;                        // 0x19, bit i = level i
    std::uint8_t levelByte = 0;                         // 0x18 as stored
    int level = 0;                                      // bits 0..2 of 0x18
};

struct ImageLighting {
    std::uint8_t effect = 0;          // 4 bits: bits 4..6 of 0x1C, bit 7 of 0x33 as bit 3
    bool reactive = false;            // bit 3 of 0x1C
    std::uint8_t speed = 0;           // bits 0..2 of 0x1C
    bool userColoursEnabled = false;  // bit 7 of 0x1D
    std::uint8_t cycleMask = 0;       // bits 0..6 of 0x1D
    std::uint8_t rateCode = 0;        // 0x1E
    std::uint16_t effectMask = 0;     // 0x32 and bits 0..5 of 0x33
    bool symmetry = false;            // bit 6 of 0x3A
    std::uint8_t direction = 0;       // bits 4..5 of 0x3A
    std::uint8_t mode = 0;            // bits 0..3 of 0x3A
    std::uint8_t brightness = 0;      // bits 4..6 of 0x3F
    bool off = false;                 // bit 7 of 0x76
};

// The addresses around the macro area.
struct ImagePointers {
    std::uint16_t macroEnd = 0;                     // E, 0x6E
    std::array<std::uint16_t, 3> lightingBlocks{};  // P1..P3, 0x70
    std::uint8_t modeByte = 0;                      // 0x76
    std::uint16_t q = 0;                            // Q, 0x79 (14 bits)
};

// One 10-byte key descriptor.
struct MacroDescriptor {
    std::array<std::uint8_t, 10> bytes{};
    std::uint8_t timeUnitMinusOne = 0;  // byte 0
    bool whileHeld = false;             // byte 1 bit 7
    bool repeatUntilPressed = false;    // byte 6 bit 7
    bool playModeBit2 = false;          // byte 6 bit 6
    bool playModeBit3 = false;          // byte 7 bit 6
    int entryCount = 0;                 // N: byte 1 bits 0..6 + 128 x byte 7 bits 0..5
    std::uint8_t keyUsage = 0;          // byte 2
    std::uint16_t consumerUsage = 0;    // bytes 3, 4
    std::uint16_t regionAddress = 0;    // byte 5 + bits 0..5 of byte 6
    bool yOffsetEnabled = false;        // byte 8 bit 7
    std::uint8_t yOffset = 0;           // byte 8 bits 0..6
    int region = -1;  // index into DecodedImage::regions; -1 when the key has no entries
};

// One step entry of a macro region, with the extra-delay chunks that follow it.
struct MacroStep {
    enum class Kind { Press, Release, Delay, Move, Dpi, Lighting };
    Kind kind = Kind::Delay;
    bool pressBit = false;  // bit 7 of the first byte (a press; for DPI a set, not a restore)
    std::uint8_t delayUnits = 0;
    std::uint8_t code = 0;
    std::int16_t x = 0;  // Move
    std::int16_t y = 0;
    std::uint8_t dpiValue = 0;       // Dpi
    std::uint16_t blockAddress = 0;  // Lighting
    std::uint8_t lightingSlot = 0;   // Lighting
    // Extra-delay chunks (127 or 0 units each). A pure delay of exactly 127 units right
    // after a step reads as a chunk of that step: the timing is the same either way.
    std::vector<std::uint8_t> extraDelay;

    int TotalDelayUnits() const;
    int Entries() const { return 1 + static_cast<int>(extraDelay.size()); }
};

// A lighting block copied into a region: its first byte holds the number of colour entries
// minus one, and it spans 4 x entries + 4 bytes.
struct ImageLightingBlock {
    std::uint16_t address = 0;
    int entries = 0;
    std::vector<std::uint8_t> bytes;
};

struct MacroRegion {
    std::uint16_t address = 0;
    int entryCount = 0;  // N of the first descriptor that names the region
    std::uint16_t playCount = 0;
    std::vector<MacroStep> steps;
    std::vector<ImageLightingBlock> lightingBlocks;  // in the order the steps name them
};

struct ImageProfile {
    std::array<ImageKey, kImageKeyBytes> keys{};
    std::array<MacroDescriptor, kImageDescriptors> descriptors{};
};

struct DecodedImage {
    ImageHeader header;
    std::array<ImageProfile, kImageProfiles> profiles{};
    ImageDpi dpi;
    std::uint16_t fireInterval = 0;  // 0x1A: the fire interval divided by 8
    ImageLighting lighting;
    std::array<ImageColour, kImageDpiLevels> dpiColours{};
    std::array<ImageColour, kImageUserColours> userColours{};
    ImagePointers pointers;
    // Macro colour of each hardware key (index = hardware key number; keys 2..12 are stored).
    std::array<std::uint8_t, kImageHardwareKeys + 1> macroColours{};
    std::vector<MacroRegion> regions;  // in the order of their first descriptor
};

// Decodes a whole 65,536-byte image; any other size is refused.
Result<DecodedImage> DecodeImage(std::span<const std::uint8_t> image);

}  // namespace novu
