#include "ui/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>
#include <QWindow>
#include <algorithm>

#include "i18n/languages.h"
#include "input/key_codes.h"
#include "skin/skin_catalog.h"
#include "ui/advanced_page_view.h"
#include "ui/button_page_view.h"
#include "ui/file_picker.h"
#include "ui/language_menu.h"
#include "ui/lighting_page_view.h"
#include "ui/lighting_resync.h"
#include "ui/macro_page_view.h"
#include "ui/mask.h"
#include "ui/skin_paint.h"
#include "ui/ui_dispatcher.h"
#include "ui/window_messages.h"

namespace novu {

namespace {

constexpr int kCaptionSizeClass = 2;
// The language list's menu is as wide as its control; the globe button's is wider.
constexpr int kGlobeMenuExtraWidth = 80;
// The lighting preview repaints every (6 - speed) x 200 ms while the lighting page is shown.
constexpr int kPreviewSteps = 6;
constexpr int kPreviewStepMs = 200;
// The Apply control shows an upload's progress as a thin bar along its bottom edge.
constexpr int kProgressInset = 10;
constexpr int kProgressHeight = 3;
constexpr QRgb kProgressColour = qRgb(0x9B, 0xE3, 0xFF);

SkinPoint ToSkin(const QPointF& p) {
    return {static_cast<std::int32_t>(p.x()), static_cast<std::int32_t>(p.y())};
}

}  // namespace

CNOVU_GMouseDlg::CNOVU_GMouseDlg(WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      s_(services),
      images_(services.data.root),
      fonts_(services.fonts, services.notices),
      warnings_(images_, fonts_, [&store = services.store] { return store.LanguageIndex(); }),
      uploads_(services.config, services.library, services.notices, services.dispatcher, this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    resize(kMainWindowDesignSize.width, kMainWindowDesignSize.height);
    warnings_.SetMainWindow(this);

    const auto languageFolder = [this] {
        return LanguageFolder(s_.data, s_.store.LanguageIndex());
    };
    pages_[kButtonPage] = std::make_unique<ButtonPageView>(images_, skin_, s_.library, s_.presets,
                                                           languageFolder, s_.notices);
    pages_[kAdvancedPage] = std::make_unique<AdvancedPageView>(images_);
    const MacVkAndText keys([&store = s_.store] { return store.LanguageIndex(); }, &s_.texts);
    auto macroPage =
        std::make_unique<MacroPageView>(*this, images_, skin_, s_.library, s_.texts,
                                        [keys](std::uint8_t usage) { return keys.KeyName(usage); });
    macroPage_ = macroPage.get();
    connect(macroPage_, &MacroPageView::repaintRequested, this, &CNOVU_GMouseDlg::Repaint);
    pages_[kMacroPage] = std::move(macroPage);
    pages_[kLightingPage] = std::make_unique<LightingPageView>(images_, s_.texts);

    lightingPreview_.setSingleShot(true);
    connect(&lightingPreview_, &QTimer::timeout, this, [this] {
        Repaint();
        ScheduleLightingPreview();
    });
    connect(&uploads_, &UploadRunner::progressChanged, this, [this] {
        if (header_entry::kApply < static_cast<int>(skin_.pages[kButtonPage].controls.size())) {
            update(QRectOf(skin_.pages[kButtonPage].controls[header_entry::kApply]));
        }
    });
    connect(&uploads_, &UploadRunner::uploadFinished, this, &CNOVU_GMouseDlg::Repaint);
    SetLanguageHooks();
}

CNOVU_GMouseDlg::~CNOVU_GMouseDlg() {
    // An open menu goes first: its end repaints this window, which must still be whole.
    delete menu_;
    s_.language.SetHooks({});
    uploads_.WaitForAll();
}

// --- Start-up steps -------------------------------------------------------------------------

void CNOVU_GMouseDlg::SetTitleFromLanguage() {
    const QString title = ToQString(s_.store.Device().ProductName(s_.store.LanguageIndex()));
    setWindowTitle(title);
    emit titleChanged(title);
}

void CNOVU_GMouseDlg::CreateFonts() {
    const QScreen* current = screen();
    const double dpi = current != nullptr ? current->logicalDotsPerInchX() : 96.0;
    fonts_.CreateFonts(dpi, s_.store.LanguageIndex(), s_.texts.Fonts());
    macroPage_->SetControlFont(fonts_.ControlFont(s_.store.LanguageIndex()));
}

bool CNOVU_GMouseDlg::LoadSkins() {
    const int language = s_.store.LanguageIndex();
    MainSkinLoad load = LoadMainWindowSkin(s_.ini, s_.notices, LanguageFolder(s_.data, language),
                                           s_.texts.Text(TextTable::UniqueName_Other, 1));
    if (load.endProgram) {
        return false;
    }
    // The hover state survives a reload: the same point is over the same entries.
    for (std::size_t p = 0; p < load.skin.pages.size(); ++p) {
        load.skin.pages[p].hoverIndex = skin_.pages[p].hoverIndex;
        load.skin.pages[p].lastHoverIndex = skin_.pages[p].lastHoverIndex;
    }
    skin_ = std::move(load.skin);
    warnings_.SetLayout(skin_.warning);
    return true;
}

void CNOVU_GMouseDlg::ApplyMask() {
    ApplyMaskRegion(*this, images_.Mask(kMainMaskImage));
}

// --- Operations -----------------------------------------------------------------------------

void CNOVU_GMouseDlg::Repaint() {
    ++repaints_;
    update();
}

void CNOVU_GMouseDlg::ShowPage(int page) {
    if (page < 0 || page >= static_cast<int>(kMainPages.size()) || page == page_) {
        return;
    }
    pages_[static_cast<std::size_t>(page_)]->Leave();
    page_ = page;
    pages_[static_cast<std::size_t>(page_)]->Enter();
    if (page_ == kLightingPage) {
        if (!lightingPreview_.isActive()) {
            ScheduleLightingPreview();
        }
    } else {
        lightingPreview_.stop();
    }
    Repaint();
}

void CNOVU_GMouseDlg::ScheduleLightingPreview() {
    if (page_ != kLightingPage) {
        return;
    }
    const int speed = s_.store.Read([](const Settings& s) { return int{s.shared.LED_CYCTIME}; });
    lightingPreview_.start(std::max(1, kPreviewSteps - speed) * kPreviewStepMs);
}

void CNOVU_GMouseDlg::ChooseLanguageRow(int headerEntry, int row) {
    const std::vector<int> choices = LanguageMenuChoices(headerEntry);
    if (row >= 1 && row <= static_cast<int>(choices.size())) {
        if (const Result<void> set = s_.language.SetLanguage(
                choices[static_cast<std::size_t>(row - 1)], LanguageChangeOrigin::Menu);
            !set) {
            s_.notices.ShowTip(kTipOperationFailed);
        }
    }
    Repaint();
}

void CNOVU_GMouseDlg::SetLanguageHooks() {
    LanguageChangeHooks hooks;
    hooks.saveOpenMacroGroup = [this] {
        s_.library.PrepareSaveAll();
        if (!s_.library.SaveOpenGroup()) {
            s_.notices.ShowTip(kTipOperationFailed);
        }
    };
    hooks.reloadSkins = [this] {
        if (!LoadSkins()) {
            emit closeProgramRequested();
        }
    };
    hooks.switchMacroFolders = [this](const MacroFolderPaths& paths) {
        s_.library.Load(LibraryFolders{s_.data.root, paths.macro, paths.reset});
        macroPage_->Refresh();
    };
    hooks.discardPopupMenus = [this] {
        if (menu_) {
            menu_->close();
        }
    };
    hooks.setWindowTitle = [this] { SetTitleFromLanguage(); };
    hooks.reloadRecoilPresets = [this](const std::filesystem::path& file) {
        s_.presets.Load(file);
    };
    hooks.recreateFonts = [this] { CreateFonts(); };
    hooks.repaint = [this] { Repaint(); };
    s_.language.SetHooks(std::move(hooks));
}

void CNOVU_GMouseDlg::ReleaseHeaderEntry(int entry) {
    const HeaderRelease release = HeaderActionOnRelease(entry);
    switch (release.action) {
        case HeaderAction::None:
            break;
        case HeaderAction::Minimise:
            showMinimized();
            break;
        case HeaderAction::Close:
            showMinimized();
            hide();
            emit closeProgramRequested();
            return;
        case HeaderAction::Apply:
            Apply();
            break;
        case HeaderAction::SelectProfile:
            s_.profiles.SelectProfile(release.profile);
            break;
        case HeaderAction::Import:
            Import();
            break;
        case HeaderAction::Export:
            Export();
            break;
        case HeaderAction::FactoryReset:
            uploads_.FinishSave();
            s_.profiles.FactoryReset();
            break;
        case HeaderAction::OpenLink:
            OpenLink();
            break;
    }
    Repaint();
}

void CNOVU_GMouseDlg::Apply() {
    // Refused while any upload runs (the start-up upload included): the click does nothing.
    uploads_.Apply();
}

void CNOVU_GMouseDlg::Import() {
    const auto file = s_.files.PickImport(QCoreApplication::applicationDirPath().toStdString());
    if (file) {
        uploads_.FinishSave();  // an Apply's save must not overwrite the imported file
        s_.profiles.Import(*file);
    }
}

void CNOVU_GMouseDlg::Export() {
    const auto file = s_.files.PickExport(QCoreApplication::applicationDirPath().toStdString());
    if (file) {
        uploads_.FinishSave();  // export the file as the last Apply saved it
        s_.profiles.Export(*file);
    }
}

void CNOVU_GMouseDlg::OpenLink() {
    const auto& controls = skin_.pages[kButtonPage].controls;
    if (header_entry::kLink >= static_cast<int>(controls.size())) {
        return;
    }
    const std::string& target = controls[header_entry::kLink].caption;
    if (!target.empty()) {
        QDesktopServices::openUrl(QUrl(ToQString(target)));
    }
}

void CNOVU_GMouseDlg::RestoreWindow() {
    showNormal();
    raise();
    activateWindow();
}

void CNOVU_GMouseDlg::CloseForGood() {
    closingForGood_ = true;
    if (menu_) {
        menu_->close();
    }
    close();
}

void CNOVU_GMouseDlg::RestoreLighting() {
    novu::RestoreLighting(s_.transport, s_.store, s_.ini, s_.data, s_.clock,
                          s_.lightingMode.load());
    Repaint();
}

void CNOVU_GMouseDlg::PowerBroadcast() {
    uploads_.Start(UploadTrigger::PowerBroadcast);
}

// --- Mouse ---------------------------------------------------------------------------------

void CNOVU_GMouseDlg::mouseMoveEvent(QMouseEvent* event) {
    if (manualMove_) {
        move(event->globalPosition().toPoint() - moveOffset_);
        return;
    }
    if (TrackMainWindowHover(skin_.pages, page_, ToSkin(event->position()))) {
        Repaint();
    }
}

void CNOVU_GMouseDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    // Hover is computed again for the press: the click is dispatched by what is under it.
    if (TrackMainWindowHover(skin_.pages, page_, ToSkin(event->position()))) {
        Repaint();
    }
    if (PressHitsControl(skin_.pages, page_)) {
        held_ = true;
        Repaint();
    }
    if (menu_) {
        menu_->close();
    }
    const int header = HoveredHeaderEntry(skin_.pages);
    if (const std::optional<int> page = PageOfTab(header)) {
        ShowPage(*page);
    }
    if (header == header_entry::kLanguageList || header == header_entry::kLanguageButton) {
        OpenLanguageMenuFor(header);
    }
    if (PressMovesWindow(skin_.pages, page_)) {
        StartMove(event->globalPosition());
    }
}

void CNOVU_GMouseDlg::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    manualMove_ = false;
    held_ = false;
    const int header = HoveredHeaderEntry(skin_.pages);
    if (header != kNoControl) {
        ReleaseHeaderEntry(header);
        return;
    }
    Repaint();
}

