#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

#include "base/text.h"
#include "base/user_notices.h"

namespace novu::test {

// Language texts for the editor tests: the entries the step and lighting lines use, in
// English, and "<table>#<index>" for every other entry so a wrong index shows.
class EditorTestTexts final : public TextSource {
public:
    std::string Text(TextTable table, int index) const override {
        if (const auto found = texts_.find({table, index}); found != texts_.end()) {
            return found->second;
        }
        return std::to_string(static_cast<int>(table)) + "#" + std::to_string(index);
    }

    void Set(TextTable table, int index, std::string text) {
        texts_[{table, index}] = std::move(text);
    }

private:
    std::map<std::pair<TextTable, int>, std::string> texts_ = {
        {{TextTable::UniqueName_Other, 6}, "Effect:"},
        {{TextTable::UniqueName_Other, 7}, "Speed:"},
        {{TextTable::UniqueName_Other, 8}, "Speed: none"},
        {{TextTable::UniqueName_Other, 9}, "Time:"},
        {{TextTable::UniqueName_Other, 11}, "[DPI]:Restore"},
        {{TextTable::UniqueName_Other, 12}, "ms"},
        {{TextTable::UniqueName_Other, 13}, "Lighting "},
        {{TextTable::UniqueName_Other, 14}, "Error"},
        {{TextTable::UniqueName_Other, 17}, "Pause"},
        {{TextTable::UniqueName_LED, 2}, "Wave"},
        {{TextTable::UniqueName_LED, 3}, "Breathing"},
        {{TextTable::UniqueName_LED, 4}, "Neon"},
        {{TextTable::UniqueName_LED, 7}, "Static"},
        {{TextTable::UniqueName_LED, 8}, "Off"},
        {{TextTable::UniqueName_LED, 15}, "Flash"},
        {{TextTable::TipText, 6}, "Too many"},
    };
};

// Key names for the tests: "K" and the usage in hex, so any usage shows as itself.
inline std::string TestKeyName(std::uint8_t usage) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    return std::string("K") + kHex[usage >> 4] + kHex[usage & 0xF];
}

}  // namespace novu::test
