#include "device/upload.h"

#include <gtest/gtest.h>

#include <future>

#include "base/recorded_notices.h"
#include "device/fake_macro_sources.h"
#include "device/live_commands.h"
#include "device/mouse_rig.h"
#include "device/twelve_buttons.h"

namespace novu {
namespace {

using test::FakeMacroSources;
using test::MakeMacro;
using test::ReportHead;

class RecordingPointerSettings final : public PointerSettings {
public:
    bool readable = true;
    std::vector<int> speeds;
    std::vector<int> lines;

    Result<int> MouseSpeed() const override {
        return readable ? Result<int>(20) : MakeError(Fault::System, "no");
    }
    Result<void> SetMouseSpeed(int speed) override {
        speeds.push_back(speed);
        return Ok();
    }
    Result<int> WheelScrollLines() const override {
        return readable ? Result<int>(3) : MakeError(Fault::System, "no");
    }
    Result<void> SetWheelScrollLines(int count) override {
        lines.push_back(count);
        return Ok();
    }
};

class UploadTest : public ::testing::Test {
protected:
    UploadTest() { store.SetDevice(test::TwelveButtons()); }

    void Set(const std::function<void(Settings&)>& change) { store.Update(change); }
    std::optional<UploadSummary> Upload(UploadTrigger trigger = UploadTrigger::Apply,
                                        const UploadProgressFn& progress = {}) {
        return uploader.FullUpload(trigger, progress);
    }
    // A macro area of 2848 bytes: two regions of 1008 and one of 832.
    void FillMacroArea() {
        MacroRecord big = test::MakeLongMacro(250);
        MacroRecord rest = test::MakeLongMacro(206);
        big.eventDelay.fill(200);
        rest.eventDelay.fill(200);
        macros.groups = {{big, big, rest}};
        Set([](Settings& s) { s.profiles[3].K = {256, 257, 258}; });
    }

