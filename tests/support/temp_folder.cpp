#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <random>

namespace novu::test {

TempFolder::TempFolder() {
    static std::atomic<unsigned> counter{0};
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = info != nullptr ? info->name() : "test";
    path_ = std::filesystem::temp_directory_path() /
            ("novu-" + name.substr(0, 40) + "-" + std::to_string(std::random_device{}()) + "-" +
             std::to_string(counter.fetch_add(1)));
    std::filesystem::create_directories(path_);
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path TempFolder::Write(std::string_view name, std::string_view bytes) const {
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
}

std::string TempFolder::Read(std::string_view name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path TestData() {
    const char* dir = std::getenv("NOVU_TEST_DATA");  // NOLINT(concurrency-mt-unsafe)
    return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::path("tests/data");
}

}  // namespace novu::test
