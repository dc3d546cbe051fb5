#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>

#include "hidraw_testbed.h"
#include "tools/ctl_run.h"

namespace novu {
namespace {

using test::FakeHidNode;
using test::HidrawTestbed;
using test::RunCtl;

// The tool runs as a child of this test and so inside the same umockdev testbed.
class CtlDevicesTest : public testing::Test {
protected:
    void SetUp() override {
        FakeHidNode mouse;
        mouse.number = 2;
        mouse.descriptor = test::MouseDescriptor();
        testbed_.Add(mouse);
        FakeHidNode other;
        other.number = 0;
        other.vendorId = 0x046D;
        other.productId = 0xC077;
        other.usbProduct = "USB Optical Mouse";
        other.descriptor = test::BootMouseDescriptor();
        testbed_.Add(other);
    }

    HidrawTestbed testbed_;
};

TEST_F(CtlDevicesTest, ListsTheMouseInterfacesOrAllOfThem) {
    const auto json = RunCtl("--json devices");
    ASSERT_EQ(json.status, 0) << json.err;
    const auto expected = nlohmann::json::parse(R"([
        {"path": "/dev/hidraw2", "vendorId": 12538, "productId": 4160, "product": "NOVU GMouse",
         "usagePage": 65280, "usage": 1, "inputReportLength": 9, "featureReportLength": 0},
        {"path": "/dev/hidraw2", "vendorId": 12538, "productId": 4160, "product": "NOVU GMouse",
         "usagePage": 65281, "usage": 1, "inputReportLength": 0, "featureReportLength": 65}
    ])");
    EXPECT_EQ(nlohmann::json::parse(json.out), expected);

    const auto text = RunCtl("devices --all");
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out,
              "PATH          VID   PID   PAGE  USAGE  INPUT  FEATURE  PRODUCT\n"
              "/dev/hidraw0  046D  C077  0001  0002       3        0  USB Optical Mouse\n"
              "/dev/hidraw2  30FA  1040  FF00  0001       9        0  NOVU GMouse\n"
              "/dev/hidraw2  30FA  1040  FF01  0001       0       65  NOVU GMouse\n");

    const auto one = RunCtl("--json --device /dev/hidraw0 devices --all");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(nlohmann::json::parse(one.out).size(), 1u);
}

TEST_F(CtlDevicesTest, WithoutTheMouseTheStatusSaysSo) {
    testbed_.Remove(2);
    const auto text = RunCtl("devices");
    EXPECT_EQ(text.status, 3);
    EXPECT_EQ(text.out, "");
    EXPECT_NE(text.err.find("no mouse found"), std::string::npos);

    const auto json = RunCtl("--json devices");
    EXPECT_EQ(json.status, 3);
    EXPECT_EQ(nlohmann::json::parse(json.out), nlohmann::json::array());
}

TEST_F(CtlDevicesTest, EmulateListsTheVirtualBus) {
    const auto run = RunCtl("--emulate --emulate-variant 0 --json devices");
    ASSERT_EQ(run.status, 0) << run.err;
    const auto listed = nlohmann::json::parse(run.out);
    ASSERT_EQ(listed.size(), 2u);
    for (const auto& entry : listed) {
        EXPECT_EQ(entry["productId"], 0x1201);
        EXPECT_NE(entry["path"], "/dev/hidraw2");
    }
}

}  // namespace
}  // namespace novu
