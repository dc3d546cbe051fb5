#include "device/playback.h"

#include <gtest/gtest.h>

#include <map>

#include "device/fake_macro_sources.h"
#include "device/mouse_rig.h"
#include "device/twelve_buttons.h"

namespace novu {
namespace {

using test::FakeMacroSources;
using test::MakeMacro;
using test::ReportHead;

constexpr std::uint8_t kKeys = 0x15;
constexpr std::uint8_t kButtons = 0x16;

// Records the bounds asked for and answers with a fixed value.
class ScriptedRandom final : public RandomSource {
public:
    int value = 0;
    std::vector<int> bounds;
    int Below(int bound) override {
        bounds.push_back(bound);
        return std::min(value, bound - 1);
    }
};

class PlaybackTest : public ::testing::Test {
protected:
    PlaybackTest() {
        store.SetDevice(test::TwelveButtons());
        store.Update([](Settings& s) { s.shared.SOFT_HARD_MAC = 1; });
    }

    void Assign(int slot, std::int32_t code, std::int32_t leftMac = 0) {
        store.Update([&](Settings& s) {
            s.profiles[0].K[static_cast<std::size_t>(slot)] = code;
            s.profiles[0].LEFT_MAC[static_cast<std::size_t>(slot)] = leftMac;
        });
    }
    // A press of a hardware key as the device event thread records it.
    void Press(int hardwareKey) {
        press.pressedKeyCode = static_cast<std::uint8_t>(0xF0 + hardwareKey);
        press.held = true;
        press.toggle = true;
    }
    std::vector<test::MouseRig::Sent> Reports(std::uint8_t command) const {
        std::vector<test::MouseRig::Sent> matching;
        for (const auto& sent : rig.SetReports()) {
            if (sent.head[1] == command) {
                matching.push_back(sent);
            }
        }
        return matching;
    }
    static double MsOf(TimePoint time) { return ToMilliseconds(time); }

