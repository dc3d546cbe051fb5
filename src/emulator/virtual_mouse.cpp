#include "emulator/virtual_mouse.h"

#include <algorithm>
#include <cstdio>

#include "device/feature_transport.h"
#include "device/memory_image.h"
#include "device/report_layout.h"

namespace novu {

namespace {

using namespace report_byte;

constexpr std::size_t kReportHead = 8;  // report ID, command, six arguments
constexpr std::uint16_t kUsagePageInput = 0xFF00;
constexpr std::uint16_t kUsagePageFeature = 0xFF01;
constexpr std::uint16_t kVendorUsage = 1;
constexpr int kButtons = 3;

std::string Hex(unsigned value, int digits) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::uint16_t Word(std::uint8_t high, std::uint8_t low) {
    return static_cast<std::uint16_t>((high << 8) | low);
}

}  // namespace

// One open interface of the mouse.
class VirtualMouseHandle final : public HidDevice {
public:
    VirtualMouseHandle(VirtualMouse& mouse, MouseInterface which, HidAccess access)
        : mouse_(mouse), which_(which), access_(access) {
        if (Reads()) {
            mouse_.AddReader(reader_);
        }
    }
    ~VirtualMouseHandle() override {
        if (Reads()) {
            mouse_.RemoveReader(reader_);
        }
    }
    VirtualMouseHandle(const VirtualMouseHandle&) = delete;
    VirtualMouseHandle& operator=(const VirtualMouseHandle&) = delete;

    Result<void> SetFeature(std::span<const std::uint8_t> report) override {
        if (auto allowed = FeatureAllowed(); !allowed) {
            return allowed;
        }
        return mouse_.ReceiveFeature(report);
    }
    Result<void> GetFeature(std::span<std::uint8_t> report) override {
        if (auto allowed = FeatureAllowed(); !allowed) {
            return allowed;
        }
        return mouse_.AnswerFeature(report);
    }
    Result<std::size_t> ReadInput(std::span<std::uint8_t> report) override {
        if (which_ != MouseInterface::Input) {
            return MakeError(Fault::Device, "the feature interface sends no input reports");
        }
        if (access_ != HidAccess::Read) {
            return MakeError(Fault::Caller, "the interface was not opened for reading");
        }
        return mouse_.ReadInput(reader_, report);
    }
    void Interrupt() override { mouse_.Interrupt(reader_); }

private:
    bool Reads() const { return which_ == MouseInterface::Input && access_ == HidAccess::Read; }
    Result<void> FeatureAllowed() const {
        if (which_ != MouseInterface::Feature) {
            return MakeError(Fault::Device, "the input interface has no feature reports");
        }
        if (access_ != HidAccess::Write) {
            return MakeError(Fault::Caller, "the interface was not opened for writing");
        }
        return Ok();
    }

