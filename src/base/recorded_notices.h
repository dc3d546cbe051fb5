#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "base/user_notices.h"

namespace novu {

// A UserNotices that keeps what would have been shown: for tests, and for the command-line
// tool, which reports the notices of an operation after it ran.
class RecordedNotices final : public UserNotices {
public:
    enum class Kind { Tip, WarningText, MessageBox };
    struct Notice {
        Kind kind;
        int tipIndex;  // for Kind::Tip, else -1
        std::string text;
        bool operator==(const Notice&) const = default;
    };

    WarningResult ShowTip(int tipIndex) override;
    WarningResult ShowWarningText(std::string_view text) override;
    void ShowMessageBox(std::string_view text) override;

    std::vector<Notice> Notices() const;
    std::vector<int> Tips() const;  // tip indices in the order shown
    void Clear();

    // The answer the next warnings get (the first button unless told otherwise).
    void SetAnswer(WarningResult answer);

private:
    mutable std::mutex mutex_;
    std::vector<Notice> notices_;
    WarningResult answer_ = WarningResult::First;
};

}  // namespace novu
