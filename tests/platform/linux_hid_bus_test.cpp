#include "platform/linux/linux_hid_bus.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "config/device_description.h"
#include "device/device_link.h"
#include "hidraw_testbed.h"
#include "platform/linux/os_error.h"

namespace novu {
namespace {

using test::FakeHidNode;
using test::HidrawTestbed;

using Bytes = std::vector<std::uint8_t>;

// Waiting for another thread is bounded only so that a fault fails the test instead of
// hanging it; nothing here depends on how long anything takes.
constexpr auto kPatience = std::chrono::seconds(10);

FakeHidNode Mouse(int number, Bytes descriptor = test::MouseDescriptor(),
                  std::uint16_t productId = kProductIdVariant1) {
    FakeHidNode node;
    node.number = number;
    node.productId = productId;
    node.descriptor = std::move(descriptor);
    return node;
}

DeviceDescription Description(std::string devString) {
    DeviceDescription description;
    description.DevString = std::move(devString);
    return description;
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(LinuxHidBusTest, ListsEveryTopLevelCollectionOfEachNode) {
    HidrawTestbed testbed;
    testbed.Add(Mouse(0));
    FakeHidNode bootMouse;
    bootMouse.number = 1;
    bootMouse.vendorId = 0x046D;
    bootMouse.productId = 0xC077;
    bootMouse.usbProduct = "USB Optical Mouse";
    bootMouse.descriptor = test::BootMouseDescriptor();
    testbed.Add(bootMouse);
    FakeHidNode virtualDevice = Mouse(2, test::MouseFeatureDescriptor(), kProductIdVariant0);
    virtualDevice.usbProduct.reset();
    virtualDevice.hidName = "uhid GMouse";
    testbed.Add(virtualDevice);
    FakeHidNode broken = Mouse(3, {0x06, 0x00});
    testbed.Add(broken);

    LinuxHidBus bus;
    const auto listed = bus.Enumerate();
    ASSERT_TRUE(listed.ok()) << listed.error().message;
    const std::vector<HidInterfaceInfo> expected = {
        {"/dev/hidraw0", 0x30FA, 0x1040, "NOVU GMouse", 0xFF00, 1, 9, 0},
        {"/dev/hidraw0", 0x30FA, 0x1040, "NOVU GMouse", 0xFF01, 1, 0, 65},
        {"/dev/hidraw1", 0x046D, 0xC077, "USB Optical Mouse", 0x0001, 2, 3, 0},
        // An unreadable descriptor still lists the node, with no usage.
        {"/dev/hidraw3", 0x30FA, 0x1040, "NOVU GMouse", 0, 0, 0, 0},
        // Without a USB parent the product is the HID name.
        {"/dev/hidraw2", 0x30FA, 0x1201, "uhid GMouse", 0xFF01, 1, 0, 65},
    };
    EXPECT_EQ(*listed, expected);
}

TEST(LinuxHidBusTest, DiscoveryFindsTheMouseOnOneNodeOrTwo) {
    struct Case {
        const char* name;
        std::vector<FakeHidNode> nodes;
        std::string devString;
        bool connected;
        int variant;
        const char* inputPath;
        const char* featurePath;
    };
    FakeHidNode keyboard;
    keyboard.number = 0;
    keyboard.vendorId = 0x1234;
    keyboard.productId = 0x5678;
    keyboard.usbProduct = "Keyboard";
    keyboard.descriptor = test::BootMouseDescriptor();
    const Case cases[] = {
        {"one node carries both vendor collections",
         {keyboard, Mouse(1)},
         "NOVU GMouse",
         true,
         1,
         "/dev/hidraw1",
         "/dev/hidraw1"},
        {"two nodes, variant 0",
         {Mouse(1, test::MouseFeatureDescriptor(), kProductIdVariant0),
          Mouse(2, test::MouseInputDescriptor(), kProductIdVariant0)},
         "",
         true,
         0,
         "/dev/hidraw2",
         "/dev/hidraw1"},
        {"a wrong product ID",
         {Mouse(1, test::MouseDescriptor(), 0x1202)},
         "",
         false,
         kVariantUnknown,
         "",
         ""},
        {"the product string is the USB one, not the HID name",
         {Mouse(1)},
         "NOVU Gaming NOVU GMouse",
         false,
         kVariantUnknown,
         "",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HidrawTestbed testbed;
        for (const FakeHidNode& node : c.nodes) {
            testbed.Add(node);
        }
        LinuxHidBus bus;
        DeviceLink link(bus);
        EXPECT_EQ(link.OpenDevice(Description(c.devString)), c.connected);
        EXPECT_EQ(link.Variant(), c.variant);
        if (c.connected) {
            EXPECT_EQ(link.InputInterface().path, c.inputPath);
            EXPECT_EQ(link.FeatureInterface().path, c.featurePath);
            EXPECT_EQ(link.InputReportLength(), 9u);
            EXPECT_EQ(link.FeatureReportLength(), 65u);
        }
    }
}

TEST(LinuxHidBusTest, InterfacesBeforeTheFirstProductStringMatchAreSkipped) {
    HidrawTestbed testbed;
    // The mouse's input node reports another product string and comes first; a keyboard
    // whose product string is DevString follows, then the mouse's feature node.
    FakeHidNode input = Mouse(0, test::MouseInputDescriptor());
    input.usbProduct = "GM-1";
    testbed.Add(input);
    FakeHidNode keyboard;
    keyboard.number = 1;
    keyboard.vendorId = 0x1234;
    keyboard.usbProduct = "NOVU GMouse";
    keyboard.descriptor = test::BootMouseDescriptor();
    testbed.Add(keyboard);
    FakeHidNode feature = Mouse(2, test::MouseFeatureDescriptor());
    feature.usbProduct = "GM-1";
    testbed.Add(feature);

    LinuxHidBus bus;
    DeviceLink link(bus);
    EXPECT_FALSE(link.OpenDevice(Description("NOVU GMouse")));
    EXPECT_EQ(link.InputDevice(), nullptr);
    EXPECT_NE(link.FeatureDevice(), nullptr);
    // From now on the IDs alone decide.
    EXPECT_TRUE(link.OpenDevice(Description("NOVU GMouse")));
}

TEST(LinuxHidBusTest, FeatureReportsReachTheDeviceWithTheFeatureLength) {
    HidrawTestbed testbed;
    const std::string path = testbed.Add(Mouse(0));
    LinuxHidBus bus;
    auto device = bus.Open(path, HidAccess::Write);
    ASSERT_TRUE(device.ok()) << device.error().message;

    Bytes report(65, 0);
    report[0] = 0x07;
    report[1] = 0x18;
    report[2] = 0x03;
    report[64] = 0xEE;
    ASSERT_TRUE((*device)->SetFeature(report).ok());
    EXPECT_EQ(testbed.FeatureReports(0), std::vector<Bytes>{report});

    testbed.SetFeatureAnswer(0, {0x07, 0x18, 0x00, 0x02, 0x01});
    Bytes answer(65, 0xAA);
    answer[0] = 0x07;
    ASSERT_TRUE((*device)->GetFeature(answer).ok());
    Bytes expected(65, 0);
    expected[0] = 0x07;
    expected[1] = 0x18;
    expected[3] = 0x02;
    expected[4] = 0x01;
    EXPECT_EQ(answer, expected);

    const auto empty = (*device)->SetFeature({});
    ASSERT_FALSE(empty.ok());
    EXPECT_EQ(empty.error().fault, Fault::Caller);
}

TEST(LinuxHidBusTest, InputReportsAreReadAndInterruptEndsABlockedRead) {
    HidrawTestbed testbed;
    const std::string path = testbed.Add(Mouse(0));
    LinuxHidBus bus;
    auto opened = bus.Open(path, HidAccess::Read);
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    HidDevice& device = **opened;

    const Bytes press = {0x06, 0xF3, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00};
    testbed.SendInput(0, press);
    Bytes buffer(9, 0);
    const auto got = device.ReadInput(buffer);
    ASSERT_TRUE(got.ok()) << got.error().message;
    EXPECT_EQ(*got, 9u);
    EXPECT_EQ(buffer, press);

    std::optional<Result<std::size_t>> blocked;
    std::thread reader([&] { blocked.emplace(device.ReadInput(buffer)); });
    // Give the reader a moment to block; Interrupt must end the read whenever it comes.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    device.Interrupt();
    reader.join();
    ASSERT_TRUE(blocked.has_value() && blocked->ok());
    EXPECT_EQ(**blocked, 0u);

    // Interrupted for good, even with a report waiting.
    testbed.SendInput(0, press);
    const auto after = device.ReadInput(buffer);
    ASSERT_TRUE(after.ok());
    EXPECT_EQ(*after, 0u);
}

TEST(LinuxHidBusTest, OpenRefusesWhatIsNotAHidrawNode) {
    HidrawTestbed testbed;
    FakeHidNode file = Mouse(0);
    file.fileContent = Bytes{0x00};
    const std::string path = testbed.Add(file);
    LinuxHidBus bus;

    const auto notHidraw = bus.Open(path, HidAccess::Write);
    ASSERT_FALSE(notHidraw.ok());
    EXPECT_EQ(notHidraw.error().fault, Fault::Caller);
    EXPECT_TRUE(Contains(notHidraw.error().message, "HIDIOCGRAWINFO " + path));
    EXPECT_TRUE(Contains(notHidraw.error().message, "not a hidraw device"));

    const auto missing = bus.Open("/dev/hidraw9", HidAccess::Read);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().fault, Fault::Device);
    EXPECT_TRUE(Contains(missing.error().message, "open /dev/hidraw9"));
}

TEST(LinuxHidBusTest, PermissionDeniedNamesTheUdevRule) {
    HidrawTestbed testbed;
    FakeHidNode locked = Mouse(0);
    locked.fileContent = Bytes{0x00};
    testbed.Add(locked);
    std::filesystem::permissions(testbed.NodeFile(0), std::filesystem::perms::none);

    LinuxHidBus bus;
    DeviceLink link(bus);
    bool connected = true;
    test::RunWithoutFileCapabilities([&] { connected = link.OpenDevice(Description("")); });

    EXPECT_FALSE(connected);
    ASSERT_TRUE(link.LastOpenError().has_value());
    const Error error = *link.LastOpenError();
    EXPECT_EQ(error.fault, Fault::System);
    EXPECT_TRUE(Contains(error.message, "open /dev/hidraw0: Permission denied")) << error.message;
    EXPECT_TRUE(Contains(error.message, "packaging/70-novu-gmouse.rules"));
    EXPECT_TRUE(Contains(error.message, "udevadm control --reload-rules && udevadm trigger"));
}

TEST(LinuxHidBusTest, SystemErrorsSayWhoIsAtFault) {
    struct Case {
        int err;
        Fault fault;
        const char* says;
    };
    const Case cases[] = {
        {EACCES, Fault::System, "70-novu-gmouse.rules"},
        {EPERM, Fault::System, "70-novu-gmouse.rules"},
        {ENODEV, Fault::Device, "not connected"},
        {ENOENT, Fault::Device, "not connected"},
        {EPIPE, Fault::Device, "HIDIOCSFEATURE /dev/hidraw4: "},
        {ENOTTY, Fault::Caller, "HIDIOCSFEATURE /dev/hidraw4: "},
        {EMFILE, Fault::System, "HIDIOCSFEATURE /dev/hidraw4: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.err);
        const Error error = OsError("HIDIOCSFEATURE", "/dev/hidraw4", c.err);
        EXPECT_EQ(error.fault, c.fault);
        EXPECT_TRUE(Contains(error.message, c.says)) << error.message;
    }
}

// Collects the changes the bus reports, for the test thread to wait on.
class ChangeLog {
public:
    void Add(const HidChange& change) {
        std::lock_guard lock(mutex_);
        changes_.push_back(change);
        arrived_.notify_all();
    }
    std::optional<HidChange> Next() {
        std::unique_lock lock(mutex_);
        if (!arrived_.wait_for(lock, kPatience, [&] { return !changes_.empty(); })) {
            return std::nullopt;
        }
        HidChange change = changes_.front();
        changes_.pop_front();
        return change;
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<HidChange> changes_;
};

TEST(LinuxHidBusTest, HotPlugReportsArrivalsAndRemovalsOfHidrawNodes) {
    HidrawTestbed testbed;
    testbed.Add(Mouse(0));
    LinuxHidBus bus;
    ChangeLog log;
    ASSERT_TRUE(bus.StartWatching([&](const HidChange& change) { log.Add(change); }).ok());
    EXPECT_FALSE(bus.StartWatching([](const HidChange&) {}).ok()) << "one watcher at a time";

    testbed.Add(Mouse(1));
    auto change = log.Next();
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->kind, HidChange::Kind::Arrival);
    EXPECT_EQ(change->path, "/dev/hidraw1");

    testbed.Remove(0);
    change = log.Next();
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->kind, HidChange::Kind::Removal);
    EXPECT_EQ(change->path, "/dev/hidraw0");
    bus.StopWatching();
}

TEST(LinuxHidBusTest, RemovalOfTheMouseReachesTheLink) {
    HidrawTestbed testbed;
    testbed.Add(Mouse(0));
    testbed.Add(Mouse(1, test::BootMouseDescriptor(), 0x0001));
    LinuxHidBus bus;
    std::mutex mutex;
    std::condition_variable removedSignal;
    bool removed = false;
    DeviceLink link(bus, [&] {
        std::lock_guard lock(mutex);
        removed = true;
        removedSignal.notify_all();
    });
    ASSERT_TRUE(link.OpenDevice(Description("")));
    ASSERT_TRUE(link.StartWatching().ok());

    // Another device leaving changes nothing; the changes arrive in order, so once the
    // mouse's removal is seen the other one has been handled.
    testbed.Remove(1);
    testbed.Remove(0);
    std::unique_lock lock(mutex);
    ASSERT_TRUE(removedSignal.wait_for(lock, kPatience, [&] { return removed; }));
    EXPECT_FALSE(link.Connected());
}

TEST(LinuxHidBusTest, TheWatcherMayStopWatchingFromItsOwnCallback) {
    HidrawTestbed testbed;
    LinuxHidBus bus;
    ChangeLog log;
    ASSERT_TRUE(bus.StartWatching([&](const HidChange& change) {
                       bus.StopWatching();
                       log.Add(change);
                   })
                    .ok());
    testbed.Add(Mouse(0));
    ASSERT_TRUE(log.Next().has_value());
    // Watching can start again once the old watcher let go.
    ASSERT_TRUE(bus.StartWatching([&](const HidChange& change) { log.Add(change); }).ok());
    testbed.Remove(0);
    const auto change = log.Next();
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->kind, HidChange::Kind::Removal);
}

}  // namespace
}  // namespace novu
