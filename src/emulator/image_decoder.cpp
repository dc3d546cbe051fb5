#include "emulator/image_decoder.h"

#include <map>
#include <string>

namespace novu {

namespace {

// Addresses of the memory map.
constexpr std::uint16_t kHeader = 0x00;
constexpr std::uint16_t kProfileByte = 0x01;
constexpr std::uint16_t kProductId = 0x03;
constexpr std::uint16_t kVendorId = 0x05;
constexpr std::uint16_t kDpiCodeBit4 = 0x13;
constexpr std::uint16_t kDpiCodeNibbles = 0x15;
constexpr std::uint16_t kDpiLevel = 0x18;
constexpr std::uint16_t kDpiEnable = 0x19;
constexpr std::uint16_t kFireInterval = 0x1A;
constexpr std::uint16_t kEffect = 0x1C;
constexpr std::uint16_t kColourCycle = 0x1D;
constexpr std::uint16_t kRateCode = 0x1E;
constexpr std::uint16_t kColourBytes = 0x20;  // 18 bytes
constexpr std::uint16_t kEffectMaskLow = 0x32;
constexpr std::uint16_t kEffectMaskHigh = 0x33;
constexpr std::uint16_t kEffectFeatures = 0x3A;
constexpr std::uint16_t kSeventhColourRedGreen = 0x3E;
constexpr std::uint16_t kBrightnessSeventhBlue = 0x3F;
constexpr std::uint16_t kMacroEnd = 0x6E;
constexpr std::uint16_t kLightingPointers = 0x70;
constexpr std::uint16_t kModeByte = 0x76;
constexpr std::uint16_t kQ = 0x79;
constexpr std::uint16_t kMacroColours = 0x98;
constexpr std::uint16_t kDescriptorTable = 0xA0;
constexpr std::size_t kDescriptorSize = 10;
constexpr int kColourBytesCount = 18;

// Key byte addresses per profile and device key 0..11.
constexpr std::array<std::array<std::uint16_t, kImageKeyBytes>, kImageProfiles> kKeyByteAddress = {{
    {0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x3B, 0x3C, 0x3D},
    {0x44, 0x45, 0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F},
    {0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5A, 0x5B},
    {0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A, 0x6B},
}};

// Step entry codes with a layout of their own.
constexpr std::uint8_t kMoveCode = 0xF6;
constexpr std::uint8_t kDpiCode = 0xF8;
constexpr std::uint8_t kLightingCode = 0xF9;
constexpr std::uint8_t kPressBit = 0x80;
constexpr std::uint8_t kFullChunk = 127;

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> image) : image_(image) {}

    // Region and block addresses have 14 bits and at most 8191 entries of up to 6 bytes
    // follow, so every read stays inside the 64 KiB; reading 0 beyond it keeps that
    // guarantee local.
    std::uint8_t Byte(std::size_t address) const {
        return address < image_.size() ? image_[address] : 0;
    }
    std::uint16_t Word(std::size_t address) const {
        return static_cast<std::uint16_t>(Byte(address) | (Byte(address + 1) << 8));
    }

private:
    std::span<const std::uint8_t> image_;
};

ImageKey DecodeKey(std::uint8_t byte) {
    return ImageKey{
        .byte = byte,
        .type = static_cast<std::uint8_t>(byte & 0x1F),
        .reactive = (byte & 0x20) != 0,
        .reactiveType = static_cast<std::uint8_t>(byte >> 6),
    };
}

MacroDescriptor DecodeDescriptor(const Reader& in, std::size_t address) {
    MacroDescriptor d;
    for (std::size_t i = 0; i < d.bytes.size(); ++i) {
        d.bytes[i] = in.Byte(address + i);
    }
    const auto& b = d.bytes;
    d.timeUnitMinusOne = b[0];
    d.whileHeld = (b[1] & 0x80) != 0;
    d.entryCount = (b[1] & 0x7F) + 128 * (b[7] & 0x3F);
    d.keyUsage = b[2];
    d.consumerUsage = static_cast<std::uint16_t>(b[3] | (b[4] << 8));
    d.regionAddress = static_cast<std::uint16_t>(b[5] | ((b[6] & 0x3F) << 8));
    d.repeatUntilPressed = (b[6] & 0x80) != 0;
    d.playModeBit2 = (b[6] & 0x40) != 0;
    d.playModeBit3 = (b[7] & 0x40) != 0;
    d.yOffsetEnabled = (b[8] & 0x80) != 0;
    d.yOffset = static_cast<std::uint8_t>(b[8] & 0x7F);
    return d;
}

