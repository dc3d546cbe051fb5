#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "base/text.h"
#include "commands.h"
#include "input/key_codes.h"
#include "macro/macro_files.h"

namespace novu::ctl {

namespace {

using nlohmann::json;

// A group file names its entries with at most two digits of macroNum.
constexpr int kMostEntries = 99;

json RecordToJson(const MacroRecord& record) {
    json steps = json::array();
    for (int i = 0; i < record.eventCount; ++i) {
        const MacroEvent step = EventAt(record, i);
        steps.push_back({{"eventType", step.type},
                         {"eventCode", step.code},
                         {"param1", step.param1},
                         {"param2", step.param2},
                         {"eventDelay", step.delay}});
    }
    json blocks = json::array();
    for (const LedBlock& block : record.ledBlocks) {
        blocks.push_back(json(std::vector<int>(block.begin(), block.end())));
    }
    return {{"name", Utf16ToUtf8(MacroName(record))},
            {"playMode", record.playMode},
            {"repeatCount", record.repeatCount},
            {"eventCount", record.eventCount},
            {"moveCount", record.moveCount},
            {"countF7", record.countF7},
            {"dpiCount", record.dpiCount},
            {"countFA", record.countFA},
            {"ledCount", record.ledCount},
            {"countFB", record.countFB},
            {"yOffsetEnabled", record.yOffsetEnabled},
            {"yOffset", record.yOffset},
            {"steps", steps},
            {"ledBlocks", blocks}};
}

// A number of `object` within 0..max (0 when absent); throws with the field's name otherwise.
template <class T>
T Number(const json& object, const char* field, const std::string& where) {
    const auto found = object.find(field);
    if (found == object.end()) {
        return 0;
    }
    constexpr auto max = static_cast<std::int64_t>(std::numeric_limits<T>::max());
    if (!found->is_number_integer() || found->get<std::int64_t>() < 0 ||
        found->get<std::int64_t>() > max) {
        throw std::runtime_error(where + field + " must be an integer in 0.." +
                                 std::to_string(max));
    }
    return static_cast<T>(found->get<std::int64_t>());
}

MacroRecord RecordFromJson(const json& object, const std::string& where) {
    if (!object.is_object()) {
        throw std::runtime_error(where + "is not an object");
    }
    MacroRecord record;
    const std::u16string name = Utf8ToUtf16(object.value("name", std::string()));
    if (name.size() > static_cast<std::size_t>(kMaxMacroNameLength)) {
        throw std::runtime_error(where + "name is longer than 29 characters");
    }
    SetMacroName(record, name);
    record.playMode = Number<std::uint8_t>(object, "playMode", where);
    record.repeatCount = Number<std::uint16_t>(object, "repeatCount", where);
    record.moveCount = Number<std::uint16_t>(object, "moveCount", where);
    record.countF7 = Number<std::uint16_t>(object, "countF7", where);
    record.dpiCount = Number<std::uint16_t>(object, "dpiCount", where);
    record.countFA = Number<std::uint16_t>(object, "countFA", where);
    record.ledCount = Number<std::uint8_t>(object, "ledCount", where);
    record.countFB = Number<std::uint8_t>(object, "countFB", where);
    record.yOffsetEnabled = Number<std::uint8_t>(object, "yOffsetEnabled", where);
    record.yOffset = Number<std::uint8_t>(object, "yOffset", where);

    const json steps = object.value("steps", json::array());
    if (!steps.is_array() || steps.size() > static_cast<std::size_t>(kMaxMacroSteps)) {
        throw std::runtime_error(where + "steps must be an array of at most 275 steps");
    }
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::string at = where + "step " + std::to_string(i) + ": ";
        if (!steps[i].is_object()) {
            throw std::runtime_error(at + "is not an object");
        }
        SetEvent(record, static_cast<int>(i),
                 MacroEvent{Number<std::uint8_t>(steps[i], "eventType", at),
                            Number<std::uint8_t>(steps[i], "eventCode", at),
                            Number<std::uint16_t>(steps[i], "param1", at),
                            Number<std::uint16_t>(steps[i], "param2", at),
                            Number<std::uint16_t>(steps[i], "eventDelay", at)});
    }
    record.eventCount = object.contains("eventCount")
                            ? Number<std::uint16_t>(object, "eventCount", where)
                            : static_cast<std::uint16_t>(steps.size());
    if (record.eventCount > kMaxMacroSteps) {
        throw std::runtime_error(where + "eventCount is above 275");
    }

    const json blocks = object.value("ledBlocks", json::array());
    if (!blocks.is_array() || blocks.size() > static_cast<std::size_t>(kLedBlockCount)) {
        throw std::runtime_error(where + "ledBlocks must be an array of at most 5 blocks");
    }
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        if (!blocks[b].is_array() || blocks[b].size() > static_cast<std::size_t>(kLedBlockSize)) {
            throw std::runtime_error(where + "lighting block " + std::to_string(b) +
                                     " must be an array of at most 68 bytes");
        }
        for (std::size_t i = 0; i < blocks[b].size(); ++i) {
            const json& value = blocks[b][i];
            if (!value.is_number_integer() || value.get<std::int64_t>() < 0 ||
                value.get<std::int64_t>() > 255) {
                throw std::runtime_error(where + "lighting block " + std::to_string(b) +
                                         " holds a value outside 0..255");
            }
            record.ledBlocks[b][i] = static_cast<std::uint8_t>(value.get<int>());
        }
    }
    return record;
}

