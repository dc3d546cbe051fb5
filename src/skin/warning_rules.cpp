#include "skin/warning_rules.h"

namespace novu {

int WarningHover(const SkinLayout& layout, SkinPoint point) {
    const auto inside = [&](int control) {
        return control < static_cast<int>(layout.controls.size()) &&
               layout.controls[static_cast<std::size_t>(control)].Contains(point);
    };
    if (inside(kWarningFirstButton)) {
        return 1;
    }
    if (inside(kWarningSecondButton)) {
        return 2;
    }
    return kNoControl;
}

int WarningResultOnRelease(int hover) {
    return hover == 1 || hover == 2 ? hover : 0;
}

}  // namespace novu
