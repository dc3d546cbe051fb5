#include <cstdio>
#include <memory>

#include "commands.h"
#include "input/key_codes.h"

namespace novu::ctl {

namespace {

void PrintPairs(std::uint8_t (*convert)(std::uint8_t, int), int layout) {
    for (int code = 0; code < 256; ++code) {
        std::printf("%02X %02X\n", code, convert(static_cast<std::uint8_t>(code), layout));
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
