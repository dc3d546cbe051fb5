#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "config/device_description.h"
#include "config/settings.h"

namespace novu {

class MacroCatalog;

// Buttons as the mouse's memory addresses them: device key k = hardware key number - 1.
constexpr int kDeviceKeys = 14;   // macro descriptors exist for device keys 0..13
constexpr int kKeyByteKeys = 12;  // key bytes exist for device keys 0..11

template <class T>
using PerProfile = std::array<T, kProfileCount>;
template <class T>
using PerDeviceKey = std::array<T, kDeviceKeys>;

// Function codes with a device meaning of their own.
namespace function_code {
constexpr std::int32_t kNone = 0;
constexpr std::int32_t kFirstMultimedia = 23;
constexpr std::int32_t kLastMultimedia = 32;
constexpr std::int32_t kHoldSignal = 18;
constexpr std::int32_t kFirstProfileSwitch = 19;
constexpr std::int32_t kFirstBuiltin = 33;
constexpr std::int32_t kLastBuiltin = 49;
constexpr std::int32_t kFirstPreset = 50;
constexpr std::int32_t kLastPreset = 255;
constexpr std::int32_t kFirstUserMacro = 256;
constexpr std::int32_t kLastUserMacro = 29999;
constexpr std::int32_t kFirstSkinFunction = 30000;
constexpr std::int32_t kLeftAlias = 40000;
}  // namespace function_code

// The device key type: what the mouse does with a button (bits 0..4 of its key byte).
namespace device_key_type {
constexpr std::uint8_t kNone = 0x00;
constexpr std::uint8_t kDeviceMacro = 0x0D;     // played by the mouse
constexpr std::uint8_t kHeldUserMacro = 0x0E;   // user macro repeated while held
constexpr std::uint8_t kMultimedia = 0x0F;      // consumer key
constexpr std::uint8_t kHoldSignal = 0x14;      // function 18
constexpr std::uint8_t kFunction15 = 0x15;      // function 15
constexpr std::uint8_t kLeftAlias = 0x16;       // function 40000
constexpr std::uint8_t kProfileSwitch0 = 0x17;  // 0x17..0x1A: switch to profile 0..3
constexpr std::uint8_t kProfileSwitch3 = 0x1A;
constexpr std::uint8_t kHostMacro = 0x1E;      // played on the host side
constexpr std::uint8_t kHeldHostMacro = 0x1F;  // played on the host side while held
}  // namespace device_key_type

// Whether a device key of this type has a macro descriptor (and so a place in the macro
// area).
constexpr bool HasMacroDescriptor(std::uint8_t type) {
    return type == device_key_type::kDeviceMacro || type == device_key_type::kHeldUserMacro ||
           type == device_key_type::kMultimedia || type == device_key_type::kHostMacro ||
           type == device_key_type::kHeldHostMacro;
}

// The device key type of a function code; `playMode` is that of the macro the code names
// (read only for codes 33..29999), `leftMac` the slot's LEFT_MAC flag.
std::uint8_t DeviceKeyType(std::int32_t code, std::int32_t leftMac, std::uint8_t playMode);

// What an upload derives per button from the four profiles. Slots are ButtonSlot indices;
// device keys are hardware key number - 1. Device keys no slot maps to keep zeros.
struct KeyTables {
    PerProfile<PerSlot<std::uint8_t>> slotType{};  // device key type of each slot
    PerProfile<PerSlot<bool>> holdSignal{};        // slots whose code was 18
    PerProfile<PerDeviceKey<std::uint8_t>> keyType{};
    PerProfile<PerDeviceKey<std::int32_t>> keyCode{};  // FunctionCode per device key
    PerProfile<PerDeviceKey<std::uint8_t>> keyByte{};  // reactive lighting + type

    bool operator==(const KeyTables&) const = default;
};

// A button code that names a macro or preset that does not exist; the upload replaces it
// by 0 in the settings.
struct DeadCode {
    int profile = 0;
    int slot = 0;
    std::int32_t code = 0;

    bool operator==(const DeadCode&) const = default;
};

struct KeyDerivation {
    KeyTables tables;
    std::vector<DeadCode> deadCodes;  // already counted as 0 in `tables`
};

// Derives the key tables for slots 0..KEYNUM-1 of every profile. Slots whose KEYMAP entry
// is 0 (no key) or beyond the hardware keys get a type but no device key.
KeyDerivation DeriveKeyTables(const Settings& settings, const DeviceDescription& device,
                              MacroCatalog& macros);

// The DPI code of a DPI slider step (steps beyond the table take the last code).
std::uint8_t DpiCode(int step);

// The lighting effect as the configuration memory holds it.
struct EffectFields {
    std::uint8_t effect = 0;  // 4 bits
    std::uint8_t reactive = 0;
    std::uint8_t speed = 0;
};
EffectFields EffectFieldsOf(const SharedSettings& shared);

// The effect mask: the lighting effects the mouse offers (0, 2, 3, 5, 6, 7, 8, 10, 11, 13).
constexpr std::uint16_t kEffectMask = 0x2DED;

// Addresses of the configuration memory.
namespace memory_address {
constexpr std::uint16_t kHeader = 0x00;
constexpr std::uint16_t kProfileByte = 0x01;
constexpr std::uint16_t kFirstProfileBlock = 0x08;  // 13 blocks of 8 bytes: 0x08..0x6F
constexpr int kProfileBlocks = 13;
constexpr std::uint16_t kDpiHighBits = 0x13;
constexpr std::uint16_t kDpiLevel = 0x18;
constexpr std::uint16_t kEffect = 0x1C;
constexpr std::uint16_t kRateCode = 0x1E;
constexpr std::uint16_t kColours = 0x20;
constexpr std::uint16_t kEffectMaskLow = 0x32;
constexpr std::uint16_t kLightingFeatures = 0x3A;
constexpr std::uint16_t kMacroEnd = 0x6E;
constexpr std::uint16_t kLightingPointers = 0x70;  // P1, P2, P3, mode byte, 0x71
constexpr std::uint16_t kModeByte = 0x76;
constexpr std::uint16_t kQBlock = 0x78;  // 0, Q
constexpr std::uint16_t kQ = 0x79;
constexpr std::uint16_t kTerminator = 0x7F;
constexpr std::uint16_t kMacroColours = 0x98;
constexpr std::uint16_t kDescriptors = 0xA0;
constexpr std::uint16_t kMacroArea = 0x0400;
constexpr std::uint16_t kMacroAreaEnd = 0x0F20;  // not included
}  // namespace memory_address

constexpr std::uint16_t kProductIdInHeader = 0x1040;
constexpr std::uint16_t kVendorId = 0x30FA;

// The settings part of the memory, addresses 0x00..0x9F, as the upload writes it.
using SettingsArea = std::array<std::uint8_t, memory_address::kDescriptors>;

struct SettingsAreaInput {
    const Settings* settings = nullptr;
    const DeviceDescription* device = nullptr;
    const KeyTables* keys = nullptr;
    std::uint8_t lightingMode = 0;  // LightingMode: 11 once the mouse was found
    std::uint16_t macroEnd = 0;     // E: the allocation pointer after the last macro region
};

// Every byte of 0x00..0x9F the upload writes; the bytes it never writes stay 0.
SettingsArea EncodeSettingsArea(const SettingsAreaInput& input);

}  // namespace novu
