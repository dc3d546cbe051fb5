#include "app/tray.h"

#include "base/user_notices.h"
#include "skin/skin_catalog.h"
#include "ui/skin_image_cache.h"
#include "ui/skin_paint.h"

namespace novu {

namespace {

// UniqueName_DevMac entries of the two menu commands.
constexpr int kRestoreText = 34;
constexpr int kExitText = 35;

}  // namespace

TrayIcon::TrayIcon(const std::filesystem::path& dataFolder, const TextSource& texts,
                   QObject* parent)
    : QObject(parent), texts_(texts) {
    QIcon icon;
    for (int size : kAppIconSizes) {
        icon.addFile(ToQPath(dataFolder / AppIcon(size)), QSize(size, size));
    }
    icon_ = std::make_unique<QSystemTrayIcon>(icon);
    restore_ = menu_.addAction(QString());
    exit_ = menu_.addAction(QString());
    connect(restore_, &QAction::triggered, this, &TrayIcon::restoreRequested);
    connect(exit_, &QAction::triggered, this, &TrayIcon::exitRequested);
    connect(&menu_, &QMenu::aboutToShow, this, &TrayIcon::RefreshTexts);
    icon_->setContextMenu(&menu_);
    connect(icon_.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    emit restoreRequested();
                }
            });
}

TrayIcon::~TrayIcon() {
    Remove();
}

bool TrayIcon::Available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::RefreshTexts() {
    restore_->setText(ToQString(texts_.Text(TextTable::UniqueName_DevMac, kRestoreText)));
    exit_->setText(ToQString(texts_.Text(TextTable::UniqueName_DevMac, kExitText)));
}

void TrayIcon::Add(const QString& tip) {
    RefreshTexts();
    icon_->setToolTip(tip);
    icon_->show();
    added_ = true;
}

void TrayIcon::Remove() {
    if (added_) {
        icon_->hide();
        added_ = false;
    }
}

void TrayIcon::SetTip(const QString& tip) {
    icon_->setToolTip(tip);
}

}  // namespace novu
