#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace novu {

// Where the skinned windows take their files from, and the design of the shipped skin.
//
// Skin INI files live in the language folder of the current language; images live in the
// data folder itself (the macro menus in its subfolder "MacMenu", the recoil pictures in
// "Gun"), except the few per-language images listed by LanguageImages().

struct SkinSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const SkinSize&) const = default;
};

// The state images of a window: base + "_mask.jpg", "_normal.jpg", "_over.jpg", "_down.jpg".
struct SkinImageNames {
    std::string mask;
    std::string normal;
    std::string over;
    std::string down;
};
SkinImageNames SkinImages(std::string_view base);

// The variant of an image name with `variant` inserted before ".jpg" ("MacR_mask.jpg" with
// "2" is "MacR_mask2.jpg"); names without ".jpg" get it appended.
std::string ImageVariant(std::string_view fileName, std::string_view variant);

// The main window's pages.
struct MainPage {
    int page;                      // the current-page value
    int tabEntry;                  // header entry of the main layout that selects it
    std::string_view imagePrefix;  // + "normal.jpg", "over.jpg", "down.jpg"
    std::string_view layoutFile;   // in the language folder
    int entryCount;
};
inline constexpr std::array<MainPage, 4> kMainPages = {{
    {0, 6, "main_", "skin_main.ini", 71},
    {1, 7, "advanced_", "skin_advance.ini", 138},
    {2, 8, "mac_", "skin_mac.ini", 20},
    {3, 9, "led_", "skin_color.ini", 103},
}};
inline constexpr int kButtonPage = 0;
inline constexpr int kAdvancedPage = 1;
inline constexpr int kMacroPage = 2;
inline constexpr int kLightingPage = 3;
// Header entries 0..19 of the main layout are live on every page.
inline constexpr int kHeaderEntryCount = 20;
inline constexpr std::string_view kMainMaskImage = "main_mask.jpg";

// The state images of a page.
SkinImageNames PageImages(const MainPage& page);

// The skinned dialogs.
struct DialogSkin {
    std::string_view layoutFile;  // in the language folder
    int controlCount;
    std::string_view imageBase;  // in the data folder
    bool hasDownImage;
    SkinSize designSize;  // the size the shipped images have
};
inline constexpr DialogSkin kKeyCaptureSkin = {"skin_keyset.ini", 4, "keyset", true, {360, 200}};
inline constexpr DialogSkin kWarningSkin = {"LBWarning.ini", 5, "warning", false, {440, 220}};
inline constexpr DialogSkin kRecoilSkin = {"skin_gun.ini", 14, "gun", true, {520, 360}};
inline constexpr DialogSkin kSoundSkin = {"skin_sound.ini", 50, "sound", true, {448, 444}};

// The size of the main window in the shipped skin.
inline constexpr SkinSize kMainWindowDesignSize = {1000, 640};

// The popup menus' image stems (data folder) and the shipped images' sizes. Menus whose item
// height is "mask height / 15" list at most 15 items; the macro menus have 20-pixel items.
struct MenuSkin {
    std::string_view stem;  // + "_mask.jpg" ...
    SkinSize designSize;
};
inline constexpr MenuSkin kButtonMenuSkin = {"menu1", {211, 450}};
inline constexpr MenuSkin kEffectMenuSkin = {"led_menu", {300, 405}};
inline constexpr MenuSkin kSmallMenuSkin = {"menu", {265, 300}};
inline constexpr MenuSkin kListMenuSkin = {"menu2", {160, 360}};
inline constexpr MenuSkin kMacroGroupMenuSkin = {"MacMenu/MacG", {180, 160}};
inline constexpr MenuSkin kMacroRowMenuSkin = {"MacMenu/MacR", {180, 80}};
// Kind 13 and the DPI insert submenu use the MacR images with "2" before ".jpg".
inline constexpr MenuSkin kMacroStepMenuSkin = {"MacMenu/MacR", {180, 40}};
inline constexpr std::string_view kMacroStepMenuVariant = "2";
inline constexpr MenuSkin kInsertMenuSkin = {"MacMenu/Insert", {180, 140}};
inline constexpr MenuSkin kInsertButtonMenuSkin = {"MacMenu/Insert2th", {180, 120}};
inline constexpr MenuSkin kInsertMoveMenuSkin = {"MacMenu/Insert3th", {180, 80}};
inline constexpr int kMenuBandCount = 15;
inline constexpr int kMacroMenuItemHeight = 20;

// The images of a menu, with the variant inserted where the menu has one.
SkinImageNames MenuImages(const MenuSkin& menu, std::string_view variant = {});

// Single images the windows load from the data folder.
inline constexpr std::string_view kLightingNullImage = "led_null.jpg";  // greyed areas
inline constexpr std::string_view kLightingOffImage = "new_down.jpg";   // lighting-off overlay
inline constexpr std::string_view kSliderKnobImage = "moveRect.png";
inline constexpr SkinSize kSliderKnobSize = {11, 16};
inline constexpr int kRecoilPictureCount = 12;
// Recoil picture of preset `index` (0-based): "Gun/<index + 1>.jpg".
std::string RecoilPicture(int index);

// Images in every language folder: the host-macro badge of the button page and the
// language menu's item bands.
inline constexpr std::string_view kHostMacroBadgeImage = "zhi.png";
inline constexpr SkinSize kHostMacroBadgeSize = {244, 36};
inline constexpr std::string_view kLanguageItemImage = "ver_normal.jpg";
inline constexpr std::string_view kLanguageItemHoverImage = "ver_over.jpg";
// Where the button page draws the badge.
inline constexpr std::int32_t kHostMacroBadgeX = 378;
inline constexpr std::int32_t kHostMacroBadgeY = 535;

// Icons for the Qt windows (data folder, "icons/"): the application and tray icon in several
// sizes, and the 16 x 16 row icons of the macro lists, each also as a 32 x 32 "@2x" file.
inline constexpr std::array<int, 7> kAppIconSizes = {16, 24, 32, 48, 64, 128, 256};
std::string AppIcon(int size);  // "icons/novu-gmouse-<size>.png"
// Macro tree icons by index: collapsed group, expanded group, macro.
inline constexpr std::array<std::string_view, 3> kTreeIcons = {
    "icons/group_closed.png", "icons/group_open.png", "icons/macro.png"};
// Step list icons by index: delay, press, release, pointer move, lighting, DPI. The
// lighting-step list uses the lighting icon for every row.
inline constexpr std::array<std::string_view, 6> kStepIcons = {
    "icons/step_delay.png", "icons/step_press.png",    "icons/step_release.png",
    "icons/step_move.png",  "icons/step_lighting.png", "icons/step_dpi.png"};
inline constexpr int kListIconSize = 16;

// The same image at twice the size, for displays scaled to 200 %: "x.jpg" -> "x@2x.jpg",
// "icons/x.png" -> "icons/x@2x.png". The layouts stay in 1x pixels: a window that copies a
// control's rectangle out of a @2x image doubles the rectangle.
std::string HighResolution(std::string_view file);

// Every image the program loads from the data folder (paths relative to it, "/"-separated)
// and from each language folder.
std::vector<std::string> DataFolderImages();
std::vector<std::string> LanguageImages();
// Whether an image also comes as a @2x file: every one but the masks (window shapes are in
// 1x pixels) and the application icons (which come in several sizes).
bool HasHighResolution(std::string_view file);

}  // namespace novu
