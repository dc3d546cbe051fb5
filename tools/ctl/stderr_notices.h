#pragma once

#include "base/user_notices.h"

namespace novu::ctl {

// The command-line tool's notices: printed to stderr as warnings, answered with the first
// button. Tip texts are shown by their text when a language is loaded, else by number.
class StderrNotices final : public UserNotices {
public:
    void SetTexts(const TextSource* texts) { texts_ = texts; }

    WarningResult ShowTip(int tipIndex) override;
    WarningResult ShowWarningText(std::string_view text) override;
    void ShowMessageBox(std::string_view text) override;

private:
    const TextSource* texts_ = nullptr;
};

}  // namespace novu::ctl
