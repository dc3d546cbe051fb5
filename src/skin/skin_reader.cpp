#include "skin/skin_reader.h"

#include <algorithm>
#include <cstdint>

#include "base/text.h"
#include "i18n/value_fields.h"

namespace novu {

namespace {

constexpr std::size_t kMaxFieldCommas = 6;

std::string KeyOf(int index) {
    return FormatDecimal(index);
}

SkinControl ControlFrom(std::string_view x, std::string_view y, std::string_view width,
                        std::string_view height, std::string_view caption) {
    return SkinControl{ParseDecimal(x), ParseDecimal(y), ParseDecimal(width), ParseDecimal(height),
                       std::string(caption)};
}

}  // namespace

SkinValueFields SplitSkinValue(std::string_view value) {
    SkinValueFields fields{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < kMaxFieldCommas; ++i) {
        const std::size_t comma = value.find(',', start);
        if (comma == std::string_view::npos) {
            fields[i] = value.substr(start);
            return fields;
        }
        fields[i] = value.substr(start, comma - start);
        start = comma + 1;
    }
    fields[kMaxFieldCommas] = value.substr(start);
    return fields;
}

bool HasTooManyCommas(std::string_view value) {
    return static_cast<std::size_t>(std::count(value.begin(), value.end(), ',')) > kMaxFieldCommas;
}

SkinControl ControlFromFields(const SkinValueFields& fields) {
    return ControlFrom(fields[1], fields[2], fields[3], fields[4], fields[5]);
}

DialogSkinLoad LoadSkinLayout(const IniFiles& ini, UserNotices& notices,
                              const std::filesystem::path& file, int count) {
    DialogSkinLoad load;
    const int controls = std::max(count, 0);
    load.layout.controls.resize(static_cast<std::size_t>(controls));
    const auto document = ini.Open(file);
    for (int i = 0; i < controls; ++i) {
        if (!document) {
            notices.ShowMessageBox(kSkinFileMissingMessage);
            load.endDialog = true;
            continue;
        }
        const std::string value =
            ini.GetString(file, kButtonPosSection, KeyOf(i), "", kSkinValueBufferChars);
        if (HasTooManyCommas(value)) {
            notices.ShowMessageBox(kSkinValueErrorMessage);
        }
        load.layout.controls[static_cast<std::size_t>(i)] =
            ControlFromFields(SplitSkinValue(value));
    }
    return load;
}

SkinControl MainSkinEntry(std::string_view value) {
    const ValueFields fields = SplitValueFields(value);
    return ControlFrom(fields[1], fields[2], fields[3], fields[4], fields[5]);
}

std::optional<SkinLayout> ReadMainSkinLayout(const IniFiles& ini, const std::filesystem::path& file,
                                             int count) {
    if (!ini.Exists(file)) {
        return std::nullopt;
    }
    SkinLayout layout;
    for (int i = 0; i < count; ++i) {
        layout.controls.push_back(MainSkinEntry(
            ini.GetString(file, kButtonPosSection, KeyOf(i), "", kSkinValueBufferChars)));
    }
    return layout;
}

SkinRect RectOf(const SkinControl& control) {
    // Hand-edited files may hold any 32-bit values; the far edges saturate instead of
    // wrapping.
    const auto edge = [](std::int32_t origin, std::int32_t size) {
        return static_cast<std::int32_t>(
            std::clamp<std::int64_t>(std::int64_t{origin} + size, INT32_MIN, INT32_MAX));
    };
    return SkinRect{control.x, control.y, edge(control.x, control.width),
                    edge(control.y, control.height)};
}

std::vector<SkinRect> ReadSkinRects(const IniFiles& ini, const std::filesystem::path& file,
                                    std::string_view section, std::span<const int> keys) {
    std::vector<SkinRect> rects;
    rects.reserve(keys.size());
    for (int key : keys) {
        rects.push_back(RectOf(
            MainSkinEntry(ini.GetString(file, section, KeyOf(key), "", kSkinValueBufferChars))));
    }
    return rects;
}

}  // namespace novu
