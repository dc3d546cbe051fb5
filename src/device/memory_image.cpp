#include "device/memory_image.h"

#include <algorithm>

#include "device/macro_image.h"

namespace novu {

namespace {

namespace fc = function_code;
namespace kt = device_key_type;
namespace addr = memory_address;

// DPI slider step -> DPI code; code 11 does not exist.
constexpr std::array<std::uint8_t, 23> kDpiCodes = {
    1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,
};

// LED_TYPE 13 has no stored effect of its own: the mouse gets effect 0 with the slowest
// speed, the value a first upload of the program has always sent for it.
constexpr std::uint8_t kEffectOfType13 = 0;

constexpr std::uint8_t Nibble(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0x0F);
}

void PutWord(SettingsArea& area, std::uint16_t address, std::uint16_t value) {
    area[address] = static_cast<std::uint8_t>(value & 0xFF);
    area[address + 1u] = static_cast<std::uint8_t>(value >> 8);
}

// Copies key bytes first..last-1 of a profile to consecutive addresses from `address`.
void PutKeyBytes(SettingsArea& area, std::uint16_t address, const KeyTables& keys, int profile,
                 int first, int last) {
    for (int k = first; k < last; ++k) {
        area[address + static_cast<std::uint16_t>(k - first)] =
            keys.keyByte[static_cast<std::size_t>(profile)][static_cast<std::size_t>(k)];
    }
}

int SlotOfHardwareKey(const DeviceDescription& device, int hardwareKey) {
    int slot = -1;
    const int slots = std::clamp(device.KEYNUM, 0, kButtonSlots);
    for (int s = 0; s < slots; ++s) {
        if (device.KEYMAP[static_cast<std::size_t>(s)] == hardwareKey) {
            slot = s;
        }
    }
    return slot;
}

std::uint8_t MacroColourOf(const Settings& settings, const DeviceDescription& device,
                           int hardwareKey) {
    const int slot = SlotOfHardwareKey(device, hardwareKey);
    if (slot < 0) {
        return 0;
    }
    return static_cast<std::uint8_t>(settings.shared.MAC_COR[static_cast<std::size_t>(slot)] &
                                     0x07);
}

std::uint8_t ColourEntry(const std::array<std::int32_t, kUserColours>& r,
                         const std::array<std::int32_t, kUserColours>& g,
                         const std::array<std::int32_t, kUserColours>& b, int x) {
    const auto colour = static_cast<std::size_t>(x / 3);
    switch (x % 3) {
        case 0:
            return Nibble(r[colour]);
        case 1:
            return Nibble(g[colour]);
        default:
            return Nibble(b[colour]);
    }
}

std::uint8_t DpiColourEntry(const SharedSettings& shared, int x) {
    const auto level = static_cast<std::size_t>(x / 3);
    switch (x % 3) {
        case 0:
            return Nibble(shared.DPI_R[level]);
        case 1:
            return Nibble(shared.DPI_G[level]);
        default:
            return Nibble(shared.DPI_B[level]);
    }
}

}  // namespace

std::uint8_t DeviceKeyType(std::int32_t code, std::int32_t leftMac, std::uint8_t playMode) {
    if (code >= fc::kFirstBuiltin && code <= fc::kLastUserMacro) {
        const bool held = (playMode & 3) == play_mode::kWhileHeld;
        const bool host = (code >= fc::kFirstPreset && code <= fc::kLastPreset) || leftMac != 0;
        if (held) {
            if (host) {
                return kt::kHeldHostMacro;
            }
            return code >= fc::kFirstUserMacro ? kt::kHeldUserMacro : kt::kDeviceMacro;
        }
        return host ? kt::kHostMacro : kt::kDeviceMacro;
    }
    if (code >= fc::kFirstMultimedia && code <= fc::kLastMultimedia) {
        return kt::kMultimedia;
    }
    if (code == 15) {
        return kt::kFunction15;
    }
    if (code == fc::kHoldSignal) {
        return kt::kHoldSignal;
    }
    if (code >= fc::kFirstProfileSwitch && code <= fc::kFirstProfileSwitch + 3) {
        return static_cast<std::uint8_t>(kt::kProfileSwitch0 + (code - fc::kFirstProfileSwitch));
    }
    if ((code >= 7 && code <= 14) || code == 16 || code == 17) {
        return static_cast<std::uint8_t>(code - 5);
    }
    if (code == fc::kLeftAlias) {
        return kt::kLeftAlias;
    }
    if (code >= 0 && code <= 6) {
        return static_cast<std::uint8_t>(code);
    }
    return kt::kNone;
}

