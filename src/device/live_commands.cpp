#include "device/live_commands.h"

namespace novu {

LightingArgs NormalLightingArgs(const SharedSettings& shared, std::uint8_t lightingMode) {
    LightingArgs args;
    args.colourMask = CycleMaskFromFlags(shared);
    args.on = 1;
    args.effect = shared.LED_TYPE;
    args.flag = 0;
    args.speed = shared.LED_CYCTIME;
    args.mode = lightingMode;
    args.word = kNormalLightingWord;
    return args;
}

void SendNormalLighting(FeatureTransport& transport, SettingsStore& store,
                        std::uint8_t lightingMode) {
    const SharedSettings shared = store.Update([](Settings& settings) {
        settings.shared.CYC_7COL_EN = CycleMaskFromFlags(settings.shared);
        return settings.shared;
    });
    transport.LightingEffect(shared, NormalLightingArgs(shared, lightingMode));
}

bool SendLevelColour(FeatureTransport& transport, const SharedSettings& shared, int level) {
    if (level < 0 || level >= kDpiLevels) {
        return false;
    }
    const auto l = static_cast<std::size_t>(level);
    transport.LevelColour(static_cast<std::uint8_t>(level), shared.DPI_R[l], shared.DPI_G[l],
                          shared.DPI_B[l]);
    return true;
}

}  // namespace novu
