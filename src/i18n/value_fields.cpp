#include "i18n/value_fields.h"

#include <algorithm>

namespace novu {

ValueFields SplitValueFields(std::string_view value) {
    ValueFields fields{};
    const auto commas = std::count(value.begin(), value.end(), ',');
    if (commas == 0 || commas == 3 || commas == 4) {
        fields[0] = value;
        return fields;
    }
    std::size_t start = 0;
    for (std::size_t i = 0; i < kValueFieldCount; ++i) {
        const std::size_t comma = value.find(',', start);
        if (comma == std::string_view::npos) {
            fields[i] = value.substr(start);
            break;
        }
        fields[i] = value.substr(start, comma - start);
        start = comma + 1;
    }
    return fields;
}

std::string_view ValueText(std::string_view value) {
    return SplitValueFields(value)[1];
}

}  // namespace novu
