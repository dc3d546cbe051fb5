#include "ui/button_page_view.h"

#include <QTimer>
#include <algorithm>

#include "base/user_notices.h"
#include "macro/macro_library.h"
#include "macro/recoil_presets.h"
#include "skin/button_page_rules.h"
#include "skin/main_window_skin.h"
#include "skin/skin_catalog.h"
#include "ui/skin_image_cache.h"
#include "ui/skin_paint.h"

namespace novu {

namespace {

constexpr int kLastEntry = 70;
// Slot labels sit a little right of the centre, clear of the slot's accent bar.
constexpr int kLabelShift = 5;
// The sound-reactive entry's caption goes below its button, whose middle shows an icon.
constexpr int kBelowShiftX = 5;
constexpr int kBelowGap = 2;

}  // namespace

ButtonPageView::ButtonPageView(SkinImageCache& images, const MainWindowSkin& skin,
                               const MacroLibrary& library, const RecoilPresets& presets,
                               std::function<std::filesystem::path()> languageFolder,
                               UserNotices& notices)
    : images_(images),
      skin_(skin),
      library_(library),
      presets_(presets),
      languageFolder_(std::move(languageFolder)),
      notices_(notices) {}

void ButtonPageView::PaintImages(PageCanvas& c) {
    const int keyNum = c.device.KEYNUM;
    for (int entry : ButtonPageHighlights(c.hovered, keyNum)) {
        CopyEntry(c.painter, c.held ? c.down : c.over, c.layout, entry);
    }
    const int slot = HoveredSlot(c.hovered, keyNum);
    if (slot < 0 || c.Profile().LEFT_MAC[static_cast<std::size_t>(slot)] != 1) {
        return;
    }
    const QPixmap badge = images_.GetIn(languageFolder_(), kHostMacroBadgeImage);
    if (!badge.isNull()) {
        c.painter.drawPixmap(kHostMacroBadgeX, kHostMacroBadgeY, badge);
    } else if (!badgeMissingShown_) {
        // Said once, and after the paint: a message box on every repaint would never let the
        // user go on, and a modal box inside a paint would paint the window again.
        badgeMissingShown_ = true;
        QTimer::singleShot(0,
                           [&notices = notices_] { notices.ShowMessageBox(kHostMacroBadgeImage); });
    }
}

void ButtonPageView::PaintTexts(PageCanvas& c) {
    c.painter.setFont(c.font);
    const int keyNum = std::clamp(c.device.KEYNUM, 0, kButtonSlots);
    const SlotLabelSources sources{
        skin_.functions,
        [this](int group, int macro) { return library_.MacroNameOf(group, macro); },
        [this](int preset) { return presets_.Name(preset); },
    };
    const int last = std::min(kLastEntry, static_cast<int>(c.layout.controls.size()) - 1);
    for (int entry = kHeaderEntryCount; entry <= last; ++entry) {
        const SkinControl& control = c.layout.controls[static_cast<std::size_t>(entry)];
        const int slot = entry - button_entry::kFirstSlot;
        if (slot >= 0 && slot < keyNum) {
            const std::int32_t code = c.Profile().K[static_cast<std::size_t>(slot)];
            DrawCentred(c.painter, QRectOf(control).translated(kLabelShift, 0),
                        ToQString(SlotLabel(code, sources)), kCaptionWhite);
            continue;
        }
        QRect box = QRectOf(control);
        if (entry == button_entry::kSoundLighting) {
            box.translate(kBelowShiftX, control.height + kBelowGap);
        }
        DrawCentred(c.painter, box, ToQString(control.caption), kCaptionWhite);
    }
}

}  // namespace novu
