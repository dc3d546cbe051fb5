#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "device/read_back.h"
#include "mouse_link.h"

namespace novu::ctl {

void AddStatusCommands(CLI::App& app, Session& session, int& status) {
    auto traceFile = std::make_shared<std::string>();
    CLI::App* command =
        app.add_subcommand("status", "The active profile and DPI level read back from the mouse");
    AddTraceOption(*command, *traceFile);
    command->callback([&session, &status, traceFile] {
        status = kSuccess;
        auto link = OpenMouseLink(session, *traceFile, status);
        if (!link) {
            return;
        }
        const int profile = ReadActiveProfile(link->Transport());
        const int dpiLevel = ReadDpiLevel(link->Transport());
        FinishMouseTrace(*link, status);
        if (session.Options().json) {
            std::cout << nlohmann::ordered_json{{"profile", profile}, {"dpiLevel", dpiLevel}}.dump()
                      << '\n';
        } else {
            std::cout << "Profile        " << profile + 1 << " of 4 (index " << profile << ")\n"
                      << "DPI level      " << dpiLevel << '\n';
        }
    });
}

}  // namespace novu::ctl
