#include "device/current_macro.h"

namespace novu {

void CurrentMacro::LoadUserMacro(const MacroRecord& record, int group, int index, bool exists) {
    std::lock_guard lock(mutex_);
    state_ = State{record, group, index, exists, false};
}

void CurrentMacro::LoadOther(const MacroRecord& record) {
    std::lock_guard lock(mutex_);
    state_.record = record;
    state_.userMacro = false;
    state_.changed = false;
}

void CurrentMacro::SetOffset(std::uint8_t enabled, std::uint8_t offset) {
    if (state_.record.yOffsetEnabled != enabled || state_.record.yOffset != offset) {
        state_.record.yOffsetEnabled = enabled;
        state_.record.yOffset = offset;
        state_.changed = true;
    }
}

void CurrentMacro::EnableYOffset() {
    std::lock_guard lock(mutex_);
    SetOffset(1, state_.record.yOffset);
}

void CurrentMacro::RaiseYOffset() {
    std::lock_guard lock(mutex_);
    SetOffset(state_.record.yOffsetEnabled, static_cast<std::uint8_t>(state_.record.yOffset + 1));
}

void CurrentMacro::LowerYOffset() {
    std::lock_guard lock(mutex_);
    if (state_.record.yOffset > 0) {
        SetOffset(state_.record.yOffsetEnabled,
                  static_cast<std::uint8_t>(state_.record.yOffset - 1));
    }
}

CurrentMacro::State CurrentMacro::Get() const {
    std::lock_guard lock(mutex_);
    return state_;
}

std::optional<CurrentMacro::State> CurrentMacro::PendingWrite() const {
    std::lock_guard lock(mutex_);
    if (!state_.userMacro || !state_.changed) {
        return std::nullopt;
    }
    return state_;
}

void CurrentMacro::Written(const State& written) {
    std::lock_guard lock(mutex_);
    if (state_ == written) {
        state_.changed = false;
    }
}

}  // namespace novu
