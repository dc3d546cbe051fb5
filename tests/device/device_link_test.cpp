#include "device/device_link.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "config/device_description.h"

namespace novu {
namespace {

// An opened interface that only remembers what it was opened as.
class FakeDevice final : public HidDevice {
public:
    FakeDevice(std::string path, HidAccess access) : path_(std::move(path)), access_(access) {}
    Result<void> SetFeature(std::span<const std::uint8_t>) override { return Ok(); }
    Result<void> GetFeature(std::span<std::uint8_t>) override { return Ok(); }
    Result<std::size_t> ReadInput(std::span<std::uint8_t>) override { return std::size_t{0}; }
    void Interrupt() override {}

    const std::string path_;
    const HidAccess access_;
};

// A scripted HID bus: a fixed list of interfaces, opens that fail on demand, and changes the
// test delivers by hand.
class FakeBus final : public HidBus {
public:
    Result<std::vector<HidInterfaceInfo>> Enumerate() override {
        ++enumerations;
        return interfaces;
    }
    Result<std::unique_ptr<HidDevice>> Open(const std::string& path, HidAccess access) override {
        opens.emplace_back(path, access);
        if (auto failure = failingOpens.find({path, access}); failure != failingOpens.end()) {
            return MakeError(Fault::System, failure->second);
        }
        return std::unique_ptr<HidDevice>(std::make_unique<FakeDevice>(path, access));
    }
    Result<void> StartWatching(std::function<void(const HidChange&)> onChange) override {
        onChange_ = std::move(onChange);
        return Ok();
    }
    void StopWatching() override {
        onChange_ = nullptr;
        ++stops;
    }

    void Deliver(HidChange::Kind kind, const std::string& path) {
        ASSERT_TRUE(onChange_) << "the link is not watching";
        onChange_(HidChange{kind, path});
    }

