#include "platform/linux/os_error.h"

#include <cerrno>
#include <cstring>

namespace novu {

namespace {

std::string Describe(int err) {
    char buffer[256];
    // GNU strerror_r: thread-safe, returns the text (which may not be in `buffer`).
    return strerror_r(err, buffer, sizeof buffer);
}

}  // namespace

Error OsError(std::string_view call, const std::string& path, int err) {
    std::string message = std::string(call);
    if (!path.empty()) {
        message += " " + path;
    }
    message += ": " + Describe(err);
    switch (err) {
        case EACCES:
        case EPERM:
            message += " - this user may not use the mouse. Install the udev rule packaging/";
            message += kUdevRuleName;
            message +=
                " (copy it to /etc/udev/rules.d/), then run `udevadm control --reload-rules "
                "&& udevadm trigger` as root";
            return MakeError(Fault::System, message);
        case ENOENT:
        case ENODEV:
        case ENXIO:
            message += " (the mouse is not connected)";
            return MakeError(Fault::Device, message);
        case EIO:
        case EPIPE:
        case EPROTO:
        case ETIMEDOUT:
        case ESHUTDOWN:
            return MakeError(Fault::Device, message);
        case ENOTTY:
        case EINVAL:
            return MakeError(Fault::Caller, message);
        default:
            return MakeError(Fault::System, message);
    }
}

}  // namespace novu
