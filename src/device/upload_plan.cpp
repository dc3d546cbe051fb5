#include "device/upload_plan.h"

#include <algorithm>

#include "device/macro_image.h"

namespace novu {

namespace {

namespace addr = memory_address;

BlockWrite BlockOf(std::uint16_t address, std::span<const std::uint8_t> bytes) {
    BlockWrite block;
    block.address = address;
    block.length = static_cast<std::uint8_t>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), block.data.begin());
    return block;
}

BlockWrite AreaBlock(const SettingsArea& area, std::uint16_t address, std::size_t length) {
    return BlockOf(address, std::span<const std::uint8_t>(area).subspan(address, length));
}

}  // namespace

int UploadPlan::WriteReports() const {
    int reports = 0;
    for (const BlockWrite& block : blocks) {
        reports += ReportsOf(block);
    }
    return reports;
}

int UploadPlan::Bytes() const {
    int bytes = 0;
    for (const BlockWrite& block : blocks) {
        bytes += block.length;
    }
    return bytes;
}

UploadPlan BuildUploadPlan(const UploadInput& input, const MacroSources& sources) {
    UploadPlan plan;
    MacroCatalog macros(sources);
    KeyDerivation derived = DeriveKeyTables(input.settings, input.device, macros);
    plan.keys = derived.tables;
    plan.deadCodes = std::move(derived.deadCodes);
    plan.cycleMask = CycleMaskFromFlags(input.settings.shared);

    MacroImage image = BuildMacroImage(plan.keys, macros, input.settings.VER_SEL & 0xFF);
    plan.warnings = image.warnings;
    if (image.failureTip) {
        plan.failureTip = image.failureTip;
        return plan;
    }
    plan.macroEnd = image.macroEnd;

    const SettingsArea area = EncodeSettingsArea(
        {&input.settings, &input.device, &plan.keys, input.lightingMode, plan.macroEnd});
    std::vector<BlockWrite>& blocks = plan.blocks;

    if (input.productVariant == 0) {
        blocks.push_back(AreaBlock(area, addr::kHeader, 8));
    } else {
        blocks.push_back(AreaBlock(area, addr::kProfileByte, 1));
    }
    for (int b = 0; b < addr::kProfileBlocks; ++b) {
        blocks.push_back(
            AreaBlock(area, static_cast<std::uint16_t>(addr::kFirstProfileBlock + 8 * b), 8));
    }
    // The last profile block still carries the macro end of the previous upload; the new one
    // follows once the descriptor table is written.
    blocks.back().data[6] = static_cast<std::uint8_t>(input.previousMacroEnd & 0xFF);
    blocks.back().data[7] = static_cast<std::uint8_t>(input.previousMacroEnd >> 8);
    blocks.push_back(AreaBlock(area, addr::kMacroColours, 8));
    for (int at = 0; at < kDescriptorTableSize; at += 8) {
        blocks.push_back(BlockOf(static_cast<std::uint16_t>(addr::kDescriptors + at),
                                 std::span<const std::uint8_t>(image.descriptors)
                                     .subspan(static_cast<std::size_t>(at), 8)));
    }
    blocks.push_back(AreaBlock(area, addr::kMacroEnd, 2));
    blocks.push_back(AreaBlock(area, addr::kLightingPointers, 8));
    blocks.push_back(AreaBlock(area, addr::kQBlock, 3));
    blocks.push_back(AreaBlock(area, addr::kTerminator, 1));

    for (const MacroRegionImage& region : image.regions) {
        const std::span<const std::uint8_t> bytes(region.bytes);
        for (std::size_t at = 0; at < bytes.size(); at += 8) {
            const auto address = static_cast<int>(region.address + at);
            if (address >= addr::kMacroAreaEnd) {
                plan.blocks.clear();
                plan.failureTip = macro_image_tip::kMacroAreaFull;
                return plan;
            }
            blocks.push_back(
                BlockOf(static_cast<std::uint16_t>(address),
                        bytes.subspan(at, std::min<std::size_t>(8, bytes.size() - at))));
        }
    }
    return plan;
}

void ApplyPlan(const UploadPlan& plan, std::span<std::uint8_t> memory) {
    for (const BlockWrite& block : plan.blocks) {
        const std::span<const std::uint8_t> bytes = block.Bytes();
        if (block.address + bytes.size() <= memory.size()) {
            std::copy(bytes.begin(), bytes.end(), memory.begin() + block.address);
        }
    }
}

}  // namespace novu