void CNOVU_GMouseDlg::StartMove(const QPointF& globalPosition) {
    emit windowMoveStarted();
    // The window manager moves the window where it can; elsewhere the window follows the
    // mouse itself until the button is released.
    if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
        return;
    }
    manualMove_ = true;
    moveOffset_ = globalPosition.toPoint() - pos();
}

void CNOVU_GMouseDlg::OpenLanguageMenuFor(int entry) {
    const auto& controls = skin_.pages[kButtonPage].controls;
    if (entry >= static_cast<int>(controls.size())) {
        return;
    }
    const SkinControl& control = controls[static_cast<std::size_t>(entry)];
    const int width =
        entry == header_entry::kLanguageList ? control.width : control.width + kGlobeMenuExtraWidth;
    auto* menu = new LanguageMenu(images_, s_.data, LanguageMenuChoices(entry), width, this);
    menu->move(mapToGlobal(QPoint(control.x, control.y + control.height)));
    connect(menu, &LanguageMenu::rowChosen, this,
            [this, entry](int row) { ChooseLanguageRow(entry, row); });
    connect(menu, &QObject::destroyed, this, [this] { Repaint(); });
    menu_ = menu;
    menu->show();
}

// --- Window --------------------------------------------------------------------------------

void CNOVU_GMouseDlg::closeEvent(QCloseEvent* event) {
    if (closingForGood_) {
        event->accept();
        return;
    }
    // The window manager's close keeps the program running in the notification area. Without
    // one, a hidden window could never be brought back: it is only minimised.
    event->ignore();
    showMinimized();
    if (trayAvailable_) {
        hide();
    }
}

