// replay: the device event thread and the key-press service thread fed with input reports
// from a script, as the window runs them.
#include <algorithm>
#include <cstdio>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/text.h"
#include "commands.h"
#include "device/device_threads.h"
#include "device/macro_image.h"
#include "device/memory_image.h"
#include "device/upload_state.h"
#include "i18n/languages.h"
#include "mouse_link.h"
#include "upload_macros.h"

namespace novu::ctl {

namespace {

struct ReplayOptions {
    std::string script;
    std::string traceFile;
    std::optional<double> untilMs;
};

// One line of a script: an input report and when it arrives, after the threads started.
struct ScriptReport {
    int line = 0;
    Duration at{};
    std::vector<std::uint8_t> bytes;  // zero-padded to the input report length once it is known
};

std::optional<std::uint8_t> HexByte(std::string_view text) {
    const auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        if (c >= 'A' && c <= 'F') {
            return c - 'A' + 10;
        }
        if (c >= 'a' && c <= 'f') {
            return c - 'a' + 10;
        }
        return -1;
    };
    if (text.size() != 2 || digit(text[0]) < 0 || digit(text[1]) < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(digit(text[0]) * 16 + digit(text[1]));
}

// Milliseconds as written in a script: digits with an optional fraction.
std::optional<Duration> Milliseconds(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if (whole.empty() || !IsAllDigits(whole) || whole.size() > 9 ||
        (point != std::string_view::npos && (fraction.empty() || !IsAllDigits(fraction)))) {
        return std::nullopt;
    }
    std::int64_t nanoseconds = 0;
    for (char c : whole) {
        nanoseconds = nanoseconds * 10 + (c - '0');
    }
    nanoseconds *= 1000000;
    std::int64_t scale = 100000;
    for (std::size_t i = 0; i < fraction.size() && scale > 0; ++i, scale /= 10) {
        nanoseconds += (fraction[i] - '0') * scale;
    }
    return Duration(nanoseconds);
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) {
            ++at;
        }
        const std::size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r') {
            ++at;
        }
        if (at > start) {
            words.push_back(line.substr(start, at - start));
        }
    }
    return words;
}

std::string Where(const std::string& name, int line) {
    return name + ":" + FormatDecimal(line) + ": ";
}

// "<ms> <b0> <b1> ..." per line; blank lines and everything from a '#' on are ignored.
Result<std::vector<ScriptReport>> ParseScript(const std::string& name, std::string_view text) {
    std::vector<ScriptReport> reports;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        ++lineNumber;
        line = line.substr(0, line.find('#'));
        const std::vector<std::string_view> words = Words(line);
        if (words.empty()) {
            continue;
        }
        const auto fail = [&](const std::string& why) {
            return MakeError(Fault::Caller, Where(name, lineNumber) + why);
        };
        const std::optional<Duration> at = Milliseconds(words[0]);
        if (!at) {
            return fail("\"" + std::string(words[0]) + "\" is no time in milliseconds");
        }
        if (!reports.empty() && *at < reports.back().at) {
            return fail("the time goes back");
        }
        if (words.size() < 2) {
            return fail("a report needs at least its report ID");
        }
        ScriptReport report{lineNumber, *at, {}};
        for (std::size_t i = 1; i < words.size(); ++i) {
            const std::optional<std::uint8_t> byte = HexByte(words[i]);
            if (!byte) {
                return fail("\"" + std::string(words[i]) + "\" is no two-digit hex byte");
            }
            report.bytes.push_back(*byte);
        }
        reports.push_back(std::move(report));
    }
    return reports;
}

// Zero-pads every report to the mouse's input report length.
Result<void> PadReports(const std::string& name, std::vector<ScriptReport>& reports,
                        std::size_t reportLength) {
    for (ScriptReport& report : reports) {
        if (report.bytes.size() > reportLength) {
            return MakeError(
                Fault::Caller,
                Where(name, report.line) + "the report is longer than the input report length (" +
                    FormatDecimal(static_cast<std::int64_t>(reportLength)) + " bytes)");
        }
        report.bytes.resize(reportLength, 0);
    }
    return Ok();
}

// The script standing in for a real mouse's input interface: its reports arrive at their
// times on the clock (the mouse's own events are not read).
class ScriptedInput final : public HidDevice {
public:
    ScriptedInput(Clock& clock, TimePoint start, const std::vector<ScriptReport>& reports)
        : clock_(clock) {
        for (const ScriptReport& report : reports) {
            pending_.push_back({start + report.at, report.bytes});
        }
    }

    Result<void> SetFeature(std::span<const std::uint8_t>) override {
        return MakeError(Fault::Caller, "a script takes no feature reports");
    }
    Result<void> GetFeature(std::span<std::uint8_t>) override {
        return MakeError(Fault::Caller, "a script takes no feature reports");
    }
    Result<std::size_t> ReadInput(std::span<std::uint8_t> out) override {
        for (;;) {
            std::optional<TimePoint> due;
            {
                std::lock_guard lock(mutex_);
                if (interrupted_) {
                    return std::size_t{0};
                }
                if (!pending_.empty()) {
                    if (pending_.front().first <= clock_.Now()) {
                        const std::vector<std::uint8_t> bytes = std::move(pending_.front().second);
                        pending_.pop_front();
                        const std::size_t length = std::min(bytes.size(), out.size());
                        std::copy_n(bytes.begin(), length, out.begin());
                        return length;
                    }
                    due = pending_.front().first;
                }
            }
            clock_.WaitFor(wake_, due);
        }
    }
    void Interrupt() override {
        {
            std::lock_guard lock(mutex_);
            interrupted_ = true;
        }
        clock_.Raise(wake_);
    }

private:
    Clock& clock_;
    std::mutex mutex_;
    std::deque<std::pair<TimePoint, std::vector<std::uint8_t>>> pending_;
    bool interrupted_ = false;
    ClockEvent wake_;
};