    test::MouseRig rig;
    SettingsStore store;
    FakeMacroSources macros;
    RecordingPointerSettings pointer;
    RecordedNotices notices;
    UploadState state{rig.clock};
    PressState press;
    std::atomic<int> soundStartLevel{-1};
    Uploader uploader{UploadContext{rig.transport, store, macros, pointer, notices, rig.clock,
                                    state, 1, 11, &press, &soundStartLevel}};
};

TEST_F(UploadTest, WithoutMacros) {
    Set([](Settings& s) {
        s.shared.DPI_SPEED = 6;
        s.shared.WHEEL_SPEED = 3;
    });
    const auto summary = Upload();
    ASSERT_TRUE(summary);
    EXPECT_TRUE(summary->written);
    EXPECT_EQ(summary->writeBlocks, 89);
    // The status read, 88 blocks of 8 bytes less the 1-byte header's and the short pointer
    // blocks' missing bytes, each with its commit and idle, and the finish.
    EXPECT_EQ(summary->reports, 1 + 865 + 2);
    EXPECT_EQ(summary->duration, Ms(89 * 6 + 5)) << "4 + 2 ms per block, 5 ms to finish";
    EXPECT_EQ(summary->macroEnd, 0x0400);

    const auto exchanges = rig.mouse.Exchanges();
    ASSERT_EQ(exchanges.size(), 868u);
    EXPECT_TRUE(exchanges.front().answer) << "the status read comes first";
    EXPECT_EQ(rig.mouse.Commits(), 89);
    EXPECT_EQ(rig.mouse.Finishes(), 1);
    EXPECT_TRUE(rig.mouse.Irregularities().empty());
    EXPECT_EQ(rig.SetReports().front().head, (ReportHead{0x07, 0x18, 0x03, 0, 0x01, 0x00, 0x03, 0}))
        << "variant 1 starts with the profile byte";
    EXPECT_EQ(rig.mouse.Peek(0x00), 0x00);

    EXPECT_EQ(pointer.speeds, (std::vector<int>{10}));
    EXPECT_EQ(pointer.lines, (std::vector<int>{3}));
    EXPECT_TRUE(summary->mouseSpeedSet);
    EXPECT_FALSE(state.Busy());
    EXPECT_TRUE(notices.Notices().empty());
}

TEST_F(UploadTest, PointerSpeeds) {
    const std::pair<int, int> cases[] = {{0, 0}, {1, 1}, {3, 4}, {11, 20}, {12, 6}, {255, 6}};
    for (auto [dpiSpeed, speed] : cases) {
        pointer.speeds.clear();
        Set([&](Settings& s) { s.shared.DPI_SPEED = static_cast<std::uint8_t>(dpiSpeed); });
        ASSERT_TRUE(Upload());
        EXPECT_EQ(pointer.speeds, (std::vector<int>{speed})) << "DPI_SPEED " << dpiSpeed;
    }
    pointer.readable = false;
    pointer.speeds.clear();
    pointer.lines.clear();
    const auto summary = Upload();
    EXPECT_TRUE(pointer.speeds.empty() && pointer.lines.empty()) << "a failed read skips the set";
    EXPECT_FALSE(summary->mouseSpeedSet);
}

TEST_F(UploadTest, FullMacroAreaWritesNothingAndApplyWorksAgain) {
    macros.groups = {{MakeMacro({{1, 0x04, 0, 0, 10}})}};
    Set([](Settings& s) { s.profiles[0].K[0] = 256; });
    ASSERT_TRUE(Upload());
    const auto before = rig.mouse.Memory();
    rig.mouse.ClearLogs();

    FillMacroArea();
    const auto failed = Upload();
    ASSERT_TRUE(failed);
    EXPECT_FALSE(failed->written);
    EXPECT_EQ(failed->failureTip, 29);
    EXPECT_EQ(notices.Tips(), (std::vector<int>{29}));
    EXPECT_TRUE(rig.mouse.Exchanges().empty()) << "not even the status read";
    EXPECT_EQ(rig.mouse.Memory(), before);
    EXPECT_FALSE(state.Busy());
    EXPECT_EQ(state.MacroEnd(), 0x0408) << "the last written upload's end stays";
    EXPECT_TRUE(pointer.speeds.size() == 1) << "the pointer settings belong to a written upload";

    Set([](Settings& s) { s.profiles[3].K[2] = 0; });
    const auto again = Upload();
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->written);
    EXPECT_EQ(again->macroEnd, 0x0400 + 2016);
    EXPECT_EQ(rig.mouse.Peek(0x6E), 0xE0);
    EXPECT_EQ(rig.mouse.Peek(0x6F), 0x0B);
}

TEST_F(UploadTest, ApplyIsRefusedWhileAnUploadRuns) {
    ASSERT_TRUE(state.TryClaimForApply());  // an upload from Apply holds the flag
    EXPECT_FALSE(Upload(UploadTrigger::Apply));
    EXPECT_TRUE(rig.mouse.Exchanges().empty());
    EXPECT_TRUE(Upload(UploadTrigger::PowerBroadcast)) << "power broadcasts do not give up";
    EXPECT_TRUE(Upload(UploadTrigger::Startup));
    EXPECT_TRUE(state.Busy());
    state.Release();
    EXPECT_FALSE(state.Busy());

    // The same through a job on its own thread.
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> started;
    std::vector<UploadProgress> seen;
    UploadSummary told;
    auto job = UploadJob::Start(
        uploader, UploadTrigger::Apply,
        [&, first = true](const UploadProgress& progress) mutable {
            seen.push_back(progress);
            if (first) {
                first = false;
                started.set_value();
                released.wait();
            }
        },
        [&](const UploadSummary& summary) { told = summary; });
    ASSERT_TRUE(job);
    started.get_future().wait();
    EXPECT_TRUE(state.Busy());
    EXPECT_FALSE(UploadJob::Start(uploader, UploadTrigger::Apply)) << "second Apply refused";
    EXPECT_FALSE(job->Done());
    release.set_value();
    job->Join();
    EXPECT_TRUE(job->Done());
    EXPECT_FALSE(state.Busy());
    EXPECT_TRUE(told.written);
    EXPECT_EQ(job->Summary().reports, told.reports);

    // Progress counts reports up to the planned number.
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().reportsSent, 0);
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GT(seen[i].reportsSent, seen[i - 1].reportsSent);
        EXPECT_EQ(seen[i].reportsPlanned, seen.front().reportsPlanned);
    }
    EXPECT_EQ(seen.back().reportsSent, seen.back().reportsPlanned);
    EXPECT_EQ(seen.back().reportsSent, told.reports);

    auto next = UploadJob::Start(uploader, UploadTrigger::Apply);
    ASSERT_TRUE(next) << "Apply works again";
    next->Join();
}

