#pragma once

#include <string>
#include <string_view>

namespace novu {

// The five text tables of a language (section names of its LanguageText.ini).
enum class TextTable {
    TipText,
    UniqueName_MouseKey,
    UniqueName_DevMac,
    UniqueName_LED,
    UniqueName_Other,
};

// Read access to the current language's texts. The language layer implements it; the core
// takes it as a seam so it never waits for, or depends on, how texts are loaded.
class TextSource {
public:
    virtual ~TextSource() = default;
    // Entry `index` (0..49) of `table`; empty when the language does not have it.
    virtual std::string Text(TextTable table, int index) const = 0;
};

// Result of the warning dialog: which of its two buttons ended it.
enum class WarningResult { First = 1, Second = 2 };

// The user-notice seam: how the core reports to the user without including the interface.
// The window answers with its warning dialog and message boxes, the command-line tool prints
// to stderr, and tests record what was shown.
class UserNotices {
public:
    virtual ~UserNotices() = default;

    // The warning dialog showing entry `tipIndex` of the TipText table.
    virtual WarningResult ShowTip(int tipIndex) = 0;
    // The warning dialog showing a composed text (for example a prefix and a tip text).
    virtual WarningResult ShowWarningText(std::string_view text) = 0;
    // A plain message box with a fixed text.
    virtual void ShowMessageBox(std::string_view text) = 0;
};

}  // namespace novu
