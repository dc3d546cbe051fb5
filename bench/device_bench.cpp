// Figures of the device upload and the software playback:
// - building and checking the upload plan of a full macro area;
// - a full upload with a full macro area against the virtual mouse on the real clock, as a
//   multiple of the pauses the protocol prescribes (4 + 2 ms per block, 5 ms to finish);
// - a 200-step macro played on the real clock: how late each step starts against its
//   deadline, and how far the last one has drifted.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "base/real_clock.h"
#include "base/recorded_notices.h"
#include "config/settings_store.h"
#include "device/feature_transport.h"
#include "device/playback.h"
#include "device/upload.h"
#include "emulator/virtual_mouse.h"

namespace novu {
namespace {

class BenchMacros final : public MacroSources {
public:
    std::vector<MacroRecord> group;
    int GroupCount() const override { return 1; }
    int MacroCount(int g) const override { return g == 0 ? static_cast<int>(group.size()) : 0; }
    MacroRecord ReadMacroEntry(int g, int index) const override {
        return g == 0 && index >= 0 && index < MacroCount(0)
                   ? group[static_cast<std::size_t>(index)]
                   : MacroRecord{};
    }
    int PresetCount() const override { return 0; }
    MacroRecord Preset(int) const override { return {}; }
    int BuiltinCount() const override { return 0; }
    MacroRecord Builtin(int) const override { return {}; }
};

MacroRecord KeyMacro(int steps, std::uint16_t delay) {
    MacroRecord record;
    record.repeatCount = 1;
    record.eventCount = static_cast<std::uint16_t>(steps);
    for (int j = 0; j < steps; ++j) {
        SetEvent(record, j, {static_cast<std::uint8_t>(j % 2 ? 2 : 1), 0x04, 0, 0, delay});
    }
    return record;
}

// Regions of 1008, 1008 and 824 bytes: 2840 of the 2848 bytes of the macro area.
BenchMacros FullArea() {
    BenchMacros macros;
    macros.group = {KeyMacro(250, 200), KeyMacro(250, 200), KeyMacro(205, 200)};
    return macros;
}

DeviceDescription EightButtons() {
    DeviceDescription device;
    device.KEYNUM = 8;
    for (int s = 0; s < 8; ++s) {
        device.KEYMAP[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(s + 1);
    }
    return device;
}

Settings FullAreaSettings() {
    Settings settings;
    settings.profiles[0].K = {1, 256, 257, 258, 25, 2, 3, 18};
    settings.profiles[2].K = {1, 258, 257, 256};
    return settings;
}

void BM_PlanFullMacroArea(benchmark::State& state) {
    const BenchMacros macros = FullArea();
    UploadInput input;
    input.settings = FullAreaSettings();
    input.device = EightButtons();
    for (auto _ : state) {
        UploadPlan plan = BuildUploadPlan(input, macros);
        if (!plan.Fits()) {
            state.SkipWithError("the plan must fit");
        }
        benchmark::DoNotOptimize(plan);
    }
}
BENCHMARK(BM_PlanFullMacroArea)->Unit(benchmark::kMicrosecond);

void BM_UploadEfficiency(benchmark::State& state) {
    const BenchMacros macros = FullArea();
    double actual = 0;
    double mandated = 0;
    for (auto _ : state) {
        RealClock clock;
        VirtualMouse mouse(clock, 1);
        auto feature = mouse.Open(MouseInterface::Feature, HidAccess::Write);
        FeatureTransport transport(clock);
        transport.Attach(feature.get(), VirtualMouse::kFeatureReportLength);
        SettingsStore store;
        store.SetDevice(EightButtons());
        store.Update([](Settings& s) { s = FullAreaSettings(); });
        NoPointerSettings pointer;
        RecordedNotices notices;
        UploadState uploadState(clock);
        Uploader uploader(
            UploadContext{transport, store, macros, pointer, notices, clock, uploadState, 1});
        const auto summary = uploader.FullUpload(UploadTrigger::Startup);
        if (!summary || !summary->written) {
            state.SkipWithError("the upload must be written");
            break;
        }
        actual += ToMilliseconds(summary->duration);
        mandated += summary->writeBlocks * 6.0 + 5.0;
    }
    state.counters["mandated_ms"] = mandated / static_cast<double>(state.iterations());
    state.counters["actual_ms"] = actual / static_cast<double>(state.iterations());
    state.counters["efficiency"] = actual / mandated;
}
BENCHMARK(BM_UploadEfficiency)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[at];
}

void BM_PlaybackTiming(benchmark::State& state) {
    // Keys and moves with pauses of 2..9 ms; mouse-button steps would add their random part.
    MacroRecord macro;
    macro.repeatCount = 1;
    macro.eventCount = 200;
    std::vector<double> requested;
    double at = 0;
    for (int j = 0; j < 200; ++j) {
        const auto delay = static_cast<std::uint16_t>(2 + (j * 7) % 8);
        if (j % 4 == 3) {
            SetEvent(macro, j, {6, 0xF6, 3, 2, delay});
        } else {
            SetEvent(macro, j, {static_cast<std::uint8_t>(j % 2 ? 2 : 1), 0x04, 0, 0, delay});
        }
        requested.push_back(at);
        at += delay;
    }
    BenchMacros macros;
    macros.group = {macro};

    std::vector<double> errors;
    double drift = 0;
    for (auto _ : state) {
        RealClock clock;
        VirtualMouse mouse(clock, 1);
        auto feature = mouse.Open(MouseInterface::Feature, HidAccess::Write);
        FeatureTransport transport(clock);
        transport.Attach(feature.get(), VirtualMouse::kFeatureReportLength);
        SettingsStore store;
        store.SetDevice(EightButtons());
        store.Update([](Settings& s) {
            s.shared.SOFT_HARD_MAC = 1;
            s.profiles[0].K[1] = 256;
        });
        PressState press;
        press.pressedKeyCode = 0xF2;
        SeededRandom random(1);
        MacroPlayer player(transport, clock, store, macros, press, random);
        player.ServePress();

        const auto exchanges = mouse.Exchanges();
        if (exchanges.size() != 202) {
            state.SkipWithError("every step must be sent");
            break;
        }
        const double start = ToMilliseconds(exchanges[0].time);
        for (std::size_t j = 0; j < 200; ++j) {
            errors.push_back((ToMilliseconds(exchanges[j].time) - start - requested[j]) * 1000);
        }
        drift = std::max(drift, errors.back());
    }
    state.counters["p50_us"] = Percentile(errors, 0.50);
    state.counters["p99_us"] = Percentile(errors, 0.99);
    state.counters["max_us"] = Percentile(errors, 1.0);
    state.counters["last_step_us"] = drift;
}
BENCHMARK(BM_PlaybackTiming)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace novu

BENCHMARK_MAIN();
