#pragma once

#include <filesystem>
#include <optional>

#include "base/result.h"

namespace novu {

// The data folder ("skins") and the configuration files inside it.
struct DataFolder {
    std::filesystem::path root;

    std::filesystem::path ConfigFolder() const { return root / "config"; }
    std::filesystem::path ConfigIni() const { return ConfigFolder() / "config.ini"; }
    std::filesystem::path ConfigResetIni() const { return ConfigFolder() / "configReset.ini"; }
};

// Where the data folder may come from, in the order it is looked for.
struct DataFolderSources {
    std::optional<std::filesystem::path> explicitFolder;  // --data-dir
    std::optional<std::filesystem::path> environment;     // NOVU_GMOUSE_DATA
    std::filesystem::path executableFolder;               // a portable install or build tree
    std::filesystem::path userDataHome;                   // $XDG_DATA_HOME or ~/.local/share
    std::filesystem::path installedDefaults;              // read-only copy shipped by packages
};

// The sources as this process sees them: the environment and the executable's own folder.
DataFolderSources DataFolderSourcesFor(const std::filesystem::path& executableFolder,
                                       std::optional<std::filesystem::path> explicitFolder);

// Picks the data folder: an explicit folder, then the environment variable, then "skins"
// beside the executable when it exists and is writable, and otherwise the user's own copy,
// seeded from the installed defaults on first use.
Result<DataFolder> ResolveDataFolder(const DataFolderSources& sources);

}  // namespace novu
