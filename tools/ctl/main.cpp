// novu-gmousectl: the command-line tool. Its options, output formats and exit statuses are a
// stable interface that scripts depend on.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <system_error>

#include "commands.h"
#include "session.h"

namespace {

std::filesystem::path ExecutableFolder(const char* argv0) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        return self.parent_path();
    }
    return std::filesystem::absolute(argv0, ec).parent_path();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace novu::ctl;

    CLI::App app{"NOVU GMouse command-line tool", "novu-gmousectl"};
    app.require_subcommand(1);
    GlobalOptions options;
    std::string dataDir;
    app.add_option("--data-dir", dataDir, "The data folder (holds config/config.ini)");
    app.add_flag("--json", options.json, "Machine-readable output");
    auto* layout = app.add_option("--layout", options.layout,
                                  "LanguageIndex for key conversion (default: VER_SEL)");
    layout->check(CLI::Range(0, 255));
    auto* emulate = app.add_flag("--emulate", options.emulate,
                                 "Talk to the built-in virtual mouse (on the virtual clock)");
    app.add_option("--emulate-variant", options.emulateVariant,
                   "Product variant of the virtual mouse: 0 (0x1201) or 1 (0x1040, default)")
        ->check(CLI::IsMember({0, 1}))
        ->needs(emulate);
    app.add_flag("--real-time", options.realTime, "Keep the real clock with --emulate")
        ->needs(emulate);
    app.add_option("--device", options.device, "Use this hidraw interface path")->excludes(emulate);

    Session session(options, ExecutableFolder(argv[0]));
    int status = kSuccess;
    AddConfigCommands(app, session, status);
    AddKeysCommands(app, session, status);
    AddMacroCommands(app, session, status);
    AddStatusCommands(app, session, status);
    AddImageCommands(app, session, status);
    AddUploadCommands(app, session, status);
    AddDevicesCommands(app, session, status);
    AddReplayCommands(app, session, status);
    app.parse_complete_callback([&] {
        if (!dataDir.empty()) {
            options.dataDir = dataDir;
        }
    });

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kUsage;
    }
    return status;
}