    VirtualMouse& mouse_;
    const MouseInterface which_;
    const HidAccess access_;
    VirtualMouse::Reader reader_;
};

VirtualMouse::VirtualMouse(Clock& clock, int variant, std::string product)
    : clock_(clock),
      variant_(variant == 0 ? 0 : 1),
      product_(std::move(product)),
      memory_(kMemorySize, 0) {}

VirtualMouse::~VirtualMouse() = default;

HidInterfaceInfo VirtualMouse::Describe(MouseInterface which, std::string path) const {
    const bool input = which == MouseInterface::Input;
    return HidInterfaceInfo{
        .path = std::move(path),
        .vendorId = kVendorId,
        .productId = variant_ == 0 ? kProductIdVariant0 : kProductIdVariant1,
        .product = product_,
        .usagePage = input ? kUsagePageInput : kUsagePageFeature,
        .usage = kVendorUsage,
        .inputReportLength = input ? kInputReportLength : 0,
        .featureReportLength = input ? 0 : kFeatureReportLength,
    };
}

std::unique_ptr<HidDevice> VirtualMouse::Open(MouseInterface which, HidAccess access) {
    return std::make_unique<VirtualMouseHandle>(*this, which, access);
}

void VirtualMouse::SetConnected(bool connected) {
    std::lock_guard lock(mutex_);
    connected_ = connected;
    WakeReaders();
}

bool VirtualMouse::Connected() const {
    std::lock_guard lock(mutex_);
    return connected_;
}

// --- Feature reports ------------------------------------------------------------------------

Result<void> VirtualMouse::ReceiveFeature(std::span<const std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (!connected_) {
        return MakeError(Fault::Device, "the mouse is not connected");
    }
    exchanges_.push_back({clock_.Now(), false, {report.begin(), report.end()}});
    if (report.empty() || report[kReportId] != kFeatureReportId) {
        Note("a set report without report ID 0x07");
        return MakeError(Fault::Device, "the mouse has no such feature report");
    }
    if (report.size() < kReportHead) {
        Note("a set report shorter than 8 bytes");
        return MakeError(Fault::Device, "the feature report is too short");
    }
    std::array<std::uint8_t, kReportHead> head{};
    std::copy_n(report.begin(), kReportHead, head.begin());
    lastCommand_[report[kCommand]] = head;
    switch (report[kCommand]) {
        case command::kMemoryAccess:
            MemoryAccess(report);
            break;
        case command::kMouseMove:
        case command::kKeyboardKeys:
        case command::kMouseButtons:
        case command::kConsumerKey:
            Inject(report);
            break;
        case command::kSetKeyFunction:
        case command::kHoldSignal:
        case command::kLightingEffect:
        case command::kLevelColour:
        case command::kCloseDevice:
            break;  // kept as the last report of its command
        default:
            Note("unknown command " + Hex(report[kCommand], 2));
            break;
    }
    return Ok();
}

Result<void> VirtualMouse::AnswerFeature(std::span<std::uint8_t> report) {
    std::lock_guard lock(mutex_);
    if (!connected_) {
        return MakeError(Fault::Device, "the mouse is not connected");
    }
    if (report.empty() || report[kReportId] != kFeatureReportId) {
        return MakeError(Fault::Device, "the mouse has no such feature report");
    }
    std::fill(report.begin(), report.end(), std::uint8_t{0});
    report[kReportId] = kFeatureReportId;
    if (report.size() > kAnswerData) {
        report[kAnswerData] = answerByte_;
    }
    if (report.size() > kAnswerStatus) {
        report[kAnswerStatus] = static_cast<std::uint8_t>(activeProfile_ << 2);
    }
    exchanges_.push_back({clock_.Now(), true, {report.begin(), report.end()}});
    return Ok();
}

void VirtualMouse::MemoryAccess(std::span<const std::uint8_t> report) {
    const std::uint8_t index = report[kChunkIndex];
    const std::uint16_t address = Word(report[kAddressHigh], report[kAddressLow]);
    const std::uint8_t lengthMinusOne = report[kLengthMinusOne];
    switch (report[kStepFlags]) {
        case memory_step::kWriteByte:
            if (lengthMinusOne > 7 || index > lengthMinusOne) {
                Note("placement at index " + std::to_string(index) + " of a chunk of " +
                     std::to_string(lengthMinusOne + 1) + " bytes");
                return;
            }
            if (!chunk_ || chunk_->address != address || chunk_->lengthMinusOne != lengthMinusOne) {
                if (chunk_ && chunk_->placed != 0) {
                    Note("placements at " + Hex(chunk_->address, 4) +
                         " dropped by a placement at " + Hex(address, 4));
                }
                chunk_ = Chunk{.address = address, .lengthMinusOne = lengthMinusOne};
            }
            chunk_->bytes[index] = report[kData];
            chunk_->placed = static_cast<std::uint8_t>(chunk_->placed | (1u << index));
            break;
        case memory_step::kCommit:
            Commit(address, lengthMinusOne);
            break;
        case memory_step::kReadByte:
            answerByte_ = memory_[static_cast<std::uint16_t>(address + index)];
            break;
        case memory_step::kIdle:
            chunk_.reset();  // placements that were not committed are dropped
            break;
        case memory_step::kFinish:
            ++finishes_;
            chunk_.reset();
            break;
        default:
            Note("unknown memory step " + Hex(report[kStepFlags], 2));
            break;
    }
}

void VirtualMouse::Commit(std::uint16_t address, std::uint8_t lengthMinusOne) {
    if (!chunk_ || chunk_->address != address || chunk_->lengthMinusOne != lengthMinusOne) {
        Note("commit at " + Hex(address, 4) + " without placements for that chunk");
        chunk_.reset();
        return;
    }
    for (unsigned i = 0; i <= lengthMinusOne; ++i) {
        const auto target = static_cast<std::uint16_t>(address + i);
        if ((chunk_->placed & (1u << i)) == 0) {
            Note("commit at " + Hex(address, 4) + ": byte " + std::to_string(i) +
                 " was never placed");
            continue;
        }
        memory_[target] = chunk_->bytes[i];
        if (target == memory_address::kProfileByte) {
            activeProfile_ = (memory_[target] >> 5) & 3;
        }
    }
    ++commits_;
    chunk_.reset();
}

void VirtualMouse::Inject(std::span<const std::uint8_t> report) {
    const TimePoint now = clock_.Now();
    const auto event = [&](HostEvent::Kind kind, std::uint16_t code) {
        hostEvents_.push_back({now, kind, code, 0, 0});
    };
    switch (report[kCommand]) {
        case command::kMouseMove:
            hostEvents_.push_back({now, HostEvent::Kind::Move, 0,
                                   static_cast<std::int16_t>(Word(report[2], report[3])),
                                   static_cast<std::int16_t>(Word(report[4], report[5]))});
            break;
        case command::kKeyboardKeys: {
            std::array<std::uint8_t, 6> keys{};
            std::copy_n(report.begin() + 2, keys.size(), keys.begin());
            const auto contains = [](const auto& set, std::uint8_t key) {
                return std::find(set.begin(), set.end(), key) != set.end();
            };
            for (std::uint8_t key : heldKeys_) {
                if (key != 0 && !contains(keys, key)) {
                    event(HostEvent::Kind::KeyUp, key);
                }
            }
            for (std::uint8_t key : keys) {
                if (key != 0 && !contains(heldKeys_, key)) {
                    event(HostEvent::Kind::KeyDown, key);
                }
            }
            heldKeys_ = keys;
            break;
        }
        case command::kMouseButtons: {
            const std::uint8_t state = report[3];
            for (int bit = 0; bit < kButtons; ++bit) {
                const bool wasPressed = ((buttonState_ >> bit) & 1) == 0;
                const bool pressed = ((state >> bit) & 1) == 0;
                if (pressed != wasPressed) {
                    event(pressed ? HostEvent::Kind::ButtonDown : HostEvent::Kind::ButtonUp,
                          static_cast<std::uint16_t>(bit));
                }
            }
            buttonState_ = state;
            break;
        }
        case command::kConsumerKey:
            event(HostEvent::Kind::ConsumerKey, Word(report[2], report[3]));
            break;
        default:
            break;
    }
}

void VirtualMouse::Note(std::string irregularity) {
    irregularities_.push_back(std::move(irregularity));
}

// --- The mouse's own state ------------------------------------------------------------------

std::vector<std::uint8_t> VirtualMouse::Memory() const {
    std::lock_guard lock(mutex_);
    return memory_;
}

std::uint8_t VirtualMouse::Peek(std::uint16_t address) const {
    std::lock_guard lock(mutex_);
    return memory_[address];
}

void VirtualMouse::Poke(std::uint16_t address, std::span<const std::uint8_t> bytes) {
    std::lock_guard lock(mutex_);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        memory_[static_cast<std::uint16_t>(address + i)] = bytes[i];
    }
}

