#include "platform/linux/report_descriptor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hidraw_testbed.h"

namespace novu {
namespace {

using test::BootMouseDescriptor;
using test::MouseDescriptor;

using Bytes = std::vector<std::uint8_t>;

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

TEST(ReportDescriptorTest, LengthsFollowTheHidCapabilities) {
    struct Case {
        const char* name;
        Bytes descriptor;
        std::vector<TopLevelCollection> expected;
    };
    const Case cases[] = {
        {"the mouse: two vendor collections with report IDs",
         MouseDescriptor(),
         {{0xFF00, 1, 9, 0}, {0xFF01, 1, 0, 65}}},
        {"no report IDs: no extra byte; bit fields round up with their padding",
         BootMouseDescriptor(),
         {{0x0001, 2, 3, 0}}},
        {"the largest report of a kind counts, across report IDs",
         {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01,        // vendor page, application
          0x75, 0x08, 0x85, 0x01, 0x95, 0x03, 0x81, 0x02,  // input 1: 3 bytes
          0x85, 0x02, 0x95, 0x07, 0x81, 0x02,              // input 2: 7 bytes
          0x85, 0x03, 0x95, 0x02, 0xB1, 0x02,              // feature 3: 2 bytes
          0x85, 0x01, 0x95, 0x01, 0x81, 0x02,              // input 1 again: now 4 bytes
          0xC0},
         {{0xFF00, 1, 8, 3}}},
        {"odd bit counts round up to whole bytes",
         {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x01, 0x95, 0x0C, 0x81, 0x02, 0xC0},
         {{0x000C, 1, 2, 0}}},
        {"a 4-byte usage names its own page; nested collections belong to their top level",
         {0x05, 0x01, 0x0B, 0x01, 0x00, 0x01, 0xFF,        // Usage (0xFF01:0001)
          0xA1, 0x01, 0x05, 0x09, 0x09, 0x01, 0xA1, 0x02,  // Collection, nested Logical
          0x75, 0x08, 0x95, 0x05, 0xB1, 0x02, 0xC0, 0xC0},
         {{0xFF01, 1, 0, 5}}},
        {"Push and Pop restore the report size",
         {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08,
          0x95, 0x02, 0xA4, 0x75, 0x20, 0x81, 0x02, 0xB4,  // Push, 2 x 32 bits, Pop
          0xB1, 0x02, 0xC0},                               // feature: 2 x 8 bits again
         {{0xFF00, 1, 8, 2}}},
        {"a long item is skipped whole",
         Join({{0xFE, 0x02, 0x10, 0xA1, 0xC0}, MouseDescriptor()}),
         {{0xFF00, 1, 9, 0}, {0xFF01, 1, 0, 65}}},
        {"an empty descriptor has no collections", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = ParseReportDescriptor(c.descriptor);
        ASSERT_TRUE(parsed.ok()) << parsed.error().message;
        EXPECT_EQ(*parsed, c.expected);
    }
}

TEST(ReportDescriptorTest, MalformedDescriptorsAreRejected) {
    struct Case {
        const char* name;
        Bytes descriptor;
    };
    const Bytes mouse = MouseDescriptor();
    const Case cases[] = {
        {"cut inside an item", Bytes(mouse.begin(), mouse.begin() + 2)},
        {"long item cut short", {0xFE, 0x08, 0x10, 0x00}},
        {"collection never closed", Bytes(mouse.begin(), mouse.begin() + 7)},
        {"End Collection without a collection", {0xC0}},
        {"Pop without Push", {0xB4}},
        {"report ID 0", {0x85, 0x00}},
        {"huge report count", {0x97, 0x00, 0x00, 0x01, 0x00}},
        {"Push nested too deeply", Bytes(17, 0xA4)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto parsed = ParseReportDescriptor(c.descriptor);
        ASSERT_FALSE(parsed.ok());
        EXPECT_EQ(parsed.error().fault, Fault::Device);
        EXPECT_NE(parsed.error().message.find("malformed HID report descriptor"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace novu
