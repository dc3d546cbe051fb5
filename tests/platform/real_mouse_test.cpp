#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "config/device_description.h"
#include "device/device_link.h"
#include "platform/linux/linux_hid_bus.h"

namespace novu {
namespace {

// Talks to a mouse plugged into this machine, if there is one, and only reads from it.
TEST(RealMouseTest, OpensBothVendorInterfacesOfAPluggedMouse) {
    LinuxHidBus bus;
    DeviceLink link(bus);
    if (!link.OpenDevice(DeviceDescription{})) {
        const auto why = link.LastOpenError();
        GTEST_SKIP() << "no mouse to talk to" << (why ? ": " + why->message : std::string());
    }
    EXPECT_TRUE(link.Variant() == 0 || link.Variant() == 1);
    ASSERT_GE(link.FeatureReportLength(), 8u);
    ASSERT_GE(link.InputReportLength(), 2u);

    // Reading the feature report back sends nothing to the mouse's memory.
    std::vector<std::uint8_t> report(link.FeatureReportLength(), 0);
    report[0] = 0x07;
    const auto read = link.FeatureDevice()->GetFeature(report);
    EXPECT_TRUE(read.ok()) << read.error().message;

    const auto input = link.InputDevice();
    std::vector<std::uint8_t> buffer(link.InputReportLength(), 0);
    std::thread reader([&] { (void)input->ReadInput(buffer); });
    input->Interrupt();
    reader.join();
}

}  // namespace
}  // namespace novu
