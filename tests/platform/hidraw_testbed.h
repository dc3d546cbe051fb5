#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The umockdev types, declared here so tests need not include GLib.
struct _UMockdevTestbed;
struct _UMockdevIoctlBase;

namespace novu::test {

// One fake hidraw node and the devices above it.
struct FakeHidNode {
    int number = 0;  // /dev/hidraw<number>
    std::uint16_t vendorId = 0x30FA;
    std::uint16_t productId = 0x1040;
    // The USB product string; nullopt makes a device without USB parents (like uhid).
    std::optional<std::string> usbProduct = "NOVU GMouse";
    std::string hidName = "NOVU Gaming NOVU GMouse";
    std::vector<std::uint8_t> descriptor;
    // A node that is a plain file with these bytes instead of a terminal; such a node takes
    // no ioctls and no input.
    std::optional<std::vector<std::uint8_t>> fileContent;
};

// The mouse's report descriptor: the vendor input collection (0xFF00, input report 6 of 8
// bytes) and the vendor feature collection (0xFF01, feature report 7 of 64 bytes).
std::vector<std::uint8_t> MouseDescriptor();
// The input collection alone, or the feature collection alone.
std::vector<std::uint8_t> MouseInputDescriptor();
std::vector<std::uint8_t> MouseFeatureDescriptor();
// A boot mouse without report IDs: buttons and X/Y in a 3-byte input report.
std::vector<std::uint8_t> BootMouseDescriptor();

// A umockdev testbed of hidraw nodes. Each node answers HIDIOCGRAWINFO, records every
// feature report set on it and answers feature reads with a scripted report; its input
// reports are written by the test. The test binary must run under umockdev-wrapper.
class HidrawTestbed {
public:
    HidrawTestbed();
    ~HidrawTestbed();
    HidrawTestbed(const HidrawTestbed&) = delete;
    HidrawTestbed& operator=(const HidrawTestbed&) = delete;

    // Adds the node and its parents (the testbed sends the "add" uevent); returns its path.
    std::string Add(const FakeHidNode& node);
    // Sends the "remove" uevent of a node and takes it away.
    void Remove(int number);

    static std::string DevicePath(int number);
    // The file that stands for the node inside the testbed.
    std::filesystem::path NodeFile(int number) const;

    // Every feature report set on the node so far, each with the length of its ioctl.
    std::vector<std::vector<std::uint8_t>> FeatureReports(int number);
    // What a feature read of the node returns (the rest of the caller's buffer is zeroed).
    void SetFeatureAnswer(int number, std::vector<std::uint8_t> answer);
    // Delivers an input report to whoever reads the node.
    void SendInput(int number, std::span<const std::uint8_t> report);

    struct Node;  // shared with the ioctl handler

private:
    _UMockdevTestbed* testbed_;
    std::map<int, std::unique_ptr<Node>> nodes_;
};

// Runs `body` on a thread that, when the process runs as root, lacks the capabilities that
// override file permissions, so a node without permissions refuses it as it would a user.
void RunWithoutFileCapabilities(const std::function<void()>& body);

}  // namespace novu::test
