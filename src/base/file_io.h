#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "base/result.h"

namespace novu {

// The whole content of a file.
Result<std::string> ReadWholeFile(const std::filesystem::path& path);

// Fault injection for tests: called after the temporary file is complete and before it
// replaces the target; an error aborts the write as a real failure at that point would.
struct AtomicWriteHooks {
    std::function<Result<void>(const std::filesystem::path& temporary)> beforeReplace;
};

// Replaces `path` with `bytes` atomically: the content goes to a temporary file beside the
// target, is flushed and then renamed over it. A crash or a full disk leaves either the old
// file or the new one, never a mixture; on failure the temporary file is removed.
Result<void> WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                                 const AtomicWriteHooks* hooks = nullptr);

}  // namespace novu
