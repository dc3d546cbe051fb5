#include "ui/macro_page_view.h"

#include <QIntValidator>
#include <QLineEdit>
#include <QListWidget>
#include <QStyledItemDelegate>
#include <algorithm>

#include "macro/macro_library.h"
#include "skin/macro_page_rules.h"
#include "skin/main_window_skin.h"
#include "skin/skin_catalog.h"
#include "ui/skin_image_cache.h"
#include "ui/skin_paint.h"

namespace novu {

namespace {

// Rows of one icon are drawn further right: macros under their group in the tree, pauses
// under their step in the step list.
class IndentDelegate final : public QStyledItemDelegate {
public:
    IndentDelegate(int icon, int indent, QObject* parent)
        : QStyledItemDelegate(parent), icon_(icon), indent_(indent) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem shifted(option);
        if (index.data(Qt::UserRole).toInt() == icon_) {
            shifted.rect.setLeft(shifted.rect.left() + indent_);
        }
        QStyledItemDelegate::paint(painter, shifted, index);
    }

private:
    int icon_;
    int indent_;
};

constexpr int kTreeMacroIcon = 2;
constexpr int kTreeMacroIndent = 10;
constexpr int kStepDelayIndent = 30;
constexpr int kLastText = 19;

// The page's dark list colours: rows on 0x161616, the selected row on RGB(93, 93, 93).
const char* const kListStyle =
    "QListWidget { background: #161616; color: white; border: none; outline: none; }"
    "QListWidget::item { padding: 2px; }"
    "QListWidget::item:selected { background: rgb(93, 93, 93); color: white; }"
    "QScrollBar:vertical { background: #161616; width: 10px; }"
    "QScrollBar::handle:vertical { background: #3a3f48; border-radius: 4px; min-height: 20px; }"
    "QScrollBar::add-line, QScrollBar::sub-line { height: 0; }";
const char* const kEditStyle =
    "QLineEdit { background: black; color: white; border: 1px solid #2a2f38; }"
    "QLineEdit:disabled { color: #8a8f98; }";

QRect ToQRect(const SkinRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

}  // namespace

MacroPageView::MacroPageView(QWidget& window, SkinImageCache& images, const MainWindowSkin& skin,
                             MacroLibrary& library, const TextSource& texts,
                             KeyNameFunction keyName)
    : window_(window),
      images_(images),
      skin_(skin),
      library_(library),
      texts_(texts),
      keyName_(std::move(keyName)) {}

MacroPageView::~MacroPageView() {
    Leave();
}

QListWidget* MacroPageView::MakeList(const SkinRect& rect, int indentIcon, int indent) {
    auto* list = new QListWidget(&window_);
    list->setGeometry(ToQRect(rect));
    list->setStyleSheet(QString::fromLatin1(kListStyle));
    list->setIconSize(QSize(kListIconSize, kListIconSize));
    list->setFrameShape(QFrame::NoFrame);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setItemDelegate(new IndentDelegate(indentIcon, indent, list));
    if (controlFont_) {
        list->setFont(*controlFont_);
    }
    list->show();
    return list;
}

void MacroPageView::Enter() {
    if (tree_) {
        return;
    }
    const MacroPageRects& rects = skin_.macroRects;
    tree_ = MakeList(rects.MacroTree(), kTreeMacroIcon, kTreeMacroIndent);
    steps_ = MakeList(rects.StepList(), step_icon::kDelay, kStepDelayIndent);
    lighting_ = MakeList(rects.LightingStepList(), -1, 0);
    repeat_ = new QLineEdit(&window_);
    repeat_->setGeometry(ToQRect(rects.RepeatCountBox()));
    repeat_->setAlignment(Qt::AlignCenter);
    repeat_->setValidator(new QIntValidator(0, 99999, repeat_));
    repeat_->setStyleSheet(QString::fromLatin1(kEditStyle));
    if (controlFont_) {
        repeat_->setFont(*controlFont_);
    }
    repeat_->show();
    connect(tree_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ClickTreeRow(tree_->row(item)); });
    Refresh();
}

