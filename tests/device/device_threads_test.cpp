// The device event thread and the key-press service thread together, on the virtual clock
// against the virtual mouse: input reports queued at their times, feature reports checked
// with theirs.
#include "device/device_threads.h"

#include <gtest/gtest.h>

#include <thread>

#include "device/device_link.h"
#include "device/device_session.h"
#include "device/device_thread_rig.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_mouse.h"
#include "input/key_codes.h"

namespace novu {
namespace {

using test::MakeMacro;
using test::ReportHead;

constexpr std::uint8_t kKeys = 0x15;
constexpr std::uint8_t kButtons = 0x16;
constexpr std::uint8_t kConsumer = 0x17;

class FixedRandom final : public RandomSource {
public:
    int Below(int) override { return 0; }
};

// The link's input interface behind a wrapper that counts reads; one interface always gets
// the same wrapper, as the link always hands out the same interface.
class CountingInput final : public HidDevice {
public:
    explicit CountingInput(std::shared_ptr<HidDevice> inner) : inner_(std::move(inner)) {}
    Result<void> SetFeature(std::span<const std::uint8_t> report) override {
        return inner_->SetFeature(report);
    }
    Result<void> GetFeature(std::span<std::uint8_t> report) override {
        return inner_->GetFeature(report);
    }
    Result<std::size_t> ReadInput(std::span<std::uint8_t> report) override {
        reads.fetch_add(1);
        return inner_->ReadInput(report);
    }
    void Interrupt() override { inner_->Interrupt(); }

    const std::shared_ptr<HidDevice> inner_;
    std::atomic<int> reads{0};
};

struct CountingSource {
    std::mutex mutex;
    std::shared_ptr<CountingInput> current;
    std::atomic<int> reads{0};  // of every interface so far

    InputSource Over(const DeviceLink& link) {
        return [this, &link] {
            std::lock_guard lock(mutex);
            const std::shared_ptr<HidDevice> device = link.InputDevice();
            if (!device) {
                return InputInterface{};
            }
            if (!current || current->inner_ != device) {
                if (current) {
                    reads.fetch_add(current->reads.load());
                }
                current = std::make_shared<CountingInput>(device);
            }
            return InputInterface{current, link.InputReportLength()};
        };
    }
    int Reads() {
        std::lock_guard lock(mutex);
        return reads.load() + (current ? current->reads.load() : 0);
    }
};

class DeviceThreadsTest : public ::testing::Test, protected test::DeviceThreadRig {
protected:
    DeviceThreadsTest() {
        macros.groups = {{
            // 0: repeats until pressed again; 20 ms a play
            MakeMacro({{step_type::kPress, 0x04, 0, 0, 10}, {step_type::kRelease, 0x04, 0, 0, 10}},
                      play_mode::kUntilPressed),
            // 1: repeats while held
            MakeMacro({{step_type::kPress, 0x05, 0, 0, 10}, {step_type::kRelease, 0x05, 0, 0, 10}},
                      play_mode::kWhileHeld),
            // 2: played twice
            MakeMacro({{step_type::kPress, 0x06, 0, 0, 10}, {step_type::kRelease, 0x06, 0, 0, 10}},
                      play_mode::kCount, 2),
        }};
    }

    // The threads start before the mouse is opened, as at start-up.
    void Start() {
        Prepare();
        threads.Start();
    }
    void Open() {
        ASSERT_TRUE(session.Open(test::TwelveButtons()));
        threads.InputChanged();
    }
    void At(int ms, const std::vector<std::uint8_t>& report) {
        ASSERT_TRUE(rig.mouse.QueueInput(Ms(ms), report));
        ++queued;
    }
    void PressAt(int ms, int key, int dpiLevel = 0) {
        At(ms, ButtonEventReport(key, false, dpiLevel));
    }
    void ReleaseAt(int ms, int key) { At(ms, ButtonEventReport(key, true, 0)); }
    bool Settle(std::optional<int> untilMs = std::nullopt) {
        return threads.WaitUntilSettled(
            queued, untilMs ? std::optional<TimePoint>(Ms(*untilMs)) : std::nullopt);
    }
    static std::vector<double> Times(const std::vector<test::MouseRig::Sent>& sent) {
        std::vector<double> times;
        for (const auto& s : sent) {
            times.push_back(ToMilliseconds(s.time));
        }
        return times;
    }
    std::int32_t DpiLevel() const {
        return store.Read([](const Settings& s) { return s.shared.DPI_LEVEL; });
    }

