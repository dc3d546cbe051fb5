#include "device/upload_state.h"

namespace novu {

bool UploadState::TryClaimForApply() {
    int idle = 0;
    return claims_.compare_exchange_strong(idle, 1);
}

void UploadState::Claim() {
    claims_.fetch_add(1);
}

void UploadState::Release() {
    claims_.fetch_sub(1);
}

std::uint16_t UploadState::MacroEnd() const {
    std::lock_guard lock(mutex_);
    return macroEnd_;
}

KeyTables UploadState::Keys() const {
    std::lock_guard lock(mutex_);
    return keys_;
}

void UploadState::Publish(std::uint16_t macroEnd, const KeyTables& keys) {
    std::lock_guard lock(mutex_);
    macroEnd_ = macroEnd;
    keys_ = keys;
}

}  // namespace novu
