#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "base/clock.h"
#include "config/settings_store.h"
#include "device/feature_transport.h"
#include "device/playback_state.h"
#include "macro/macro_record.h"
#include "macro/macro_sources.h"

namespace novu {

constexpr int kSoftwarePressMinimumMs = 60;  // least pause after a played mouse-button step
constexpr int kJitterThresholdMs = 120;      // shorter mouse-button pauses get a random addition
constexpr int kSoftwareRepeatLimit = 10000;  // plays of a repeating macro
constexpr int kReleasePauseMs = 10;

// Where the random additions to short mouse-button pauses come from.
class RandomSource {
public:
    virtual ~RandomSource() = default;
    // A number in 0..bound-1 (bound > 0).
    virtual int Below(int bound) = 0;
};

class SeededRandom final : public RandomSource {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    int Below(int bound) override {
        return std::uniform_int_distribution<int>(0, bound - 1)(engine_);
    }

private:
    std::mt19937_64 engine_;
};

// Software macro playback: the key-press service thread plays a pressed button's macro
// through the mouse with MouseMove, MouseButtons and KeyboardKeys reports, and sends the
// consumer key of a multimedia button. Used by one thread; the press state is written by
// the device event thread while a macro plays (that is how a repeating macro is stopped).
class MacroPlayer {
public:
    MacroPlayer(FeatureTransport& transport, Clock& clock, const SettingsStore& store,
                const MacroSources& macros, const PressState& press, RandomSource& random)
        : transport_(transport),
          clock_(clock),
          store_(store),
          macros_(macros),
          press_(press),
          random_(random) {}

    // Sends the report of one step.
    void PlayStep(std::uint8_t code, std::uint8_t type, std::uint16_t param1, std::uint16_t param2,
                  std::uint8_t yOffset, std::uint8_t yOffsetEnabled);
    // Releases every injected button and key.
    void ReleaseAll();
    // Serves the pending press (the pressed key code of the press state).
    void ServePress();

    // Bit 0 left, bit 1 right, bit 2 middle; a bit is 0 while pressed.
    std::uint8_t ButtonState() const { return buttonState_; }
    const std::array<std::uint8_t, 6>& HeldKeys() const { return heldKeys_; }

private:
    // Plays `plays` times, stopping by the play mode's rule; then releases everything.
    void Play(const MacroRecord& record, int plays, std::uint8_t playMode);
    bool ShouldStop(std::uint8_t playMode) const;

    FeatureTransport& transport_;
    Clock& clock_;
    const SettingsStore& store_;
    const MacroSources& macros_;
    const PressState& press_;
    RandomSource& random_;
    std::uint8_t buttonState_ = 0xFF;
    std::array<std::uint8_t, 6> heldKeys_{};
};

}  // namespace novu