int VirtualMouse::ActiveProfile() const {
    std::lock_guard lock(mutex_);
    return activeProfile_;
}

void VirtualMouse::SetActiveProfile(int profile) {
    std::lock_guard lock(mutex_);
    activeProfile_ = profile & 3;
}

int VirtualMouse::DpiLevel() const {
    std::lock_guard lock(mutex_);
    return memory_[memory_address::kDpiLevel] & 7;
}

void VirtualMouse::SetDpiLevel(int level) {
    std::lock_guard lock(mutex_);
    memory_[memory_address::kDpiLevel] =
        static_cast<std::uint8_t>((memory_[memory_address::kDpiLevel] & ~7u) | (level & 7));
}

int VirtualMouse::Commits() const {
    std::lock_guard lock(mutex_);
    return commits_;
}

int VirtualMouse::Finishes() const {
    std::lock_guard lock(mutex_);
    return finishes_;
}

// --- Input reports --------------------------------------------------------------------------

Result<void> VirtualMouse::QueueInput(TimePoint at, std::span<const std::uint8_t> report) {
    if (report.empty() || report.size() > kInputReportLength) {
        return MakeError(Fault::Caller,
                         "an input report has 1.." + std::to_string(kInputReportLength) + " bytes");
    }
    PendingReport pending{at, std::vector<std::uint8_t>(kInputReportLength, 0)};
    std::copy(report.begin(), report.end(), pending.bytes.begin());
    std::lock_guard lock(mutex_);
    const auto place = std::upper_bound(
        input_.begin(), input_.end(), at,
        [](TimePoint time, const PendingReport& queued) { return time < queued.at; });
    input_.insert(place, std::move(pending));
    WakeReaders();
    return Ok();
}

