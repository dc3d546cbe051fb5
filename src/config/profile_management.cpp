#include "config/profile_management.h"

#include "base/file_io.h"

namespace novu {

ProfileManagement::ProfileManagement(ConfigFiles& config, IniFiles& ini, SettingsStore& store,
                                     UserNotices& notices)
    : config_(config), ini_(ini), store_(store), notices_(notices) {}

void ProfileManagement::SelectProfile(int profile) {
    if (profile < 0 || profile >= kProfileCount) {
        return;
    }
    store_.Update([profile](Settings& s) { s.CurConfig = profile; });
}

bool ProfileManagement::Import(const std::filesystem::path& source) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(source, error)) {
        notices_.ShowTip(kTipOperationFailed);
        return false;
    }
    const std::filesystem::path target = config_.Folder().ConfigIni();
    Result<std::string> bytes = ReadWholeFile(source);
    // The copy replaces config.ini in one step: a failure leaves the old file whole.
    if (!bytes || !WriteFileAtomically(target, *bytes)) {
        notices_.ShowTip(kTipOperationFailed);
        return false;
    }
    ini_.Invalidate(target);
    for (int p = 0; p < kProfileCount; ++p) {
        config_.LoadProfile(p, false);
    }
    return true;
}

bool ProfileManagement::Export(const std::filesystem::path& destination) {
    Result<std::string> bytes = ReadWholeFile(config_.Folder().ConfigIni());
    // A destination left over from an earlier export must not pass for a successful copy:
    // the copy itself has to succeed.
    if (!bytes || !WriteFileAtomically(destination, *bytes)) {
        notices_.ShowTip(kTipOperationFailed);
        return false;
    }
    ini_.Invalidate(destination);
    return true;
}

void ProfileManagement::FactoryReset() {
    bool saved = true;
    for (int p = kProfileCount - 1; p >= 0; --p) {
        config_.LoadProfile(p, true);
        saved = config_.SaveProfile(config_.Folder().ConfigIni(), p).ok() && saved;
    }
    if (!saved) {
        notices_.ShowTip(kTipOperationFailed);
    }
}

void ProfileManagement::StartupReset() {
    FactoryReset();
    store_.Update([](Settings& s) { s.CurConfig = 0; });
}

}  // namespace novu
