#include <gtest/gtest.h>

#include "base/real_clock.h"
#include "base/virtual_clock.h"

namespace novu {
namespace {

TEST(VirtualClock, SleepsAdvanceAtOnceAndAreRecorded) {
    VirtualClock clock;
    clock.SleepFor(Ms(4));
    clock.Advance(Ms(1));
    clock.SleepUntil(Ms(7));
    clock.SleepUntil(Ms(3));  // a deadline in the past does not move time back
    EXPECT_EQ(clock.Now(), Ms(7));
    const auto sleeps = clock.Sleeps();
    ASSERT_EQ(sleeps.size(), 3u);
    EXPECT_EQ(sleeps[0].start, Ms(0));
    EXPECT_EQ(sleeps[0].length, Ms(4));
    EXPECT_EQ(sleeps[1].start, Ms(5));
    EXPECT_EQ(sleeps[1].length, Ms(2));
    EXPECT_EQ(sleeps[2].length, Ms(0));
}

TEST(RealClock, WakesNoEarlierThanItsDeadline) {
    RealClock clock;
    const TimePoint deadline = clock.Now() + Ms(2);
    clock.SleepUntil(deadline);
    EXPECT_GE(clock.Now(), deadline);
}

}  // namespace
}  // namespace novu
