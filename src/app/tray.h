#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <filesystem>
#include <memory>

namespace novu {

class TextSource;

// The notification-area icon: the product name as its tip, a double click restores the
// window, and its menu offers "restore" and "exit". On a desktop without a notification
// area the icon is never shown (and the window is never hidden).
class TrayIcon : public QObject {
    Q_OBJECT

public:
    TrayIcon(const std::filesystem::path& dataFolder, const TextSource& texts,
             QObject* parent = nullptr);
    ~TrayIcon() override;

    static bool Available();

    // Adds the icon with the tip; the menu's texts follow the current language.
    void Add(const QString& tip);
    void Remove();
    bool Added() const { return added_; }
    void SetTip(const QString& tip);
    QMenu& Menu() { return menu_; }
    // The application icon in every size the data folder has.
    QIcon Icon() const { return icon_->icon(); }

signals:
    void restoreRequested();
    void exitRequested();

private:
    void RefreshTexts();

    const TextSource& texts_;
    QMenu menu_;
    QAction* restore_ = nullptr;
    QAction* exit_ = nullptr;
    std::unique_ptr<QSystemTrayIcon> icon_;
    bool added_ = false;
};

}  // namespace novu
