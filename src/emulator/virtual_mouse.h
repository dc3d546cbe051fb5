#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/clock.h"
#include "device/hid.h"

namespace novu {

// What the mouse would send to the computer in answer to the injection commands.
struct HostEvent {
    enum class Kind {
        KeyDown,      // code: keyboard usage
        KeyUp,        // code: keyboard usage
        ButtonDown,   // code: button bit (0 left, 1 right, 2 middle)
        ButtonUp,     // code: button bit
        Move,         // dx, dy
        ConsumerKey,  // code: consumer usage (0 releases)
    };
    TimePoint time{};
    Kind kind = Kind::Move;
    std::uint16_t code = 0;
    std::int16_t dx = 0;
    std::int16_t dy = 0;

    bool operator==(const HostEvent&) const = default;
};

// One feature report as the mouse saw it: a set report as received, a get report as
// answered.
struct FeatureExchange {
    TimePoint time{};
    bool answer = false;  // true for a get report
    std::vector<std::uint8_t> bytes;
};

// The two vendor interfaces of the mouse.
enum class MouseInterface { Input, Feature };

// A model of the mouse's side of the protocol, for tests, the command-line tool and demos:
//
// - 64 KiB of configuration memory (bytes never written read 0x00) behind the memory-access
//   state machine: placed bytes are held until a commit stores the chunk at its address; an
//   idle, a finish or a placement for another chunk drops placements that were not committed;
//   a byte read is answered in byte 1 of the next get report.
// - The status answer: byte 6 carries the active profile in bits 2..3. The profile follows
//   the profile byte at address 0x01 when a commit writes it, and the mouse's own profile
//   buttons (SetActiveProfile). The DPI level lives in bits 0..2 of address 0x18.
// - The injection commands (moves, buttons, keys, consumer keys) become host events.
// - A queue of input reports with the times they arrive; reads of the input interface block
//   on the clock seam until the next report is due, so they follow virtual time.
// - A log of every feature report with its time, and a list of protocol irregularities
//   (for instance a commit of a byte that was never placed) that a careful host never causes.
//
// Every member is safe to call from any thread. Handles opened on the mouse must not outlive
// it.
class VirtualMouse {
public:
    static constexpr std::uint16_t kVendorId = 0x30FA;
    static constexpr std::uint16_t kProductIdVariant0 = 0x1201;
    static constexpr std::uint16_t kProductIdVariant1 = 0x1040;
    static constexpr std::size_t kMemorySize = 0x10000;
    // Report lengths as the HID capabilities give them, report ID included.
    static constexpr std::size_t kFeatureReportLength = 9;
    static constexpr std::size_t kInputReportLength = 9;
    static constexpr std::uint8_t kFeatureReportId = 0x07;
    static constexpr std::uint8_t kInputReportId = 0x06;

    // `variant` 0 answers with product ID 0x1201, any other value with 0x1040 (variant 1).
    VirtualMouse(Clock& clock, int variant, std::string product = "NOVU GMouse");
    ~VirtualMouse();
    VirtualMouse(const VirtualMouse&) = delete;
    VirtualMouse& operator=(const VirtualMouse&) = delete;

    int Variant() const { return variant_; }
    Clock& GetClock() const { return clock_; }

    // The interface as the system would list it under `path`.
    HidInterfaceInfo Describe(MouseInterface which, std::string path) const;
    // Opens one interface. Feature reports need Write access on the feature interface, input
    // reads Read access on the input interface; anything else fails as the system would.
    std::unique_ptr<HidDevice> Open(MouseInterface which, HidAccess access);

    // Plugging: while unplugged every call of an open handle fails and blocked reads end
    // with an error.
    void SetConnected(bool connected);
    bool Connected() const;

    // --- The mouse's own state ------------------------------------------------------------
    std::vector<std::uint8_t> Memory() const;  // all 65,536 bytes
    std::uint8_t Peek(std::uint16_t address) const;
    void Poke(std::uint16_t address, std::span<const std::uint8_t> bytes);
    int ActiveProfile() const;
    void SetActiveProfile(int profile);  // the mouse's profile buttons
    int DpiLevel() const;
    void SetDpiLevel(int level);  // the mouse's DPI buttons: bits 0..2 of address 0x18
    int Commits() const;
    int Finishes() const;

    // --- Input reports --------------------------------------------------------------------
    // Queues `report` (report ID first; zero-padded to the input report length) to arrive at
    // `at` on the mouse's clock. Reports due at the same time arrive in the order queued.
    Result<void> QueueInput(TimePoint at, std::span<const std::uint8_t> report);
    std::size_t PendingInput() const;

    // --- What the mouse received and did --------------------------------------------------
    std::vector<FeatureExchange> Exchanges() const;
    std::vector<HostEvent> HostEvents() const;
    void ClearLogs();  // exchanges, host events and irregularities
    std::vector<std::string> Irregularities() const;
    // Bytes 0..7 of the last set report with this command code.
    std::optional<std::array<std::uint8_t, 8>> LastCommand(std::uint8_t command) const;
    std::array<std::uint8_t, 6> HeldKeys() const;
    std::uint8_t ButtonState() const;  // bit 0 left, 1 right, 2 middle; 0 = pressed

private:
    friend class VirtualMouseHandle;
    struct Reader {
        ClockEvent wake;
        bool interrupted = false;
    };
    struct PendingReport {
        TimePoint at;
        std::vector<std::uint8_t> bytes;
    };
    // A chunk being assembled by placements.
    struct Chunk {
        std::uint16_t address = 0;
        std::uint8_t lengthMinusOne = 0;
        std::array<std::uint8_t, 8> bytes{};
        std::uint8_t placed = 0;  // bit i: byte i was placed
    };

    Result<void> ReceiveFeature(std::span<const std::uint8_t> report);
    Result<void> AnswerFeature(std::span<std::uint8_t> report);
    Result<std::size_t> ReadInput(Reader& reader, std::span<std::uint8_t> out);
    void Interrupt(Reader& reader);
    void AddReader(Reader& reader);
    void RemoveReader(Reader& reader);

    // The callers of these hold the lock.
    void MemoryAccess(std::span<const std::uint8_t> report);
    void Commit(std::uint16_t address, std::uint8_t lengthMinusOne);
    void Inject(std::span<const std::uint8_t> report);
    void Note(std::string irregularity);
    void WakeReaders();

    Clock& clock_;
    const int variant_;
    const std::string product_;
    mutable std::mutex mutex_;
    bool connected_ = true;
    std::vector<std::uint8_t> memory_;
    std::optional<Chunk> chunk_;
    std::uint8_t answerByte_ = 0;
    int activeProfile_ = 0;
    int commits_ = 0;
    int finishes_ = 0;
    std::deque<PendingReport> input_;
    std::vector<Reader*> readers_;
    std::vector<FeatureExchange> exchanges_;
    std::vector<HostEvent> hostEvents_;
    std::vector<std::string> irregularities_;
    std::array<std::optional<std::array<std::uint8_t, 8>>, 256> lastCommand_{};
    std::array<std::uint8_t, 6> heldKeys_{};
    std::uint8_t buttonState_ = 0xFF;
};

// Input reports the mouse sends: a button event (hardware key 1..14, press or release, the
// current DPI level in bits 0..2 of byte 2) and the other events (0x01, 0x02, 0x03).
std::vector<std::uint8_t> ButtonEventReport(int hardwareKey, bool released, int dpiLevel);
std::vector<std::uint8_t> MouseEventReport(std::uint8_t code);

}  // namespace novu
