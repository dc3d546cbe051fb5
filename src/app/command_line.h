#pragma once

#include <QStringList>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace novu {

// The start-hidden rule: the four characters after the last "-" of the command line (the
// whole line when it has none) are exactly "HIDE". Letter case counts.
bool StartsHidden(std::string_view commandLine);

// The command line as one text: the program and its arguments separated by blanks.
std::string CommandLineText(const QStringList& arguments);

// What the window program is started with.
struct AppOptions {
    std::optional<std::filesystem::path> dataDir;  // --data-dir DIR
    bool emulate = false;                          // --emulate: the built-in virtual mouse
    int emulateVariant = 1;                        // --emulate-variant 0|1
    bool startHidden = false;                      // the "HIDE" rule
    bool firstFrameExit = false;  // --first-frame-exit: report the first frame's time and end
};

// Reads the options from the program's arguments (the program's own path first). Arguments
// the program does not know are left alone, as the start-hidden flag must pass; a known
// option without its value, or an unknown variant, is an error.
Result<AppOptions> ParseAppOptions(const QStringList& arguments);

}  // namespace novu
