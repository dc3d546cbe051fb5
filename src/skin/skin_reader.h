#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "base/ini_files.h"
#include "base/user_notices.h"
#include "skin/skin_layout.h"

namespace novu {

// Skin INI files: section "BUTTONPOS", keys "0" .. N-1, each value seven comma-separated
// fields: (unused), x, y, width, height, caption, (unused). At most 259 characters of a
// value are read.
inline constexpr std::string_view kButtonPosSection = "BUTTONPOS";
inline constexpr std::size_t kSkinValueBufferChars = 260;

// The messages of the dialogs' skin reader (fixed texts, not from the language tables).
inline constexpr std::string_view kSkinFileMissingMessage = "找不到配置文件";
inline constexpr std::string_view kSkinValueErrorMessage = "加载ini错误！";

// --- The dialogs' reader -------------------------------------------------------------------

using SkinValueFields = std::array<std::string_view, 7>;

// Splits a value the way the skinned dialogs read it. Without a comma the whole value is
// field 0. Otherwise every comma ends a field, up to six commas; the text after the last
// comma used is the next field, and field 6 takes everything after the sixth comma, commas
// included. A value with one to five commas therefore fills the fields it has and leaves
// the others empty ("a,10,20" is x 10, y 20, no size), which keeps whatever the author wrote
// instead of dropping it.
SkinValueFields SplitSkinValue(std::string_view value);

// More than six commas is an authoring error the reader reports (and still reads).
bool HasTooManyCommas(std::string_view value);

// x, y, width and height from fields 1..4 (text-to-integer rule), the caption from field 5.
SkinControl ControlFromFields(const SkinValueFields& fields);

struct DialogSkinLoad {
    SkinLayout layout;
    // The file was missing: the dialog ends (with result 0) once its initialisation is over.
    bool endDialog = false;
};

// LoadSkinLayout of a skinned dialog: reads controls 0 .. count-1 from `file`. A missing
// file shows the message box "找不到配置文件" once for every control read and leaves every
// control empty; a value with more than six commas shows "加载ini错误！" and is read anyway.
DialogSkinLoad LoadSkinLayout(const IniFiles& ini, UserNotices& notices,
                              const std::filesystem::path& file, int count);

// --- The main window's reader --------------------------------------------------------------

// One entry as the main window reads it: five or more commas split at every comma; one or
// two commas give fields 0..2; none, three or four commas make the whole value field 0. The
// rectangle is fields 1..4 and the text field 5.
SkinControl MainSkinEntry(std::string_view value);

// Entries 0 .. count-1 of section BUTTONPOS, or nothing when the file does not exist.
std::optional<SkinLayout> ReadMainSkinLayout(const IniFiles& ini, const std::filesystem::path& file,
                                             int count);

// A rectangle as left, top, right and bottom (right = x + width, bottom = y + height).
struct SkinRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const SkinRect&) const = default;
};
SkinRect RectOf(const SkinControl& control);

// The rectangles of `keys` (decimal entry numbers) of `section`, read with the main window's
// rules (sections EDIT and MACRODISPLAY). Missing keys give empty rectangles.
std::vector<SkinRect> ReadSkinRects(const IniFiles& ini, const std::filesystem::path& file,
                                    std::string_view section, std::span<const int> keys);

}  // namespace novu