    // The test's thread takes part in the clock, so time stands still while it works (a
    // Stop right after a wait happens at the time the wait ended).
    ClockParticipation participation{rig.clock};
    VirtualBus bus{rig.mouse};
    DeviceLink link{bus};
    DeviceSession session{link, rig.transport};
    CountingSource source;
    FixedRandom random;
    std::uint64_t queued = 0;
    DeviceThreads threads{Context(), Callbacks(), source.Over(link), &random};
};

TEST_F(DeviceThreadsTest, DpiLevelFollowedForEveryMappedPress) {
    Assign(0, 1, 2);
    Start();
    Open();
    PressAt(10, 2, 3);
    ReleaseAt(20, 2);
    PressAt(30, 14, 5);  // no slot maps key 14
    ReleaseAt(40, 14);
    ASSERT_TRUE(Settle());

    EXPECT_EQ(DpiLevel(), 3);
    EXPECT_EQ(IniNumber("ShareData", "DPI_LEVEL"), 3);
    EXPECT_EQ(soundLevel, 3);
    EXPECT_EQ(repaints, 1);
    EXPECT_FALSE(threads.Press().keyPending);
    EXPECT_FALSE(threads.Press().trigger);
    EXPECT_TRUE(rig.mouse.Exchanges().empty());
}

TEST_F(DeviceThreadsTest, ReportedLevelIsSavedEvenWhenMemoryAlreadyHoldsIt) {
    // The window changed the level in memory only; the file still holds the old one.
    Assign(0, 1, 2);
    Start();
    Open();
    store.Update([](Settings& s) { s.shared.DPI_LEVEL = 4; });
    ASSERT_NE(IniNumber("ShareData", "DPI_LEVEL"), 4);
    PressAt(10, 2, 4);
    ReleaseAt(20, 2);
    ASSERT_TRUE(Settle());

    EXPECT_EQ(IniNumber("ShareData", "DPI_LEVEL"), 4);
}

TEST_F(DeviceThreadsTest, MultimediaKeyWithoutSoftwareMacroMode) {
    store.Update([](Settings& s) { s.shared.SOFT_HARD_MAC = 0; });
    Assign(0, 1, 25);  // multimedia function 2
    Start();
    Open();
    PressAt(10, 2);
    ReleaseAt(30, 2);
    ASSERT_TRUE(Settle());

    const std::uint16_t usage = MediaKeyToConsumerUsage(2);
    const auto sent = rig.SetReports();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].head[1], kConsumer);
    EXPECT_EQ(sent[0].head[2], usage >> 8);
    EXPECT_EQ(sent[0].head[3], usage & 0xFF);
    EXPECT_EQ(ToMilliseconds(sent[0].time), 10);
}

TEST_F(DeviceThreadsTest, RepeatingMacroStopsAtTheSecondPress) {
    Assign(0, 1, 256);
    Start();
    Open();
    PressAt(0, 2);
    ReleaseAt(5, 2);
    PressAt(95, 2);  // flips the toggle; not served, since the macro still plays
    ReleaseAt(100, 2);
    ASSERT_TRUE(Settle());

    // Steps every 10 ms until the check at 100 ms finds the toggle clear; then the release
    // of everything, 10 ms apart.
    EXPECT_EQ(Times(Sent(kKeys)),
              (std::vector<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 120}));
    EXPECT_EQ(Times(Sent(kButtons)), std::vector<double>{110});
    EXPECT_EQ(rig.mouse.HeldKeys(), (std::array<std::uint8_t, 6>{}));
    EXPECT_FALSE(threads.Press().toggle);
    EXPECT_FALSE(threads.Press().trigger);
}

TEST_F(DeviceThreadsTest, WhileHeldMacroStopsAfterTheRelease) {
    Assign(0, 1, 257);
    Start();
    Open();
    PressAt(0, 2);
    ReleaseAt(55, 2);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Times(Sent(kKeys)), (std::vector<double>{0, 10, 20, 30, 40, 50, 80}));
    EXPECT_EQ(Sent(kKeys).front().head, (ReportHead{0x07, kKeys, 0x05, 0, 0, 0, 0, 0}));
}

TEST_F(DeviceThreadsTest, PressesDuringPlaybackAreFollowedButNotServed) {
    Assign(0, 1, 258);  // key 2: played twice, 40 ms and the release
    Assign(0, 2, 258);
    Start();
    Open();
    PressAt(0, 2, 1);
    ReleaseAt(5, 2);
    PressAt(15, 3, 4);  // during the playback
    ReleaseAt(20, 3);
    PressAt(100, 3, 2);  // after it: served
    ReleaseAt(105, 3);
    ASSERT_TRUE(Settle());

    EXPECT_EQ(Times(Sent(kButtons)), (std::vector<double>{50, 150})) << "two playbacks";
    EXPECT_EQ(Times(Sent(kKeys)),
              (std::vector<double>{0, 10, 20, 30, 60, 100, 110, 120, 130, 160}));
    EXPECT_EQ(DpiLevel(), 2);
    EXPECT_EQ(repaints, 3);
}