KeyDerivation DeriveKeyTables(const Settings& settings, const DeviceDescription& device,
                              MacroCatalog& macros) {
    KeyDerivation result;
    KeyTables& tables = result.tables;
    const int slots = std::clamp(device.KEYNUM, 0, kButtonSlots);
    for (int p = 0; p < kProfileCount; ++p) {
        const auto pi = static_cast<std::size_t>(p);
        const ProfileSettings& profile = settings.profiles[pi];
        for (int s = 0; s < slots; ++s) {
            const auto si = static_cast<std::size_t>(s);
            std::int32_t code = profile.K[si];
            if (MacroKindOf(code) != MacroKind::None && macros.DesignatesNothing(code)) {
                result.deadCodes.push_back({p, s, code});
                code = fc::kNone;
            }
            const std::uint8_t playMode =
                MacroKindOf(code) != MacroKind::None ? macros.Record(code).playMode : 0;
            const std::uint8_t type = DeviceKeyType(code, profile.LEFT_MAC[si], playMode);
            tables.slotType[pi][si] = type;
            tables.holdSignal[pi][si] = code == fc::kHoldSignal;

            const int hardwareKey = device.KEYMAP[si];
            if (hardwareKey < 1 || hardwareKey > kDeviceKeys) {
                continue;  // a slot without a button on the mouse
            }
            const auto k = static_cast<std::size_t>(hardwareKey - 1);
            tables.keyType[pi][k] = type;
            tables.keyCode[pi][k] = code;
            tables.keyByte[pi][k] =
                static_cast<std::uint8_t>(((profile.LED_REACT_TYPE[si] & 3) << 6) |
                                          ((profile.LED_REACT_EN[si] & 1) << 5) | type);
        }
    }
    return result;
}

std::uint8_t DpiCode(int step) {
    const int index = std::clamp(step, 0, static_cast<int>(kDpiCodes.size()) - 1);
    return kDpiCodes[static_cast<std::size_t>(index)];
}

EffectFields EffectFieldsOf(const SharedSettings& shared) {
    const auto speed = static_cast<std::uint8_t>(shared.LED_CYCTIME & 7);
    switch (shared.LED_TYPE) {
        case 12:
            return {1, 1, speed};
        case 13:
            return {kEffectOfType13, 0, 7};
        default:
            return {static_cast<std::uint8_t>(shared.LED_TYPE & 0x0F), 0, speed};
    }
}

