#pragma once

#include <string>
#include <vector>

namespace novu::test {

struct CtlRun {
    int status = -1;
    std::string out;  // stdout
    std::string err;  // stderr
};

// Runs novu-gmousectl with `arguments` (a shell-quoted string) as a user would.
CtlRun RunCtl(const std::string& arguments);

// The lines of a command's output, without their line ends.
std::vector<std::string> Lines(const std::string& text);

// Shell quoting of one argument.
std::string Quote(const std::string& argument);

}  // namespace novu::test
