#include <cstdio>
#include <memory>

#include "commands.h"
#include "i18n/language_texts.h"
#include "i18n/languages.h"
#include "input/key_codes.h"
#include "input/key_names.h"

namespace novu::ctl {

namespace {

void PrintPairs(std::uint8_t (*convert)(std::uint8_t, int), int layout) {
    for (int code = 0; code < 256; ++code) {
        std::printf("%02X %02X\n", code, convert(static_cast<std::uint8_t>(code), layout));
    }
}

// 256 lines USAGE<TAB>name. The mouse-button names come from the texts of the layout's own
// language folder when the data folder has them.
void PrintNames(Session& session) {
    const int layout = session.Layout();
    std::unique_ptr<LanguageTexts> texts;
    const DataFolder* data = session.Data(/*quiet=*/true);
    if (data != nullptr && session.Ini().Exists(LanguageTextFile(*data, layout))) {
        texts = std::make_unique<LanguageTexts>(*data, session.Ini(), session.Notices());
        texts->Load(layout);
    }
    for (int usage = 0; usage < 256; ++usage) {
        const std::string name = KeyName(static_cast<std::uint8_t>(usage), layout, texts.get());
        std::printf("%02X\t%s\n", usage, name.c_str());
    }
}

}  // namespace

void AddKeysCommands(CLI::App& app, Session& session, int& status) {
    CLI::App* keys = app.add_subcommand("keys", "Key-code conversion tables of a layout");
    keys->require_subcommand(1);

    keys->add_subcommand("forward", "VK USAGE for every virtual-key code")->callback([&] {
        PrintPairs(&VkToHidUsage, session.Layout());
        status = kSuccess;
    });
    keys->add_subcommand("reverse", "USAGE VK for every HID usage")->callback([&] {
        PrintPairs(&HidUsageToVk, session.Layout());
        status = kSuccess;
    });

    keys->add_subcommand("names", "USAGE<TAB>name for every HID usage")->callback([&] {
        PrintNames(session);
        status = kSuccess;
    });

    auto position = std::make_shared<int>(0);
    CLI::App* positionCommand =
        keys->add_subcommand("position", "The usage of a keyboard-picture position");
    positionCommand->add_option("P", *position, "Position, decimal")->required();
    positionCommand->callback([&session, &status, position] {
        std::printf("%02X\n", VkToHidUsage(KeyPositionToVk(*position), session.Layout()));
        status = kSuccess;
    });

    auto media = std::make_shared<int>(0);
    CLI::App* mediaCommand =
        keys->add_subcommand("media", "The Consumer usage of a multimedia index");
    mediaCommand->add_option("I", *media, "Index, decimal")->required();
    mediaCommand->callback([&status, media] {
        std::printf("%04X\n", MediaKeyToConsumerUsage(*media));
        status = kSuccess;
    });
}

}  // namespace novu::ctl
