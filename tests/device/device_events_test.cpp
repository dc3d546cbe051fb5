// The device event thread's handling of single input reports, driven synchronously: the
// flags it records, the reports it sends and the state it follows.
#include <gtest/gtest.h>

#include "device/current_macro.h"
#include "device/device_event_thread.h"
#include "device/device_thread_rig.h"
#include "device/press_queue.h"
#include "emulator/virtual_mouse.h"

namespace novu {
namespace {

using test::ReportHead;

constexpr std::uint8_t kSetKeyFunction = 0x10;
constexpr std::uint8_t kHoldSignal = 0x11;
constexpr std::uint8_t kLighting = 0x13;

MacroRecord Named(std::uint8_t yOffset, std::uint16_t repeatCount) {
    MacroRecord record = test::MakeMacro({{step_type::kPress, 0x04, 0, 0, 10}});
    record.yOffset = yOffset;
    record.repeatCount = repeatCount;  // tells the records apart
    return record;
}

class DeviceEvents : public ::testing::Test, protected test::DeviceThreadRig {
protected:
    DeviceEvents() { macros.groups = {{Named(0, 1), Named(5, 2)}}; }

    void Handle(const std::vector<std::uint8_t>& report) { events.Handle(report); }
    void PressKey(int key, int dpiLevel = 0) { Handle(ButtonEventReport(key, false, dpiLevel)); }
    void ReleaseKey(int key) { Handle(ButtonEventReport(key, true, 0)); }
    std::vector<ReportHead> Heads() const {
        std::vector<ReportHead> heads;
        for (const auto& sent : rig.SetReports()) {
            heads.push_back(sent.head);
        }
        return heads;
    }
    int CurConfig() const {
        return store.Read([](const Settings& s) { return s.CurConfig; });
    }