TEST_F(UploadTest, SettingsTheUploadChanges) {
    macros.groups = {{MakeMacro({{1, 0x04, 0, 0, 10}})}};
    Set([](Settings& s) {
        s.profiles[1].K = {18, 0x0205, 256, 60};  // a dead user macro and a dead preset
        s.shared.cycleFlags = {false, true, true, false, false, false, false};
        s.shared.CYC_7COL_EN = 0x7F;
        s.shared.RateCode = 3;
        s.shared.DPI_LEVEL = 4;
    });
    press.armed = true;
    ASSERT_TRUE(Upload());

    const Settings after = store.Snapshot();
    EXPECT_EQ(after.profiles[1].K[0], 18);
    EXPECT_EQ(after.profiles[1].K[1], 0);
    EXPECT_EQ(after.profiles[1].K[2], 256);
    EXPECT_EQ(after.profiles[1].K[3], 0);
    EXPECT_EQ(after.shared.CYC_7COL_EN, 0x06);
    EXPECT_EQ(after.shared.RateCode, 7);
    EXPECT_FALSE(press.armed.load());
    EXPECT_EQ(soundStartLevel.load(), 4);
    EXPECT_TRUE(state.Keys().holdSignal[1][0]);
    EXPECT_EQ(state.Keys().slotType[1][2], 0x0D);
    EXPECT_EQ(state.MacroEnd(), 0x0408);

    // The next upload carries 0x0408 in the block at 0x68 before it writes its own end.
    rig.mouse.ClearLogs();
    Set([](Settings& s) { s.profiles[1].K[2] = 0; });
    ASSERT_TRUE(Upload());
    std::vector<std::uint8_t> oldEnd;
    for (const auto& sent : rig.SetReports()) {
        if (sent.head[1] == 0x18 && sent.head[2] == 0x03 && sent.head[4] == 0x68 &&
            sent.head[5] == 0 && sent.head[3] >= 6) {
            oldEnd.push_back(sent.head[6]);
        }
    }
    EXPECT_EQ(oldEnd, (std::vector<std::uint8_t>{0x08, 0x04}));
    EXPECT_EQ(rig.mouse.Peek(0x6E), 0x00);
    EXPECT_EQ(rig.mouse.Peek(0x6F), 0x04);
}

