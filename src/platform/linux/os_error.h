#pragma once

#include <string>
#include <string_view>

#include "base/result.h"

namespace novu {

// Where the udev rule that grants access to the mouse's hidraw nodes ships.
constexpr std::string_view kUdevRuleName = "70-novu-gmouse.rules";

// The error of a failed system call on `path`, saying which call failed and why. A refused
// permission reads as a permission problem and tells how to install the udev rule; a
// missing node reads as a mouse that is not (or no longer) connected.
Error OsError(std::string_view call, const std::string& path, int err);

}  // namespace novu
