#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/result.h"

namespace novu {

// One HID interface (a top-level collection) as the system lists it. The report lengths
// are those the platform's HID capabilities give: the largest report of the kind, plus one
// byte for the report ID when the interface uses IDs.
struct HidInterfaceInfo {
    std::string path;  // the system's interface path (a hidraw node on Linux)
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    std::string product;  // USB product string
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
    std::size_t inputReportLength = 0;
    std::size_t featureReportLength = 0;

    bool operator==(const HidInterfaceInfo&) const = default;
};

// What an opened interface is used for.
enum class HidAccess {
    Query,  // identification only
    Read,   // input reports
    Write,  // feature reports
};

// An opened HID interface. Every call reports failure as a value; the product decides where
// a failure is deliberately ignored (the mouse's protocol has no acknowledgement).
class HidDevice {
public:
    virtual ~HidDevice() = default;

    // Sends a feature report. report[0] is the report ID; the span has the feature length.
    virtual Result<void> SetFeature(std::span<const std::uint8_t> report) = 0;
    // Reads the feature report whose ID is report[0] into `report`.
    virtual Result<void> GetFeature(std::span<std::uint8_t> report) = 0;
    // Blocks until an input report arrives and returns its length (report ID included), or
    // returns 0 once Interrupt() was called.
    virtual Result<std::size_t> ReadInput(std::span<std::uint8_t> report) = 0;
    // Ends a blocked ReadInput from another thread; every later read returns 0 at once.
    virtual void Interrupt() = 0;
};

// A HID interface arriving or leaving.
struct HidChange {
    enum class Kind { Arrival, Removal };
    Kind kind;
    std::string path;
};

// The system's HID devices: enumeration, opening and hot-plug.
class HidBus {
public:
    virtual ~HidBus() = default;

    virtual Result<std::vector<HidInterfaceInfo>> Enumerate() = 0;
    virtual Result<std::unique_ptr<HidDevice>> Open(const std::string& path, HidAccess access) = 0;

    // Calls `onChange` for every arrival and removal of a HID interface, on a thread of the
    // bus's own, until StopWatching returns.
    virtual Result<void> StartWatching(std::function<void(const HidChange&)> onChange) = 0;
    virtual void StopWatching() = 0;
};

}  // namespace novu
