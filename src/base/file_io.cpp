#include "base/file_io.h"

#include <atomic>
#include <fstream>
#include <random>
#include <system_error>

namespace novu {

namespace {

std::filesystem::path TemporaryPathFor(const std::filesystem::path& path) {
    // A random tag per process keeps two programs writing the same file (the window and the
    // command-line tool) from sharing a temporary name.
    static const unsigned processTag = std::random_device{}();
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(processTag) + "-" + std::to_string(counter.fetch_add(1));
    return temporary;
}

Error FileError(const std::string& what, const std::filesystem::path& path,
                const std::string& why) {
    return MakeError(Fault::File, what + " " + path.string() + ": " + why);
}

}  // namespace

Result<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return FileError("cannot open", path, "no such file or not readable");
    }
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return FileError("cannot read", path, "read error");
    }
    return bytes;
}

Result<void> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                 const AtomicWriteHooks* hooks) {
    const std::filesystem::path temporary = TemporaryPathFor(path);
    const auto fail = [&](Error error) -> Result<void> {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return error;
    };
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            return fail(FileError("cannot create", temporary, "folder missing or not writable"));
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            return fail(FileError("cannot write", temporary, "disk full or write error"));
        }
        out.close();
        if (!out) {
            return fail(FileError("cannot close", temporary, "disk full or write error"));
        }
    }
    if (hooks != nullptr && hooks->beforeReplace) {
        if (auto hooked = hooks->beforeReplace(temporary); !hooked) {
            return fail(hooked.error());
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        return fail(FileError("cannot replace", path, ec.message()));
    }
    return Ok();
}

}  // namespace novu
