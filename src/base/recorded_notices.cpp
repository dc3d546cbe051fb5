#include "base/recorded_notices.h"

namespace novu {

WarningResult RecordedNotices::ShowTip(int tipIndex) {
    std::lock_guard lock(mutex_);
    notices_.push_back({Kind::Tip, tipIndex, {}});
    return answer_;
}

WarningResult RecordedNotices::ShowWarningText(std::string_view text) {
    std::lock_guard lock(mutex_);
    notices_.push_back({Kind::WarningText, -1, std::string(text)});
    return answer_;
}

void RecordedNotices::ShowMessageBox(std::string_view text) {
    std::lock_guard lock(mutex_);
    notices_.push_back({Kind::MessageBox, -1, std::string(text)});
}

std::vector<RecordedNotices::Notice> RecordedNotices::Notices() const {
    std::lock_guard lock(mutex_);
    return notices_;
}

std::vector<int> RecordedNotices::Tips() const {
    std::lock_guard lock(mutex_);
    std::vector<int> tips;
    for (const auto& notice : notices_) {
        if (notice.kind == Kind::Tip) {
            tips.push_back(notice.tipIndex);
        }
    }
    return tips;
}

void RecordedNotices::Clear() {
    std::lock_guard lock(mutex_);
    notices_.clear();
}

void RecordedNotices::SetAnswer(WarningResult answer) {
    std::lock_guard lock(mutex_);
    answer_ = answer;
}

}  // namespace novu
