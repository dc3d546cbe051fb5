#include <algorithm>
#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "commands.h"
#include "device/device_link.h"
#include "mouse_link.h"
#include "platform/linux/linux_hid_bus.h"

namespace novu::ctl {

namespace {

bool IsMouseInterface(const HidInterfaceInfo& info) {
    return info.vendorId == kMouseVendorId && VariantOfProductId(info.productId).has_value();
}

std::string Hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

void PrintJson(const std::vector<HidInterfaceInfo>& interfaces) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (const HidInterfaceInfo& info : interfaces) {
        list.push_back({{"path", info.path},
                        {"vendorId", info.vendorId},
                        {"productId", info.productId},
                        {"product", info.product},
                        {"usagePage", info.usagePage},
                        {"usage", info.usage},
                        {"inputReportLength", info.inputReportLength},
                        {"featureReportLength", info.featureReportLength}});
    }
    std::cout << list.dump(2) << '\n';
}

// One line per interface: the IDs, usage page and usage in hexadecimal, the report lengths in
// bytes, and the product string last since it may hold blanks.
void PrintTable(const std::vector<HidInterfaceInfo>& interfaces) {
    std::size_t pathWidth = 4;
    for (const HidInterfaceInfo& info : interfaces) {
        pathWidth = std::max(pathWidth, info.path.size());
    }
    const int width = static_cast<int>(pathWidth);
    std::printf("%-*s  VID   PID   PAGE  USAGE  INPUT  FEATURE  PRODUCT\n", width, "PATH");
    for (const HidInterfaceInfo& info : interfaces) {
        std::printf("%-*s  %s  %s  %s  %s   %5zu  %7zu  %s\n", width, info.path.c_str(),
                    Hex4(info.vendorId).c_str(), Hex4(info.productId).c_str(),
                    Hex4(info.usagePage).c_str(), Hex4(info.usage).c_str(), info.inputReportLength,
                    info.featureReportLength, info.product.c_str());
    }
}

// The interfaces of the bus the global options name: the virtual mouse's with --emulate, the
// system's otherwise. Listing needs no access to the devices themselves.
Result<std::vector<HidInterfaceInfo>> ListInterfaces(Session& session, int& status) {
    if (session.Options().emulate) {
        auto link = OpenMouseLink(session, "", status);
        if (!link) {
            return MakeError(Fault::Device, "the virtual mouse is not available");
        }
        return link->EmulatedBus()->Enumerate();
    }
    LinuxHidBus bus;
    return bus.Enumerate();
}

}  // namespace

void AddDevicesCommands(CLI::App& app, Session& session, int& status) {
    auto all = std::make_shared<bool>(false);
    CLI::App* command = app.add_subcommand("devices", "The HID interfaces of the mouse");
    command->add_flag("--all", *all, "List every HID interface of the system");
    command->callback([&session, &status, all] {
        status = kSuccess;
        auto listed = ListInterfaces(session, status);
        if (!listed) {
            if (status == kSuccess) {
                PrintError(listed.error().message);
                status = kFailed;
            }
            return;
        }
        std::vector<HidInterfaceInfo> shown;
        for (const HidInterfaceInfo& info : *listed) {
            const bool atDevice =
                !session.Options().device || info.path == *session.Options().device;
            if (atDevice && (*all || IsMouseInterface(info))) {
                shown.push_back(info);
            }
        }
        if (session.Options().json) {
            PrintJson(shown);
        } else if (!shown.empty()) {
            PrintTable(shown);
        }
        if (shown.empty() && !*all) {
            PrintError("no mouse found");
            status = kNoMouse;
        }
    });
}

}  // namespace novu::ctl
