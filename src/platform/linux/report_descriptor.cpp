#include "platform/linux/report_descriptor.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>

namespace novu {

namespace {

// Item types and tags of short items (HID 1.11, sections 6.2.2.2 to 6.2.2.8).
enum ItemType : std::uint8_t { kMain = 0, kGlobal = 1, kLocal = 2 };
namespace main_tag {
constexpr std::uint8_t kInput = 0x8;
constexpr std::uint8_t kCollection = 0xA;
constexpr std::uint8_t kFeature = 0xB;
constexpr std::uint8_t kEndCollection = 0xC;
}  // namespace main_tag
namespace global_tag {
constexpr std::uint8_t kUsagePage = 0x0;
constexpr std::uint8_t kReportSize = 0x7;
constexpr std::uint8_t kReportId = 0x8;
constexpr std::uint8_t kReportCount = 0x9;
constexpr std::uint8_t kPush = 0xA;
constexpr std::uint8_t kPop = 0xB;
}  // namespace global_tag
namespace local_tag {
constexpr std::uint8_t kUsage = 0x0;
}  // namespace local_tag
constexpr std::uint8_t kLongItemPrefix = 0xFE;

// Bounds that keep the arithmetic small; real descriptors stay far below them (the Linux HID
// core itself accepts report sizes up to 256 bits and a few thousand fields).
constexpr std::uint32_t kMaxReportSize = 0xFFFF;
constexpr std::uint32_t kMaxReportCount = 0xFFFF;
constexpr std::size_t kMaxGlobalStack = 16;

struct GlobalState {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint32_t reportId = 0;
};

struct UsageItem {
    std::uint32_t value = 0;
    bool extended = false;  // a 4-byte usage carries its own usage page in the high half
};

// Bits of each report (by report ID) of one kind within a collection.
using ReportBits = std::map<std::uint32_t, std::uint64_t>;

struct CollectionBuilder {
    TopLevelCollection collection;
    ReportBits input;
    ReportBits feature;
};

std::size_t ReportLength(const ReportBits& reports, bool usesIds) {
    if (reports.empty()) {
        return 0;
    }
    std::uint64_t bits = 0;
    for (const auto& [id, reportBits] : reports) {
        bits = std::max(bits, reportBits);
    }
    return static_cast<std::size_t>((bits + 7) / 8) + (usesIds ? 1 : 0);
}

Error Malformed(std::size_t offset, const std::string& what) {
    return MakeError(Fault::Device, "malformed HID report descriptor at byte " +
                                        std::to_string(offset) + ": " + what);
}

}  // namespace

Result<std::vector<TopLevelCollection>> ParseReportDescriptor(
    std::span<const std::uint8_t> descriptor) {
    GlobalState global;
    std::vector<GlobalState> stack;
    std::optional<UsageItem> firstUsage;  // the first usage since the last main item
    std::vector<CollectionBuilder> collections;
    int depth = 0;
    bool usesIds = false;

    std::size_t pos = 0;
    while (pos < descriptor.size()) {
        const std::size_t itemStart = pos;
        const std::uint8_t prefix = descriptor[pos];
        if (prefix == kLongItemPrefix) {
            // Long items carry no information the lengths depend on; skip them whole.
            if (pos + 2 >= descriptor.size()) {
                return Malformed(itemStart, "long item cut short");
            }
            const std::size_t size = descriptor[pos + 1];
            pos += 3 + size;
            if (pos > descriptor.size()) {
                return Malformed(itemStart, "long item cut short");
            }
            continue;
        }
        const std::size_t sizeCode = prefix & 0x3;
        const std::size_t size = sizeCode == 3 ? 4 : sizeCode;
        const auto type = static_cast<std::uint8_t>((prefix >> 2) & 0x3);
        const auto tag = static_cast<std::uint8_t>(prefix >> 4);
        if (pos + 1 + size > descriptor.size()) {
            return Malformed(itemStart, "item cut short");
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < size; ++i) {
            value |= static_cast<std::uint32_t>(descriptor[pos + 1 + i]) << (8 * i);
        }
        pos += 1 + size;

        if (type == kMain) {
            switch (tag) {
                case main_tag::kInput:
                case main_tag::kFeature:
                    if (depth > 0) {
                        CollectionBuilder& current = collections.back();
                        ReportBits& reports =
                            tag == main_tag::kInput ? current.input : current.feature;
                        reports[global.reportId] +=
                            std::uint64_t{global.reportSize} * global.reportCount;
                    }
                    break;
                case main_tag::kCollection:
                    if (depth == 0) {
                        CollectionBuilder& added = collections.emplace_back();
                        const UsageItem usage = firstUsage.value_or(UsageItem{});
                        const std::uint32_t page =
                            usage.extended ? usage.value >> 16 : global.usagePage;
                        added.collection.usagePage = static_cast<std::uint16_t>(page);
                        added.collection.usage = static_cast<std::uint16_t>(usage.value & 0xFFFF);
                    }
                    ++depth;
                    break;
                case main_tag::kEndCollection:
                    if (depth == 0) {
                        return Malformed(itemStart, "End Collection without a collection");
                    }
                    --depth;
                    break;
                default:
                    break;
            }
            firstUsage.reset();
        } else if (type == kGlobal) {
            switch (tag) {
                case global_tag::kUsagePage:
                    global.usagePage = value;
                    break;
                case global_tag::kReportSize:
                    if (value > kMaxReportSize) {
                        return Malformed(itemStart, "report size out of range");
                    }
                    global.reportSize = value;
                    break;
                case global_tag::kReportCount:
                    if (value > kMaxReportCount) {
                        return Malformed(itemStart, "report count out of range");
                    }
                    global.reportCount = value;
                    break;
                case global_tag::kReportId:
                    if (value == 0 || value > 0xFF) {
                        return Malformed(itemStart, "report ID out of range");
                    }
                    global.reportId = value;
                    usesIds = true;
                    break;
                case global_tag::kPush:
                    if (stack.size() == kMaxGlobalStack) {
                        return Malformed(itemStart, "Push nested too deeply");
                    }
                    stack.push_back(global);
                    break;
                case global_tag::kPop:
                    if (stack.empty()) {
                        return Malformed(itemStart, "Pop without Push");
                    }
                    global = stack.back();
                    stack.pop_back();
                    break;
                default:
                    break;
            }
        } else if (type == kLocal && tag == local_tag::kUsage && !firstUsage) {
            firstUsage = UsageItem{value, size == 4};
        }
    }
    if (depth != 0) {
        return Malformed(descriptor.size(), "collection not closed");
    }

    std::vector<TopLevelCollection> result;
    result.reserve(collections.size());
    for (CollectionBuilder& built : collections) {
        built.collection.inputReportLength = ReportLength(built.input, usesIds);
        built.collection.featureReportLength = ReportLength(built.feature, usesIds);
        result.push_back(built.collection);
    }
    return result;
}

}  // namespace novu