SettingsArea EncodeSettingsArea(const SettingsAreaInput& input) {
    const Settings& settings = *input.settings;
    const SharedSettings& shared = settings.shared;
    const KeyTables& keys = *input.keys;
    SettingsArea area{};

    // Header.
    area[0x00] = 0x5A;
    area[addr::kProfileByte] = static_cast<std::uint8_t>(((settings.CurConfig & 3) << 5) | 3);
    area[0x02] = 0xA5;
    PutWord(area, 0x03, kProductIdInHeader);
    PutWord(area, 0x05, kVendorId);

    // Profile 0's key bytes are split around the DPI and lighting bytes.
    PutKeyBytes(area, 0x08, keys, 0, 0, 9);
    PutKeyBytes(area, 0x3B, keys, 0, 9, 12);
    PutKeyBytes(area, 0x44, keys, 1, 0, 12);
    PutKeyBytes(area, 0x50, keys, 2, 0, 12);
    PutKeyBytes(area, 0x60, keys, 3, 0, 12);

    // DPI: six codes as low nibbles (two per byte, the lower level high) and bit 4 apart.
    std::uint8_t highBits = 0;
    for (int level = 0; level < kDpiLevels; ++level) {
        const std::uint8_t code = DpiCode(shared.DPI_SET[static_cast<std::size_t>(level)]);
        highBits = static_cast<std::uint8_t>(highBits | (((code >> 4) & 1) << level));
        const auto at = static_cast<std::size_t>(0x15 + level / 2);
        area[at] = static_cast<std::uint8_t>(area[at] | ((code & 0x0F) << (level % 2 ? 0 : 4)));
    }
    area[addr::kDpiHighBits] = highBits;
    area[0x14] = 0x08;
    area[addr::kDpiLevel] = static_cast<std::uint8_t>(0x10 + (shared.DPI_LEVEL & 7));
    std::uint8_t enabled = 0;
    for (int level = 0; level < kDpiLevels; ++level) {
        if (shared.DPI_SET_EN[static_cast<std::size_t>(level)]) {
            enabled = static_cast<std::uint8_t>(enabled | (1u << level));
        }
    }
    area[0x19] = enabled;
    PutWord(area, 0x1A, static_cast<std::uint16_t>(shared.FIRE_TIME / 8));

    // Lighting.
    const EffectFields effect = EffectFieldsOf(shared);
    area[addr::kEffect] = static_cast<std::uint8_t>(0x80 + (effect.effect & 7) * 16 +
                                                    effect.reactive * 8 + effect.speed);
    area[0x1D] =
        static_cast<std::uint8_t>(shared.LED_USER_COLER_EN * 128 + CycleMaskFromFlags(shared));
    area[addr::kRateCode] = 7;
    for (int x = 0; x < 18; ++x) {
        const std::uint8_t user =
            ColourEntry(shared.LED_USER_R, shared.LED_USER_G, shared.LED_USER_B, x);
        area[addr::kColours + static_cast<std::size_t>(x)] =
            static_cast<std::uint8_t>(user * 16 + DpiColourEntry(shared, x));
    }
    area[addr::kEffectMaskLow] = kEffectMask & 0xFF;
    area[0x33] =
        static_cast<std::uint8_t>(((kEffectMask >> 8) & 0x3F) + ((effect.effect >> 3) & 1) * 128);
    area[addr::kLightingFeatures] = static_cast<std::uint8_t>(
        (shared.LED_FEATURE_SYMMETRY & 1) * 64 + (shared.LED_FEATURE_DIREC & 3) * 16 +
        (input.lightingMode & 0x0F));
    area[0x3E] =
        static_cast<std::uint8_t>(Nibble(shared.LED_USER_R[6]) * 16 + Nibble(shared.LED_USER_G[6]));
    area[0x3F] =
        static_cast<std::uint8_t>((shared.LED_BRIGHT & 7) * 16 + Nibble(shared.LED_USER_B[6]));
    area[0x43] = 0x7F;

    // The pointers around the macro area: four empty lighting blocks of 8 bytes behind E.
    const std::uint16_t e = input.macroEnd;
    PutWord(area, addr::kMacroEnd, e);
    PutWord(area, addr::kLightingPointers, static_cast<std::uint16_t>(e + 8));
    PutWord(area, addr::kLightingPointers + 2, static_cast<std::uint16_t>(e + 16));
    PutWord(area, addr::kLightingPointers + 4, static_cast<std::uint16_t>(e + 24));
    area[addr::kModeByte] =
        static_cast<std::uint8_t>(shared.MODE_LIGHT * 128 + 0x40 + (settings.CurConfig & 3));
    area[0x77] = 0x71;
    PutWord(area, addr::kQ, static_cast<std::uint16_t>((e + 32) & 0x3FFF));

    // Macro colours: two hardware keys per byte from key 2, then key 12 alone.
    for (int j = 0; j < 5; ++j) {
        area[addr::kMacroColours + static_cast<std::size_t>(j)] =
            static_cast<std::uint8_t>(MacroColourOf(settings, *input.device, 2 * j + 2) +
                                      8 * MacroColourOf(settings, *input.device, 2 * j + 3));
    }
    area[addr::kMacroColours + 5u] = MacroColourOf(settings, *input.device, 12);
    return area;
}

}  // namespace novu
