#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "base/result.h"
#include "device/hid.h"
#include "platform/linux/unique_fd.h"

namespace novu {

// A hidraw node opened for one use. Feature reports go through the HIDIOCSFEATURE and
// HIDIOCGFEATURE ioctls; input reads wait in poll() together with an eventfd, so Interrupt
// ends a blocked read at once and for good.
class HidrawDevice final : public HidDevice {
public:
    // Opens `path` (read-only for queries and input, read-write for feature reports) and
    // checks that it is a hidraw node.
    static Result<std::unique_ptr<HidDevice>> Open(const std::string& path, HidAccess access);

    Result<void> SetFeature(std::span<const std::uint8_t> report) override;
    Result<void> GetFeature(std::span<std::uint8_t> report) override;
    Result<std::size_t> ReadInput(std::span<std::uint8_t> report) override;
    void Interrupt() override;

private:
    HidrawDevice(std::string path, UniqueFd fd, UniqueFd wake);

    const std::string path_;
    const UniqueFd fd_;
    const UniqueFd wake_;  // an eventfd; readable once Interrupt was called
};

}  // namespace novu
