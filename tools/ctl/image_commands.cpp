#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <span>
#include <string>

#include "base/file_io.h"
#include "commands.h"
#include "emulator/image_decoder.h"
#include "image_format.h"

namespace novu::ctl {

void AddImageCommands(CLI::App& app, Session& session, int& status) {
    CLI::App* image = app.add_subcommand("image", "The mouse's configuration memory image");
    image->require_subcommand(1);

    auto file = std::make_shared<std::string>();
    CLI::App* decode =
        image->add_subcommand("decode", "Decode a 65,536-byte memory image into its meaning");
    decode->add_option("FILE", *file, "The image")->required();
    decode->callback([&session, &status, file] {
        const auto bytes = ReadWholeFile(*file);
        if (!bytes) {
            PrintError(bytes.error().message);
            status = kFailed;
            return;
        }
        const auto decoded = DecodeImage(
            std::span(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()));
        if (!decoded) {
            PrintError(*file + ": " + decoded.error().message);
            status = kFailed;
            return;
        }
        if (session.Options().json) {
            std::cout << ImageToJson(*decoded).dump(2) << '\n';
        } else {
            PrintImage(std::cout, *decoded);
        }
        status = kSuccess;
    });
}

}  // namespace novu::ctl
