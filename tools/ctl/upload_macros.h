#pragma once

#include <filesystem>
#include <memory>
#include <string_view>

#include "base/clock.h"
#include "base/ini_files.h"
#include "base/user_notices.h"
#include "macro/macro_sources.h"

namespace novu::ctl {

// The macros a full upload reads, loaded from the data folder as start-up loads them: the
// macro library of the language, its recoil presets and the built-in macros. Missing files
// are reported through `notices` and leave the tables empty.
class UploadMacros {
public:
    virtual ~UploadMacros() = default;
    virtual const MacroSources& Sources() const = 0;
};

std::unique_ptr<UploadMacros> LoadUploadMacros(const std::filesystem::path& dataFolder,
                                               std::string_view languageFolderName,
                                               int languageIndex, IniFiles& ini,
                                               UserNotices& notices, const TextSource& texts,
                                               Clock& clock);

}  // namespace novu::ctl
