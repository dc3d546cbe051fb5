#pragma once

#include "macro/builtin_macros.h"
#include "macro/macro_library.h"
#include "macro/macro_sources.h"
#include "macro/recoil_presets.h"

namespace novu {

// The macros a button code can name, as the device upload and playback read them: the
// library's groups, the recoil presets and the built-in macros. Every call is safe from the
// device threads.
class MacroTables final : public MacroSources {
public:
    MacroTables(const MacroLibrary& library, const RecoilPresets& presets,
                const BuiltinMacros& builtins)
        : library_(library), presets_(presets), builtins_(builtins) {}

    int GroupCount() const override { return library_.GroupCount(); }
    int MacroCount(int group) const override { return library_.MacroCount(group); }
    MacroRecord ReadMacroEntry(int group, int index) const override {
        return library_.ReadMacroEntry(group, index);
    }

    int PresetCount() const override { return presets_.Count(); }
    MacroRecord Preset(int index) const override { return presets_.Preset(index); }

    int BuiltinCount() const override { return builtins_.Count(); }
    MacroRecord Builtin(int index) const override { return builtins_.Macro(index); }

private:
    const MacroLibrary& library_;
    const RecoilPresets& presets_;
    const BuiltinMacros& builtins_;
};

}  // namespace novu