    std::vector<HidInterfaceInfo> interfaces;
    std::map<std::pair<std::string, HidAccess>, std::string> failingOpens;
    std::vector<std::pair<std::string, HidAccess>> opens;
    int enumerations = 0;
    int stops = 0;

private:
    std::function<void(const HidChange&)> onChange_;
};

HidInterfaceInfo Interface(std::string path, std::uint16_t usagePage,
                           std::uint16_t productId = kProductIdVariant1,
                           std::string product = "NOVU GMouse",
                           std::uint16_t vendorId = kMouseVendorId) {
    HidInterfaceInfo info;
    info.path = std::move(path);
    info.vendorId = vendorId;
    info.productId = productId;
    info.product = std::move(product);
    info.usagePage = usagePage;
    info.usage = 1;
    info.inputReportLength = usagePage == kInputUsagePage ? 9 : 0;
    info.featureReportLength = usagePage == kFeatureUsagePage ? 65 : 0;
    return info;
}

HidInterfaceInfo Keyboard(std::string path, std::string product = "Keyboard") {
    HidInterfaceInfo info = Interface(std::move(path), 0x0001, 0x0101, std::move(product), 0x1234);
    info.usage = 6;
    return info;
}

DeviceDescription Description(std::string devString) {
    DeviceDescription description;
    description.DevString = std::move(devString);
    return description;
}

TEST(DeviceLinkTest, ProductIdDecidesVariantAndAcceptance) {
    struct Case {
        std::uint16_t vendorId;
        std::uint16_t productId;
        bool connected;
        int variant;
    };
    const Case cases[] = {
        {kMouseVendorId, 0x1201, true, 0},
        {kMouseVendorId, 0x1040, true, 1},
        {kMouseVendorId, 0x1202, false, kVariantUnknown},
        {0x30FB, 0x1040, false, kVariantUnknown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.vendorId << ":" << c.productId);
        FakeBus bus;
        bus.interfaces = {
            Interface("/dev/hidraw1", kInputUsagePage, c.productId, "x", c.vendorId),
            Interface("/dev/hidraw1", kFeatureUsagePage, c.productId, "x", c.vendorId)};
        DeviceLink link(bus);
        EXPECT_EQ(link.OpenDevice(Description("")), c.connected);
        EXPECT_EQ(link.Connected(), c.connected);
        EXPECT_EQ(link.Variant(), c.variant);
        EXPECT_EQ(bus.opens.empty(), !c.connected);
    }
}

TEST(DeviceLinkTest, OneNodeWithBothCollectionsIsOpenedOncePerRole) {
    FakeBus bus;
    bus.interfaces = {Keyboard("/dev/hidraw0"), Interface("/dev/hidraw2", kInputUsagePage),
                      Interface("/dev/hidraw2", kFeatureUsagePage),
                      Interface("/dev/hidraw3", kInputUsagePage)};
    DeviceLink link(bus);

    ASSERT_TRUE(link.OpenDevice(Description("NOVU GMouse")));
    const std::vector<std::pair<std::string, HidAccess>> expected = {
        {"/dev/hidraw2", HidAccess::Read}, {"/dev/hidraw2", HidAccess::Write}};
    EXPECT_EQ(bus.opens, expected) << "discovery stops once both roles are open";
    EXPECT_EQ(link.DevicePath(), "/dev/hidraw2");
    EXPECT_EQ(link.InputReportLength(), 9u);
    EXPECT_EQ(link.FeatureReportLength(), 65u);
    auto input = std::dynamic_pointer_cast<FakeDevice>(link.InputDevice());
    auto feature = std::dynamic_pointer_cast<FakeDevice>(link.FeatureDevice());
    ASSERT_TRUE(input && feature);
    EXPECT_EQ(input->access_, HidAccess::Read);
    EXPECT_EQ(feature->access_, HidAccess::Write);
    EXPECT_NE(input, feature);
}

TEST(DeviceLinkTest, TwoInterfacePathsGiveTheLastMatchedPath) {
    FakeBus bus;
    bus.interfaces = {Interface("/dev/hidraw4", kFeatureUsagePage),
                      Interface("/dev/hidraw5", kInputUsagePage)};
    DeviceLink link(bus);

    ASSERT_TRUE(link.OpenDevice(Description("")));
    EXPECT_EQ(link.DevicePath(), "/dev/hidraw5");
    EXPECT_EQ(link.InputInterface().path, "/dev/hidraw5");
    EXPECT_EQ(link.FeatureInterface().path, "/dev/hidraw4");
}

TEST(DeviceLinkTest, EmptyDevStringAcceptsAnyProductString) {
    FakeBus bus;
    bus.interfaces = {Interface("/dev/hidraw1", kInputUsagePage, kProductIdVariant1, ""),
                      Interface("/dev/hidraw1", kFeatureUsagePage, kProductIdVariant1, "Other")};
    DeviceLink link(bus);
    EXPECT_TRUE(link.OpenDevice(Description("")));
    EXPECT_TRUE(link.ProductStringMatched());
}

TEST(DeviceLinkTest, ProductStringMatchStaysSetForLaterInterfacesAndCalls) {
    FakeBus bus;
    // The mouse reports a product string that differs from DevString; only the keyboard's
    // matches it.
    bus.interfaces = {Interface("/dev/hidraw1", kInputUsagePage, kProductIdVariant1, "Wrong"),
                      Keyboard("/dev/hidraw0", "NOVU GMouse"),
                      Interface("/dev/hidraw1", kInputUsagePage, kProductIdVariant1, "Wrong"),
                      Interface("/dev/hidraw1", kFeatureUsagePage, kProductIdVariant1, "Wrong")};
    DeviceLink link(bus);

    ASSERT_TRUE(link.OpenDevice(Description("NOVU GMouse")));
    EXPECT_TRUE(link.ProductStringMatched());
    EXPECT_EQ(bus.opens.size(), 2u) << "the first interface, before any match, is rejected";
    EXPECT_EQ(bus.opens.front(), std::make_pair(std::string("/dev/hidraw1"), HidAccess::Read));

    // A later discovery judges by the IDs alone from the first interface on.
    bus.interfaces.erase(bus.interfaces.begin() + 1);
    bus.opens.clear();
    EXPECT_TRUE(link.OpenDevice(Description("NOVU GMouse")));
    EXPECT_EQ(bus.opens.front(), std::make_pair(std::string("/dev/hidraw1"), HidAccess::Read));

    // Without any matching product string the mouse is never accepted.
    DeviceLink fresh(bus);
    bus.opens.clear();
    EXPECT_FALSE(fresh.OpenDevice(Description("NOVU GMouse")));
    EXPECT_FALSE(fresh.ProductStringMatched());
    EXPECT_TRUE(bus.opens.empty());
    EXPECT_EQ(fresh.Variant(), kVariantUnknown);
}

TEST(DeviceLinkTest, OnlyTheInputInterfaceIsNotAConnection) {
    FakeBus bus;
    bus.interfaces = {Interface("/dev/hidraw1", kInputUsagePage), Keyboard("/dev/hidraw0")};
    DeviceLink link(bus);

    EXPECT_FALSE(link.OpenDevice(Description("")));
    EXPECT_FALSE(link.Connected());
    EXPECT_NE(link.InputDevice(), nullptr);
    EXPECT_EQ(link.FeatureDevice(), nullptr);
    EXPECT_EQ(link.Variant(), 1) << "the variant is set by the match, connected or not";
}

TEST(DeviceLinkTest, InterfaceThatFailsToOpenDoesNotCount) {
    FakeBus bus;
    bus.interfaces = {Interface("/dev/hidraw1", kInputUsagePage),
                      Interface("/dev/hidraw1", kFeatureUsagePage)};
    bus.failingOpens[{"/dev/hidraw1", HidAccess::Write}] = "open /dev/hidraw1: Permission denied";
    DeviceLink link(bus);

    EXPECT_FALSE(link.OpenDevice(Description("")));
    EXPECT_EQ(link.FeatureDevice(), nullptr);
    ASSERT_TRUE(link.LastOpenError().has_value());
    EXPECT_EQ(link.LastOpenError()->message, "open /dev/hidraw1: Permission denied");

    // A later interface of the same role that opens completes the link.
    bus.interfaces.push_back(Interface("/dev/hidraw2", kFeatureUsagePage));
    EXPECT_TRUE(link.OpenDevice(Description("")));
    EXPECT_EQ(link.FeatureInterface().path, "/dev/hidraw2");
}

TEST(DeviceLinkTest, AtMostOneHundredInterfacesAreExamined) {
    for (const std::size_t before : {std::size_t{98}, std::size_t{99}}) {
        SCOPED_TRACE(before);
        FakeBus bus;
        for (std::size_t i = 0; i < before; ++i) {
            bus.interfaces.push_back(Keyboard("/dev/hidraw" + std::to_string(i)));
        }
        bus.interfaces.push_back(Interface("/dev/hidraw200", kInputUsagePage));
        bus.interfaces.push_back(Interface("/dev/hidraw200", kFeatureUsagePage));
        DeviceLink link(bus);
        EXPECT_EQ(link.OpenDevice(Description("")), before + 2 <= kMaxInterfacesExamined);
    }
}

TEST(DeviceLinkTest, OpenDeviceAtLooksOnlyAtThatPath) {
    FakeBus bus;
    bus.interfaces = {Interface("/dev/hidraw1", kInputUsagePage),
                      Interface("/dev/hidraw1", kFeatureUsagePage),
                      Interface("/dev/hidraw7", kInputUsagePage, kProductIdVariant0),
                      Interface("/dev/hidraw7", kFeatureUsagePage, kProductIdVariant0)};
    DeviceLink link(bus);

    ASSERT_TRUE(link.OpenDeviceAt(Description(""), "/dev/hidraw7"));
    EXPECT_EQ(link.Variant(), 0);
    EXPECT_FALSE(link.OpenDeviceAt(Description(""), "/dev/hidraw9"));
}

TEST(DeviceLinkTest, FailedEnumerationIsReported) {
    class BrokenBus final : public HidBus {
    public:
        Result<std::vector<HidInterfaceInfo>> Enumerate() override {
            return MakeError(Fault::System, "udev unavailable");
        }
        Result<std::unique_ptr<HidDevice>> Open(const std::string&, HidAccess) override {
            return MakeError(Fault::System, "unexpected");
        }
        Result<void> StartWatching(std::function<void(const HidChange&)>) override {
            return MakeError(Fault::System, "no monitor");
        }
        void StopWatching() override {}
    } bus;
    DeviceLink link(bus);
    EXPECT_FALSE(link.OpenDevice(Description("")));
    ASSERT_TRUE(link.LastOpenError().has_value());
    EXPECT_EQ(link.LastOpenError()->message, "udev unavailable");
    EXPECT_FALSE(link.StartWatching().ok());
}

// A connected link that watches the bus, counting the removals it reports.
class DeviceLinkChangeTest : public testing::Test {
protected:
    void SetUp() override {
        bus_.interfaces = {Interface(kPath, kInputUsagePage), Interface(kPath, kFeatureUsagePage)};
        ASSERT_TRUE(link_.OpenDevice(Description("")));
        ASSERT_TRUE(link_.StartWatching().ok());
        bus_.opens.clear();
        bus_.enumerations = 0;
    }

