#include <iomanip>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>

#include "commands.h"

namespace novu::ctl {

namespace {

using nlohmann::json;

template <class Array>
json ToJson(const Array& values) {
    json out = json::array();
    for (const auto& v : values) {
        out.push_back(v);
    }
    return out;
}

json SharedToJson(const SharedSettings& s) {
    return json{
        {"MAC_COR", ToJson(s.MAC_COR)},
        {"WHEEL_STATUS", s.WHEEL_STATUS},
        {"DPI_LEVEL", s.DPI_LEVEL},
        {"DPI_SET", ToJson(s.DPI_SET)},
        {"DPI_SET_EN", ToJson(s.DPI_SET_EN)},
        {"DPI_R", ToJson(s.DPI_R)},
        {"DPI_G", ToJson(s.DPI_G)},
        {"DPI_B", ToJson(s.DPI_B)},
        {"dpiDisplayColour", ToJson(s.dpiDisplayColour)},
        {"LED_TYPE", s.LED_TYPE},
        {"LED_TYPE_SW_EN", ToJson(s.LED_TYPE_SW_EN)},
        {"LED_CYCTIME", s.LED_CYCTIME},
        {"LED_USER_COLER_EN", s.LED_USER_COLER_EN},
        {"LED_FEATURE_SCOLOR", s.LED_FEATURE_SCOLOR},
        {"LED_FEATURE_DIREC", s.LED_FEATURE_DIREC},
        {"LED_FEATURE_SYMMETRY", s.LED_FEATURE_SYMMETRY},
        {"LED_BRIGHT", s.LED_BRIGHT},
        {"MODE_LIGHT", s.MODE_LIGHT},
        {"SOFT_HARD_MAC", s.SOFT_HARD_MAC},
        {"LED_USER_R", ToJson(s.LED_USER_R)},
        {"LED_USER_G", ToJson(s.LED_USER_G)},
        {"LED_USER_B", ToJson(s.LED_USER_B)},
        {"userDisplayColour", ToJson(s.userDisplayColour)},
        {"CYC_7COL_EN", s.CYC_7COL_EN},
        {"cycleFlags", ToJson(s.cycleFlags)},
        {"DPI_SPEED", s.DPI_SPEED},
        {"WHEEL_SPEED", s.WHEEL_SPEED},
        {"USB_SPEED", s.USB_SPEED},
        {"RateCode", s.RateCode},
        {"FIRE_TIME", s.FIRE_TIME},
    };
}

json SettingsToJson(const Settings& settings, const DeviceDescription& device) {
    json profiles = json::array();
    for (const ProfileSettings& p : settings.profiles) {
        profiles.push_back({{"K", ToJson(p.K)},
                            {"LEFT_MAC", ToJson(p.LEFT_MAC)},
                            {"LED_REACT_EN", ToJson(p.LED_REACT_EN)},
                            {"LED_REACT_TYPE", ToJson(p.LED_REACT_TYPE)}});
    }
    return json{{"CurConfig", settings.CurConfig},
                {"VER_SEL", settings.VER_SEL},
                {"KeyNum", device.KEYNUM},
                {"KEYMAP", ToJson(device.KEYMAP)},
                {"profiles", profiles},
                {"shared", SharedToJson(settings.shared)}};
}

std::string Hex6(std::uint32_t colour) {
    std::ostringstream out;
    out << '#' << std::hex << std::uppercase << std::setfill('0') << std::setw(2) << (colour & 0xFF)
        << std::setw(2) << ((colour >> 8) & 0xFF) << std::setw(2) << ((colour >> 16) & 0xFF);
    return out.str();
}

void PrintSettings(std::ostream& out, const Settings& settings, const DeviceDescription& device) {
    const SharedSettings& s = settings.shared;
    out << "Product        " << device.PRODUCTNAME_EN << " / " << device.PRODUCTNAME_CN << '\n';
    out << "Buttons        " << device.KEYNUM << " (hardware keys";
    for (int slot = 0; slot < device.KEYNUM; ++slot) {
        out << ' ' << int{device.KEYMAP[static_cast<std::size_t>(slot)]};
    }
    out << ")\n";
    out << "Profile        " << settings.CurConfig + 1 << " of 4 (CurConfig " << settings.CurConfig
        << ")\n";
    out << "Language       " << settings.VER_SEL << '\n';
    for (int p = 0; p < kProfileCount; ++p) {
        const ProfileSettings& ps = settings.profiles[static_cast<std::size_t>(p)];
        out << "Profile " << p + 1 << "      function";
        for (int slot = 0; slot < device.KEYNUM; ++slot) {
            const auto i = static_cast<std::size_t>(slot);
            out << ' ' << ps.K[i] << (ps.LEFT_MAC[i] != 0 ? "*" : "");
        }
        out << '\n';
    }
    out << "DPI levels    ";
    for (int level = 0; level < kDpiLevels; ++level) {
        const auto i = static_cast<std::size_t>(level);
        out << ' ' << (level == s.DPI_LEVEL ? "[" : "") << "step " << int{s.DPI_SET[i]}
            << (s.DPI_SET_EN[i] ? "" : " off") << ' ' << Hex6(s.dpiDisplayColour[i])
            << (level == s.DPI_LEVEL ? "]" : "");
    }
    out << '\n';
    out << "Lighting       effect " << int{s.LED_TYPE} << ", speed " << int{s.LED_CYCTIME}
        << ", brightness " << s.LED_BRIGHT << ", direction " << s.LED_FEATURE_DIREC << ", symmetry "
        << s.LED_FEATURE_SYMMETRY << (s.MODE_LIGHT != 0 ? ", switched off" : "") << '\n';
    out << "User colours  ";
    for (int n = 0; n < kUserColours; ++n) {
        const auto i = static_cast<std::size_t>(n);
        out << ' ' << Hex6(s.userDisplayColour[i]) << (s.cycleFlags[i] ? "+" : "");
    }
    out << '\n';
    out << "Speeds         pointer " << int{s.DPI_SPEED} << ", wheel " << int{s.WHEEL_SPEED}
        << ", fire interval " << s.FIRE_TIME << " ms\n";
    out << "Macro mode     " << (s.SOFT_HARD_MAC != 0 ? "software" : "mouse") << '\n';
}

}  // namespace

void AddConfigCommands(CLI::App& app, Session& session, int& status) {
    CLI::App* config = app.add_subcommand("config", "Show or save the settings of config.ini");
    config->require_subcommand(1);

    const auto load = [&session]() -> ConfigFiles* {
        ConfigFiles* files = session.Config();
        if (files == nullptr) {
            return nullptr;
        }
        if (!session.Ini().Exists(files->Folder().ConfigIni())) {
            PrintError(files->Folder().ConfigIni().string() + " does not exist");
            return nullptr;
        }
        files->ReadStartup();
        return files;
    };

    CLI::App* show =
        config->add_subcommand("show", "Load config.ini as start-up does and print it");
    show->callback([&session, &status, load] {
        if (load() == nullptr) {
            status = kFailed;
            return;
        }
        const Settings settings = session.Store().Snapshot();
        const DeviceDescription device = session.Store().Device();
        if (session.Options().json) {
            std::cout << SettingsToJson(settings, device).dump(2) << '\n';
        } else {
            PrintSettings(std::cout, settings, device);
        }
        status = kSuccess;
    });

    auto out = std::make_shared<std::filesystem::path>();
    CLI::App* save =
        config->add_subcommand("save", "Load config.ini, then save it all into a file");
    save->add_option("--out", *out, "The file to write (created when missing)")->required();
    save->callback([&session, &status, load, out] {
        ConfigFiles* files = load();
        if (files == nullptr) {
            status = kFailed;
            return;
        }
        if (auto saved = files->SaveAll(*out); !saved) {
            PrintError(saved.error().message);
            status = kFailed;
            return;
        }
        status = kSuccess;
    });
}

}  // namespace novu::ctl
