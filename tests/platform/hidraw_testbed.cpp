#include "hidraw_testbed.h"

#include <linux/capability.h>
#include <linux/hidraw.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <umockdev.h>
#include <unistd.h>

#include <gtest/gtest.h>
#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/linux/linux_hid_bus.h"

namespace novu::test {

std::vector<std::uint8_t> MouseInputDescriptor() {
    return {
        0x06, 0x00, 0xFF,  // Usage Page (0xFF00)
        0x09, 0x01,        // Usage (1)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x06,        //   Report ID (6)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x08,        //   Report Count (8)
        0x09, 0x01,        //   Usage (1)
        0x81, 0x02,        //   Input (Data, Variable, Absolute)
        0xC0,              // End Collection
    };
}

std::vector<std::uint8_t> MouseFeatureDescriptor() {
    return {
        0x06, 0x01, 0xFF,  // Usage Page (0xFF01)
        0x09, 0x01,        // Usage (1)
        0xA1, 0x01,        // Collection (Application)
        0x85, 0x07,        //   Report ID (7)
        0x15, 0x00,        //   Logical Minimum (0)
        0x26, 0xFF, 0x00,  //   Logical Maximum (255)
        0x75, 0x08,        //   Report Size (8)
        0x95, 0x40,        //   Report Count (64)
        0x09, 0x01,        //   Usage (1)
        0xB1, 0x02,        //   Feature (Data, Variable, Absolute)
        0xC0,              // End Collection
    };
}

std::vector<std::uint8_t> MouseDescriptor() {
    std::vector<std::uint8_t> both = MouseInputDescriptor();
    const std::vector<std::uint8_t> feature = MouseFeatureDescriptor();
    both.insert(both.end(), feature.begin(), feature.end());
    return both;
}

std::vector<std::uint8_t> BootMouseDescriptor() {
    return {
        0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,  // Generic Desktop, Mouse, Application
        0x09, 0x01, 0xA1, 0x00,              //   Pointer, Physical
        0x05, 0x09, 0x19, 0x01, 0x29, 0x03,  //     Buttons 1..3
        0x15, 0x00, 0x25, 0x01, 0x95, 0x03, 0x75, 0x01, 0x81, 0x02,  // 3 x 1 bit
        0x95, 0x01, 0x75, 0x05, 0x81, 0x03,                          // 5 bits padding
        0x05, 0x01, 0x09, 0x30, 0x09, 0x31,                          //     X, Y
        0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06,  // 2 x 8 bits
        0xC0, 0xC0,
    };
}

struct HidrawTestbed::Node {
    std::string syspath;
    _UMockdevIoctlBase* handler = nullptr;
    std::mutex mutex;  // the handler runs on umockdev's thread
    std::vector<std::vector<std::uint8_t>> featureReports;
    std::vector<std::uint8_t> featureAnswer;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

namespace {

// umockdev hands a node to its worker thread through GLib, whose futex-based locks
// ThreadSanitizer cannot see; these tell it the order GLib guarantees.
void PublishToWorker([[maybe_unused]] HidrawTestbed::Node* node) {
#if defined(__SANITIZE_THREAD__)
    __tsan_release(node);
#endif
}

void ReceiveFromTest([[maybe_unused]] HidrawTestbed::Node* node) {
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(node);
#endif
}

std::string Hex(std::span<const std::uint8_t> bytes) {
    std::string text;
    char digits[3];
    for (const std::uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", byte);
        text += digits;
    }
    return text;
}

gboolean HandleIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer data) {
    auto* node = static_cast<HidrawTestbed::Node*>(data);
    ReceiveFromTest(node);
    const gulong request = umockdev_ioctl_client_get_request(client);
    const std::size_t size = _IOC_SIZE(request);
    GError* error = nullptr;
    UMockdevIoctlData* arg = umockdev_ioctl_client_get_arg(client);
    std::lock_guard lock(node->mutex);
    if (request == HIDIOCGRAWINFO) {
        UMockdevIoctlData* resolved = umockdev_ioctl_data_resolve(arg, 0, size, &error);
        const hidraw_devinfo info{3, static_cast<__s16>(node->vendorId),
                                  static_cast<__s16>(node->productId)};
        std::memcpy(resolved->data, &info, sizeof info);
        umockdev_ioctl_client_complete(client, 0, 0);
    } else if (_IOC_TYPE(request) == 'H' && _IOC_NR(request) == 0x06) {  // HIDIOCSFEATURE
        UMockdevIoctlData* resolved = umockdev_ioctl_data_resolve(arg, 0, size, &error);
        node->featureReports.emplace_back(resolved->data, resolved->data + size);
        umockdev_ioctl_client_complete(client, static_cast<glong>(size), 0);
    } else if (_IOC_TYPE(request) == 'H' && _IOC_NR(request) == 0x07) {  // HIDIOCGFEATURE
        UMockdevIoctlData* resolved = umockdev_ioctl_data_resolve(arg, 0, size, &error);
        std::memset(resolved->data, 0, size);
        const std::size_t copied = std::min(size, node->featureAnswer.size());
        std::copy_n(node->featureAnswer.begin(), copied, resolved->data);
        umockdev_ioctl_client_complete(client, static_cast<glong>(copied), 0);
    } else {
        umockdev_ioctl_client_complete(client, -1, ENOTTY);
    }
    if (error != nullptr) {
        ADD_FAILURE() << "umockdev: " << error->message;
        g_error_free(error);
    }
    return TRUE;
}

}  // namespace

HidrawTestbed::HidrawTestbed() : testbed_(umockdev_testbed_new()) {
    if (!umockdev_in_mock_environment()) {
        ADD_FAILURE() << "the test must run under umockdev-wrapper";
    }
}

HidrawTestbed::~HidrawTestbed() {
    // The testbed first, so no handler runs while its node goes away.
    g_object_unref(testbed_);
    for (auto& [number, node] : nodes_) {
        // The worker's last use of the node ends with unlocking it.
        std::lock_guard lock(node->mutex);
        if (node->handler != nullptr) {
            g_object_unref(node->handler);
        }
    }
}

std::string HidrawTestbed::DevicePath(int number) {
    return "/dev/hidraw" + std::to_string(number);
}

std::filesystem::path HidrawTestbed::NodeFile(int number) const {
    gchar* root = umockdev_testbed_get_root_dir(testbed_);
    std::filesystem::path file =
        std::filesystem::path(root) / "dev" / ("hidraw" + std::to_string(number));
    g_free(root);
    return file;
}

std::string HidrawTestbed::Add(const FakeHidNode& spec) {
    const std::string n = std::to_string(spec.number);
    char hidName[32];
    std::snprintf(hidName, sizeof hidName, "0003:%04X:%04X.%04X", spec.vendorId, spec.productId,
                  spec.number + 1);
    char hidId[32];
    std::snprintf(hidId, sizeof hidId, "0003:%08X:%08X", spec.vendorId, spec.productId);
    const std::string usbDevice = "/devices/pci0000:00/0000:00:14.0/usb1/1-" + n;
    const std::string usbInterface = usbDevice + "/1-" + n + ":1.0";
    const std::string hid =
        (spec.usbProduct ? usbInterface : std::string("/devices/virtual/misc/uhid")) + "/" +
        hidName;
    const std::string hidraw = hid + "/hidraw/hidraw" + n;

    std::string record = "P: " + hidraw + "\nN: hidraw" + n;
    if (spec.fileContent) {
        record += "=" + Hex(*spec.fileContent);
    }
    record += "\nE: DEVNAME=/dev/hidraw" + n + "\nE: SUBSYSTEM=hidraw\nA: dev=247:" + n + "\n\n";
    record += "P: " + hid + "\nE: SUBSYSTEM=hid\nE: HID_ID=" + hidId +
              "\nE: HID_NAME=" + spec.hidName + "\nH: report_descriptor=" + Hex(spec.descriptor) +
              "\n\n";
    if (spec.usbProduct) {
        char ids[64];
        std::snprintf(ids, sizeof ids, "A: idVendor=%04x\nA: idProduct=%04x\n", spec.vendorId,
                      spec.productId);
        record += "P: " + usbInterface + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\n\n";
        record += "P: " + usbDevice + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\n" + ids +
                  "A: product=" + *spec.usbProduct + "\n";
    }

    GError* error = nullptr;
    std::unique_lock libudev(LibudevLock());  // the testbed uses libudev too
    if (!umockdev_testbed_add_from_string(testbed_, record.c_str(), &error)) {
        ADD_FAILURE() << "umockdev: " << error->message;
        g_error_free(error);
        return {};
    }
    libudev.unlock();
    auto node = std::make_unique<Node>();
    node->syspath = "/sys" + hidraw;
    node->vendorId = spec.vendorId;
    node->productId = spec.productId;
    if (!spec.fileContent) {
        PublishToWorker(node.get());
        node->handler = umockdev_ioctl_base_new();
        g_signal_connect(node->handler, "handle-ioctl", G_CALLBACK(HandleIoctl), node.get());
        if (!umockdev_testbed_attach_ioctl(testbed_, DevicePath(spec.number).c_str(), node->handler,
                                           &error)) {
            ADD_FAILURE() << "umockdev: " << error->message;
            g_error_free(error);
        }
    }
    nodes_[spec.number] = std::move(node);
    return DevicePath(spec.number);
}

void HidrawTestbed::Remove(int number) {
    const std::string syspath = nodes_.at(number)->syspath;
    std::lock_guard libudev(LibudevLock());  // the testbed uses libudev too
    umockdev_testbed_uevent(testbed_, syspath.c_str(), "remove");
    umockdev_testbed_remove_device(testbed_, syspath.c_str());
}

std::vector<std::vector<std::uint8_t>> HidrawTestbed::FeatureReports(int number) {
    Node& node = *nodes_.at(number);
    std::lock_guard lock(node.mutex);
    return node.featureReports;
}

void HidrawTestbed::SetFeatureAnswer(int number, std::vector<std::uint8_t> answer) {
    Node& node = *nodes_.at(number);
    std::lock_guard lock(node.mutex);
    node.featureAnswer = std::move(answer);
}

void HidrawTestbed::SendInput(int number, std::span<const std::uint8_t> report) {
    const int master = umockdev_testbed_get_dev_fd(testbed_, DevicePath(number).c_str());
    ASSERT_GE(master, 0);
    ASSERT_EQ(::write(master, report.data(), report.size()), static_cast<ssize_t>(report.size()));
}

void RunWithoutFileCapabilities(const std::function<void()>& body) {
    std::thread worker([&body] {
        if (::geteuid() == 0) {
            // Capabilities belong to the thread that sets them: only this one loses them.
            __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
            __user_cap_data_struct caps[2]{};
            ASSERT_EQ(::syscall(SYS_capget, &header, caps), 0) << std::strerror(errno);
            caps[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
            ASSERT_EQ(::syscall(SYS_capset, &header, caps), 0) << std::strerror(errno);
        }
        body();
    });
    worker.join();
}

}  // namespace novu::test
