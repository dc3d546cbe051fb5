#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace novu::test {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// test ends.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Writes `bytes` to `name` (folders created as needed) and returns its path.
    std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
    // The whole content of `name`.
    std::string Read(std::string_view name) const;

private:
    std::filesystem::path path_;
};

// tests/data (set by the build for every test).
std::filesystem::path TestData();

}  // namespace novu::test
