#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "base/file_io.h"
#include "commands.h"
#include "device/device_session.h"
#include "device/pointer_settings.h"
#include "device/upload.h"
#include "i18n/languages.h"
#include "mouse_link.h"
#include "upload_macros.h"

namespace novu::ctl {

namespace {

struct UploadOptions {
    std::string traceFile;
    std::string imageFile;
};

std::string Hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value);
    return text;
}

void PrintSummary(const UploadSummary& summary, bool json) {
    const double ms = ToMilliseconds(summary.duration);
    if (json) {
        std::cout << nlohmann::ordered_json{{"written", summary.written},
                                            {"reports", summary.reports},
                                            {"writeBlocks", summary.writeBlocks},
                                            {"bytes", summary.bytes},
                                            {"durationMs", ms},
                                            {"macroEnd", summary.macroEnd}}
                         .dump()
                  << '\n';
        return;
    }
    char duration[32];
    std::snprintf(duration, sizeof duration, "%.3f ms", ms);
    std::cout << "Reports        " << summary.reports << '\n'
              << "Bytes          " << summary.bytes << " in " << summary.writeBlocks << " blocks\n"
              << "Duration       " << duration << '\n'
              << "Macro end      " << Hex4(summary.macroEnd) << '\n';
}

void RunUpload(Session& session, const UploadOptions& options, int& status) {
    status = kSuccess;
    if (!options.imageFile.empty() && !session.Options().emulate) {
        PrintError("--image needs --emulate: only the virtual mouse's memory can be saved");
        status = kUsage;
        return;
    }
    ConfigFiles* config = session.ExistingConfig();
    if (config == nullptr) {
        status = kFailed;
        return;
    }
    config->ReadStartup();

    auto link = OpenMouseLink(session, options.traceFile, status);
    if (!link) {
        return;
    }
    const UploadMacros macros(config->Folder().root,
                              LanguageFolderName(session.Store().LanguageIndex()), session.Layout(),
                              session.Ini(), session.Notices(), session.Texts(), link->LinkClock());

    NoPointerSettings pointer;
    UploadState state(link->LinkClock());
    Uploader uploader(UploadContext{link->Transport(), session.Store(), macros.Sources(), pointer,
                                    session.Notices(), link->LinkClock(), state,
                                    link->Link().Variant(), kLightingModeFound});
    const bool terminal = isatty(fileno(stderr)) != 0;
    const auto summary = uploader.FullUpload(UploadTrigger::Apply, [&](const UploadProgress& p) {
        if (terminal) {
            std::fprintf(stderr, "\rUploading %d of %d reports", p.reportsSent, p.reportsPlanned);
            if (p.reportsSent == p.reportsPlanned) {
                std::fputc('\n', stderr);
            }
        }
    });
    FinishMouseTrace(*link, status);

    if (!options.imageFile.empty()) {
        const std::vector<std::uint8_t> memory = link->Emulator()->Memory();
        const std::string bytes(memory.begin(), memory.end());
        if (auto written = WriteFileAtomically(options.imageFile, bytes); !written) {
            PrintError(written.error().message);
            status = kFailed;
        }
    }
    if (!summary->written) {
        PrintError("the upload was abandoned before its first report: nothing was written");
        status = kFailed;
        return;
    }
    PrintSummary(*summary, session.Options().json);
}

}  // namespace

void AddUploadCommands(CLI::App& app, Session& session, int& status) {
    auto options = std::make_shared<UploadOptions>();
    CLI::App* command =
        app.add_subcommand("upload", "The full upload of the settings, exactly as Apply does it");
    AddTraceOption(*command, options->traceFile);
    command->add_option("--image", options->imageFile,
                        "With --emulate: save the virtual mouse's memory (65,536 bytes)");
    command->callback([&session, &status, options] { RunUpload(session, *options, status); });
}

}  // namespace novu::ctl
