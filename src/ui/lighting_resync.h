#pragma once

#include <cstdint>

#include "base/clock.h"
#include "base/ini_files.h"
#include "config/data_folder.h"
#include "config/settings_store.h"
#include "device/feature_transport.h"

namespace novu {

// The lighting resynchronisation the sound-reactive window asks for when it ends: the mouse
// shows its current DPI level's colour and the stored lighting again, and the store takes
// DPI_LEVEL back from config.ini.
void RestoreLighting(FeatureTransport& transport, SettingsStore& store, const IniFiles& ini,
                     const DataFolder& data, Clock& clock, std::uint8_t lightingMode);

}  // namespace novu