std::size_t VirtualMouse::PendingInput() const {
    std::lock_guard lock(mutex_);
    return input_.size();
}

Result<std::size_t> VirtualMouse::ReadInput(Reader& reader, std::span<std::uint8_t> out) {
    for (;;) {
        std::optional<TimePoint> due;
        {
            std::lock_guard lock(mutex_);
            if (reader.interrupted) {
                return std::size_t{0};
            }
            if (!connected_) {
                return MakeError(Fault::Device, "the mouse is not connected");
            }
            if (!input_.empty()) {
                if (input_.front().at <= clock_.Now()) {
                    const std::vector<std::uint8_t> bytes = std::move(input_.front().bytes);
                    input_.pop_front();
                    const std::size_t length = std::min(bytes.size(), out.size());
                    std::copy_n(bytes.begin(), length, out.begin());
                    return length;
                }
                due = input_.front().at;
            }
        }
        // Outside the lock: the wait lets virtual time run on to the next report. A report
        // queued or an interrupt meanwhile raises the event, so nothing is missed.
        clock_.WaitFor(reader.wake, due);
    }
}

void VirtualMouse::Interrupt(Reader& reader) {
    std::lock_guard lock(mutex_);
    reader.interrupted = true;
    clock_.Raise(reader.wake);
}

void VirtualMouse::AddReader(Reader& reader) {
    std::lock_guard lock(mutex_);
    readers_.push_back(&reader);
}

void VirtualMouse::RemoveReader(Reader& reader) {
    std::lock_guard lock(mutex_);
    readers_.erase(std::remove(readers_.begin(), readers_.end(), &reader), readers_.end());
}

void VirtualMouse::WakeReaders() {
    for (Reader* reader : readers_) {
        clock_.Raise(reader->wake);
    }
}

// --- Logs -----------------------------------------------------------------------------------

std::vector<FeatureExchange> VirtualMouse::Exchanges() const {
    std::lock_guard lock(mutex_);
    return exchanges_;
}

std::vector<HostEvent> VirtualMouse::HostEvents() const {
    std::lock_guard lock(mutex_);
    return hostEvents_;
}

void VirtualMouse::ClearLogs() {
    std::lock_guard lock(mutex_);
    exchanges_.clear();
    hostEvents_.clear();
    irregularities_.clear();
}

std::vector<std::string> VirtualMouse::Irregularities() const {
    std::lock_guard lock(mutex_);
    return irregularities_;
}

std::optional<std::array<std::uint8_t, 8>> VirtualMouse::LastCommand(std::uint8_t command) const {
    std::lock_guard lock(mutex_);
    return lastCommand_[command];
}

std::array<std::uint8_t, 6> VirtualMouse::HeldKeys() const {
    std::lock_guard lock(mutex_);
    return heldKeys_;
}

std::uint8_t VirtualMouse::ButtonState() const {
    std::lock_guard lock(mutex_);
    return buttonState_;
}

// --- Input reports the mouse sends -----------------------------------------------------------

std::vector<std::uint8_t> ButtonEventReport(int hardwareKey, bool released, int dpiLevel) {
    std::vector<std::uint8_t> report(VirtualMouse::kInputReportLength, 0);
    report[0] = VirtualMouse::kInputReportId;
    report[1] = static_cast<std::uint8_t>(0xF0 + hardwareKey);
    report[2] = static_cast<std::uint8_t>((released ? 0x80 : 0x00) | (dpiLevel & 7));
    return report;
}

std::vector<std::uint8_t> MouseEventReport(std::uint8_t code) {
    std::vector<std::uint8_t> report(VirtualMouse::kInputReportLength, 0);
    report[0] = VirtualMouse::kInputReportId;
    report[1] = code;
    return report;
}

}  // namespace novu