void MacroPageView::Leave() {
    delete tree_;
    delete steps_;
    delete lighting_;
    delete repeat_;
}

void MacroPageView::Refresh() {
    if (!tree_) {
        return;
    }
    library_.RebuildTree();
    FillTree();
    ShowSelectedMacro();
}

void MacroPageView::FillTree() {
    tree_->clear();
    for (const MacroTreeRow& row : library_.Rows()) {
        const std::size_t icon = static_cast<std::size_t>(std::clamp(row.icon, 0, 2));
        auto* item = new QListWidgetItem(QIcon(images_.Get(kTreeIcons[icon])), ToQString(row.text));
        item->setData(Qt::UserRole, row.icon);
        tree_->addItem(item);
    }
    if (library_.SelectedRow() >= 0 && library_.SelectedRow() < tree_->count()) {
        tree_->setCurrentRow(library_.SelectedRow());
    }
}

std::optional<std::uint8_t> MacroPageView::ShownPlayMode() const {
    const int row = library_.SelectedRow();
    const auto& rows = library_.Rows();
    if (row < 0 || row >= static_cast<int>(rows.size()) ||
        rows[static_cast<std::size_t>(row)].isGroup) {
        return std::nullopt;
    }
    return library_.Record(library_.CurrentMacro()).playMode;
}

void MacroPageView::ShowSelectedMacro() {
    steps_->clear();
    lighting_->clear();
    if (!ShownPlayMode()) {
        repeat_->setText(QStringLiteral("1"));
        repeat_->setEnabled(false);
        return;
    }
    const MacroRecord& record = library_.Record(library_.CurrentMacro());
    const StepListRows rows = BuildStepList(record, texts_, keyName_);
    for (const StepLine& line : rows.rows) {
        const std::size_t icon = static_cast<std::size_t>(
            std::clamp(line.icon, 0, static_cast<int>(kStepIcons.size()) - 1));
        auto* item =
            new QListWidgetItem(QIcon(images_.Get(kStepIcons[icon])), ToQString(line.text));
        item->setData(Qt::UserRole, line.icon);
        steps_->addItem(item);
    }
    const bool byCount = (record.playMode & 3) == 0;
    repeat_->setText(byCount ? QString::number(record.repeatCount) : QStringLiteral("1"));
    repeat_->setEnabled(byCount);
}

void MacroPageView::ClickTreeRow(int row) {
    const QString repeat = repeat_ ? repeat_->text() : QString();
    Apply(library_.SelectRow(row, repeat.toStdString()));
}

void MacroPageView::Apply(const LibraryRefresh& refresh) {
    if (!tree_) {
        return;
    }
    if (refresh.treeRebuilt) {
        FillTree();
    } else if (library_.SelectedRow() >= 0 && library_.SelectedRow() < tree_->count()) {
        tree_->setCurrentRow(library_.SelectedRow());
    }
    if (refresh.stepListEmptied || refresh.showMacro || refresh.treeRebuilt) {
        ShowSelectedMacro();
    }
    if (refresh.repeatBox) {
        repeat_->setText(ToQString(refresh.repeatBox->text));
        repeat_->setEnabled(refresh.repeatBox->enabled);
    }
    if (refresh.selectFirstStep && steps_->count() > 0) {
        steps_->setCurrentRow(0);
    }
    emit repaintRequested();
}

void MacroPageView::PaintImages(PageCanvas& c) {
    if (c.hovered != kNoControl) {
        CopyEntry(c.painter, c.held ? c.down : c.over, c.layout, c.hovered);
    }
    for (int entry : MacroPageSelected(c.settings.shared, ShownPlayMode())) {
        CopyEntry(c.painter, c.down, c.layout, entry);
    }
}

void MacroPageView::PaintTexts(PageCanvas& c) {
    c.painter.setFont(c.font);
    DrawCaptions(c.painter, c.layout, 0, kLastText, kCaptionWhite);
}

}  // namespace novu
