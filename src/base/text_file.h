#pragma once

#include <string>
#include <string_view>

namespace novu {

// How a text file is stored on disk. Files written by the product keep the encoding they
// were found in; new ones are UTF-8, which the Windows build reads unchanged.
enum class TextEncoding {
    Utf8,     // no byte-order mark
    Utf8Bom,  // EF BB BF
    Utf16Le,  // FF FE
};

struct DecodedText {
    std::string utf8;
    TextEncoding encoding = TextEncoding::Utf8;
};

// Detects the encoding by its byte-order mark and converts the content to UTF-8.
DecodedText DecodeTextFile(std::string_view bytes);

// Converts UTF-8 content back to the bytes of a file in `encoding`, mark included.
std::string EncodeTextFile(std::string_view utf8, TextEncoding encoding);

}  // namespace novu
