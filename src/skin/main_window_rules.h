#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "skin/skin_catalog.h"
#include "skin/skin_layout.h"

namespace novu {

// The rules of the main window that need no screen: which entries are hit-tested on which
// page, what the header controls do, which header entries are drawn selected, and when a
// click moves the window.

// Header entries of the main layout (live on every page).
namespace header_entry {
inline constexpr int kMinimise = 0;
inline constexpr int kClose = 1;
inline constexpr int kMinimiseToo = 2;
inline constexpr int kApply = 3;
inline constexpr int kLanguageList = 4;   // shows the current language's name
inline constexpr int kFirstTab = 6;       // tabs 6..9 select pages 0..3
inline constexpr int kFirstProfile = 10;  // profiles 10..13
inline constexpr int kImport = 14;
inline constexpr int kExport = 15;
inline constexpr int kFactoryReset = 16;
inline constexpr int kLanguageButton = 17;
inline constexpr int kLink = 19;  // its text is the link target and is never drawn
}  // namespace header_entry

// The main window's four layouts, by page value; the button page's layout doubles as the
// header.
using MainLayouts = std::array<SkinLayout, kMainPages.size()>;

// How many entries of `layoutPage`'s layout are hit-tested while `currentPage` is shown: the
// main layout 0..70 on the button page and only the header 0..19 elsewhere (the button page's
// slot 0, entry 20, is not on the other pages and must not catch their clicks); the lighting
// layout 0..70, the advanced layout 0..137 and the macro layout 0..19 on every page.
int HitTestedEntries(int layoutPage, int currentPage);

// Mouse move: recomputes the hovered entry of all four layouts (whatever the page, so a page
// switch finds its hover state current) and answers whether the window must be repainted:
// exactly when a hovered entry that can be seen changed, the header's or the shown page's.
// A change on a hidden page changes nothing on the screen.
bool TrackMainWindowHover(MainLayouts& layouts, int currentPage, SkinPoint point);

// The hovered header entry (0..19), or kNoControl.
int HoveredHeaderEntry(const MainLayouts& layouts);

// A left-button press moves the window when neither the header nor the shown page has a
// control under the cursor. Controls of the hidden pages do not count: they are invisible
// there, and the window could otherwise hardly be moved by its empty area.
bool PressMovesWindow(const MainLayouts& layouts, int currentPage);

// Whether the press lands on a control that is drawn pressed while the button is held.
bool PressHitsControl(const MainLayouts& layouts, int currentPage);

// The page a header tab selects, or nothing for an entry that is no tab.
std::optional<int> PageOfTab(int entry);

// What releasing the left button over a header entry does.
enum class HeaderAction {
    None,
    Minimise,
    Close,
    Apply,
    SelectProfile,
    Import,
    Export,
    FactoryReset,
    OpenLink,
};
struct HeaderRelease {
    HeaderAction action = HeaderAction::None;
    int profile = 0;  // for SelectProfile
    bool operator==(const HeaderRelease&) const = default;
};
HeaderRelease HeaderActionOnRelease(int entry);

// The header entries drawn from the down image, in drawing order: the current profile's
// entry, the current page's tab, and the hovered header entry while the button is held.
// `hoveredFromOver` is the hovered header entry drawn from the over image otherwise.
struct HeaderLook {
    std::vector<int> fromDown;
    int hoveredFromOver = kNoControl;
    bool operator==(const HeaderLook&) const = default;
};
HeaderLook HeaderLookOf(int currentProfile, int currentPage, int hoveredHeader, bool buttonHeld);

// Whether header entry `entry` shows a text: every entry but the link target.
bool HeaderShowsText(int entry);

// The languages a language menu lists, by row: the globe button offers Chinese and English
// (the product's two direct language choices), the language list the offered languages.
std::vector<int> LanguageMenuChoices(int headerEntry);

}  // namespace novu
