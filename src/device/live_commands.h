#pragma once

#include <cstdint>

#include "config/settings.h"
#include "config/settings_store.h"
#include "device/feature_transport.h"

namespace novu {

// The word the lighting commands of the normal lighting carry.
constexpr std::uint16_t kNormalLightingWord = 0x4002;

// The stored lighting as a LightingEffect: the colour-cycle mask rebuilt from its seven
// flags, on, the stored effect and speed, the given LightingMode.
LightingArgs NormalLightingArgs(const SharedSettings& shared, std::uint8_t lightingMode);

// Restores the stored lighting on the mouse. The colour-cycle byte is rebuilt from its flags
// in the store first, as every lighting resynchronisation does.
void SendNormalLighting(FeatureTransport& transport, SettingsStore& store,
                        std::uint8_t lightingMode);

// Shows the colour of DPI level `level` (0..5). Levels the settings have no colour for
// (the mouse reports 0..7) send nothing and return false.
bool SendLevelColour(FeatureTransport& transport, const SharedSettings& shared, int level);

}  // namespace novu
