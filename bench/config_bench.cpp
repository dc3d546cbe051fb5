// Loading and saving the four profiles of a full config.ini, and how many file parses that
// takes (the counter "parses" per iteration).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "base/recorded_notices.h"
#include "config/config_files.h"

namespace novu {
namespace {

struct Fixture {
    Fixture() {
        root = std::filesystem::temp_directory_path() / "novu-config-bench";
        std::filesystem::remove_all(root);
        std::filesystem::create_directories(root / "config");
        std::filesystem::copy_file(
            std::filesystem::path(NOVU_SHIPPED_DATA) / "config" / "config.ini",
            root / "config" / "config.ini");
    }
    ~Fixture() { std::filesystem::remove_all(root); }
    std::filesystem::path root;
};

void LoadFourProfiles(benchmark::State& state) {
    Fixture fixture;
    IniFiles ini;
    SettingsStore store;
    RecordedNotices notices;
    ConfigFiles files(DataFolder{fixture.root}, ini, store, notices);
    std::uint64_t parses = 0;
    for (auto _ : state) {
        // A fresh cache each time: the first load of a run, as at start-up.
        IniFiles cold;
        ConfigFiles coldFiles(DataFolder{fixture.root}, cold, store, notices);
        for (int p = 0; p < kProfileCount; ++p) {
            coldFiles.LoadProfile(p, false);
        }
        parses += cold.ParseCount();
    }
    state.counters["parses"] =
        benchmark::Counter(static_cast<double>(parses), benchmark::Counter::kAvgIterations);
}
BENCHMARK(LoadFourProfiles)->Unit(benchmark::kMicrosecond);

void LoadFourProfilesCached(benchmark::State& state) {
    Fixture fixture;
    IniFiles ini;
    SettingsStore store;
    RecordedNotices notices;
    ConfigFiles files(DataFolder{fixture.root}, ini, store, notices);
    for (auto _ : state) {
        for (int p = 0; p < kProfileCount; ++p) {
            files.LoadProfile(p, false);
        }
    }
    state.counters["parses"] = benchmark::Counter(static_cast<double>(ini.ParseCount()),
                                                  benchmark::Counter::kAvgIterations);
}
BENCHMARK(LoadFourProfilesCached)->Unit(benchmark::kMicrosecond);

void SaveAllProfiles(benchmark::State& state) {
    Fixture fixture;
    IniFiles ini;
    SettingsStore store;
    RecordedNotices notices;
    ConfigFiles files(DataFolder{fixture.root}, ini, store, notices);
    files.ReadStartup();
    int flip = 0;
    for (auto _ : state) {
        // A real change each time, so every save writes the file.
        store.Update([&](Settings& s) { s.shared.FIRE_TIME = 50 + (flip++ % 2); });
        if (!files.SaveAll()) {
            state.SkipWithError("save failed");
        }
    }
}
BENCHMARK(SaveAllProfiles)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace novu

BENCHMARK_MAIN();
