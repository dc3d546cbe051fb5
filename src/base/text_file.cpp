#include "base/text_file.h"

#include "base/text.h"

namespace novu {

namespace {
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
}  // namespace

DecodedText DecodeTextFile(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) {
        return {std::string(bytes.substr(kUtf8Bom.size())), TextEncoding::Utf8Bom};
    }
    if (bytes.starts_with(kUtf16LeBom)) {
        std::u16string units;
        units.reserve(bytes.size() / 2);
        for (std::size_t i = kUtf16LeBom.size(); i + 1 < bytes.size(); i += 2) {
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                  (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        }
        return {Utf16ToUtf8(units), TextEncoding::Utf16Le};
    }
    return {std::string(bytes), TextEncoding::Utf8};
}

std::string EncodeTextFile(std::string_view utf8, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Utf8:
            return std::string(utf8);
        case TextEncoding::Utf8Bom:
            return std::string(kUtf8Bom) + std::string(utf8);
        case TextEncoding::Utf16Le: {
            const std::u16string units = Utf8ToUtf16(utf8);
            std::string out(kUtf16LeBom);
            out.reserve(out.size() + units.size() * 2);
            for (char16_t unit : units) {
                out.push_back(static_cast<char>(unit & 0xFF));
                out.push_back(static_cast<char>(unit >> 8));
            }
            return out;
        }
    }
    return std::string(utf8);
}

}  // namespace novu