// The per-key tables a full upload derives, without sending anything: device key types,
// hold-signal marks and the codes of missing macros replaced by 0, with the colour-cycle
// byte rebuilt, as the settings stand after the start-up upload.
void DeriveAsUploadWould(SettingsStore& store, const MacroSources& macros, UploadState& uploads) {
    MacroCatalog catalog(macros);
    const KeyDerivation derived = DeriveKeyTables(store.Snapshot(), store.Device(), catalog);
    store.Update([&](Settings& settings) {
        for (const DeadCode& dead : derived.deadCodes) {
            std::int32_t& code = settings.profiles[static_cast<std::size_t>(dead.profile)]
                                     .K[static_cast<std::size_t>(dead.slot)];
            if (code == dead.code) {
                code = function_code::kNone;
            }
        }
        settings.shared.CYC_7COL_EN = CycleMaskFromFlags(settings.shared);
        settings.shared.RateCode = 7;
    });
    uploads.Publish(memory_address::kMacroArea, derived.tables);
}

void PrintSummary(std::uint64_t handled, std::size_t scripted, bool complete, Duration duration,
                  bool json) {
    const double ms = ToMilliseconds(duration);
    if (json) {
        std::cout << nlohmann::ordered_json{{"inputReports", handled},
                                            {"scriptReports", scripted},
                                            {"complete", complete},
                                            {"durationMs", ms}}
                         .dump()
                  << '\n';
        return;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%.3f ms", ms);
    std::cout << "Input reports  " << handled << " of " << scripted << '\n'
              << "Duration       " << text << (complete ? "" : " (stopped by --until)") << '\n';
}

void RunReplay(Session& session, const ReplayOptions& options, int& status) {
    status = kSuccess;
    ConfigFiles* config = session.ExistingConfig();
    if (config == nullptr) {
        status = kFailed;
        return;
    }
    const Result<std::string> text = ReadWholeFile(options.script);
    if (!text) {
        PrintError(text.error().message);
        status = kFailed;
        return;
    }
    auto script = ParseScript(options.script, *text);
    if (!script) {
        PrintError(script.error().message);
        status = kFailed;
        return;
    }
    config->ReadStartup();

    auto link = OpenMouseLink(session, options.traceFile, status);
    if (!link) {
        return;
    }
    const std::size_t reportLength =
        std::clamp<std::size_t>(link->Link().InputReportLength(), 1, input_report::kLargest);
    if (auto padded = PadReports(options.script, *script, reportLength); !padded) {
        PrintError(padded.error().message);
        FinishMouseTrace(*link, status);
        status = kFailed;
        return;
    }

    Clock& clock = link->LinkClock();
    UploadMacros macros(config->Folder().root, LanguageFolderName(session.Store().LanguageIndex()),
                        session.Layout(), session.Ini(), session.Notices(), session.Texts(), clock);
    UploadState uploads(clock);
    DeriveAsUploadWould(session.Store(), macros.Sources(), uploads);

    // The tool's thread takes part in the clock: on virtual time nothing moves while it
    // starts and stops the threads.
    ClockParticipation participation(clock);
    const TimePoint start = clock.Now();
    InputSource input = InputOf(link->Link());
    std::shared_ptr<ScriptedInput> scripted;
    if (VirtualMouse* mouse = link->Emulator()) {
        for (const ScriptReport& report : *script) {
            static_cast<void>(mouse->QueueInput(start + report.at, report.bytes));
        }
    } else {
        scripted = std::make_shared<ScriptedInput>(clock, start, *script);
        input = [scripted, reportLength] { return InputInterface{scripted, reportLength}; };
    }
    MacroLibrary& library = macros.Library();
    DeviceThreads threads(
        DeviceThreadContext{clock, link->Transport(), session.Store(), *config, macros.Sources(),
                            uploads, link->Device().LightingMode()},
        DeviceThreadCallbacks{{},
                              [&library](const MacroRecord& record, int group, int index) {
                                  return library.WriteMacroEntry(record, group, index);
                              }},
        std::move(input));
    threads.Start();
    threads.InputChanged();
    const std::optional<TimePoint> deadline =
        options.untilMs
            ? std::optional<TimePoint>(
                  start + std::chrono::duration_cast<Duration>(
                              std::chrono::duration<double, std::milli>(*options.untilMs)))
            : std::nullopt;
    const bool complete = threads.WaitUntilSettled(script->size(), deadline);
    const Duration duration = clock.Now() - start;
    threads.Stop();
    FinishMouseTrace(*link, status);
    PrintSummary(threads.ReportsHandled(), script->size(), complete, duration,
                 session.Options().json);
}

}  // namespace

void AddReplayCommands(CLI::App& app, Session& session, int& status) {
    auto options = std::make_shared<ReplayOptions>();
    CLI::App* command = app.add_subcommand(
        "replay", "Feed input reports from SCRIPT to the device threads, as the window runs them");
    command->add_option("SCRIPT", options->script, "One report a line: <ms> <b0> <b1> ...")
        ->required();
    AddTraceOption(*command, options->traceFile);
    command->add_option("--until", options->untilMs, "Stop at this time (ms) at the latest")
        ->check(CLI::NonNegativeNumber);
    command->callback([&session, &status, options] { RunReplay(session, *options, status); });
}

}  // namespace novu::ctl