    PressState press;
    PressQueue queue{rig.clock, press};
    CurrentMacro macro;
    DeviceEventThread events{Context(), Callbacks(), [] { return InputInterface{}; },
                             press,     queue,       macro};
};

TEST_F(DeviceEvents, PressAndReleaseRecordTheFlags) {
    Assign(0, 2, 2);
    Prepare();
    PressKey(3, 3);
    EXPECT_TRUE(press.keyPending);
    EXPECT_TRUE(press.trigger);
    EXPECT_TRUE(press.held);
    EXPECT_EQ(press.pressedKeyCode, 0xF3);
    // A second press while the first waits to be served is queued for its DPI level, but
    // does not take the trigger.
    PressKey(4, 1);
    EXPECT_EQ(press.pressedKeyCode, 0xF3);
    ReleaseKey(3);
    EXPECT_FALSE(press.keyPending);
    EXPECT_FALSE(press.held);
    EXPECT_TRUE(press.trigger) << "the service clears it";

    const auto first = queue.Next();
    const auto second = queue.Next();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->keyCode, 0xF3);
    EXPECT_EQ(first->dpiLevel, 3);
    EXPECT_EQ(second->keyCode, 0xF4);
    EXPECT_EQ(second->dpiLevel, 1);
    EXPECT_FALSE(queue.TakeClaim(*second));
    EXPECT_TRUE(queue.TakeClaim(*first));
    EXPECT_EQ(queue.Waiting(), 0u) << "releases are not queued";
    EXPECT_TRUE(Heads().empty()) << "a plain button sends nothing";
}

TEST_F(DeviceEvents, ToggleFlag) {
    struct Case {
        const char* name;
        std::int32_t function;
        std::int32_t leftMac;
        bool armed;
        bool toggle;  // after one press from a clear toggle
    };
    const Case cases[] = {
        {"user macro", 256, 0, false, true},
        {"recoil preset", 50, 0, false, true},
        {"built-in macro 41", 41, 0, false, true},
        {"built-in macro 40", 40, 0, false, false},
        {"mouse function", 2, 0, false, false},
        {"left click", 1, 0, false, false},
        {"left click while a macro is armed", 1, 0, true, true},
        {"left-button macro", 256, 1, false, false},
    };
    for (const Case& c : cases) {
        press.toggle = false;
        press.armed = c.armed;
        press.armedSlot = 5;
        Assign(0, 2, c.function, c.leftMac);
        Prepare();
        PressKey(3);
        EXPECT_EQ(press.toggle, c.toggle) << c.name;
        ReleaseKey(3);
    }
    press.armed = false;
    Assign(0, 2, 256);
    PressKey(3);
    EXPECT_TRUE(press.toggle) << "every press of a macro key flips it";
    PressKey(3);
    EXPECT_FALSE(press.toggle);
}

TEST_F(DeviceEvents, ReportsThatMeanNothingChangeNothing) {
    Assign(0, 2, 21);  // a profile switch: any handled event on it would read the status
    Prepare();
    rig.mouse.SetActiveProfile(2);
    macro.LoadUserMacro(Named(7, 1), 0, 0, true);
    const std::vector<std::vector<std::uint8_t>> ignored = {
        {0x05, 0xF3, 0x00},  // another report ID
        {0x06, 0xF0, 0x00},  // code 0xF0 is no button
        {0x06, 0x04, 0x00},  // an unknown event
        {0x06, 0x00},       {0x06}, {},
    };
    for (const auto& report : ignored) {
        Handle(report);
    }
    // Without software macro mode the other events are not handled either.
    store.Update([](Settings& s) { s.shared.SOFT_HARD_MAC = 0; });
    Handle(MouseEventReport(0x03));
    Handle(MouseEventReport(0x01));
    Handle(MouseEventReport(0x02));

    EXPECT_TRUE(rig.mouse.Exchanges().empty());
    EXPECT_EQ(CurConfig(), 0);
    EXPECT_EQ(macro.Get().record.yOffset, 7);
    EXPECT_FALSE(press.keyPending || press.trigger || press.held || press.toggle);
    EXPECT_EQ(queue.Waiting(), 0u);
    EXPECT_EQ(repaints, 0);
}

TEST_F(DeviceEvents, VerticalOffsetEvents) {
    Prepare();
    struct Case {
        std::uint8_t start;
        std::uint8_t code;
        std::uint8_t end;
    };
    for (const Case& c :
         {Case{0, 0x02, 0}, Case{255, 0x01, 0}, Case{7, 0x01, 8}, Case{7, 0x02, 6}}) {
        macro.LoadUserMacro(Named(c.start, 1), 0, 1, true);
        Handle(MouseEventReport(c.code));
        EXPECT_EQ(macro.Get().record.yOffset, c.end) << int(c.start) << " " << int(c.code);
    }
}

TEST_F(DeviceEvents, MacroLoadedByPress) {
    macros.presets = {Named(1, 50)};
    macros.builtins.resize(13);
    macros.builtins[8] = Named(2, 41);
    Prepare();
    struct Case {
        std::int32_t function;
        std::uint16_t repeatCount;  // of the record loaded; 0 for an all-zero record
        int group;
        int index;
        bool userMacro;
    };
    const Case cases[] = {
        {257, 2, 0, 1, true},       // group 0, macro 1
        {50, 50, 0, 1, false},      // preset 0; the position stays
        {51, 50, 0, 1, false},      // no preset 1: nothing is loaded
        {41, 41, 0, 1, false},      // built-in 41 - 33 = 8
        {40, 41, 0, 1, false},      // below 41 nothing is loaded
        {258, 0, 0, 2, false},      // beyond the group's macros: an all-zero record
        {256, 1, 0, 0, true},       // group 0, macro 0
        {30000, 0, 116, 48, false}  // read as a user macro; the library has no such group
    };
    for (const Case& c : cases) {
        Assign(0, 2, c.function);
        PressKey(3);
        ReleaseKey(3);
        const CurrentMacro::State state = macro.Get();
        EXPECT_EQ(state.record.repeatCount, c.repeatCount) << c.function;
        EXPECT_EQ(state.group, c.group) << c.function;
        EXPECT_EQ(state.index, c.index) << c.function;
        EXPECT_EQ(state.userMacro, c.userMacro) << c.function;
    }
}

TEST_F(DeviceEvents, UnmappedKeyActsAsSlotZero) {
    Assign(0, 0, 257);
    Prepare();
    PressKey(14, 2);  // the twelve buttons are keys 1..12
    EXPECT_EQ(macro.Get().record.repeatCount, 2) << "slot 0's macro was loaded";
    EXPECT_EQ(press.pressedKeyCode, 0xFE);
    EXPECT_TRUE(press.toggle) << "slot 0's function decides the toggle";
}

TEST_F(DeviceEvents, ProfileSwitchButtonFollowsTheMouseOnPressAndRelease) {
    for (int p = 0; p < 4; ++p) {
        Assign(p, 5, 21);  // key 6 switches profiles in every profile
    }
    Assign(2, 3, 256);  // host functions of profile 2: keys 4 and 5
    Assign(2, 4, 18);
    Assign(2, 6, 7);
    Prepare();
    Assign(2, 6, 99);  // changed in memory only: the follow reloads config.ini
    PressKey(8);       // claims the trigger ...
    press.armed = true;
    rig.mouse.SetActiveProfile(2);

    PressKey(6);
    EXPECT_EQ(CurConfig(), 2);
    EXPECT_EQ(IniNumber("Init", "CurConfig"), 2);
    EXPECT_EQ(store.Read([](const Settings& s) { return s.profiles[2].K[6]; }), 7);
    EXPECT_EQ(repaints, 1);
    EXPECT_FALSE(press.armed);
    const auto exchanges = rig.mouse.Exchanges();
    ASSERT_EQ(exchanges.size(), 3u);
    EXPECT_TRUE(exchanges[0].answer) << "the status read";
    // Bytes 4..7 stay as the status answer left them (profile 2 in byte 6).
    EXPECT_EQ(Heads(), (std::vector<ReportHead>{{0x07, 0x10, 4, 0, 0, 0, 0x08, 0},
                                                {0x07, 0x10, 5, 0, 0, 0, 0x08, 0}}));
    // ... which the switch dropped: the switch's own press holds it now.
    EXPECT_EQ(press.pressedKeyCode, 0xF6);
    const auto pressed8 = queue.Next();
    const auto pressed6 = queue.Next();
    EXPECT_FALSE(queue.TakeClaim(*pressed8));
    EXPECT_TRUE(queue.TakeClaim(*pressed6));

    rig.mouse.SetActiveProfile(1);
    ReleaseKey(6);
    EXPECT_EQ(CurConfig(), 1);
    EXPECT_EQ(IniNumber("Init", "CurConfig"), 1);
    EXPECT_EQ(repaints, 2);
}

TEST_F(DeviceEvents, ProfileEventFollowsTheMouseInSoftwareMode) {
    Assign(3, 2, 256);
    Prepare();
    press.armed = true;
    rig.mouse.SetActiveProfile(3);
    Handle(MouseEventReport(0x03));
    EXPECT_EQ(CurConfig(), 3);
    EXPECT_EQ(IniNumber("Init", "CurConfig"), 3);
    EXPECT_EQ(repaints, 1);
    EXPECT_TRUE(press.armed) << "only a switch button drops the armed macro";
    EXPECT_EQ(rig.mouse.Exchanges().size(), 1u) << "the status read alone";
}

TEST_F(DeviceEvents, LeftButtonMacroArmsAndDisarms) {
    Assign(0, 0, 1);
    Assign(0, 2, 256, 1);
    Assign(0, 3, 257, 1);
    store.Update([](Settings& s) {
        s.shared.MAC_COR[2] = 2;
        s.shared.MAC_COR[3] = 5;
        SetCycleMask(s.shared, 0x7F);
        s.shared.LED_TYPE = 3;
        s.shared.LED_CYCTIME = 2;
    });
    Prepare();
    // Byte 4 carries LightingMode (11) beside the lighting features, all 0 here.
    const ReportHead armedColour2{0x07, 0x13, 0x80 | 1 << 2, 0x14, 11, 0, 0, 0x02};
    const ReportHead armedColour5{0x07, 0x13, 0x80 | 1 << 5, 0x14, 11, 0, 0, 0x02};
    const ReportHead stored{0x07, 0x13, 0xFF, 0x80 | 3 << 4 | 2, 11, 0, 0, 0x02};

    PressKey(3);
    EXPECT_TRUE(press.armed);
    EXPECT_EQ(press.armedSlot, 2);
    ReleaseKey(3);
    PressKey(4);  // another left-button macro takes over
    EXPECT_TRUE(press.armed);
    EXPECT_EQ(press.armedSlot, 3);
    ReleaseKey(4);
    PressKey(4);  // and the same button again disarms
    EXPECT_FALSE(press.armed);
    EXPECT_FALSE(press.toggle);

    // SetKeyFunction leaves bytes 4..7 as the report before left them.
    EXPECT_EQ(Heads(), (std::vector<ReportHead>{{0x07, 0x10, 1, 0, 0, 0, 0, 0},
                                                armedColour2,
                                                armedColour5,
                                                {0x07, 0x10, 1, 1, 11, 0, 0, 0x02},
                                                stored}));

    rig.mouse.ClearLogs();
    store.Update([](Settings& s) { s.shared.SOFT_HARD_MAC = 0; });
    PressKey(3);
    EXPECT_FALSE(press.armed) << "hardware macro mode arms nothing";
    EXPECT_TRUE(Heads().empty());
}

TEST_F(DeviceEvents, HoldSignalAndOffsetWriteBack) {
    macros.presets = {Named(1, 50)};
    Assign(0, 2, 257);  // key 3: group 0, macro 1 (offset 5)
    Assign(0, 3, 50);   // key 4: preset 0
    Assign(0, 6, 18);   // key 7: the hold-signal button
    Prepare();
    const auto holdAndRaise = [&](int raises) {
        PressKey(7);
        for (int i = 0; i < raises; ++i) {
            Handle(MouseEventReport(0x01));
        }
        ReleaseKey(7);
    };

    PressKey(3);
    ReleaseKey(3);
    holdAndRaise(2);
    EXPECT_EQ(Heads(), (std::vector<ReportHead>{{0x07, 0x11, 2, 0, 0, 0, 0, 0},
                                                {0x07, 0x11, 0, 0, 0, 0, 0, 0}}));
    auto writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0].group, 0);
    EXPECT_EQ(writes[0].index, 1);
    EXPECT_EQ(writes[0].record.yOffset, 7);
    EXPECT_EQ(writes[0].record.yOffsetEnabled, 1);
    EXPECT_EQ(writes[0].record.repeatCount, 2) << "the rest of the macro as loaded";

    holdAndRaise(0);
    EXPECT_EQ(Writes().size(), 1u) << "an unchanged macro is not written again";

    // A preset held as the current macro keeps the position of macro 1, but must never be
    // written over it.
    PressKey(4);
    ReleaseKey(4);
    holdAndRaise(3);
    EXPECT_EQ(Writes().size(), 1u);
    EXPECT_EQ(macro.Get().record.yOffset, 4);
}

}  // namespace
}  // namespace novu
