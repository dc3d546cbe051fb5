#include "device/traced_hid_device.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/virtual_clock.h"
#include "device/feature_transport.h"
#include "scripted_hid_device.h"

namespace novu {
namespace {

TEST(TraceLine, MillisecondsWithThreeDecimalsAndUpperCaseHex) {
    const std::uint8_t report[] = {0x07, 0x18, 0x0a, 0xff, 0x00, 0x04, 0x63, 0x07, 0x99};
    EXPECT_EQ(FormatTraceLine(Duration{}, false, report), "0.000 SET 07 18 0A FF 00 04 63 07");
    EXPECT_EQ(FormatTraceLine(std::chrono::microseconds(12345), true, report),
              "12.345 GET 07 18 0A FF 00 04 63 07");
    EXPECT_EQ(FormatTraceLine(std::chrono::nanoseconds(1'000'999'999), false, report),
              "1000.999 SET 07 18 0A FF 00 04 63 07");
}

TEST(TracedHidDevice, TracesSetsAndAnswersFromTheFirstReport) {
    VirtualClock clock;
    clock.Advance(Ms(100));  // the trace counts from its first report, not from the clock's epoch
    test::ScriptedHidDevice inner;
    inner.QueueAnswer({0x07, 0x14, 0, 0, 0, 0, 0x04, 0});
    std::ostringstream trace;
    TracedHidDevice traced(inner, clock, trace);
    FeatureTransport transport(clock);
    transport.Attach(&traced, 9);

    const std::uint8_t data[] = {0x63};
    transport.WriteBlock(0x0001, data);
    transport.ReadStatus();
    EXPECT_EQ(trace.str(),
              "0.000 SET 07 18 03 00 01 00 63 00\n"
              "4.000 SET 07 18 09 00 01 00 00 00\n"
              "6.000 SET 07 18 00 00 01 00 00 00\n"
              "6.000 GET 07 14 00 00 00 00 04 00\n");
    EXPECT_EQ(inner.Exchanges().size(), 4u);  // everything reached the device
}

}  // namespace
}  // namespace novu
