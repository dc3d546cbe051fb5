#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QObject>
#include <QPointer>
#include <optional>

#include "macro/event_text.h"
#include "ui/page_view.h"

#include "skin/skin_reader.h"

namespace novu {

class SkinImageCache;
class MacroLibrary;
struct LibraryRefresh;
struct MainWindowSkin;

// The macro page: the macro tree, the step list and the lighting-step list of the selected
// macro, and the repeat-count box, as child windows placed by the page's skin file; the
// play mode and the execution switch are painted. The children exist while the page is
// shown.
class MacroPageView final : public QObject, public PageView {
    Q_OBJECT

public:
    MacroPageView(QWidget& window, SkinImageCache& images, const MainWindowSkin& skin,
                  MacroLibrary& library, const TextSource& texts, KeyNameFunction keyName);
    ~MacroPageView() override;

    void SetControlFont(std::optional<QFont> font) { controlFont_ = std::move(font); }

    void Enter() override;
    void Leave() override;
    // The library changed under the page (a language change): fill the lists again.
    void Refresh();

    void PaintImages(PageCanvas& canvas) override;
    void PaintTexts(PageCanvas& canvas) override;

    // The child windows while the page is shown, else null.
    QListWidget* Tree() const { return tree_; }

    // A row of the tree was clicked.
    void ClickTreeRow(int row);

signals:
    void repaintRequested();

private:
    QListWidget* MakeList(const SkinRect& rect, int indentIcon, int indent);
    void FillTree();
    void ShowSelectedMacro();
    void Apply(const LibraryRefresh& refresh);
    std::optional<std::uint8_t> ShownPlayMode() const;

    QWidget& window_;
    SkinImageCache& images_;
    const MainWindowSkin& skin_;
    MacroLibrary& library_;
    const TextSource& texts_;
    KeyNameFunction keyName_;
    std::optional<QFont> controlFont_;
    QPointer<QListWidget> tree_;
    QPointer<QListWidget> steps_;
    QPointer<QListWidget> lighting_;
    QPointer<QLineEdit> repeat_;
};

}  // namespace novu