// The size of the entry starting with `code`.
std::size_t EntrySize(std::uint8_t code) {
    switch (code) {
        case kMoveCode:
            return 6;
        case kDpiCode:
        case kLightingCode:
            return 4;
        default:
            return 2;
    }
}

MacroStep DecodeEntry(const Reader& in, std::size_t at) {
    MacroStep step;
    const std::uint8_t first = in.Byte(at);
    step.pressBit = (first & kPressBit) != 0;
    step.delayUnits = static_cast<std::uint8_t>(first & 0x7F);
    step.code = in.Byte(at + 1);
    switch (step.code) {
        case kMoveCode:
            step.kind = MacroStep::Kind::Move;
            step.x = static_cast<std::int16_t>(in.Word(at + 2));
            step.y = static_cast<std::int16_t>(in.Word(at + 4));
            break;
        case kDpiCode:
            step.kind = MacroStep::Kind::Dpi;
            step.dpiValue = in.Byte(at + 2);
            break;
        case kLightingCode:
            step.kind = MacroStep::Kind::Lighting;
            step.blockAddress =
                static_cast<std::uint16_t>(in.Byte(at + 2) | ((in.Byte(at + 3) & 0x3F) << 8));
            step.lightingSlot = static_cast<std::uint8_t>(in.Byte(at + 3) >> 6);
            break;
        default:
            step.kind = step.pressBit       ? MacroStep::Kind::Press
                        : step.code == 0x00 ? MacroStep::Kind::Delay
                                            : MacroStep::Kind::Release;
            break;
    }
    return step;
}

ImageLightingBlock DecodeLightingBlock(const Reader& in, std::uint16_t address) {
    ImageLightingBlock block;
    block.address = address;
    block.entries = in.Byte(address) + 1;
    const std::size_t size = 4 * static_cast<std::size_t>(block.entries) + 4;
    for (std::size_t i = 0; i < size; ++i) {
        block.bytes.push_back(in.Byte(address + i));
    }
    return block;
}

MacroRegion DecodeRegion(const Reader& in, std::uint16_t address, int entryCount) {
    MacroRegion region;
    region.address = address;
    region.entryCount = entryCount;
    region.playCount = in.Word(address);
    std::size_t at = std::size_t{address} + 2;
    int entries = 0;
    while (entries < entryCount) {
        MacroStep step = DecodeEntry(in, at);
        at += EntrySize(step.code);
        ++entries;
        // Chunks split off a long delay follow its step: full ones of 127 units, then at most
        // one empty one. A step always carries at least one unit itself.
        bool emptyChunkSeen = false;
        while (step.delayUnits >= 1 && entries < entryCount && !emptyChunkSeen &&
               in.Byte(at + 1) == 0x00 && (in.Byte(at) == kFullChunk || in.Byte(at) == 0)) {
            emptyChunkSeen = in.Byte(at) == 0;
            step.extraDelay.push_back(in.Byte(at));
            at += 2;
            ++entries;
        }
        if (step.kind == MacroStep::Kind::Lighting) {
            bool known = false;
            for (const ImageLightingBlock& block : region.lightingBlocks) {
                known = known || block.address == step.blockAddress;
            }
            if (!known) {
                region.lightingBlocks.push_back(DecodeLightingBlock(in, step.blockAddress));
            }
        }
        region.steps.push_back(std::move(step));
    }
    return region;
}

}  // namespace

int MacroStep::TotalDelayUnits() const {
    int total = delayUnits;
    for (std::uint8_t chunk : extraDelay) {
        total += chunk;
    }
    return total;
}