TEST_F(UploadTest, SoftwareMacroModeTakesHostFunctionsOffTheButtons) {
    macros.groups = {{MakeMacro({{1, 0x04, 0, 0, 10}})}};
    DeviceDescription device = test::TwelveButtons();
    device.KEYMAP[4] = 0;
    store.SetDevice(device);
    Set([](Settings& s) {
        s.CurConfig = 2;
        s.shared.SOFT_HARD_MAC = 1;
        // Slot 4 has no button; 300 is dead and becomes 0.
        s.profiles[2].K = {18, 40, 1, 41, 42, 256, 40000, 300};
        s.profiles[0].K = {18, 18, 18};
    });
    const auto summary = Upload();
    ASSERT_TRUE(summary);
    const auto sent = rig.SetReports();
    std::vector<ReportHead> tail;
    for (auto it = sent.end() - 6; it != sent.end(); ++it) {
        tail.push_back(it->head);
    }
    EXPECT_EQ(tail[0][2], 0x10) << "the finish comes first";
    EXPECT_EQ(tail[2], (ReportHead{0x07, 0x10, 1, 0, 0, 0, 0, 0}));
    EXPECT_EQ(tail[3], (ReportHead{0x07, 0x10, 4, 0, 0, 0, 0, 0}));
    EXPECT_EQ(tail[4], (ReportHead{0x07, 0x10, 6, 0, 0, 0, 0, 0}));
    EXPECT_EQ(tail[5], (ReportHead{0x07, 0x10, 7, 0, 0, 0, 0, 0}));
    EXPECT_EQ(summary->reports, 1 + 865 + 3 * 10 + 2 + 4)
        << "8-byte regions for built-ins 40 and 41 and macro 256, four keys";

    rig.mouse.ClearLogs();
    Set([](Settings& s) { s.shared.SOFT_HARD_MAC = 0; });
    ASSERT_TRUE(Upload());
    EXPECT_EQ(rig.SetReports().back().head[2], 0x00) << "ends with the finish's idle";
}

TEST_F(UploadTest, LightingWarningsDoNotStopTheUpload) {
    MacroRecord lighting = MakeMacro({{13, 0xF9, 0, 0, 10}, {16, 0xF9, 0, 0, 10}});
    lighting.ledBlocks[0][0] = 1;
    MacroRecord withoutBlocks = MakeMacro({{13, 0xF9, 0, 0, 10}});
    withoutBlocks.ledCount = 0;
    macros.groups = {{lighting, withoutBlocks}};
    Set([](Settings& s) { s.profiles[0].K = {256, 257}; });
    const auto summary = Upload();
    ASSERT_TRUE(summary);
    EXPECT_TRUE(summary->written);
    EXPECT_EQ(notices.Tips(), (std::vector<int>{6, 6}));
}

TEST_F(UploadTest, LiveCommandsCarryTheStoredLighting) {
    Set([](Settings& s) {
        s.shared.cycleFlags = {true, false, false, true, false, false, false};
        s.shared.CYC_7COL_EN = 0;
        s.shared.LED_TYPE = 9;
        s.shared.LED_CYCTIME = 3;
        s.shared.DPI_R[2] = 0xA;
        s.shared.DPI_G[2] = 0x5;
        s.shared.DPI_B[2] = 0xC;
    });
    SendNormalLighting(rig.transport, store, 11);
    EXPECT_EQ(store.Snapshot().shared.CYC_7COL_EN, 0x09);
    const auto lighting = rig.mouse.LastCommand(0x13);
    ASSERT_TRUE(lighting);
    EXPECT_EQ((*lighting)[2], 0x80 + 0x09);
    EXPECT_EQ((*lighting)[3], (0x80 + 9 * 16 + 3) & 0xFF) << "effect 9 carries into bit 7";
    EXPECT_EQ((*lighting)[4], 11);
    EXPECT_EQ((*lighting)[6], 0x00);
    EXPECT_EQ((*lighting)[7], 0x02);

    const SharedSettings shared = store.Snapshot().shared;
    EXPECT_TRUE(SendLevelColour(rig.transport, shared, 2));
    const auto colour = rig.mouse.LastCommand(0x14);
    ASSERT_TRUE(colour);
    EXPECT_EQ((*colour)[2], 2 * 32 + 0x5);
    EXPECT_EQ((*colour)[3], 0xAC);
    const auto reports = rig.mouse.Exchanges().size();
    EXPECT_FALSE(SendLevelColour(rig.transport, shared, 6)) << "no colour for level 6";
    EXPECT_EQ(rig.mouse.Exchanges().size(), reports);
}

}  // namespace
}  // namespace novu