bool IsSingleMacroFile(const std::filesystem::path& file) {
    const std::string extension = file.extension().string();
    return EqualsIgnoreCase(extension, ".sdat");
}

int Decode(Session& session, const std::filesystem::path& file,
           const std::optional<std::string>& key) {
    if (!std::filesystem::is_regular_file(file)) {
        PrintError("no macro file " + file.string());
        return kFailed;
    }
    const int layout = session.Layout();
    MacroFiles files(session.Ini(), MacVkAndText([layout] { return layout; }));
    json records = json::array();
    if (IsSingleMacroFile(file)) {
        records.push_back(RecordToJson(files.ReadMacroFile(file)));
    } else if (key) {
        records.push_back(RecordToJson(files.ReadMacroKey(file, *key)));
    } else {
        for (const MacroRecord& record : files.ReadGroupFile(file, kMostEntries).records) {
            records.push_back(RecordToJson(record));
        }
    }
    // One record per line: the array stays valid JSON and diffs line by line.
    std::cout << "[";
    for (std::size_t i = 0; i < records.size(); ++i) {
        std::cout << (i == 0 ? "\n" : ",\n") << records[i].dump();
    }
    std::cout << "\n]\n";
    return kSuccess;
}

int Encode(Session& session, const std::filesystem::path& input,
           const std::filesystem::path& output, bool single) {
    std::vector<MacroRecord> records;
    try {
        std::ifstream in(input, std::ios::binary);
        if (!in) {
            PrintError("cannot read " + input.string());
            return kFailed;
        }
        json parsed = json::parse(in);
        if (parsed.is_object()) {
            parsed = json::array({parsed});
        }
        if (!parsed.is_array() || parsed.size() > static_cast<std::size_t>(kMostEntries)) {
            PrintError(input.string() + ": expected an array of at most 99 records");
            return kFailed;
        }
        for (std::size_t i = 0; i < parsed.size(); ++i) {
            records.push_back(RecordFromJson(parsed[i], "record " + std::to_string(i) + ": "));
        }
    } catch (const std::exception& e) {
        PrintError(input.string() + ": " + e.what());
        return kFailed;
    }
    if (single && records.empty()) {
        PrintError(input.string() + ": no record to write");
        return kFailed;
    }

    // The output is a new file: it is built beside the target and then replaces it, so no key
    // of an older file survives and a failure leaves the old file as it was.
    const int layout = session.Layout();
    MacroFiles files(session.Ini(), MacVkAndText([layout] { return layout; }));
    std::filesystem::path building = output;
    building += ".encoding";
    std::error_code ec;
    std::filesystem::remove(building, ec);
    files.Forget(building);
    auto written = single ? files.WriteMacroFile(records.front(), building)
                          : files.WriteGroupFile(building, records);
    if (written) {
        std::filesystem::rename(building, output, ec);
    }
    files.Forget(building);
    files.Forget(output);
    if (!written || ec) {
        std::filesystem::remove(building, ec);
        PrintError("cannot write " + output.string() +
                   (written ? std::string() : ": " + written.error().message));
        return kFailed;
    }
    return kSuccess;
}

}  // namespace

void AddMacroCommands(CLI::App& app, Session& session, int& status) {
    CLI::App* macro = app.add_subcommand("macro", "Macro group and single-macro files");
    macro->require_subcommand(1);

    struct DecodeArgs {
        std::string file;
        std::optional<std::string> key;
    };
    auto decode = std::make_shared<DecodeArgs>();
    CLI::App* decodeCommand =
        macro->add_subcommand("decode", "A group (.dat) or single-macro (.sdat) file as JSON");
    decodeCommand->add_option("FILE", decode->file, "The macro file")->required();
    decodeCommand->add_option("--key", decode->key, "Only this key of a group file");
    decodeCommand->callback(
        [&session, &status, decode] { status = Decode(session, decode->file, decode->key); });

    struct EncodeArgs {
        std::string input;
        std::string output;
        bool single = false;
    };
    auto encode = std::make_shared<EncodeArgs>();
    CLI::App* encodeCommand =
        macro->add_subcommand("encode", "JSON records as a group file (or a single-macro file)");
    encodeCommand->add_option("JSON_FILE", encode->input, "The records")->required();
    encodeCommand->add_option("OUT_FILE", encode->output, "The file to write")->required();
    encodeCommand->add_flag("--sdat", encode->single, "Write the first record as a .sdat file");
    encodeCommand->callback([&session, &status, encode] {
        status = Encode(session, encode->input, encode->output, encode->single);
    });
}

}  // namespace novu::ctl
