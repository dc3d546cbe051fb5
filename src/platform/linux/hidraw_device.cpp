#include "platform/linux/hidraw_device.h"

#include <fcntl.h>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "platform/linux/os_error.h"

namespace novu {

namespace {

// The ioctl number carries the buffer length in _IOC_SIZEBITS bits.
constexpr std::size_t kMaxIoctlLength = (std::size_t{1} << _IOC_SIZEBITS) - 1;

Result<void> CheckReportLength(std::span<const std::uint8_t> report, const std::string& path) {
    if (report.empty() || report.size() > kMaxIoctlLength) {
        return MakeError(Fault::Caller, "feature report for " + path + " has length " +
                                            std::to_string(report.size()));
    }
    return Ok();
}

}  // namespace

HidrawDevice::HidrawDevice(std::string path, UniqueFd fd, UniqueFd wake)
    : path_(std::move(path)), fd_(std::move(fd)), wake_(std::move(wake)) {}

Result<std::unique_ptr<HidDevice>> HidrawDevice::Open(const std::string& path, HidAccess access) {
    const int mode = access == HidAccess::Write ? O_RDWR : O_RDONLY;
    UniqueFd fd(::open(path.c_str(), mode | O_CLOEXEC));
    if (!fd.Valid()) {
        return OsError("open", path, errno);
    }
    // Only a hidraw node may receive the ioctls below; anything else (a path the user
    // mistyped) is refused before a single report is sent.
    hidraw_devinfo info{};
    if (::ioctl(fd.Get(), HIDIOCGRAWINFO, &info) < 0) {
        const int err = errno;
        Error error = OsError("HIDIOCGRAWINFO", path, err);
        if (err == ENOTTY || err == EINVAL) {
            error.message += " (not a hidraw device)";
        }
        return error;
    }
    UniqueFd wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!wake.Valid()) {
        return OsError("eventfd", "", errno);
    }
    return std::unique_ptr<HidDevice>(new HidrawDevice(path, std::move(fd), std::move(wake)));
}

Result<void> HidrawDevice::SetFeature(std::span<const std::uint8_t> report) {
    if (auto checked = CheckReportLength(report, path_); !checked) {
        return checked;
    }
    // The ioctl takes a writable buffer although it only reads it.
    std::vector<std::uint8_t> buffer(report.begin(), report.end());
    if (::ioctl(fd_.Get(), HIDIOCSFEATURE(buffer.size()), buffer.data()) < 0) {
        return OsError("HIDIOCSFEATURE", path_, errno);
    }
    return Ok();
}

Result<void> HidrawDevice::GetFeature(std::span<std::uint8_t> report) {
    if (auto checked = CheckReportLength(report, path_); !checked) {
        return checked;
    }
    if (::ioctl(fd_.Get(), HIDIOCGFEATURE(report.size()), report.data()) < 0) {
        return OsError("HIDIOCGFEATURE", path_, errno);
    }
    return Ok();
}

Result<std::size_t> HidrawDevice::ReadInput(std::span<std::uint8_t> report) {
    for (;;) {
        pollfd fds[2] = {{wake_.Get(), POLLIN, 0}, {fd_.Get(), POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return OsError("poll", path_, errno);
        }
        if (fds[0].revents != 0) {
            return std::size_t{0};
        }
        if ((fds[1].revents & POLLIN) != 0) {
            const ssize_t got = ::read(fd_.Get(), report.data(), report.size());
            if (got >= 0) {
                return static_cast<std::size_t>(got);
            }
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            return OsError("read", path_, errno);
        }
        if ((fds[1].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            // The kernel reports an unplugged hidraw node this way; a read would fail too.
            return OsError("poll", path_, ENODEV);
        }
    }
}

void HidrawDevice::Interrupt() {
    const std::uint64_t one = 1;
    // Nothing useful to do if this fails: the eventfd counter cannot overflow from one write.
    [[maybe_unused]] const ssize_t written = ::write(wake_.Get(), &one, sizeof one);
}

}  // namespace novu
