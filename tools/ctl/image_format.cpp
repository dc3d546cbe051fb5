#include "image_format.h"

#include <cstdio>
#include <string>

namespace novu::ctl {

namespace {

using nlohmann::ordered_json;

std::string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%s%02X", text.empty() ? "" : " ", b);
        text += byte;
    }
    return text;
}

template <class Array>
ordered_json Numbers(const Array& values) {
    ordered_json out = ordered_json::array();
    for (const auto& v : values) {
        out.push_back(static_cast<int>(v));
    }
    return out;
}

ordered_json ColourJson(const ImageColour& c) {
    return ordered_json{{"red", c.red}, {"green", c.green}, {"blue", c.blue}};
}

const char* KindName(MacroStep::Kind kind) {
    switch (kind) {
        case MacroStep::Kind::Press:
            return "press";
        case MacroStep::Kind::Release:
            return "release";
        case MacroStep::Kind::Delay:
            return "delay";
        case MacroStep::Kind::Move:
            return "move";
        case MacroStep::Kind::Dpi:
            return "dpi";
        case MacroStep::Kind::Lighting:
            return "lighting";
    }
    return "delay";
}

ordered_json StepJson(const MacroStep& step) {
    ordered_json out{{"kind", KindName(step.kind)},
                     {"pressBit", step.pressBit},
                     {"delayUnits", step.delayUnits},
                     {"code", step.code}};
    switch (step.kind) {
        case MacroStep::Kind::Move:
            out["x"] = step.x;
            out["y"] = step.y;
            break;
        case MacroStep::Kind::Dpi:
            out["dpiValue"] = step.dpiValue;
            break;
        case MacroStep::Kind::Lighting:
            out["blockAddress"] = step.blockAddress;
            out["lightingSlot"] = step.lightingSlot;
            break;
        default:
            break;
    }
    out["extraDelay"] = Numbers(step.extraDelay);
    out["totalDelayUnits"] = step.TotalDelayUnits();
    return out;
}

ordered_json DescriptorJson(const MacroDescriptor& d) {
    return ordered_json{
        {"bytes", Numbers(d.bytes)},
        {"timeUnitMinusOne", d.timeUnitMinusOne},
        {"whileHeld", d.whileHeld},
        {"repeatUntilPressed", d.repeatUntilPressed},
        {"playModeBit2", d.playModeBit2},
        {"playModeBit3", d.playModeBit3},
        {"entryCount", d.entryCount},
        {"keyUsage", d.keyUsage},
        {"consumerUsage", d.consumerUsage},
        {"regionAddress", d.regionAddress},
        {"yOffsetEnabled", d.yOffsetEnabled},
        {"yOffset", d.yOffset},
        {"region", d.region < 0 ? ordered_json(nullptr) : ordered_json(d.region)},
    };
}

ordered_json RegionJson(const MacroRegion& r) {
    ordered_json steps = ordered_json::array();
    for (const MacroStep& step : r.steps) {
        steps.push_back(StepJson(step));
    }
    ordered_json blocks = ordered_json::array();
    for (const ImageLightingBlock& block : r.lightingBlocks) {
        blocks.push_back(ordered_json{{"address", block.address},
                                      {"entries", block.entries},
                                      {"bytes", Numbers(block.bytes)}});
    }
    return ordered_json{{"address", r.address},
                        {"entryCount", r.entryCount},
                        {"playCount", r.playCount},
                        {"steps", steps},
                        {"lightingBlocks", blocks}};
}

std::string YesNo(bool value) {
    return value ? "yes" : "no";
}

std::string ColourText(const ImageColour& c) {
    return "R" + std::to_string(c.red) + " G" + std::to_string(c.green) + " B" +
           std::to_string(c.blue);
}