Result<DecodedImage> DecodeImage(std::span<const std::uint8_t> image) {
    if (image.size() != kImageSize) {
        return MakeError(Fault::Caller, "a memory image has 65536 bytes, this one has " +
                                            std::to_string(image.size()));
    }
    const Reader in(image);
    DecodedImage out;

    for (std::size_t i = 0; i < out.header.bytes.size(); ++i) {
        out.header.bytes[i] = in.Byte(kHeader + i);
    }
    out.header.profile = (in.Byte(kProfileByte) >> 5) & 3;
    out.header.productId = in.Word(kProductId);
    out.header.vendorId = in.Word(kVendorId);

    for (int level = 0; level < kImageDpiLevels; ++level) {
        const std::uint8_t pair = in.Byte(kDpiCodeNibbles + static_cast<std::size_t>(level / 2));
        const int nibble = level % 2 == 0 ? pair >> 4 : pair & 0x0F;
        const int bit4 = (in.Byte(kDpiCodeBit4) >> level) & 1;
        out.dpi.codes[static_cast<std::size_t>(level)] =
            static_cast<std::uint8_t>(nibble | bit4 << 4);
    }
    out.dpi.enableMask = in.Byte(kDpiEnable);
    out.dpi.levelByte = in.Byte(kDpiLevel);
    out.dpi.level = out.dpi.levelByte & 7;
    out.fireInterval = in.Word(kFireInterval);

    const std::uint8_t effect = in.Byte(kEffect);
    ImageLighting& light = out.lighting;
    light.effect =
        static_cast<std::uint8_t>(((effect >> 4) & 7) | ((in.Byte(kEffectMaskHigh) >> 7) << 3));
    light.reactive = (effect & 0x08) != 0;
    light.speed = static_cast<std::uint8_t>(effect & 7);
    light.userColoursEnabled = (in.Byte(kColourCycle) & 0x80) != 0;
    light.cycleMask = static_cast<std::uint8_t>(in.Byte(kColourCycle) & 0x7F);
    light.rateCode = in.Byte(kRateCode);
    light.effectMask = static_cast<std::uint16_t>(in.Byte(kEffectMaskLow) |
                                                  ((in.Byte(kEffectMaskHigh) & 0x3F) << 8));
    const std::uint8_t features = in.Byte(kEffectFeatures);
    light.symmetry = (features & 0x40) != 0;
    light.direction = static_cast<std::uint8_t>((features >> 4) & 3);
    light.mode = static_cast<std::uint8_t>(features & 0x0F);
    light.brightness = static_cast<std::uint8_t>((in.Byte(kBrightnessSeventhBlue) >> 4) & 7);
    light.off = (in.Byte(kModeByte) & 0x80) != 0;

    // Colour byte x holds user entry x in its high nibble and DPI entry x in its low one; the
    // entries run colour by colour as red, green, blue.
    for (int x = 0; x < kColourBytesCount; ++x) {
        const std::uint8_t byte = in.Byte(kColourBytes + static_cast<std::size_t>(x));
        const auto channel = [x](ImageColour& colour) -> std::uint8_t& {
            return x % 3 == 0 ? colour.red : x % 3 == 1 ? colour.green : colour.blue;
        };
        channel(out.dpiColours[static_cast<std::size_t>(x / 3)]) = byte & 0x0F;
        channel(out.userColours[static_cast<std::size_t>(x / 3)]) = byte >> 4;
    }
    ImageColour& seventh = out.userColours[kImageUserColours - 1];
    seventh.red = in.Byte(kSeventhColourRedGreen) >> 4;
    seventh.green = in.Byte(kSeventhColourRedGreen) & 0x0F;
    seventh.blue = in.Byte(kBrightnessSeventhBlue) & 0x0F;

    out.pointers.macroEnd = in.Word(kMacroEnd);
    for (std::size_t i = 0; i < out.pointers.lightingBlocks.size(); ++i) {
        out.pointers.lightingBlocks[i] = in.Word(kLightingPointers + 2 * i);
    }
    out.pointers.modeByte = in.Byte(kModeByte);
    out.pointers.q = static_cast<std::uint16_t>(in.Word(kQ) & 0x3FFF);

    // Byte j holds hardware keys 2j+2 (low three bits) and 2j+3; byte 5 holds key 12.
    for (int j = 0; j < 5; ++j) {
        const std::uint8_t byte = in.Byte(kMacroColours + static_cast<std::size_t>(j));
        out.macroColours[static_cast<std::size_t>(2 * j + 2)] = byte & 7;
        out.macroColours[static_cast<std::size_t>(2 * j + 3)] = byte >> 3;
    }
    out.macroColours[12] = in.Byte(kMacroColours + 5);

    std::map<std::uint16_t, int> regionAt;
    for (int p = 0; p < kImageProfiles; ++p) {
        ImageProfile& profile = out.profiles[static_cast<std::size_t>(p)];
        for (int k = 0; k < kImageKeyBytes; ++k) {
            const auto key = static_cast<std::size_t>(k);
            profile.keys[key] =
                DecodeKey(in.Byte(kKeyByteAddress[static_cast<std::size_t>(p)][key]));
        }
        for (int k = 0; k < kImageDescriptors; ++k) {
            const std::size_t address =
                kDescriptorTable +
                static_cast<std::size_t>(p * kImageDescriptors + k) * kDescriptorSize;
            MacroDescriptor d = DecodeDescriptor(in, address);
            if (d.entryCount > 0) {
                const auto [found, added] =
                    regionAt.try_emplace(d.regionAddress, static_cast<int>(out.regions.size()));
                if (added) {
                    out.regions.push_back(DecodeRegion(in, d.regionAddress, d.entryCount));
                }
                d.region = found->second;
            }
            profile.descriptors[static_cast<std::size_t>(k)] = d;
        }
    }
    return out;
}

}  // namespace novu
