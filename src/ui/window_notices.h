#pragma once

#include <QObject>
#include <string>
#include <string_view>

#include "base/user_notices.h"

namespace novu {

class UiDispatcher;
class WarningPresenter;

// The user-notice seam served by the window: tips and composed warnings in the warning
// dialog, fixed texts in a plain message box. Before the warning dialog can be shown (its
// skin is not loaded yet, or is missing) warnings fall back to a plain message box.
//
// Notices raised on another thread (an upload, the device threads) are shown on the
// interface thread without making that thread wait: a worker must never stop for the user,
// nor deadlock a window that waits for it. Those calls answer with the first button.
class WindowNotices final : public QObject, public UserNotices {
    Q_OBJECT

public:
    WindowNotices(const TextSource& texts, UiDispatcher& dispatcher, QObject* parent = nullptr);

    void SetPresenter(const WarningPresenter* presenter) { presenter_ = presenter; }

    WarningResult ShowTip(int tipIndex) override;
    WarningResult ShowWarningText(std::string_view text) override;
    void ShowMessageBox(std::string_view text) override;

private:
    bool OnOwnThread() const;
    WarningResult Show(const std::string& text);

    const TextSource& texts_;
    UiDispatcher& dispatcher_;
    const WarningPresenter* presenter_ = nullptr;
};

}  // namespace novu
