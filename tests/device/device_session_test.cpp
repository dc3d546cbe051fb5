#include "device/device_session.h"

#include <gtest/gtest.h>

#include <optional>

#include "base/virtual_clock.h"
#include "device/mouse_rig.h"
#include "device/twelve_buttons.h"
#include "emulator/virtual_bus.h"
#include "emulator/virtual_mouse.h"

namespace novu {
namespace {

using test::ReportHead;

std::vector<ReportHead> SetHeads(const VirtualMouse& mouse) {
    std::vector<ReportHead> heads;
    for (const FeatureExchange& exchange : mouse.Exchanges()) {
        ReportHead head{};
        std::copy_n(exchange.bytes.begin(), 8, head.begin());
        heads.push_back(head);
    }
    return heads;
}

TEST(DeviceSessionTest, ClosingSequenceNeedsTheFeatureInterface) {
    struct Case {
        std::optional<std::string> path;
        bool connected;
        bool closingReports;
    };
    const Case cases[] = {
        {std::nullopt, true, true},
        {VirtualBus::kFeaturePath, false, true},  // the input interface was never found
        {VirtualBus::kInputPath, false, false},   // nothing to send the reports to
    };
    for (const Case& c : cases) {
        VirtualClock clock;
        VirtualMouse mouse(clock, 1);
        VirtualBus bus(mouse);
        DeviceLink link(bus);
        FeatureTransport transport(clock);
        DeviceSession session(link, transport);
        EXPECT_EQ(session.LightingMode(), kLightingModeNotFound);

        EXPECT_EQ(session.Open(test::TwelveButtons(), c.path), c.connected);
        EXPECT_EQ(session.LightingMode(), c.connected ? kLightingModeFound : kLightingModeNotFound);
        session.Close();
        if (!c.closingReports) {
            EXPECT_TRUE(mouse.Exchanges().empty());
            continue;
        }
        EXPECT_EQ(SetHeads(mouse), (std::vector<ReportHead>{{0x07, 0x18, 0x10, 0, 0, 0, 0, 0},
                                                            {0x07, 0x18, 0x00, 0, 0, 0, 0, 0},
                                                            {0x07, 0x20, 0x00, 0, 0, 0, 0, 0}}));
        EXPECT_EQ(ToMilliseconds(mouse.Exchanges().back().time), 5);
    }
}

TEST(DeviceSessionTest, HostFunctionKeysOfTheCurrentProfile) {
    DeviceDescription device = test::TwelveButtons();
    device.KEYMAP[11] = 0;  // a slot without a button
    SettingsStore store;
    store.SetDevice(device);
    store.Update([](Settings& s) {
        s.CurConfig = 1;
        s.profiles[1].K = {18, 41, 40, 256, 1, 50, 30000, 23, 2, 33, 0, 18};
        s.profiles[0].K.fill(256);
    });
    EXPECT_EQ(HostFunctionKeys(store.Snapshot().profiles[1], device),
              (std::vector<std::uint8_t>{1, 2, 4, 6, 7}));

    test::MouseRig rig;
    EXPECT_EQ(SendHostFunctionKeys(rig.transport, store), 0) << "hardware macro mode";
    store.Update([](Settings& s) { s.shared.SOFT_HARD_MAC = 1; });
    EXPECT_EQ(SendHostFunctionKeys(rig.transport, store), 5);
    const auto sent = rig.SetReports();
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[2].head, (ReportHead{0x07, 0x10, 4, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace novu
