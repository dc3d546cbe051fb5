#include "config/data_folder.h"

#include <cstdlib>
#include <fstream>
#include <system_error>

namespace novu {

namespace {

bool IsWritableFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        return false;
    }
    const auto probe = folder / ".novu-write-probe";
    const bool writable = static_cast<bool>(std::ofstream(probe));
    std::filesystem::remove(probe, ec);
    return writable;
}

std::optional<std::filesystem::path> Environment(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): read at start-up
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::filesystem::path(value);
}

}  // namespace

DataFolderSources DataFolderSourcesFor(const std::filesystem::path& executableFolder,
                                       std::optional<std::filesystem::path> explicitFolder) {
    DataFolderSources sources;
    sources.explicitFolder = std::move(explicitFolder);
    sources.environment = Environment("NOVU_GMOUSE_DATA");
    sources.executableFolder = executableFolder;
    if (auto xdg = Environment("XDG_DATA_HOME")) {
        sources.userDataHome = *xdg;
    } else if (auto home = Environment("HOME")) {
        sources.userDataHome = *home / ".local" / "share";
    }
    sources.installedDefaults = executableFolder.parent_path() / "share" / "novu-gmouse" / "skins";
    return sources;
}

Result<DataFolder> ResolveDataFolder(const DataFolderSources& sources) {
    std::error_code ec;
    for (const auto& chosen : {sources.explicitFolder, sources.environment}) {
        if (chosen) {
            if (!std::filesystem::is_directory(*chosen, ec)) {
                return MakeError(Fault::Caller,
                                 "data folder " + chosen->string() + " does not exist");
            }
            return DataFolder{*chosen};
        }
    }
    const auto portable = sources.executableFolder / "skins";
    if (IsWritableFolder(portable)) {
        return DataFolder{portable};
    }
    if (sources.userDataHome.empty()) {
        return MakeError(Fault::System,
                         "no data folder: set HOME, XDG_DATA_HOME or NOVU_GMOUSE_DATA");
    }
    const auto user = sources.userDataHome / "novu-gmouse" / "skins";
    if (!std::filesystem::is_directory(user, ec)) {
        const auto& defaults = std::filesystem::is_directory(sources.installedDefaults, ec)
                                   ? sources.installedDefaults
                                   : portable;
        if (!std::filesystem::is_directory(defaults, ec)) {
            return MakeError(Fault::File, "no data folder: neither " + user.string() + " nor " +
                                              sources.installedDefaults.string() + " exists");
        }
        // Seed into a sibling first, so an interrupted copy never looks like a finished one.
        const auto partial = user.parent_path() / "skins.partial";
        std::filesystem::remove_all(partial, ec);
        std::filesystem::create_directories(partial, ec);
        if (!ec) {
            std::filesystem::copy(defaults, partial, std::filesystem::copy_options::recursive, ec);
        }
        if (!ec) {
            std::filesystem::rename(partial, user, ec);
        }
        if (ec) {
            return MakeError(Fault::File, "cannot create " + user.string() + ": " + ec.message());
        }
    }
    return DataFolder{user};
}

}  // namespace novu
