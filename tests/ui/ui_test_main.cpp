#include <gtest/gtest.h>

#include <unistd.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>

// Qt's libraries are not built with the thread sanitizer: their own threads (the raster
// engine's drawing pool, for one) synchronise in ways it cannot see, and every access they
// make through its interceptors would be reported as a race. Only the instrumented code, the
// program's own, is checked.
#if defined(__SANITIZE_THREAD__)
extern "C" const char* __tsan_default_options() {
    return "ignore_noninstrumented_modules=1";
}
#endif

namespace {

// The window tests run without a display. Qt wants a private runtime folder; one is made
// when the environment has none.
void PrepareEnvironment() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path() / ("novu-ui-tests-" + std::to_string(getuid()));
        std::filesystem::create_directories(folder);
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::replace);
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder.string()));
    }
}

}  // namespace

int main(int argc, char** argv) {
    PrepareEnvironment();
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
