#include "macro/macro_editor_view.h"

#include "base/text.h"

namespace novu {

MacroView ShowMacroView(const MacroRecord& macro, const TextSource& texts,
                        const KeyNameFunction& keyName, bool leaveRepeatBox) {
    MacroView view{BuildStepList(macro, texts, keyName), std::nullopt};
    if (view.steps.rows.empty() || leaveRepeatBox) {
        return view;
    }
    if ((macro.playMode & 3) != play_mode::kCount) {
        view.repeatBox = RepeatBoxState{"1", false};
    } else {
        view.repeatBox = RepeatBoxState{FormatDecimal(macro.repeatCount), true};
    }
    return view;
}

}  // namespace novu
