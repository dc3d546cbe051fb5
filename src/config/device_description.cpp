#include "config/device_description.h"

namespace novu {

int DeviceDescription::SlotOfHardwareKey(int hardwareKey) const {
    if (hardwareKey < 1 || hardwareKey > kHardwareKeys) {
        return -1;
    }
    return slotOfHardwareKey_[static_cast<std::size_t>(hardwareKey)];
}

void DeviceDescription::BuildReverseMap() {
    slotOfHardwareKey_ = MakeEmptyReverse();
    for (int slot = 0; slot < KEYNUM && slot < kButtonSlots; ++slot) {
        const int key = KEYMAP[static_cast<std::size_t>(slot)];
        if (key >= 1 && key <= kHardwareKeys) {
            slotOfHardwareKey_[static_cast<std::size_t>(key)] = static_cast<std::int8_t>(slot);
        }
    }
}

}  // namespace novu
