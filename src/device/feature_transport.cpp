#include "device/feature_transport.h"

#include <algorithm>

#include "config/settings.h"
#include "device/report_layout.h"

namespace novu {

namespace {

using namespace report_byte;

constexpr std::size_t kLargestChunk = 8;

// Pacing of the memory-access sequences: the mouse gives no acknowledgement, these pauses
// are all the time it gets.
constexpr Duration kPlacementSettle = Ms(4);
constexpr Duration kStepPause = Ms(2);
constexpr Duration kFinishPause = Ms(5);

constexpr std::uint8_t HighByte(std::int32_t value) {
    return static_cast<std::uint8_t>((value >> 8) & 0xFF);
}
constexpr std::uint8_t LowByte(std::int32_t value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

FeatureTransport::FeatureTransport(Clock& clock) : clock_(clock), mutex_(clock) {}

void FeatureTransport::Attach(HidDevice* feature, std::size_t featureLength) {
    std::lock_guard lock(mutex_);
    feature_ = feature;
    featureLength_ = std::min(featureLength, kFeatureBufferSize);
}

bool FeatureTransport::Attached() const {
    std::lock_guard lock(mutex_);
    return feature_ != nullptr;
}

void FeatureTransport::Send() {
    if (feature_ == nullptr) {
        return;  // the call would fail on an interface that is not open
    }
    // Deliberately ignored: the protocol has no acknowledgement, and a missing or unplugged
    // mouse is noticed by discovery, not here.
    static_cast<void>(feature_->SetFeature(std::span(buffer_.data(), featureLength_)));
}

void FeatureTransport::Receive() {
    if (feature_ == nullptr) {
        return;
    }
    std::array<std::uint8_t, kFeatureBufferSize> answer = buffer_;
    // Deliberately not reported: a failed read leaves the request in the buffer, which is
    // what the readers of the answer are defined to see.
    if (feature_->GetFeature(std::span(answer.data(), featureLength_))) {
        buffer_ = answer;
    }
}

void FeatureTransport::MemoryAccess(std::uint8_t step, std::uint8_t index, std::uint16_t address,
                                    std::uint8_t data, std::uint8_t lengthMinusOne) {
    buffer_[kReportId] = kFeatureReportId;
    buffer_[kCommand] = command::kMemoryAccess;
    buffer_[kStepFlags] = step;
    buffer_[kChunkIndex] = index;
    buffer_[kAddressLow] = LowByte(address);
    buffer_[kAddressHigh] = HighByte(address);
    buffer_[kData] = data;
    buffer_[kLengthMinusOne] = lengthMinusOne;
    Send();
}

void FeatureTransport::MouseMove(std::int16_t dx, std::int16_t dy) {
    std::lock_guard lock(mutex_);
    buffer_[kReportId] = kFeatureReportId;
    buffer_[kCommand] = command::kMouseMove;
    buffer_[kArg0] = HighByte(dx);
    buffer_[kArg0 + 1] = LowByte(dx);
    buffer_[kArg0 + 2] = HighByte(dy);
    buffer_[kArg0 + 3] = LowByte(dy);
    buffer_[kArg0 + 4] = 0;
    buffer_[kArg0 + 5] = 0;
    Send();
}

void FeatureTransport::SetKeyFunction(std::uint8_t hardwareKey, std::uint8_t function) {
    std::lock_guard lock(mutex_);
    if (feature_ == nullptr) {
        return;
    }
    buffer_[kReportId] = kFeatureReportId;
    buffer_[kCommand] = command::kSetKeyFunction;
    buffer_[kArg0] = hardwareKey;
    buffer_[kArg0 + 1] = function;
    Send();
}

void FeatureTransport::HoldSignal(std::uint8_t state) {
    std::lock_guard lock(mutex_);
    if (feature_ == nullptr) {
        return;
    }
    buffer_[kReportId] = kFeatureReportId;
    buffer_[kCommand] = command::kHoldSignal;
    buffer_[kArg0] = state;
    std::fill(buffer_.begin() + kArg0 + 1, buffer_.begin() + kArg0 + 6, std::uint8_t{0});
    Send();
}

void FeatureTransport::LightingEffect(const SharedSettings& shared, const LightingArgs& args) {
    std::lock_guard lock(mutex_);
    buffer_[kReportId] = kFeatureReportId;
    buffer_[kCommand] = command::kLightingEffect;
    // Each byte is its sum cut to eight bits; the effect code is deliberately not masked, so
    // codes from 8 on carry into bit 7 of byte 3 as the mouse has always been sent them.
    buffer_[kArg0] = LowByte(shared.LED_USER_COLER_EN * 128 + args.colourMask);
    buffer_[kArg0 + 1] =
        LowByte(args.on * 128 + args.effect * 16 + args.flag * 8 + (args.speed & 7));
    buffer_[kArg0 + 2] =
        LowByte(shared.LED_FEATURE_SCOLOR * 128 + shared.LED_FEATURE_SYMMETRY * 64 +
                ((shared.LED_FEATURE_DIREC * 16) & 0x30) + args.mode);
    buffer_[kArg0 + 3] = LowByte(shared.LED_BRIGHT & 7);
    buffer_[kArg0 + 4] = LowByte((args.word / 256) & 3);
    buffer_[kArg0 + 5] = LowByte(args.word);
    Send();
}

void FeatureTransport::LevelColour(std::uint8_t level, std::int32_t red, std::int32_t green,
                                   std::int32_t blue) {
    std::lock_guard lock(mutex_);
    buffer_[kReportId] = kFeatureReportId;
    buffer_[kCommand] = command::kLevelColour;
    buffer_[kArg0] = LowByte(level * 32 + green);
    buffer_[kArg0 + 1] = LowByte(red * 16 + blue);
    Send();
}

void FeatureTransport::KeyboardKeys(const std::array<std::uint8_t, 6>& keys) {
    std::lock_guard lock(mutex_);
    buffer_[kReportId] = kFeatureReportId;
    buffer_[kCommand] = command::kKeyboardKeys;
    std::copy(keys.begin(), keys.end(), buffer_.begin() + kArg0);
    Send();
}

void FeatureTransport::MouseButtons(std::uint8_t buttonState) {
    std::lock_guard lock(mutex_);
    buffer_[kReportId] = kFeatureReportId;
    buffer_[kCommand] = command::kMouseButtons;
    buffer_[kArg0 + 1] = buttonState;
    Send();
}

void FeatureTransport::ConsumerKey(std::uint16_t usage) {
    std::lock_guard lock(mutex_);
    // The report ID is set here too, although every other report and answer leaves 0x07 in
    // byte 0: a consumer key sent first, or after an answer with another ID, would otherwise
    // go out under a wrong report ID.
    buffer_[kReportId] = kFeatureReportId;
    buffer_[kCommand] = command::kConsumerKey;
    buffer_[kArg0] = HighByte(usage);
    buffer_[kArg0 + 1] = LowByte(usage);
    Send();
}

void FeatureTransport::CloseDevice() {
    std::lock_guard lock(mutex_);
    if (feature_ == nullptr) {
        return;
    }
    buffer_[kReportId] = kFeatureReportId;
    buffer_[kCommand] = command::kCloseDevice;
    buffer_[kArg0] = 0;
    buffer_[kArg0 + 1] = 0;
    Send();
}

void FeatureTransport::WriteBlock(std::uint16_t address, std::span<const std::uint8_t> bytes) {
    if (bytes.empty() || bytes.size() > kLargestChunk) {
        return;
    }
    const auto lastIndex = static_cast<std::uint8_t>(bytes.size() - 1);
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        MemoryAccess(memory_step::kWriteByte, static_cast<std::uint8_t>(i), address, bytes[i],
                     lastIndex);
    }
    clock_.SleepFor(kPlacementSettle);
    MemoryAccess(memory_step::kCommit, 0, address, 0, lastIndex);
    clock_.SleepFor(kStepPause);
    MemoryAccess(memory_step::kIdle, 0, address, 0, 0);
}

void FeatureTransport::ReadBlock(std::uint16_t address, std::span<std::uint8_t> out) {
    if (out.empty() || out.size() > kLargestChunk) {
        return;
    }
    const auto lastIndex = static_cast<std::uint8_t>(out.size() - 1);
    std::lock_guard lock(mutex_);
    // Priming pass: placements announce the chunk; no commit follows, so memory stays as it is.
    for (std::size_t i = 0; i < out.size(); ++i) {
        MemoryAccess(memory_step::kWriteByte, static_cast<std::uint8_t>(i), address, 0, lastIndex);
        clock_.SleepFor(kStepPause);
    }
    clock_.SleepFor(kStepPause);
    MemoryAccess(memory_step::kIdle, 0, address, 0, 0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        MemoryAccess(memory_step::kReadByte, static_cast<std::uint8_t>(i), address, 0, lastIndex);
        clock_.SleepFor(kStepPause);
        Receive();
        out[i] = buffer_[kAnswerData];
    }
    clock_.SleepFor(kStepPause);
    // The closing idle of a read carries address 0.
    MemoryAccess(memory_step::kIdle, 0, 0, 0, 0);
}

void FeatureTransport::Finish() {
    std::lock_guard lock(mutex_);
    MemoryAccess(memory_step::kFinish, 0, 0, 0, 0);
    clock_.SleepFor(kFinishPause);
    MemoryAccess(memory_step::kIdle, 0, 0, 0, 0);
}

std::array<std::uint8_t, 8> FeatureTransport::ReadStatus() {
    std::lock_guard lock(mutex_);
    buffer_[kReportId] = kFeatureReportId;
    Receive();
    std::array<std::uint8_t, 8> head{};
    std::copy_n(buffer_.begin(), head.size(), head.begin());
    return head;
}

std::array<std::uint8_t, 8> FeatureTransport::BufferHead() const {
    std::lock_guard lock(mutex_);
    std::array<std::uint8_t, 8> head{};
    std::copy_n(buffer_.begin(), head.size(), head.begin());
    return head;
}

}  // namespace novu
