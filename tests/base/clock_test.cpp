#include <gtest/gtest.h>

#include <atomic>
#include <thread>

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

TEST(VirtualClock, AWaitEndsAtItsDeadlineOrWhenRaised) {
    VirtualClock clock;
    ClockEvent event;
    EXPECT_FALSE(clock.WaitFor(event, Ms(20)));
    EXPECT_EQ(clock.Now(), Ms(20));
    clock.Raise(event);  // raised before the wait: not lost
    EXPECT_TRUE(clock.WaitFor(event, Ms(50)));
    EXPECT_EQ(clock.Now(), Ms(20));
    EXPECT_FALSE(clock.WaitFor(event, Ms(30)));  // auto-reset
}

TEST(VirtualClock, ThreadsMeetAtTheTimesTheirSleepsName) {
    VirtualClock clock;
    ClockEvent handOver;
    TimePoint woken{};
    TimePoint finished{};
    // Both threads join before either touches the clock.
    std::atomic<int> joined{0};
    const auto start = [&] {
        ++joined;
        while (joined < 2) {
            std::this_thread::yield();
        }
    };
    std::thread consumer([&] {
        ClockParticipation participation(clock);
        start();
        clock.WaitFor(handOver, std::nullopt);
        woken = clock.Now();
        clock.SleepFor(Ms(3));
        finished = clock.Now();
    });
    std::thread producer([&] {
        ClockParticipation participation(clock);
        start();
        clock.SleepFor(Ms(5));
        clock.Raise(handOver);
        clock.SleepFor(Ms(100));
    });
    consumer.join();
    producer.join();
    EXPECT_EQ(woken, Ms(5));
    EXPECT_EQ(finished, Ms(8));
    EXPECT_EQ(clock.Now(), Ms(105));
}

TEST(VirtualClock, TimeStandsStillWhileAParticipantWorks) {
    VirtualClock clock;
    std::atomic<bool> workerJoined{false};
    std::atomic<bool> sleeperWaiting{false};
    TimePoint seenByWorker{Ms(-1)};
    TimePoint sleeperWoke{};
    std::thread worker([&] {
        ClockParticipation participation(clock);
        workerJoined = true;
        // Work (in real time) while the other participant sleeps: its sleep must not end.
        while (!sleeperWaiting) {
            std::this_thread::yield();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        seenByWorker = clock.Now();
    });
    while (!workerJoined) {
        std::this_thread::yield();
    }
    std::thread sleeper([&] {
        ClockParticipation participation(clock);
        sleeperWaiting = true;
        clock.SleepFor(Ms(10));
        sleeperWoke = clock.Now();
    });
    worker.join();
    sleeper.join();
    EXPECT_EQ(seenByWorker, Ms(0));
    EXPECT_EQ(sleeperWoke, Ms(10));
}

TEST(RealClock, WakesNoEarlierThanItsDeadline) {
    RealClock clock;
    const TimePoint deadline = clock.Now() + Ms(2);
    clock.SleepUntil(deadline);
    EXPECT_GE(clock.Now(), deadline);
    ClockEvent event;
    EXPECT_FALSE(clock.WaitFor(event, clock.Now() + Ms(1)));
    clock.Raise(event);
    EXPECT_TRUE(clock.WaitFor(event, std::nullopt));
}

}  // namespace
}  // namespace novu