TEST_F(DeviceThreadsTest, StopEndsAPlayingMacroAtOnce) {
    Assign(0, 1, 256);
    Start();
    Open();
    PressAt(0, 2);
    EXPECT_FALSE(Settle(55)) << "the macro plays on";
    threads.Stop();
    EXPECT_EQ(Times(Sent(kKeys)), (std::vector<double>{0, 10, 20, 30, 40, 50, 55}));
    EXPECT_EQ(Times(Sent(kButtons)), std::vector<double>{55});
    EXPECT_EQ(rig.mouse.HeldKeys(), (std::array<std::uint8_t, 6>{}));
}

TEST_F(DeviceThreadsTest, ReadsOnlyWhileTheMouseIsThere) {
    Assign(0, 1, 2);
    Start();
    PressAt(10, 2, 1);
    EXPECT_FALSE(Settle(50)) << "nothing is read before the mouse is opened";
    EXPECT_EQ(source.Reads(), 0);
    Open();
    ASSERT_TRUE(Settle());
    EXPECT_EQ(DpiLevel(), 1);

    // A removed mouse fails every read at once: the thread waits instead of reading again.
    bus.Unplug();
    rig.clock.SleepUntil(Ms(5000));
    EXPECT_EQ(source.Reads(), 2) << "the report, then the read the removal failed";

    // Found again: the new interface is read.
    bus.Plug();
    Open();
    PressAt(5010, 2, 4);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(DpiLevel(), 4);
}

TEST_F(DeviceThreadsTest, ManyPressesWhileMacrosPlay) {
    macros.presets = {
        MakeMacro({{step_type::kPress, 0x07, 0, 0, 3}, {step_type::kRelease, 0x07, 0, 0, 3}},
                  play_mode::kUntilPressed)};
    for (int p = 0; p < 4; ++p) {
        Assign(p, 1, 256);    // key 2: repeats until pressed again
        Assign(p, 2, 257);    // key 3: while held
        Assign(p, 3, 50, 1);  // key 4: a left-button preset
        Assign(p, 4, 18);     // key 5: the hold signal
        Assign(p, 5, 21);     // key 6: profile switch
        Assign(p, 6, 26);     // key 7: multimedia
    }
    Assign(0, 0, 1);
    Start();
    Open();
    const std::vector<std::uint8_t> events[] = {
        ButtonEventReport(2, false, 1), ButtonEventReport(1, false, 2),
        ButtonEventReport(3, false, 3), MouseEventReport(0x01),
        ButtonEventReport(4, false, 0), ButtonEventReport(1, true, 0),
        ButtonEventReport(5, false, 4), MouseEventReport(0x02),
        ButtonEventReport(3, true, 0),  ButtonEventReport(6, false, 5),
        ButtonEventReport(5, true, 0),  ButtonEventReport(7, false, 1),
        ButtonEventReport(2, true, 0),  ButtonEventReport(14, false, 2),
        MouseEventReport(0x03),         ButtonEventReport(6, true, 0),
        ButtonEventReport(7, true, 0),
    };
    constexpr int kReports = 1500;
    for (int i = 0; i < kReports; ++i) {
        At(i, events[i % std::size(events)]);
    }
    // The window reads and writes the shared state meanwhile.
    std::atomic<bool> done{false};
    std::thread window([&] {
        while (!done.load()) {
            static_cast<void>(threads.Macro().Get());
            static_cast<void>(threads.Press().toggle.load());
            store.Update([](Settings& s) { s.shared.LED_BRIGHT = (s.shared.LED_BRIGHT + 1) & 7; });
            rig.mouse.SetActiveProfile(static_cast<int>(rig.clock.Now().count() / 1000000) & 3);
            std::this_thread::yield();
        }
    });
    const bool settled = Settle();
    done = true;
    window.join();
    threads.Stop();

    EXPECT_TRUE(settled);
    EXPECT_EQ(threads.ReportsHandled(), static_cast<std::uint64_t>(kReports));
    EXPECT_TRUE(threads.Idle());
    EXPECT_TRUE(rig.mouse.Irregularities().empty());
    EXPECT_EQ(rig.mouse.HeldKeys(), (std::array<std::uint8_t, 6>{}));
    EXPECT_EQ(rig.mouse.ButtonState(), 0xFF);
}

}  // namespace
}  // namespace novu
