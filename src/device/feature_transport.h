#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "base/clock.h"
#include "device/clock_mutex.h"
#include "device/hid.h"

namespace novu {

struct SharedSettings;

// Command codes (byte 1 of a feature report).
namespace command {
constexpr std::uint8_t kMouseMove = 0x0B;
constexpr std::uint8_t kSetKeyFunction = 0x10;
constexpr std::uint8_t kHoldSignal = 0x11;
constexpr std::uint8_t kLightingEffect = 0x13;
constexpr std::uint8_t kLevelColour = 0x14;
constexpr std::uint8_t kKeyboardKeys = 0x15;
constexpr std::uint8_t kMouseButtons = 0x16;
constexpr std::uint8_t kConsumerKey = 0x17;
constexpr std::uint8_t kMemoryAccess = 0x18;
constexpr std::uint8_t kCloseDevice = 0x20;
}  // namespace command

// Step flags of MemoryAccess (byte 2).
namespace memory_step {
constexpr std::uint8_t kIdle = 0x00;
constexpr std::uint8_t kWriteByte = 0x03;
constexpr std::uint8_t kReadByte = 0x05;
constexpr std::uint8_t kCommit = 0x09;
constexpr std::uint8_t kFinish = 0x10;
}  // namespace memory_step

constexpr std::uint8_t kFeatureReportId = 0x07;
constexpr std::size_t kFeatureBufferSize = 256;

// The values a LightingEffect report takes from its caller, besides the lighting fields of
// the shared settings.
struct LightingArgs {
    std::uint8_t colourMask = 0;  // bit n: user colour n takes part
    std::uint8_t on = 0;
    std::uint8_t effect = 0;  // not masked: codes 8 and above carry into bit 7 of byte 3
    std::uint8_t flag = 0;
    std::uint8_t speed = 0;
    std::uint8_t mode = 0;  // LightingMode
    std::uint16_t word = 0;
};

// The mouse's command channel: one 256-byte feature report buffer shared by every sender,
// one builder per command, and byte-addressed access to the configuration memory.
//
// The buffer is never cleared between reports: a byte a command does not set keeps what the
// previous report, or the mouse's previous answer, left in it (the mouse sees those bytes).
// Every report goes out with the feature length of the vendor feature interface. Each
// multi-report sequence (WriteBlock, ReadBlock, Finish, ReadStatus with its answer) and each
// single command holds one lock, so reports of several threads never interleave.
//
// Results of the HID calls are deliberately not examined: the protocol has no
// acknowledgement, and a missing mouse makes every command a silent no-op. A failed read
// leaves the request in the buffer (ReadBlock then yields the command code 0x18 for every
// byte). The lock waits through the clock seam, so the sequences' sleeps run on virtual time
// even while other threads wait for the transport.
class FeatureTransport {
public:
    explicit FeatureTransport(Clock& clock);

    // The vendor feature interface and its feature report length; null detaches (the state
    // of an interface that could not be opened). Commands that check the interface send
    // nothing while detached; the others still build their report.
    void Attach(HidDevice* feature, std::size_t featureLength);
    bool Attached() const;

    void MouseMove(std::int16_t dx, std::int16_t dy);
    void SetKeyFunction(std::uint8_t hardwareKey, std::uint8_t function);
    void HoldSignal(std::uint8_t state);
    void LightingEffect(const SharedSettings& shared, const LightingArgs& args);
    void LevelColour(std::uint8_t level, std::int32_t red, std::int32_t green, std::int32_t blue);
    void KeyboardKeys(const std::array<std::uint8_t, 6>& keys);
    void MouseButtons(std::uint8_t buttonState);
    void ConsumerKey(std::uint16_t usage);
    void CloseDevice();

    // Writes 1..8 bytes at `address` (place each byte, commit, idle). Any other length is a
    // caller's mistake the mouse cannot express: nothing is sent.
    void WriteBlock(std::uint16_t address, std::span<const std::uint8_t> bytes);
    // Reads 1..8 bytes from `address` into `out`; any other length sends nothing and leaves
    // `out` as it is.
    void ReadBlock(std::uint16_t address, std::span<std::uint8_t> out);
    // Ends a batch of changes.
    void Finish();
    // Reads the status report; returns bytes 0..7 of the answer (the buffer keeps it).
    std::array<std::uint8_t, 8> ReadStatus();

    // Bytes 0..7 of the shared buffer as they stand (for tests and traces).
    std::array<std::uint8_t, 8> BufferHead() const;

private:
    // Sends the buffer with the feature length; the caller holds the lock.
    void Send();
    void Receive();
    void MemoryAccess(std::uint8_t step, std::uint8_t index, std::uint16_t address,
                      std::uint8_t data, std::uint8_t lengthMinusOne);

    Clock& clock_;
    mutable ClockMutex mutex_;
    std::array<std::uint8_t, kFeatureBufferSize> buffer_{};
    HidDevice* feature_ = nullptr;
    std::size_t featureLength_ = 0;
};

}  // namespace novu
