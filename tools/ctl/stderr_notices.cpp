#include "stderr_notices.h"

#include <iostream>
#include <string>

namespace novu::ctl {

WarningResult StderrNotices::ShowTip(int tipIndex) {
    const std::string text = texts_ != nullptr ? texts_->Text(TextTable::TipText, tipIndex) : "";
    std::cerr << "warning: " << (text.empty() ? "tip text " + std::to_string(tipIndex) : text)
              << '\n';
    return WarningResult::First;
}

WarningResult StderrNotices::ShowWarningText(std::string_view text) {
    std::cerr << "warning: " << text << '\n';
    return WarningResult::First;
}

void StderrNotices::ShowMessageBox(std::string_view text) {
    std::cerr << "message: " << text << '\n';
}

}  // namespace novu::ctl