    static constexpr const char* kPath = R"(\\?\hid#vid_30fa&pid_1040&mi_01#7&2a1&0&0000)";
    FakeBus bus_;
    int removals_ = 0;
    DeviceLink link_{bus_, [this] { ++removals_; }};
};

TEST_F(DeviceLinkChangeTest, ChangesOfOtherDevicesChangeNothing) {
    bus_.Deliver(HidChange::Kind::Removal, "/dev/hidraw9");
    bus_.Deliver(HidChange::Kind::Arrival, "/dev/hidraw9");
    bus_.Deliver(HidChange::Kind::Arrival, kPath);  // already connected: nothing to do
    EXPECT_TRUE(link_.Connected());
    EXPECT_EQ(removals_, 0);
    EXPECT_EQ(bus_.enumerations, 0);
}

TEST_F(DeviceLinkChangeTest, RemovalMatchesWithoutRegardToCase) {
    const std::string upper = R"(\\?\HID#VID_30FA&PID_1040&MI_01#7&2A1&0&0000)";
    EXPECT_TRUE(link_.MatchesNotification(HidChange{HidChange::Kind::Removal, upper}));
    bus_.Deliver(HidChange::Kind::Removal, upper);
    EXPECT_FALSE(link_.Connected());
    EXPECT_EQ(removals_, 1);
}

TEST_F(DeviceLinkChangeTest, ArrivalAfterRemovalOpensAgainWithFreshHandles) {
    const std::shared_ptr<HidDevice> oldInput = link_.InputDevice();
    bus_.Deliver(HidChange::Kind::Removal, kPath);
    bus_.Deliver(HidChange::Kind::Arrival, "/dev/hidraw9");
    EXPECT_EQ(bus_.enumerations, 0);

    // The mouse comes back but its input interface refuses to open: the handle of the
    // removed mouse must not make it look connected.
    bus_.failingOpens[{kPath, HidAccess::Read}] = "busy";
    bus_.Deliver(HidChange::Kind::Arrival, kPath);
    EXPECT_EQ(bus_.enumerations, 1);
    EXPECT_FALSE(link_.Connected());
    EXPECT_EQ(link_.InputDevice(), nullptr);

    bus_.failingOpens.clear();
    bus_.Deliver(HidChange::Kind::Arrival, kPath);
    EXPECT_TRUE(link_.Connected());
    EXPECT_NE(link_.InputDevice(), oldInput);
    EXPECT_EQ(removals_, 1);
}

TEST_F(DeviceLinkChangeTest, EndingTheLinkStopsWatching) {
    {
        DeviceLink other(bus_);
        ASSERT_TRUE(other.StartWatching().ok());
    }
    EXPECT_EQ(bus_.stops, 1);
    link_.StopWatching();
    link_.StopWatching();
    EXPECT_EQ(bus_.stops, 2);
}

}  // namespace
}  // namespace novu