std::string StepText(const MacroStep& step) {
    std::string text = KindName(step.kind);
    text.resize(9, ' ');
    switch (step.kind) {
        case MacroStep::Kind::Press:
        case MacroStep::Kind::Release:
            text += Hex(step.code, 2);
            break;
        case MacroStep::Kind::Delay:
            break;
        case MacroStep::Kind::Move:
            text += "x " + std::to_string(step.x) + " y " + std::to_string(step.y);
            break;
        case MacroStep::Kind::Dpi:
            text += (step.pressBit ? "set " : "restore ") + std::to_string(step.dpiValue);
            break;
        case MacroStep::Kind::Lighting:
            text +=
                "block " + Hex(step.blockAddress, 4) + " slot " + std::to_string(step.lightingSlot);
            break;
    }
    text += step.kind == MacroStep::Kind::Delay ? "" : "  delay ";
    text += std::to_string(step.delayUnits);
    for (std::uint8_t chunk : step.extraDelay) {
        text += " + " + std::to_string(chunk);
    }
    if (!step.extraDelay.empty()) {
        text += " = " + std::to_string(step.TotalDelayUnits());
    }
    return text;
}

}  // namespace

ordered_json ImageToJson(const DecodedImage& image) {
    ordered_json profiles = ordered_json::array();
    for (const ImageProfile& p : image.profiles) {
        ordered_json keys = ordered_json::array();
        for (const ImageKey& k : p.keys) {
            keys.push_back(ordered_json{{"byte", k.byte},
                                        {"type", k.type},
                                        {"reactive", k.reactive},
                                        {"reactiveType", k.reactiveType}});
        }
        ordered_json descriptors = ordered_json::array();
        for (const MacroDescriptor& d : p.descriptors) {
            descriptors.push_back(DescriptorJson(d));
        }
        profiles.push_back(ordered_json{{"keys", keys}, {"descriptors", descriptors}});
    }
    ordered_json dpiColours = ordered_json::array();
    for (const ImageColour& c : image.dpiColours) {
        dpiColours.push_back(ColourJson(c));
    }
    ordered_json userColours = ordered_json::array();
    for (const ImageColour& c : image.userColours) {
        userColours.push_back(ColourJson(c));
    }
    ordered_json macroColours = ordered_json::array();
    for (int key = 2; key <= 12; ++key) {
        macroColours.push_back(ordered_json{
            {"hardwareKey", key}, {"colour", image.macroColours[static_cast<std::size_t>(key)]}});
    }
    ordered_json regions = ordered_json::array();
    for (const MacroRegion& r : image.regions) {
        regions.push_back(RegionJson(r));
    }
    const ImageLighting& l = image.lighting;
    return ordered_json{
        {"header",
         {{"bytes", Numbers(image.header.bytes)},
          {"profile", image.header.profile},
          {"productId", image.header.productId},
          {"vendorId", image.header.vendorId}}},
        {"dpi",
         {{"codes", Numbers(image.dpi.codes)},
          {"enableMask", image.dpi.enableMask},
          {"levelByte", image.dpi.levelByte},
          {"level", image.dpi.level}}},
        {"fireInterval", image.fireInterval},
        {"lighting",
         {{"effect", l.effect},
          {"reactive", l.reactive},
          {"speed", l.speed},
          {"userColoursEnabled", l.userColoursEnabled},
          {"cycleMask", l.cycleMask},
          {"rateCode", l.rateCode},
          {"effectMask", l.effectMask},
          {"symmetry", l.symmetry},
          {"direction", l.direction},
          {"mode", l.mode},
          {"brightness", l.brightness},
          {"off", l.off}}},
        {"colours", {{"dpi", dpiColours}, {"user", userColours}}},
        {"pointers",
         {{"macroEnd", image.pointers.macroEnd},
          {"lightingBlocks", Numbers(image.pointers.lightingBlocks)},
          {"modeByte", image.pointers.modeByte},
          {"q", image.pointers.q}}},
        {"macroColours", macroColours},
        {"profiles", profiles},
        {"regions", regions},
    };
}