void CNOVU_GMouseDlg::PostMessage(int message) {
    s_.dispatcher.Post(this, [this, message] {
        if (message == window_message::kRestoreLighting) {
            RestoreLighting();
        }
    });
}

void CNOVU_GMouseDlg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (startHidden_) {
        startHidden_ = false;
        QTimer::singleShot(0, this, [this] { showMinimized(); });
    }
}

// --- Painting ------------------------------------------------------------------------------

int CNOVU_GMouseDlg::PageHovered() const {
    const int hovered = skin_.pages[static_cast<std::size_t>(page_)].hoverIndex;
    if (page_ == kButtonPage) {
        return hovered >= kHeaderEntryCount ? hovered : kNoControl;
    }
    return hovered;
}

void CNOVU_GMouseDlg::PaintHeader(PageCanvas& c) {
    const SkinLayout& header = skin_.pages[kButtonPage];
    const HeaderLook look =
        HeaderLookOf(c.settings.CurConfig, page_, HoveredHeaderEntry(skin_.pages), held_);
    for (int entry : look.fromDown) {
        CopyEntry(c.painter, c.down, header, entry);
    }
    if (look.hoveredFromOver != kNoControl) {
        CopyEntry(c.painter, c.over, header, look.hoveredFromOver);
    }
}

