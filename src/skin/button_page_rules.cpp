#include "skin/button_page_rules.h"

#include <algorithm>

#include "base/text.h"

namespace novu {

namespace {

constexpr std::int32_t kFirstUserMacro = 256;
constexpr std::int32_t kFirstSkinCode = 30000;
constexpr std::int32_t kFirstPreset = 50;

int Slots(int keyNum) {
    return std::clamp(keyNum, 0, kButtonSlots);
}

std::string UncutLabel(std::int32_t code, const SlotLabelSources& sources) {
    if (code < 0) {
        return {};
    }
    if (code < kFunctionNameCount) {
        return std::string(sources.functions.Name(code));
    }
    if (code == kPrimaryClickCode) {
        return std::string(sources.functions.Name(kPrimaryClickName));
    }
    if (code >= kFirstSkinCode) {
        const ExtraFunction* extra = sources.functions.extras.ForCode(code);
        return extra != nullptr ? extra->name : std::string();
    }
    if (code >= kFirstUserMacro) {
        return sources.macroName ? sources.macroName(code / 256 - 1, code % 256) : std::string();
    }
    if (code >= kFirstPreset) {
        return sources.presetName ? sources.presetName(code - kFirstPreset) : std::string();
    }
    return {};
}

}  // namespace

std::string CutLabel(const std::string& label) {
    if (Utf16Length(label) <= kSlotLabelLimit) {
        return label;
    }
    return std::string(TruncateToUtf16Units(label, kSlotLabelLimit)) + "...";
}

std::string SlotLabel(std::int32_t code, const SlotLabelSources& sources) {
    return CutLabel(UncutLabel(code, sources));
}

int HoveredSlot(int hoveredEntry, int keyNum) {
    const int slot = hoveredEntry - button_entry::kFirstSlot;
    return slot >= 0 && slot < Slots(keyNum) ? slot : -1;
}

std::vector<int> ButtonPageHighlights(int hoveredEntry, int keyNum) {
    std::vector<int> lit;
    if (hoveredEntry < 0 || hoveredEntry == 255) {
        return lit;
    }
    const bool unlit =
        hoveredEntry >= button_entry::kFirstUnlit && hoveredEntry <= 48 + Slots(keyNum);
    if (!unlit) {
        lit.push_back(hoveredEntry);
    }
    if (const int slot = HoveredSlot(hoveredEntry, keyNum); slot >= 0) {
        lit.push_back(button_entry::kFirstCompanion + slot);
    }
    const int companion = hoveredEntry - button_entry::kFirstCompanion;
    if (companion >= 0 && companion < Slots(keyNum)) {
        lit.push_back(button_entry::kFirstSlot + companion);
    }
    return lit;
}

}  // namespace novu