void PrintImage(std::ostream& out, const DecodedImage& image) {
    const ImageHeader& h = image.header;
    out << "Header         " << HexBytes(h.bytes) << "  (profile " << h.profile + 1 << ", product "
        << Hex(h.productId, 4) << ", vendor " << Hex(h.vendorId, 4) << ")\n";
    out << "DPI codes     ";
    for (std::uint8_t code : image.dpi.codes) {
        out << ' ' << int{code};
    }
    out << "  enabled " << Hex(image.dpi.enableMask, 2) << "  level " << image.dpi.level << " ("
        << Hex(image.dpi.levelByte, 2) << ")\n";
    out << "Fire interval  " << image.fireInterval << " (x 8 ms)\n";
    const ImageLighting& l = image.lighting;
    out << "Lighting       effect " << int{l.effect} << ", speed " << int{l.speed} << ", reactive "
        << YesNo(l.reactive) << ", brightness " << int{l.brightness} << ", direction "
        << int{l.direction} << ", symmetry " << YesNo(l.symmetry) << ", mode " << int{l.mode}
        << ", off " << YesNo(l.off) << '\n';
    out << "               user colours " << YesNo(l.userColoursEnabled) << ", cycle mask "
        << Hex(l.cycleMask, 2) << ", rate code " << int{l.rateCode} << ", effect mask "
        << Hex(l.effectMask, 4) << '\n';
    out << "DPI colours   ";
    for (std::size_t i = 0; i < image.dpiColours.size(); ++i) {
        out << "  " << i + 1 << ": " << ColourText(image.dpiColours[i]);
    }
    out << "\nUser colours  ";
    for (std::size_t i = 0; i < image.userColours.size(); ++i) {
        out << "  " << i + 1 << ": " << ColourText(image.userColours[i]);
    }
    const ImagePointers& p = image.pointers;
    out << "\nPointers       E " << Hex(p.macroEnd, 4) << "  P1 " << Hex(p.lightingBlocks[0], 4)
        << "  P2 " << Hex(p.lightingBlocks[1], 4) << "  P3 " << Hex(p.lightingBlocks[2], 4)
        << "  Q " << Hex(p.q, 4) << "  mode byte " << Hex(p.modeByte, 2) << '\n';
    out << "Macro colours ";
    for (int key = 2; key <= 12; ++key) {
        out << "  key " << key << ": " << int{image.macroColours[static_cast<std::size_t>(key)]};
    }
    out << '\n';

    for (std::size_t pi = 0; pi < image.profiles.size(); ++pi) {
        const ImageProfile& profile = image.profiles[pi];
        out << "Profile " << pi + 1 << "      key bytes";
        for (const ImageKey& k : profile.keys) {
            out << ' ' << HexBytes(std::span(&k.byte, 1));
        }
        out << '\n';
        for (std::size_t k = 0; k < profile.keys.size(); ++k) {
            const ImageKey& key = profile.keys[k];
            if (key.byte == 0) {
                continue;
            }
            out << "  key " << k + 1 << (k + 1 < 10 ? " " : "") << "     type " << Hex(key.type, 2)
                << ", reactive " << YesNo(key.reactive) << " (kind " << int{key.reactiveType}
                << ")\n";
        }
        for (std::size_t k = 0; k < profile.descriptors.size(); ++k) {
            const MacroDescriptor& d = profile.descriptors[k];
            if (d.region < 0 && d.keyUsage == 0 && d.consumerUsage == 0) {
                continue;
            }
            out << "  descriptor " << k + 1 << (k + 1 < 10 ? " " : "") << "  N " << d.entryCount
                << ", region " << Hex(d.regionAddress, 4);
            if (d.region >= 0) {
                out << " (#" << d.region + 1 << ")";
            }
            out << ", held " << YesNo(d.whileHeld) << ", repeat " << YesNo(d.repeatUntilPressed)
                << ", mode bits " << int{d.playModeBit2} << int{d.playModeBit3} << ", key "
                << Hex(d.keyUsage, 2) << ", consumer " << Hex(d.consumerUsage, 4) << ", y offset "
                << (d.yOffsetEnabled ? "on " : "off ") << int{d.yOffset} << '\n';
        }
    }

    for (std::size_t ri = 0; ri < image.regions.size(); ++ri) {
        const MacroRegion& r = image.regions[ri];
        out << "Region #" << ri + 1 << " at " << Hex(r.address, 4) << ": play count " << r.playCount
            << ", " << r.entryCount << " entries\n";
        for (const MacroStep& step : r.steps) {
            out << "  " << StepText(step) << '\n';
        }
        for (const ImageLightingBlock& block : r.lightingBlocks) {
            out << "  lighting block " << Hex(block.address, 4) << ", " << block.entries
                << " entries: " << HexBytes(block.bytes) << '\n';
        }
    }
}

}  // namespace novu::ctl