void CNOVU_GMouseDlg::PaintHeaderTexts(QPainter& painter, const QFont& font) {
    painter.setFont(font);
    const SkinLayout& header = skin_.pages[kButtonPage];
    const int last = std::min(kHeaderEntryCount, static_cast<int>(header.controls.size()));
    for (int entry = 0; entry < last; ++entry) {
        if (!HeaderShowsText(entry)) {
            continue;
        }
        // Entry 4's skin text is, in every language folder, that language's own name.
        const SkinControl& control = header.controls[static_cast<std::size_t>(entry)];
        DrawCentred(painter, QRectOf(control), ToQString(control.caption), kCaptionWhite);
    }
}

void CNOVU_GMouseDlg::PaintProgress(QPainter& painter) {
    const auto& controls = skin_.pages[kButtonPage].controls;
    if (!uploads_.Running() || uploads_.Planned() <= 0 ||
        header_entry::kApply >= static_cast<int>(controls.size())) {
        return;
    }
    const QRect apply = QRectOf(controls[header_entry::kApply]);
    const int full = apply.width() - 2 * kProgressInset;
    const int done = full * std::min(uploads_.Sent(), uploads_.Planned()) / uploads_.Planned();
    painter.fillRect(QRect(apply.left() + kProgressInset, apply.bottom() - kProgressHeight - 3,
                           done, kProgressHeight),
                     QColor(kProgressColour));
}

void CNOVU_GMouseDlg::paintEvent(QPaintEvent*) {
    // Qt composes the window in its backing store and shows the finished picture: nothing is
    // drawn to the screen piece by piece.
    images_.SetDevicePixelRatio(devicePixelRatioF());
    QPainter painter(this);
    const SkinImageNames names = PageImages(kMainPages[static_cast<std::size_t>(page_)]);
    const QPixmap normal = images_.Get(names.normal);
    if (normal.isNull()) {
        painter.fillRect(rect(), QColor(0x10, 0x14, 0x1A));
    } else {
        painter.drawPixmap(0, 0, normal);
    }
    const Settings settings = s_.store.Snapshot();
    const DeviceDescription device = s_.store.Device();
    const QFont font = fonts_.SelectFont(kCaptionSizeClass, s_.store.LanguageIndex());
    PageCanvas canvas{painter,
                      normal,
                      images_.Get(names.over),
                      images_.Get(names.down),
                      skin_.pages[static_cast<std::size_t>(page_)],
                      PageHovered(),
                      held_,
                      settings,
                      device,
                      font};
    PageView& page = *pages_[static_cast<std::size_t>(page_)];
    page.PaintImages(canvas);
    PaintHeader(canvas);
    PaintProgress(painter);
    page.PaintTexts(canvas);
    PaintHeaderTexts(painter, font);
}

}  // namespace novu
