#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/language_texts.h"

namespace novu {

// The rules by which the skinned windows get their text fonts: a base size that follows the
// display scale, five size classes, and a typeface per language. The decisions are plain
// data here; the interface turns them into font objects.

constexpr int kFontSizeClasses = 5;                   // size classes 1..5
using FontSizes = std::array<int, kFontSizeClasses>;  // tenths of a point, class 1 first

// The base size a, in tenths of a point, for a display of `dpi` horizontal logical pixels
// per inch. The sizes shrink in points as the scale grows so that text keeps about the same
// height in pixels.
int BaseFontSize(double dpi);

// The sizes of the default set (a+5, a+5, a+30, a+40, a+50) and of every embedded set
// (a+5, a+5, a+10, a+40, a+50).
FontSizes DefaultSetSizes(int baseSize);
FontSizes EmbeddedSetSizes(int baseSize);

// The font sets. The default set is created with one typeface; each embedded set has its own.
enum class FontSetId { Default, Roboto, YaHeiA, Cairo, YaHeiB, Arial };

// The typeface of an embedded set.
std::string_view EmbeddedSetTypeface(FontSetId set);

// The embedded set that serves a language: Roboto for 1, YaHei A for 0 and 19, Cairo for
// 13, YaHei B for 12, Arial for every other index.
FontSetId EmbeddedSetFor(int languageIndex);

// Fonts that travel inside the program as complete font files.
enum class FontResource { RobotoRegular = 190, CairoRegular = 188 };

struct FontSetPlan {
    FontSetId set = FontSetId::Default;
    std::string typeface;
    FontSizes sizes{};
    bool operator==(const FontSetPlan&) const = default;
};

// What CreateFonts does, in order: register `fontFile` for the process (failure not
// reported), register each of `resources` (a failure shows tip text 6) and create
// `defaultSet` or the `embeddedSets` in the order listed.
struct FontPlan {
    int baseSize = 0;
    std::optional<std::string> fontFile;
    std::vector<FontResource> resources;
    std::optional<FontSetPlan> defaultSet;
    std::vector<FontSetPlan> embeddedSets;
};

// The font state of the application: whether the embedded sets exist, and from that, which
// set serves drawing for a language. Used on the user-interface thread only.
class FontState {
public:
    // The decision of CreateFonts for the display's `dpi`, the current language and the
    // language's font keys. Creating the embedded sets marks them ready.
    FontPlan CreateFonts(double dpi, int languageIndex, const FontKeys& keys);

    bool EmbeddedSetsReady() const { return embeddedSetsReady_; }

    // The set SelectFont draws with: the language's embedded set once the embedded sets
    // exist, else the default set.
    FontSetId SetFor(int languageIndex) const;

    // The font of the main window's edit controls and list boxes (size class 1): the set of
    // SetFor, except that with the embedded sets Thai and Korean keep the system's own font
    // (no value).
    std::optional<FontSetId> ControlFontSet(int languageIndex) const;

    // Whether a language change made through the language menu recreates the fonts (after
    // the default set is released): only while the embedded sets are not in use.
    bool RecreateAfterMenuChange() const { return !embeddedSetsReady_; }

private:
    bool embeddedSetsReady_ = false;
};

}  // namespace novu
