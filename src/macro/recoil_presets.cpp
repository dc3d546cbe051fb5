#include "macro/recoil_presets.h"

#include <algorithm>

#include "base/text.h"

namespace novu {

namespace {

bool Exists(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::is_regular_file(file, ec);
}

}  // namespace

std::filesystem::path RecoilPresetFile(const std::filesystem::path& languageFolder) {
    return languageFolder / "PUBG.dat";
}

RecoilPresets::RecoilPresets(MacroFiles& files, UserNotices& notices)
    : files_(files), notices_(notices) {}

void RecoilPresets::Load(const std::filesystem::path& file) {
    {
        std::lock_guard lock(mutex_);
        file_ = file;
    }
    if (!Exists(file)) {
        notices_.ShowMessageBox(kPresetFileMissingText);
        return;
    }
    const GroupFileContent content = files_.ReadGroupFile(file, kMaxRecoilPresets);
    std::lock_guard lock(mutex_);
    count_ = static_cast<int>(content.records.size());
    if (count_ == 0) {
        return;
    }
    // Presets beyond the count are cleared with their names, so a shorter file of another
    // language leaves nothing of the previous one behind.
    records_ = {};
    names_ = {};
    for (std::size_t i = 0; i < content.records.size(); ++i) {
        records_[i] = content.records[i];
        names_[i] = Utf16ToUtf8(MacroName(records_[i]));
    }
}

std::filesystem::path RecoilPresets::File() const {
    std::lock_guard lock(mutex_);
    return file_;
}

int RecoilPresets::Count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

MacroRecord RecoilPresets::Preset(int index) const {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= count_) {
        return MacroRecord{};
    }
    return records_[static_cast<std::size_t>(index)];
}

std::string RecoilPresets::Name(int index) const {
    std::lock_guard lock(mutex_);
    if (index < 0 || index >= count_) {
        return {};
    }
    return names_[static_cast<std::size_t>(index)];
}

void RecoilPresets::Edit(int index, const std::function<void(MacroRecord&)>& edit) {
    if (index < 0 || index >= kMaxRecoilPresets) {
        return;
    }
    std::lock_guard lock(mutex_);
    edit(records_[static_cast<std::size_t>(index)]);
}

Result<void> RecoilPresets::WritePreset(int index, int strength) {
    const std::filesystem::path file = File();
    if (!Exists(file)) {
        notices_.ShowMessageBox(kPresetFileMissingText);
        return MakeError(Fault::File, "missing " + file.string());
    }
    if (index < 0 || index >= kMaxRecoilPresets) {
        return MakeError(Fault::Caller, "no preset " + FormatDecimal(index));
    }
    const auto pull =
        static_cast<std::uint16_t>(std::clamp(strength, kMinRecoilStrength, kMaxRecoilStrength));
    MacroRecord record;
    {
        std::lock_guard lock(mutex_);
        MacroRecord& preset = records_[static_cast<std::size_t>(index)];
        for (std::size_t step = 0; step < preset.eventCount; ++step) {
            if (preset.eventParam[step][1] != 0) {
                preset.eventParam[step][1] = pull;
            }
        }
        record = preset;
    }
    return files_.WriteMacroEntry(record, file, index, std::nullopt);
}

}  // namespace novu