    test::MouseRig rig;
    SettingsStore store;
    FakeMacroSources macros;
    PressState press;
    ScriptedRandom random;
    MacroPlayer player{rig.transport, rig.clock, store, macros, press, random};
};

TEST_F(PlaybackTest, PlayStepMovesPressesAndHolds) {
    player.PlayStep(0xF6, 3, 5, 2, 3, 1);  // X-5, Y-(2 + offset 3)
    EXPECT_EQ(rig.mouse.LastCommand(0x0B), (ReportHead{0x07, 0x0B, 0xFF, 0xFB, 0xFF, 0xFB, 0, 0}));
    player.PlayStep(0xF6, 6, 300, 1, 3, 0);
    EXPECT_EQ(rig.mouse.LastCommand(0x0B), (ReportHead{0x07, 0x0B, 0x01, 0x2C, 0x00, 0x01, 0, 0}));
    player.PlayStep(0xF6, 2, 9, 9, 0, 0);
    EXPECT_EQ(rig.mouse.LastCommand(0x0B), (ReportHead{0x07, 0x0B, 0, 0, 0, 0, 0, 0}));

    struct ButtonCase {
        std::uint8_t code;
        std::uint8_t type;
        std::uint8_t state;
    };
    const ButtonCase buttons[] = {
        {0xF1, 1, 0xFE}, {0xF3, 1, 0xFC}, {0xF2, 1, 0xF8},
        {0xF1, 2, 0xF9}, {0xF8, 1, 0xF9},  // no button bit, still sent
    };
    for (const ButtonCase& b : buttons) {
        player.PlayStep(b.code, b.type, 0, 0, 0, 0);
        EXPECT_EQ(player.ButtonState(), b.state);
        EXPECT_EQ((*rig.mouse.LastCommand(kButtons))[3], b.state);
    }
    EXPECT_EQ(Reports(kButtons).size(), 5u);

    for (std::uint8_t key = 4; key <= 10; ++key) {
        player.PlayStep(key, 1, 0, 0, 0, 0);
    }
    EXPECT_EQ(player.HeldKeys(), (std::array<std::uint8_t, 6>{4, 5, 6, 7, 8, 9})) << "7th dropped";
    player.PlayStep(5, 2, 0, 0, 0, 0);
    player.PlayStep(0x20, 2, 0, 0, 0, 0);
    EXPECT_EQ(player.HeldKeys(), (std::array<std::uint8_t, 6>{4, 6, 7, 8, 9, 0}));
    EXPECT_EQ(rig.mouse.LastCommand(kKeys), (ReportHead{0x07, 0x15, 4, 6, 7, 8, 9, 0}));
    EXPECT_EQ(Reports(kKeys).size(), 9u);
}

TEST_F(PlaybackTest, ReleaseAll) {
    player.PlayStep(0xF1, 1, 0, 0, 0, 0);
    player.PlayStep(0x04, 1, 0, 0, 0, 0);
    rig.mouse.ClearLogs();
    player.ReleaseAll();
    const auto sent = rig.SetReports();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(MsOf(sent[0].time), 10);
    EXPECT_EQ(sent[0].head[1], kButtons);
    EXPECT_EQ(sent[0].head[3], 0xFF);
    EXPECT_EQ(MsOf(sent[1].time), 20);
    EXPECT_EQ(sent[1].head, (ReportHead{0x07, 0x15, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(rig.mouse.HeldKeys(), (std::array<std::uint8_t, 6>{}));
}

TEST_F(PlaybackTest, StepsRunOnTheClock) {
    MacroRecord macro = MakeMacro({{1, 0x04, 0, 0, 100},
                                   {2, 0x04, 0, 0, 50},
                                   {5, 0xF6, 3, 4, 20},
                                   {1, 0xF1, 0, 0, 30},
                                   {2, 0xF1, 0, 0, 130}},
                                  play_mode::kCount, 2);
    macro.yOffsetEnabled = 1;
    macro.yOffset = 2;
    macros.groups = {{macro}};
    Assign(2, 256);
    random.value = 7;
    Press(3);
    player.ServePress();

    // 30 ms is raised to 60 and gets 7 of 0..29 on top; 130 ms gets nothing.
    const double play = 100 + 50 + 20 + 67 + 130;
    const std::vector<double> expected = {0,          100,        150,           170,
                                          237,        play,       play + 100,    play + 150,
                                          play + 170, play + 237, 2 * play + 10, 2 * play + 20};
    std::vector<double> times;
    for (const auto& sent : rig.SetReports()) {
        times.push_back(MsOf(sent.time));
    }
    EXPECT_EQ(times, expected);
    EXPECT_EQ(random.bounds, (std::vector<int>{30, 30}));
    EXPECT_EQ(rig.mouse.LastCommand(0x0B), (ReportHead{0x07, 0x0B, 0, 3, 0xFF, 0xFA, 0, 0}));
    EXPECT_EQ(rig.mouse.ButtonState(), 0xFF);
}

TEST_F(PlaybackTest, MouseButtonPausesAreRaisedAndJittered) {
    struct Case {
        std::uint8_t code;
        std::uint16_t delay;
        int least;
        int most;
    };
    const Case cases[] = {
        {0xF1, 30, 60, 89},    {0xF3, 0, 60, 89},     {0xF2, 100, 100, 149}, {0xF1, 119, 119, 177},
        {0xF1, 120, 120, 120}, {0xF1, 500, 500, 500}, {0x04, 30, 30, 30},  // keys keep their pause
    };
    for (const Case& c : cases) {
        macros.groups = {{MakeMacro({{1, c.code, 0, 0, c.delay}})}};
        Assign(0, 256);
        int least = 1 << 30;
        int most = 0;
        for (std::uint64_t seed = 0; seed < 300; ++seed) {
            SeededRandom seeded(seed);
            MacroPlayer seededPlayer(rig.transport, rig.clock, store, macros, press, seeded);
            rig.mouse.ClearLogs();
            Press(1);
            seededPlayer.ServePress();
            const auto sent = rig.SetReports();
            ASSERT_EQ(sent.size(), 3u);
            const auto pause = static_cast<int>(MsOf(sent[1].time - sent[0].time)) - 10;
            least = std::min(least, pause);
            most = std::max(most, pause);
        }
        EXPECT_EQ(least, c.least) << "code " << int{c.code} << " delay " << c.delay;
        EXPECT_EQ(most, c.most) << "code " << int{c.code} << " delay " << c.delay;
    }
}

TEST_F(PlaybackTest, StopRulesOfThePlayModes) {
    // The hand acts while the n-th step report goes out; the player sees it at its next check.
    struct Case {
        const char* what;
        std::uint8_t playMode;
        std::map<int, std::function<void(PressState&)>> hand;
        std::size_t steps;
    };
    const auto release = [](PressState& p) { p.held = false; };
    const auto pressAgain = [](PressState& p) { p.toggle = false; };
    const Case cases[] = {
        {"until pressed: a second press stops", play_mode::kUntilPressed, {{5, pressAgain}}, 5},
        {"until pressed: a release does not",
         play_mode::kUntilPressed,
         {{5, release}, {9, pressAgain}},
         9},
        {"while held: the release stops", play_mode::kWhileHeld, {{5, release}}, 5},
        {"while held: a second press does not",
         play_mode::kWhileHeld,
         {{5, pressAgain}, {9, release}},
         9},
        {"both bits: the held rule", 3, {{5, pressAgain}, {9, release}}, 9},
    };
    for (const Case& c : cases) {
        macros.groups = {{MakeMacro({{1, 0x04, 0, 0, 10}, {2, 0x04, 0, 0, 10}}, c.playMode)}};
        Assign(0, 256);
        int keyReports = 0;
        rig.Watch([&] {
            ++keyReports;
            auto action = c.hand.find(keyReports);
            if (action != c.hand.end()) {
                action->second(press);
            }
        });
        rig.mouse.ClearLogs();
        Press(1);
        const TimePoint start = rig.clock.Now();
        player.ServePress();
        const auto keys = Reports(kKeys);
        ASSERT_EQ(keys.size(), c.steps + 1) << c.what << ": the steps and the release";
        EXPECT_EQ(MsOf(keys.back().time - start), 10.0 * static_cast<double>(c.steps) + 20)
            << c.what << ": released 20 ms after the check that stopped it";
    }
}

TEST_F(PlaybackTest, CountModePlaysRepeatCountTimes) {
    macros.groups = {{MakeMacro({{1, 0x04, 0, 0, 10}, {2, 0x04, 0, 0, 10}}, 0, 3)}};
    Assign(0, 256);
    Press(1);
    press.held = false;  // released at once: a count macro plays on
    press.toggle = false;
    player.ServePress();
    EXPECT_EQ(Reports(kKeys).size(), 3u * 2 + 1);
}

TEST_F(PlaybackTest, WhichButtonsPlayWhat) {
    MacroRecord armedMacro = MakeMacro({{1, 0x05, 0, 0, 10}});
    MacroRecord builtin = MakeMacro({{1, 0x06, 0, 0, 10}}, play_mode::kUntilPressed, 5);
    macros.groups = {{MakeMacro({{1, 0x04, 0, 0, 10}}), armedMacro}};
    macros.builtins = {builtin};
    store.Update([](Settings& s) {
        s.profiles[0].K = {1, 25, 256, 257, 0x0102, 257, 3084, 60, 33, 0x0103, 1, 18};
        s.profiles[0].LEFT_MAC[3] = 1;
    });
    struct Case {
        const char* what;
        int hardwareKey;
        bool armed;
        int armedSlot;
        int softMode;
        std::vector<ReportHead> reports;
    };
    const ReportHead keys5{0x07, 0x15, 5, 0, 0, 0, 0, 0};
    const ReportHead keys6{0x07, 0x15, 6, 0, 0, 0, 0, 0};
    const ReportHead consumer{0x07, 0x17, 0x01, 0x8A, 0, 0, 0, 0};
    const ReportHead noButtons{0x07, 0x16, 0, 0xFF, 0, 0, 0, 0};
    const ReportHead noKeys{0x07, 0x15, 0, 0, 0, 0, 0, 0};
    const Case cases[] = {
        {"multimedia without software mode", 2, false, 0, 0, {consumer}},
        {"macro without software mode", 3, false, 0, 0, {}},
        {"left button armed by slot 3", 1, true, 3, 1, {keys5, noButtons, noKeys}},
        {"left button unarmed", 1, false, 3, 1, {}},
        {"armed by a slot without a macro", 1, true, 10, 1, {}},
        {"LEFT_MAC button itself", 4, false, 0, 1, {}},
        {"index equal to the count: empty, released", 5, false, 0, 1, {noButtons, noKeys}},
        {"index above the count", 10, false, 0, 1, {}},
        {"beyond the playable codes", 7, false, 0, 1, {}},
        {"missing preset: zero plays", 8, false, 0, 1, {noButtons, noKeys}},
        {"built-in once, whatever its mode", 9, false, 0, 1, {keys6, noButtons, noKeys}},
        {"no macro", 11, false, 0, 1, {}},
    };
    for (const Case& c : cases) {
        store.Update([&](Settings& s) { s.shared.SOFT_HARD_MAC = c.softMode; });
        rig.mouse.ClearLogs();
        MacroPlayer fresh(rig.transport, rig.clock, store, macros, press, random);
        Press(c.hardwareKey);
        press.armed = c.armed;
        press.armedSlot = c.armedSlot;
        fresh.ServePress();
        std::vector<ReportHead> heads;
        for (const auto& sent : rig.SetReports()) {
            heads.push_back(sent.head);
        }
        // Bytes a command leaves unchanged hold what came before: compare only its own.
        for (auto& head : heads) {
            if (head[1] == kButtons) {
                head[2] = 0;
                std::fill(head.begin() + 4, head.end(), 0);
            } else if (head[1] == 0x17) {
                std::fill(head.begin() + 4, head.end(), 0);
            }
        }
        EXPECT_EQ(heads, c.reports) << c.what;
    }
}

TEST_F(PlaybackTest, PausesRunToDeadlinesWithoutDrift) {
    MacroRecord macro;
    for (int j = 0; j < 50; ++j) {
        SetEvent(macro, j, {static_cast<std::uint8_t>(j % 2 ? 2 : 1), 0x04, 0, 0, 10});
    }
    macro.eventCount = 50;
    macro.repeatCount = 1;
    macros.groups = {{macro}};
    Assign(0, 256);
    rig.Watch([&] { rig.clock.Advance(Ms(3)); });  // every report takes 3 ms to send
    Press(1);
    player.ServePress();
    const auto keys = Reports(kKeys);
    ASSERT_EQ(keys.size(), 51u);
    for (int j = 0; j < 50; ++j) {
        EXPECT_EQ(MsOf(keys[static_cast<std::size_t>(j)].time), 10.0 * j + 3) << "step " << j;
    }
}

}  // namespace
}  // namespace novu
