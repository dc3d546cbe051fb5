// How fast a press reaches the mouse as a played macro: from a button report entering the
// virtual mouse's input queue to the first feature report of the macro it triggers, through
// the device event thread, the press queue and the key-press service thread, on the real
// clock. Reported as p50/p99/max over 1,000 presses.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <random>
#include <vector>

#include "base/ini_files.h"
#include "base/real_clock.h"
#include "base/recorded_notices.h"
#include "config/config_files.h"
#include "config/settings_store.h"
#include "device/device_link.h"
#include "device/device_session.h"
#include "device/device_threads.h"
#include "device/macro_image.h"
#include "device/memory_image.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_mouse.h"

namespace novu {
namespace {

// One user macro: a single key press, played once.
class OneMacro final : public MacroSources {
public:
    OneMacro() {
        record_.repeatCount = 1;
        record_.eventCount = 1;
        SetEvent(record_, 0, {step_type::kPress, 0x04, 0, 0, 0});
    }
    int GroupCount() const override { return 1; }
    int MacroCount(int group) const override { return group == 0 ? 1 : 0; }
    MacroRecord ReadMacroEntry(int group, int index) const override {
        return group == 0 && index == 0 ? record_ : MacroRecord{};
    }
    int PresetCount() const override { return 0; }
    MacroRecord Preset(int) const override { return {}; }
    int BuiltinCount() const override { return 0; }
    MacroRecord Builtin(int) const override { return {}; }

private:
    MacroRecord record_;
};

// The feature interface, noting when each report is handed to it.
class StampedFeature final : public HidDevice {
public:
    StampedFeature(HidDevice& inner, Clock& clock) : inner_(inner), clock_(clock) {}
    Result<void> SetFeature(std::span<const std::uint8_t> report) override {
        {
            std::lock_guard lock(mutex_);
            stamps_.push_back(clock_.Now());
        }
        clock_.Raise(sent_);
        return inner_.SetFeature(report);
    }
    Result<void> GetFeature(std::span<std::uint8_t> report) override {
        return inner_.GetFeature(report);
    }
    Result<std::size_t> ReadInput(std::span<std::uint8_t> report) override {
        return inner_.ReadInput(report);
    }
    void Interrupt() override { inner_.Interrupt(); }

    // The time of report `index` (0-based), waiting for it.
    TimePoint WaitForReport(std::size_t index) {
        for (;;) {
            {
                std::lock_guard lock(mutex_);
                if (stamps_.size() > index) {
                    return stamps_[index];
                }
            }
            clock_.WaitFor(sent_, std::nullopt);
        }
    }

private:
    HidDevice& inner_;
    Clock& clock_;
    std::mutex mutex_;
    std::vector<TimePoint> stamps_;
    ClockEvent sent_;
};

DeviceDescription EightButtons() {
    DeviceDescription device;
    device.KEYNUM = 8;
    for (int s = 0; s < 8; ++s) {
        device.KEYMAP[static_cast<std::size_t>(s)] = static_cast<std::uint8_t>(s + 1);
    }
    device.BuildReverseMap();
    return device;
}

double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
    return values[at];
}

void BM_PressToFirstMacroReport(benchmark::State& state) {
    constexpr int kPresses = 1000;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("novu-threads-bench-" + std::to_string(std::random_device{}()));
    std::filesystem::create_directories(folder / "config");

    std::vector<double> latencies;
    for (auto _ : state) {
        RealClock clock;
        VirtualMouse mouse(clock, 1);
        VirtualBus bus(mouse);
        DeviceLink link(bus);
        FeatureTransport transport(clock);
        DeviceSession session(link, transport);
        if (!session.Open(EightButtons())) {
            state.SkipWithError("the virtual mouse must be found");
            break;
        }
        StampedFeature feature(*session.Feature(), clock);
        transport.Attach(&feature, link.FeatureReportLength());

        IniFiles ini;
        RecordedNotices notices;
        SettingsStore store;
        store.SetDevice(EightButtons());
        store.Update([](Settings& s) {
            s.shared.SOFT_HARD_MAC = 1;
            s.profiles[0].K[1] = 256;  // key 2 plays the macro
        });
        ConfigFiles config(DataFolder{folder}, ini, store, notices);
        static_cast<void>(config.SaveAll());
        OneMacro macros;
        UploadState uploads(clock);
        MacroCatalog catalog(macros);
        uploads.Publish(memory_address::kMacroArea,
                        DeriveKeyTables(store.Snapshot(), store.Device(), catalog).tables);

        DeviceThreads threads(DeviceThreadContext{clock, transport, store, config, macros, uploads,
                                                  session.LightingMode()},
                              {}, InputOf(link));
        threads.Start();
        threads.InputChanged();
        std::size_t reports = 0;  // feature reports so far: each press sends three
        std::uint64_t queued = 0;
        for (int i = 0; i < kPresses; ++i) {
            const TimePoint queuedAt = clock.Now();
            static_cast<void>(mouse.QueueInput(queuedAt, ButtonEventReport(2, false, 0)));
            const TimePoint first = feature.WaitForReport(reports);
            latencies.push_back(ToMilliseconds(first - queuedAt) * 1000);
            static_cast<void>(mouse.QueueInput(clock.Now(), ButtonEventReport(2, true, 0)));
            queued += 2;
            threads.WaitUntilSettled(queued, std::nullopt);
            reports += 3;  // the key, then the release of the buttons and of the keys
        }
        threads.Stop();
    }
    std::filesystem::remove_all(folder);
    state.counters["presses"] = static_cast<double>(latencies.size());
    state.counters["p50_us"] = Percentile(latencies, 0.50);
    state.counters["p99_us"] = Percentile(latencies, 0.99);
    state.counters["max_us"] = Percentile(latencies, 1.0);
}
BENCHMARK(BM_PressToFirstMacroReport)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace novu

BENCHMARK_MAIN();
