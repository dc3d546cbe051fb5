#pragma once

#include <QFont>
#include <QString>
#include <array>
#include <map>
#include <optional>

#include "base/user_notices.h"
#include "i18n/font_rules.h"
#include "i18n/language_texts.h"

namespace novu {

// The fonts of the skinned windows: carries out the core's font decisions (FontState) with
// Qt font objects. The embedded typefaces come from the program's resources; Chinese text
// falls back to the system's CJK faces, since the named YaHei face is not found on Linux.
//
// Used on the user-interface thread only.
class SkinFonts {
public:
    SkinFonts(FontState& state, UserNotices& notices);

    // CreateFonts for a display of `dpi` logical pixels per inch, the current language and
    // its font keys. A failed registration of an embedded font shows tip text 6.
    void CreateFonts(double dpi, int languageIndex, const FontKeys& keys);

    // SelectFont: the font of size class 1..5 for the language; class 2 draws captions. Any
    // other class gives the application's default font.
    QFont SelectFont(int sizeClass, int languageIndex) const;

    // The font of the macro page's edit box and lists; nothing where the system's own font
    // is kept.
    std::optional<QFont> ControlFont(int languageIndex) const;

    // The pixel size of a size in tenths of a point at `dpi`.
    static int PixelSize(int tenthsOfPoint, double dpi);

private:
    using FontSet = std::array<QFont, kFontSizeClasses>;

    void Register(FontResource resource);
    FontSet MakeSet(const FontSetPlan& plan) const;

    FontState& state_;
    UserNotices& notices_;
    double dpi_ = 96.0;
    std::map<FontSetId, FontSet> sets_;
};

// The resource path of an embedded font file, or empty when the program does not carry it.
QString EmbeddedFontPath(FontResource resource);

}  // namespace novu
