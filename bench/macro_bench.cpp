// The macro names every popup menu reads (ReadMacroNames over a full library of 12 groups of
// 12 macros, about 1.1 MB of text), first and repeated, and the codec of one full macro.
// Counters: "parses" and "decodes" are the group files parsed and name sets decoded per
// iteration.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>

#include "base/real_clock.h"
#include "base/recorded_notices.h"
#include "macro/macro_codec.h"
#include "macro/macro_library.h"

namespace novu {
namespace {

class NoTexts final : public TextSource {
public:
    std::string Text(TextTable, int) const override { return {}; }
};

MacroRecord FullMacro(int seed) {
    std::mt19937 random(static_cast<unsigned>(seed));
    MacroRecord record;
    SetMacroName(record, u"Macro " + std::u16string(1, static_cast<char16_t>(u'A' + seed % 26)));
    record.repeatCount = 1;
    record.eventCount = kMaxMacroSteps;
    for (int i = 0; i < kMaxMacroSteps; ++i) {
        SetEvent(
            record, i,
            {static_cast<std::uint8_t>(1 + i % 2), static_cast<std::uint8_t>(4 + random() % 26), 0,
             0, static_cast<std::uint16_t>(random() % 500)});
    }
    return record;
}

// A full library on disk, its files dated an hour back as a library at rest is.
struct Library {
    Library() {
        root = std::filesystem::temp_directory_path() / "novu-macro-bench";
        std::filesystem::remove_all(root);
        folders = LibraryFolders::For(root, "1_INI_EN");
        std::filesystem::create_directories(folders.macroFolder);
        IniFiles ini;
        MacroFiles files(ini, MacVkAndText([] { return 1; }));
        std::vector<std::string> names;
        for (int g = 0; g < kMaxMacroGroups; ++g) {
            std::vector<MacroRecord> records;
            for (int m = 0; m < kMaxGroupMacros; ++m) {
                records.push_back(FullMacro(g * kMaxGroupMacros + m));
            }
            names.push_back("Group" + std::to_string(g));
            (void)files.WriteGroupFile(folders.macroFolder / (names.back() + ".dat"), records);
        }
        (void)ini.Update(folders.GroupListFile(), [&](IniFiles::Batch& batch) {
            batch.SetNumber("MACRO_GROUP_NUM", "macGrpNum", kMaxMacroGroups);
            for (int g = 0; g < kMaxMacroGroups; ++g) {
                batch.Set("MACRO_GROUP_NAME", std::to_string(g),
                          names[static_cast<std::size_t>(g)]);
            }
        });
        const auto past = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
        for (const auto& entry : std::filesystem::directory_iterator(folders.macroFolder)) {
            std::filesystem::last_write_time(entry.path(), past);
            bytes += entry.file_size();
        }
    }
    ~Library() { std::filesystem::remove_all(root); }

    std::filesystem::path root;
    LibraryFolders folders;
    std::uintmax_t bytes = 0;
};

struct Services {
    IniFiles ini;
    MacroFiles files{ini, MacVkAndText([] { return 1; })};
    RecordedNotices notices;
    NoTexts texts;
    RealClock clock;
    MacroLibrary library{files, notices, texts, clock};
};

void ReadMacroNamesFirst(benchmark::State& state) {
    Library disk;
    double parses = 0;
    double decodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto services = std::make_unique<Services>();
        state.ResumeTiming();
        // The start-up reading: the list, the open group, then the names of every group.
        services->library.Load(disk.folders);
        benchmark::DoNotOptimize(services->library.MacroNameOf(11, 11));
        parses += static_cast<double>(services->ini.ParseCount());
        decodes += static_cast<double>(services->files.NameDecodeCount());
        state.PauseTiming();
        services.reset();
        state.ResumeTiming();
    }
    state.counters["parses"] = benchmark::Counter(parses, benchmark::Counter::kAvgIterations);
    state.counters["decodes"] = benchmark::Counter(decodes, benchmark::Counter::kAvgIterations);
    state.counters["library_bytes"] = static_cast<double>(disk.bytes);
}
BENCHMARK(ReadMacroNamesFirst)->Unit(benchmark::kMillisecond);

void ReadMacroNamesRepeated(benchmark::State& state) {
    Library disk;
    Services services;
    services.library.Load(disk.folders);
    const auto parses = services.ini.ParseCount();
    const auto decodes = services.files.NameDecodeCount();
    for (auto _ : state) {
        services.library.ReadMacroNames();  // a popup menu opening
        benchmark::DoNotOptimize(services.library.MacroNameOf(11, 11));
    }
    state.counters["parses"] =
        benchmark::Counter(static_cast<double>(services.ini.ParseCount() - parses),
                           benchmark::Counter::kAvgIterations);
    state.counters["decodes"] =
        benchmark::Counter(static_cast<double>(services.files.NameDecodeCount() - decodes),
                           benchmark::Counter::kAvgIterations);
}
BENCHMARK(ReadMacroNamesRepeated)->Unit(benchmark::kMicrosecond);

void EncodeOneMacro(benchmark::State& state) {
    const MacroRecord record = FullMacro(1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeMacro(record, 1));
    }
}
BENCHMARK(EncodeOneMacro)->Unit(benchmark::kMicrosecond);

void DecodeOneMacro(benchmark::State& state) {
    const std::string text = EncodeMacro(FullMacro(1), 1);
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeMacro(text, kMacroFileVersion, 1));
    }
}
BENCHMARK(DecodeOneMacro)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace novu

BENCHMARK_MAIN();
