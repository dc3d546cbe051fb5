#pragma once

#include "macro/macro_record.h"

namespace novu {

// The macros a button code can name, as the device upload and software playback read them:
// user macros of the library's groups, recoil presets and built-in macros. Implementations
// are safe to call from the device threads while the interface thread edits the library.
class MacroSources {
public:
    virtual ~MacroSources() = default;

    // The number of groups of the library.
    virtual int GroupCount() const = 0;
    // The number of macros of a group (its file's macroNum as the names were last read).
    virtual int MacroCount(int group) const = 0;
    // One macro read from its group's file; an all-zero record for a group index not below
    // the group count or a macro index not below the file's macroNum.
    virtual MacroRecord ReadMacroEntry(int group, int index) const = 0;

    virtual int PresetCount() const = 0;
    virtual MacroRecord Preset(int index) const = 0;  // all-zero outside the table

    virtual int BuiltinCount() const = 0;
    virtual MacroRecord Builtin(int index) const = 0;  // all-zero outside the table
};

}  // namespace novu
