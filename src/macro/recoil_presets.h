#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>

#include "base/result.h"
#include "base/user_notices.h"
#include "macro/macro_files.h"
#include "macro/macro_record.h"

namespace novu {

// Recoil presets: the button codes 50.. play preset code - 50.
constexpr int kMaxRecoilPresets = 12;
// The pull-down strength the recoil dialog stores.
constexpr int kMinRecoilStrength = 1;
constexpr int kMaxRecoilStrength = 99;

// The message box shown when the preset file is missing.
constexpr std::string_view kPresetFileMissingText = "Can't find the PUBG file.";

// <data folder>/<language folder>/PUBG.dat.
std::filesystem::path RecoilPresetFile(const std::filesystem::path& languageFolder);

// The recoil presets of the current language. The interface thread loads and edits them; the
// device threads read them at any time.
class RecoilPresets {
public:
    RecoilPresets(MacroFiles& files, UserNotices& notices);

    // LoadRecoilPresets: at start-up and after every language change. A missing file shows
    // the message box and keeps the table as it was; the file is remembered either way for
    // WritePreset.
    void Load(const std::filesystem::path& file);
    std::filesystem::path File() const;

    int Count() const;
    // All-zero outside the table.
    MacroRecord Preset(int index) const;
    // Empty outside the table.
    std::string Name(int index) const;
    // Changes preset `index` in memory (0..11; other indices change nothing).
    void Edit(int index, const std::function<void(MacroRecord&)>& edit);

    // WritePreset: every step whose vertical magnitude is not 0 gets `strength` (limited to
    // 1..99), in memory and in the file, and the preset is written under its index with
    // DAT_VER 3; macroNum stays as it is. A missing file shows the message box.
    Result<void> WritePreset(int index, int strength);

private:
    MacroFiles& files_;
    UserNotices& notices_;
    mutable std::mutex mutex_;
    std::filesystem::path file_;
    int count_ = 0;
    std::array<MacroRecord, kMaxRecoilPresets> records_{};
    std::array<std::string, kMaxRecoilPresets> names_;
};

}  // namespace novu
