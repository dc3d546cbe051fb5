#include "ui/window_notices.h"

#include <QMessageBox>
#include <QThread>

#include "ui/skin_paint.h"
#include "ui/ui_dispatcher.h"
#include "ui/warning_dlg.h"

namespace novu {

WindowNotices::WindowNotices(const TextSource& texts, UiDispatcher& dispatcher, QObject* parent)
    : QObject(parent), texts_(texts), dispatcher_(dispatcher) {}

bool WindowNotices::OnOwnThread() const {
    return QThread::currentThread() == thread();
}

WarningResult WindowNotices::Show(const std::string& text) {
    if (presenter_ != nullptr && presenter_->Ready()) {
        return presenter_->ShowWarning(text) == 1 ? WarningResult::First : WarningResult::Second;
    }
    QMessageBox box(QMessageBox::Warning, QString(), ToQString(text), QMessageBox::Ok);
    box.exec();
    return WarningResult::First;
}

WarningResult WindowNotices::ShowTip(int tipIndex) {
    return ShowWarningText(texts_.Text(TextTable::TipText, tipIndex));
}

WarningResult WindowNotices::ShowWarningText(std::string_view text) {
    std::string message(text);
    if (!OnOwnThread()) {
        dispatcher_.Post(this, [this, message] { Show(message); });
        return WarningResult::First;
    }
    return Show(message);
}

void WindowNotices::ShowMessageBox(std::string_view text) {
    const auto show = [message = std::string(text)] {
        QMessageBox box(QMessageBox::NoIcon, QString(), ToQString(message), QMessageBox::Ok);
        box.exec();
    };
    if (!OnOwnThread()) {
        dispatcher_.Post(this, show);
        return;
    }
    show();
}

}  // namespace novu
