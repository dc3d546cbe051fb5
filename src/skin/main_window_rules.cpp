#include "skin/main_window_rules.h"

#include "i18n/languages.h"

namespace novu {

namespace {

constexpr int kButtonPageEntries = 71;
constexpr int kLightingEntries = 71;
constexpr int kAdvancedEntries = 138;
constexpr int kMacroEntries = 20;

const SkinLayout& LayoutOf(const MainLayouts& layouts, int page) {
    return layouts[static_cast<std::size_t>(page)];
}

bool ValidPage(int page) {
    return page >= 0 && page < static_cast<int>(kMainPages.size());
}

}  // namespace

int HitTestedEntries(int layoutPage, int currentPage) {
    switch (layoutPage) {
        case kButtonPage:
            return currentPage == kButtonPage ? kButtonPageEntries : kHeaderEntryCount;
        case kAdvancedPage:
            return kAdvancedEntries;
        case kMacroPage:
            return kMacroEntries;
        case kLightingPage:
            return kLightingEntries;
        default:
            return 0;
    }
}

bool TrackMainWindowHover(MainLayouts& layouts, int currentPage, SkinPoint point) {
    bool changed = false;
    for (int page = 0; page < static_cast<int>(layouts.size()); ++page) {
        const bool shown = page == kButtonPage || page == currentPage;
        if (TrackHover(layouts[static_cast<std::size_t>(page)], point,
                       HitTestedEntries(page, currentPage)) &&
            shown) {
            changed = true;
        }
    }
    return changed;
}

int HoveredHeaderEntry(const MainLayouts& layouts) {
    const int hovered = LayoutOf(layouts, kButtonPage).hoverIndex;
    return hovered < kHeaderEntryCount ? hovered : kNoControl;
}

bool PressHitsControl(const MainLayouts& layouts, int currentPage) {
    if (LayoutOf(layouts, kButtonPage).hoverIndex != kNoControl) {
        return true;
    }
    return ValidPage(currentPage) && currentPage != kButtonPage &&
           LayoutOf(layouts, currentPage).hoverIndex != kNoControl;
}

bool PressMovesWindow(const MainLayouts& layouts, int currentPage) {
    return !PressHitsControl(layouts, currentPage);
}

std::optional<int> PageOfTab(int entry) {
    for (const MainPage& page : kMainPages) {
        if (page.tabEntry == entry) {
            return page.page;
        }
    }
    return std::nullopt;
}

HeaderRelease HeaderActionOnRelease(int entry) {
    using namespace header_entry;
    switch (entry) {
        case kMinimise:
        case kMinimiseToo:
            return {HeaderAction::Minimise};
        case kClose:
            return {HeaderAction::Close};
        case kApply:
            return {HeaderAction::Apply};
        case kImport:
            return {HeaderAction::Import};
        case kExport:
            return {HeaderAction::Export};
        case kFactoryReset:
            return {HeaderAction::FactoryReset};
        case kLink:
            return {HeaderAction::OpenLink};
        default:
            break;
    }
    if (entry >= kFirstProfile && entry < kFirstProfile + 4) {
        return {HeaderAction::SelectProfile, entry - kFirstProfile};
    }
    return {};
}

HeaderLook HeaderLookOf(int currentProfile, int currentPage, int hoveredHeader, bool buttonHeld) {
    HeaderLook look;
    look.fromDown.push_back(header_entry::kFirstProfile + (currentProfile & 3));
    if (ValidPage(currentPage)) {
        look.fromDown.push_back(kMainPages[static_cast<std::size_t>(currentPage)].tabEntry);
    }
    if (hoveredHeader >= 0 && hoveredHeader < kHeaderEntryCount) {
        if (buttonHeld) {
            look.fromDown.push_back(hoveredHeader);
        } else {
            look.hoveredFromOver = hoveredHeader;
        }
    }
    return look;
}

bool HeaderShowsText(int entry) {
    return entry >= 0 && entry < kHeaderEntryCount && entry != header_entry::kLink;
}

std::vector<int> LanguageMenuChoices(int headerEntry) {
    if (headerEntry == header_entry::kLanguageButton) {
        return {0, 1};
    }
    const std::span<const int> offered = OfferedLanguages();
    return {offered.begin(), offered.end()};
}

}  // namespace novu
