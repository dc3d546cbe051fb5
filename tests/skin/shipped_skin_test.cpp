// Lint of the shipped skin: the layouts of every language read cleanly and agree with each
// other, every control the program acts on can be reached and lies inside its window, the
// layouts fit the arithmetic the windows draw with, and every image the program loads is in
// the assembled data folder with the size the layouts were drawn for (and twice that size
// for its @2x file).
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "base/recorded_notices.h"
#include "base/text.h"
#include "skin/main_window_skin.h"
#include "skin/skin_catalog.h"
#include "skin/skin_reader.h"

namespace novu {
namespace {

namespace fs = std::filesystem;

const fs::path kShipped = NOVU_SHIPPED_DATA;
const fs::path kBuilt = NOVU_BUILT_DATA;
constexpr std::array<std::string_view, 2> kLanguageFolders = {"0_INI_CN", "1_INI_EN"};

// Everything one language folder holds, read as the program reads it.
struct LanguageSkin {
    MainWindowSkin main;
    SkinLayout keyCapture;
    SkinLayout recoil;
    std::vector<SkinRect> recoilEdits;
    SkinLayout sound;
    std::vector<RecordedNotices::Notice> notices;

    const SkinLayout& Page(int page) const { return main.pages[static_cast<std::size_t>(page)]; }
};

LanguageSkin Load(std::string_view folder) {
    IniFiles ini;
    RecordedNotices notices;
    const fs::path dir = kShipped / folder;
    LanguageSkin skin;
    skin.main = LoadMainWindowSkin(ini, notices, dir, "").skin;
    skin.keyCapture =
        LoadSkinLayout(ini, notices, dir / kKeyCaptureSkin.layoutFile, kKeyCaptureSkin.controlCount)
            .layout;
    skin.recoil =
        LoadSkinLayout(ini, notices, dir / kRecoilSkin.layoutFile, kRecoilSkin.controlCount).layout;
    const int editKeys[] = {0, 1, 2};
    skin.recoilEdits = ReadSkinRects(ini, dir / kRecoilSkin.layoutFile, "EDIT", editKeys);
    skin.sound =
        LoadSkinLayout(ini, notices, dir / kSoundSkin.layoutFile, kSoundSkin.controlCount).layout;
    skin.notices = notices.Notices();
    return skin;
}

const LanguageSkin& English() {
    static const LanguageSkin skin = Load("1_INI_EN");
    return skin;
}

SkinRect Rect(const SkinLayout& layout, int entry) {
    return RectOf(layout.controls.at(static_cast<std::size_t>(entry)));
}

bool Inside(const SkinRect& r, SkinSize window) {
    return r.left >= 0 && r.top >= 0 && r.right <= window.width && r.bottom <= window.height &&
           r.left <= r.right && r.top <= r.bottom;
}

bool Covers(const SkinRect& outer, const SkinRect& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const SkinRect& a, const SkinRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::vector<int> Range(int first, int last) {
    std::vector<int> entries;
    for (int i = first; i <= last; ++i) {
        entries.push_back(i);
    }
    return entries;
}

std::vector<int> Join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

// --- The layout files ----------------------------------------------------------------------

TEST(ShippedSkin, EveryLayoutReadsCleanlyWithSevenFieldsPerEntry) {
    const std::pair<std::string_view, int> files[] = {
        {"skin_main.ini", 71},   {"skin_advance.ini", 138}, {"skin_mac.ini", 20},
        {"skin_color.ini", 103}, {"LBWarning.ini", 5},      {"skin_keyset.ini", 4},
        {"skin_gun.ini", 14},    {"skin_sound.ini", 50},
    };
    IniFiles ini;
    for (auto folder : kLanguageFolders) {
        const auto skin = Load(folder);
        EXPECT_TRUE(skin.notices.empty()) << folder;
        for (const auto& [file, count] : files) {
            SCOPED_TRACE(std::string(folder) + "/" + std::string(file));
            const auto document = ini.Open(kShipped / folder / file);
            ASSERT_NE(document, nullptr);
            const auto keys = document->Keys(kButtonPosSection);
            ASSERT_EQ(keys.size(), static_cast<std::size_t>(count));
            for (int i = 0; i < count; ++i) {
                EXPECT_EQ(keys[static_cast<std::size_t>(i)], FormatDecimal(i));
                const auto value = document->Find(kButtonPosSection, FormatDecimal(i));
                ASSERT_TRUE(value.has_value());
                // Exactly seven fields: the dialogs' and the main window's readers agree.
                EXPECT_EQ(std::count(value->begin(), value->end(), ','), 6) << *value;
                EXPECT_LE(Utf16Length(*value), kSkinValueBufferChars - 1) << *value;
            }
        }
    }
}

TEST(ShippedSkin, EveryLanguageSharesTheRectanglesAndOnlyTranslatesCaptions) {
    const auto& en = English();
    const auto cn = Load("0_INI_CN");
    const auto sameRects = [](const SkinLayout& a, const SkinLayout& b, const char* what) {
        ASSERT_EQ(a.controls.size(), b.controls.size()) << what;
        for (std::size_t i = 0; i < a.controls.size(); ++i) {
            EXPECT_EQ(RectOf(a.controls[i]), RectOf(b.controls[i])) << what << " entry " << i;
            EXPECT_EQ(a.controls[i].caption.empty(), b.controls[i].caption.empty())
                << what << " entry " << i;
        }
    };
    for (const auto& page : kMainPages) {
        sameRects(en.Page(page.page), cn.Page(page.page), page.layoutFile.data());
    }
    sameRects(en.main.warning, cn.main.warning, "LBWarning.ini");
    sameRects(en.keyCapture, cn.keyCapture, "skin_keyset.ini");
    sameRects(en.recoil, cn.recoil, "skin_gun.ini");
    sameRects(en.sound, cn.sound, "skin_sound.ini");
    EXPECT_EQ(en.main.macroRects.edit, cn.main.macroRects.edit);
    EXPECT_EQ(en.main.macroRects.display, cn.main.macroRects.display);
    EXPECT_EQ(en.recoilEdits, cn.recoilEdits);
    // The link target is the same everywhere.
    EXPECT_EQ(en.Page(kButtonPage).controls[19].caption, cn.Page(kButtonPage).controls[19].caption);
    EXPECT_TRUE(en.Page(kButtonPage).controls[19].caption.starts_with("https://"));
}

TEST(ShippedSkin, EveryRectangleLiesInsideItsWindow) {
    for (auto folder : kLanguageFolders) {
        SCOPED_TRACE(folder);
        const auto skin = Load(folder);
        const auto check = [](const SkinLayout& layout, SkinSize window, const char* what) {
            for (std::size_t i = 0; i < layout.controls.size(); ++i) {
                EXPECT_TRUE(Inside(RectOf(layout.controls[i]), window)) << what << " entry " << i;
            }
        };
        for (const auto& page : kMainPages) {
            check(skin.Page(page.page), kMainWindowDesignSize, page.layoutFile.data());
        }
        check(skin.main.warning, kWarningSkin.designSize, "LBWarning.ini");
        check(skin.keyCapture, kKeyCaptureSkin.designSize, "skin_keyset.ini");
        check(skin.recoil, kRecoilSkin.designSize, "skin_gun.ini");
        check(skin.sound, kSoundSkin.designSize, "skin_sound.ini");
        for (const auto& r : skin.main.macroRects.edit) {
            EXPECT_TRUE(Inside(r, kMainWindowDesignSize));
        }
        for (const auto& r : skin.main.macroRects.display) {
            EXPECT_TRUE(Inside(r, kMainWindowDesignSize));
            EXPECT_LT(r.left, r.right);
            EXPECT_LT(r.top, r.bottom);
        }
        for (const auto& r : skin.recoilEdits) {
            EXPECT_TRUE(Inside(r, kRecoilSkin.designSize));
            EXPECT_LT(r.left, r.right);
        }
    }
}

TEST(ShippedSkin, FunctionNamesNameEveryCodeAndFitTheSlotLabels) {
    IniFiles ini;
    for (auto folder : kLanguageFolders) {
        SCOPED_TRACE(folder);
        const auto file = kShipped / folder / "skin_main.ini";
        const auto table = ReadFunctionNameTable(ini, file, "none");
        for (int code = 1; code < kFunctionNameCount; ++code) {
            const auto name = table.Name(code);
            EXPECT_FALSE(name.empty()) << code;
            // Slot labels longer than 16 characters are cut.
            EXPECT_LE(Utf16Length(name), 16u) << name;
        }
        EXPECT_FALSE(ini.GetString(file, "FUN_STRING", "0", "", 260).empty());
        const auto document = ini.Open(file);
        for (int code = kFirstSkinFunction; code < kFirstSkinFunction + kSkinFunctionCount;
             ++code) {
            EXPECT_TRUE(document->Find("FUN_STRING", FormatDecimal(code)).has_value()) << code;
        }
        // The first submenu offers the six extra functions 12..17, in code order.
        EXPECT_EQ(table.extras.ListedCount(), 6);
        for (int position = 1; position <= 6; ++position) {
            ASSERT_NE(table.extras.AtPosition(position), nullptr);
            EXPECT_EQ(table.extras.AtPosition(position)->code, 11 + position);
        }
    }
}

// --- The layouts against what the windows do with them ------------------------------------

struct Reachable {
    const char* what;
    const SkinLayout* layout;
    int tested;  // how many entries the window hit-tests
    std::vector<int> controls;
};

std::vector<Reachable> ReachableControls(const LanguageSkin& skin) {
    return {
        {"button page", &skin.Page(kButtonPage), 71,
         Join({Range(0, 4), Range(6, 17), {19}, Range(20, 27), Range(35, 42), {46}})},
        {"advanced page", &skin.Page(kAdvancedPage), 138,
         Join({{1, 18, 31, 66}, Range(34, 37), Range(47, 52), Range(60, 65), Range(77, 82)})},
        {"macro page", &skin.Page(kMacroPage), 20, {4, 5, 6, 7, 8, 13, 15}},
        {"lighting page", &skin.Page(kLightingPage), 71,
         Join({Range(0, 13),
               {17, 19, 35, 40, 41, 45},
               Range(47, 50),
               Range(51, 58),
               Range(61, 68)})},
        {"key capture", &skin.keyCapture, 4, {0, 1, 2}},
        {"warning", &skin.main.warning, 3, {0, 1}},
        {"recoil dialog", &skin.recoil, 14, {0, 1, 2, 3, 4, 5, 6, 8, 9}},
        {"sound window", &skin.sound, 12, {2, 3, 4, 9, 10, 11}},
    };
}

TEST(ShippedSkin, EveryControlTheProgramActsOnCanBeHitAndNoneHidesAnother) {
    const auto& skin = English();
    for (const auto& group : ReachableControls(skin)) {
        SCOPED_TRACE(group.what);
        for (int entry : group.controls) {
            const auto& control = group.layout->controls.at(static_cast<std::size_t>(entry));
            ASSERT_GT(control.width, 0) << entry;
            ASSERT_GT(control.height, 0) << entry;
            const SkinPoint centre{control.x + control.width / 2, control.y + control.height / 2};
            EXPECT_EQ(HitTest(*group.layout, centre, group.tested), entry);
        }
        for (std::size_t a = 0; a < group.controls.size(); ++a) {
            for (std::size_t b = a + 1; b < group.controls.size(); ++b) {
                const int ea = group.controls[a];
                const int eb = group.controls[b];
                // The sound window's title bar (11) holds its switch and close button.
                if (group.layout == &skin.sound && (ea == 11 || eb == 11)) {
                    continue;
                }
                EXPECT_FALSE(Overlap(Rect(*group.layout, ea), Rect(*group.layout, eb)))
                    << ea << " and " << eb;
            }
        }
    }
}

TEST(ShippedSkin, ButtonPageLeavesNoInvisibleOrDeadControls) {
    const auto& page = English().Page(kButtonPage);
    // The button page draws no DPI state, so its DPI toggles (47..52) are not placed: a
    // click could change a setting the page does not show. With eight buttons the entries
    // 50..56 take no action and never highlight; they hold captions only.
    for (int entry = 47; entry <= 52; ++entry) {
        EXPECT_EQ(Rect(page, entry), SkinRect{}) << entry;
    }
    // Slots of buttons the shipped mouse does not have (8..11) are not placed either.
    for (int entry = 28; entry <= 31; ++entry) {
        EXPECT_EQ(Rect(page, entry), SkinRect{}) << entry;
    }
    // Every slot has its marker, and the badge for host-played macros covers neither.
    const SkinRect badge{kHostMacroBadgeX, kHostMacroBadgeY,
                         kHostMacroBadgeX + kHostMacroBadgeSize.width,
                         kHostMacroBadgeY + kHostMacroBadgeSize.height};
    EXPECT_TRUE(Inside(badge, kMainWindowDesignSize));
    for (int n = 0; n < 8; ++n) {
        EXPECT_FALSE(Overlap(badge, Rect(page, 20 + n))) << n;
        EXPECT_FALSE(Overlap(badge, Rect(page, 35 + n))) << n;
        EXPECT_EQ(page.controls[static_cast<std::size_t>(35 + n)].caption, FormatDecimal(n + 1));
    }
    EXPECT_FALSE(Overlap(badge, Rect(page, 46)));
}

TEST(ShippedSkin, SlidersFitTheirFillAndKnobArithmetic) {
    const auto& skin = English();
    const auto& advanced = skin.Page(kAdvancedPage);
    // The DPI fill is computed against a width of 303 and its knob drawn 13 pixels below the
    // slider's top: the track runs through the middle of the knob.
    const auto dpi = advanced.controls[66];
    EXPECT_EQ(dpi.width, 303);
    EXPECT_EQ(dpi.height, 2 * 13 + kSliderKnobSize.height);
    // The other advanced sliders draw the knob at their own top: as tall as the knob.
    for (int slider : {1, 18, 31}) {
        EXPECT_EQ(advanced.controls[static_cast<std::size_t>(slider)].height,
                  kSliderKnobSize.height);
    }
    // The lighting sliders draw it 5 pixels above their top.
    const auto& lighting = skin.Page(kLightingPage);
    for (int slider : {40, 41}) {
        EXPECT_EQ(lighting.controls[static_cast<std::size_t>(slider)].height,
                  kSliderKnobSize.height - 2 * 5);
    }
}

TEST(ShippedSkin, GreyedAreasCoverTheirControlsAndHideNoStaleCaption) {
    const auto& page = English().Page(kLightingPage);
    // Which controls each greyed area stands for.
    const std::pair<int, std::vector<int>> areas[] = {
        {71, Range(61, 68)}, {72, {38, 40}},
        {73, {39, 41}},      {74, Join({Range(30, 34), {45}, Range(47, 50)})},
        {75, Range(0, 15)},
    };
    for (const auto& [area, controls] : areas) {
        for (int control : controls) {
            EXPECT_TRUE(Covers(Rect(page, area), Rect(page, control))) << area << " " << control;
        }
    }
    // The knobs of the sliders, which reach 5 pixels above and below, are covered too.
    for (const auto& [slider, area] : {std::pair{40, 72}, std::pair{41, 73}}) {
        auto knob = Rect(page, slider);
        knob.top -= 5;
        knob.bottom += 5;
        knob.left -= 6;
        knob.right += 6;
        EXPECT_TRUE(Covers(Rect(page, area), knob)) << slider;
    }

    // By effect: the greyed entries and the entries whose captions are emptied. A caption
    // drawn over a greyed rectangle must be one the page empties for that effect.
    struct Effect {
        std::vector<int> greyed;
        std::vector<int> emptied;
    };
    const std::vector<int> texts0 = Join({{15}, Range(30, 34), {38}});
    const std::array<Effect, 14> effects = {{
        {{50, 71, 72, 74, 75}, texts0},
        {{50, 71, 72, 74}, Join({Range(30, 34), {38}})},
        {{50, 71, 73, 74, 75}, Join({{15}, Range(30, 34), {39}})},
        {{71}, {}},
        {{50, 71}, {34}},
        {{50, 71}, {34}},
        {{71, 72, 74, 75}, texts0},
        {{49, 50, 71, 72, 75}, {15, 33, 34, 38}},
        {{71, 72, 74, 75}, texts0},
        {{71, 72, 73, 74, 75}, Join({texts0, {39}})},
        {{45, 49, 50, 71, 72, 75}, {15, 30, 33, 34, 38}},
        {{71, 72, 74, 75}, texts0},
        {{50, 72, 73, 74, 75}, Join({texts0, {39}})},
        {{50, 71, 72, 73, 74, 75}, Join({texts0, {39}})},
    }};
    for (std::size_t effect = 0; effect < effects.size(); ++effect) {
        const auto& e = effects[effect];
        const std::set<int> emptied(e.emptied.begin(), e.emptied.end());
        for (int greyed : e.greyed) {
            for (int entry = 0; entry <= 102; ++entry) {
                const auto& control = page.controls[static_cast<std::size_t>(entry)];
                // Texts the page replaces (35, the reactive kinds) or draws only for one
                // effect (98) are handled by the page itself.
                if (control.caption.empty() || entry == 98 || emptied.contains(entry) ||
                    (entry >= 21 && entry <= 25)) {
                    continue;
                }
                EXPECT_FALSE(Overlap(Rect(page, greyed), Rect(page, entry)))
                    << "effect " << effect << ": caption " << entry << " over greyed " << greyed;
            }
        }
    }
}

TEST(ShippedSkin, MenusFitTheControlsThatOpenThem) {
    const auto& skin = English();
    const auto& main = skin.Page(kButtonPage);
    for (int n = 0; n < 8; ++n) {
        // The button menu opens with the slot's width plus one.
        EXPECT_EQ(kButtonMenuSkin.designSize.width,
                  main.controls[static_cast<std::size_t>(20 + n)].width + 1);
    }
    const auto& lighting = skin.Page(kLightingPage);
    // The effect menu: the effect control's width, 405 pixels high, ten effects.
    EXPECT_EQ(kEffectMenuSkin.designSize.width, lighting.controls[35].width);
    EXPECT_EQ(kEffectMenuSkin.designSize.height, 405);
    // The reactive-kind menu: the kind control's width plus one, 300 pixels high.
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(kSmallMenuSkin.designSize.width,
                  lighting.controls[static_cast<std::size_t>(61 + n)].width + 1);
    }
    EXPECT_EQ(kSmallMenuSkin.designSize.height, 300);
    // The recoil preset menu is 160 pixels wide under the preset name.
    EXPECT_EQ(kListMenuSkin.designSize.width, 160);
    EXPECT_EQ(skin.recoil.controls[5].width, 160);
    // Every "height / 15" menu holds its items.
    EXPECT_GE(kButtonMenuSkin.designSize.height / kMenuBandCount * kMenuBandCount, 11);
    for (const auto* menu : {&kButtonMenuSkin, &kEffectMenuSkin, &kSmallMenuSkin, &kListMenuSkin}) {
        EXPECT_EQ(menu->designSize.height % kMenuBandCount, 0) << menu->stem;
    }
    // The macro menus are exactly their items high: kind 12 counts its items from the
    // image, kinds 11 and 14 and the insert submenus have fixed counts.
    const std::pair<const MenuSkin*, int> items[] = {
        {&kMacroGroupMenuSkin, 8}, {&kMacroRowMenuSkin, 4},     {&kMacroStepMenuSkin, 2},
        {&kInsertMenuSkin, 7},     {&kInsertButtonMenuSkin, 6}, {&kInsertMoveMenuSkin, 4},
    };
    for (const auto& [menu, count] : items) {
        EXPECT_EQ(menu->designSize.height, count * kMacroMenuItemHeight) << menu->stem;
    }
}

TEST(ShippedSkin, SoundWindowCaptionsAndBarsFitTheirControls) {
    const auto& sound = English().sound;
    // A mode caption's top is the tile's y plus its width: tiles are taller than wide, so
    // the caption sits in the tile's lower band.
    for (int tile : {2, 3, 4}) {
        const auto& c = sound.controls[static_cast<std::size_t>(tile)];
        EXPECT_LE(c.width + 16, c.height) << tile;
    }
    for (int bar = 13; bar <= 48; ++bar) {
        EXPECT_TRUE(Covers(Rect(sound, 1), Rect(sound, bar))) << bar;
        EXPECT_GE(sound.controls[static_cast<std::size_t>(bar)].height, 4) << bar;
    }
}

// --- The generated images ------------------------------------------------------------------

// Width and height from a JPEG's frame header or a PNG's IHDR chunk.
std::optional<SkinSize> ImageSize(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const auto be16 = [&](std::size_t i) { return (byte(i) << 8) | byte(i + 1); };
    if (bytes.size() > 24 && bytes.compare(1, 3, "PNG") == 0) {
        return SkinSize{(be16(16) << 16) | be16(18), (be16(20) << 16) | be16(22)};
    }
    std::size_t at = 2;
    while (bytes.size() > 2 && byte(0) == 0xFF && byte(1) == 0xD8 && at + 9 < bytes.size()) {
        if (byte(at) != 0xFF) {
            return std::nullopt;
        }
        const int marker = byte(at + 1);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            return SkinSize{be16(at + 7), be16(at + 5)};
        }
        at += 2 + static_cast<std::size_t>(be16(at + 2));
    }
    return std::nullopt;
}

std::optional<SkinSize> Doubled(SkinSize size) {
    return SkinSize{2 * size.width, 2 * size.height};
}

TEST(ShippedSkin, EveryImageTheProgramLoadsIsBuiltWithItsDesignSize) {
    const auto& skin = English();
    std::map<std::string, SkinSize> expected;
    for (const auto& page : kMainPages) {
        const auto names = PageImages(page);
        for (const auto* name : {&names.mask, &names.normal, &names.over, &names.down}) {
            expected[*name] = kMainWindowDesignSize;
        }
    }
    expected[std::string(kLightingNullImage)] = kMainWindowDesignSize;
    expected[std::string(kLightingOffImage)] = kMainWindowDesignSize;
    expected[std::string(kSliderKnobImage)] = kSliderKnobSize;
    for (const auto* dialog : {&kKeyCaptureSkin, &kWarningSkin, &kRecoilSkin, &kSoundSkin}) {
        const auto names = SkinImages(dialog->imageBase);
        for (const auto* name : {&names.mask, &names.normal, &names.over, &names.down}) {
            expected[*name] = dialog->designSize;
        }
    }
    const auto& picture = skin.recoil.controls[4];
    for (int i = 0; i < kRecoilPictureCount; ++i) {
        expected[RecoilPicture(i)] = SkinSize{picture.width, picture.height};
    }
    const std::pair<const MenuSkin*, std::string_view> menus[] = {
        {&kButtonMenuSkin, ""},
        {&kEffectMenuSkin, ""},
        {&kSmallMenuSkin, ""},
        {&kListMenuSkin, ""},
        {&kMacroGroupMenuSkin, ""},
        {&kMacroRowMenuSkin, ""},
        {&kMacroStepMenuSkin, kMacroStepMenuVariant},
        {&kInsertMenuSkin, ""},
        {&kInsertButtonMenuSkin, ""},
        {&kInsertMoveMenuSkin, ""},
    };
    for (const auto& [menu, variant] : menus) {
        const auto names = MenuImages(*menu, variant);
        for (const auto* name : {&names.mask, &names.normal, &names.over, &names.down}) {
            expected[*name] = menu->designSize;
        }
    }
    for (int size : kAppIconSizes) {
        expected[AppIcon(size)] = SkinSize{size, size};
    }
    for (const auto& icons :
         {std::vector<std::string_view>(kTreeIcons.begin(), kTreeIcons.end()),
          std::vector<std::string_view>(kStepIcons.begin(), kStepIcons.end())}) {
        for (auto icon : icons) {
            expected[std::string(icon)] = SkinSize{kListIconSize, kListIconSize};
            expected[HighResolution(icon)] = SkinSize{2 * kListIconSize, 2 * kListIconSize};
        }
    }

    for (const auto& image : DataFolderImages()) {
        SCOPED_TRACE(image);
        const auto size = ImageSize(kBuilt / image);
        ASSERT_TRUE(size.has_value()) << "missing or unreadable";
        ASSERT_TRUE(expected.contains(image)) << "no expected size";
        EXPECT_EQ(*size, expected[image]);
        if (HasHighResolution(image)) {
            EXPECT_EQ(ImageSize(kBuilt / HighResolution(image)), Doubled(expected[image]));
        }
    }
    const SkinSize languageItem{kListMenuSkin.designSize.width,
                                kListMenuSkin.designSize.height / kMenuBandCount};
    for (auto folder : kLanguageFolders) {
        for (const auto& image : LanguageImages()) {
            SCOPED_TRACE(std::string(folder) + "/" + image);
            const auto size = ImageSize(kBuilt / folder / image);
            ASSERT_TRUE(size.has_value()) << "missing or unreadable";
            const SkinSize design =
                image == kHostMacroBadgeImage ? kHostMacroBadgeSize : languageItem;
            EXPECT_EQ(*size, design);
            EXPECT_EQ(ImageSize(kBuilt / folder / HighResolution(image)), Doubled(design));
        }
    }
}

}  // namespace
}  // namespace novu
