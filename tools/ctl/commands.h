#pragma once

#include <CLI/CLI.hpp>

#include "session.h"

namespace novu::ctl {

// Each command group adds its subcommands; a subcommand's callback stores its exit status.
void AddConfigCommands(CLI::App& app, Session& session, int& status);
void AddKeysCommands(CLI::App& app, Session& session, int& status);
void AddMacroCommands(CLI::App& app, Session& session, int& status);
void AddStatusCommands(CLI::App& app, Session& session, int& status);
void AddImageCommands(CLI::App& app, Session& session, int& status);
void AddUploadCommands(CLI::App& app, Session& session, int& status);
void AddDevicesCommands(CLI::App& app, Session& session, int& status);
void AddReplayCommands(CLI::App& app, Session& session, int& status);

}  // namespace novu::ctl
