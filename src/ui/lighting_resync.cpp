#include "ui/lighting_resync.h"

#include "device/live_commands.h"
#include "device/read_back.h"

namespace novu {

namespace {

constexpr std::size_t kDpiLevelChars = 5;

}  // namespace

void RestoreLighting(FeatureTransport& transport, SettingsStore& store, const IniFiles& ini,
                     const DataFolder& data, Clock& clock, std::uint8_t lightingMode) {
    const int level = ReadDpiLevel(transport);
    SendLevelColour(transport, store.Snapshot().shared, level);
    SendNormalLighting(transport, store, lightingMode);
    clock.SleepFor(Ms(2));
    const int stored = ini.GetNumber(data.ConfigIni(), "ShareData", "DPI_LEVEL", kDpiLevelChars);
    store.Update([stored](Settings& s) { s.shared.DPI_LEVEL = stored; });
    transport.Finish();
}

}  // namespace novu
