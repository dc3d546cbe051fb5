#include "emulator/virtual_mouse.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/virtual_clock.h"
#include "device/feature_transport.h"
#include "device/read_back.h"
#include "emulator/virtual_bus.h"

namespace novu {
namespace {

using Bytes = std::array<std::uint8_t, 8>;

// A virtual mouse with the transport attached to its feature interface.
struct MouseFixture : ::testing::Test {
    VirtualClock clock;
    VirtualMouse mouse{clock, 1};
    std::unique_ptr<HidDevice> feature = mouse.Open(MouseInterface::Feature, HidAccess::Write);
    FeatureTransport transport{clock};

    MouseFixture() { transport.Attach(feature.get(), VirtualMouse::kFeatureReportLength); }

    // Sends one raw MemoryAccess report.
    void Access(std::uint8_t step, std::uint8_t index, std::uint16_t address, std::uint8_t data,
                std::uint8_t lengthMinusOne) {
        const std::uint8_t report[] = {0x07,
                                       0x18,
                                       step,
                                       index,
                                       static_cast<std::uint8_t>(address & 0xFF),
                                       static_cast<std::uint8_t>(address >> 8),
                                       data,
                                       lengthMinusOne,
                                       0};
        ASSERT_TRUE(feature->SetFeature(report).ok());
    }
};

TEST_F(MouseFixture, WrittenBlocksReadBackThroughTheTransport) {
    const std::uint8_t data[] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    transport.WriteBlock(0x0400, data);
    transport.WriteBlock(0x0408, std::span(data, 3));
    std::array<std::uint8_t, 8> first{};
    std::array<std::uint8_t, 4> second{};
    transport.ReadBlock(0x0400, first);
    transport.ReadBlock(0x0408, second);
    EXPECT_EQ(first, (std::array<std::uint8_t, 8>{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88}));
    EXPECT_EQ(second, (std::array<std::uint8_t, 4>{0x11, 0x22, 0x33, 0x00}));

    const auto memory = mouse.Memory();
    ASSERT_EQ(memory.size(), 65536u);
    EXPECT_EQ(memory[0x03FF], 0x00);
    EXPECT_EQ(memory[0x040B], 0x00);
    EXPECT_EQ(mouse.Commits(), 2);
    EXPECT_TRUE(mouse.Irregularities().empty());
}

TEST_F(MouseFixture, PlacementsChangeNothingUntilCommitted) {
    const std::uint8_t stored[] = {0xAA, 0xBB};
    mouse.Poke(0x0200, stored);

    // A read primes the chunk with zero placements: the memory keeps its bytes.
    std::array<std::uint8_t, 2> out{};
    transport.ReadBlock(0x0200, out);
    EXPECT_EQ(out, (std::array<std::uint8_t, 2>{0xAA, 0xBB}));

    // Placements dropped by an idle, a finish or a placement for another chunk never land.
    Access(memory_step::kWriteByte, 0, 0x0200, 0x01, 1);
    Access(memory_step::kIdle, 0, 0x0200, 0, 0);
    Access(memory_step::kWriteByte, 1, 0x0200, 0x02, 1);
    Access(memory_step::kFinish, 0, 0, 0, 0);
    Access(memory_step::kWriteByte, 0, 0x0200, 0x03, 1);
    Access(memory_step::kWriteByte, 0, 0x0300, 0x04, 0);
    Access(memory_step::kCommit, 0, 0x0200, 0, 1);
    EXPECT_EQ(mouse.Peek(0x0200), 0xAA);
    EXPECT_EQ(mouse.Peek(0x0201), 0xBB);
    EXPECT_EQ(mouse.Peek(0x0300), 0x00);
    EXPECT_EQ(mouse.Commits(), 0);
    EXPECT_EQ(mouse.Finishes(), 1);
    EXPECT_EQ(mouse.Irregularities().size(), 2u);  // the dropped placement, the blind commit

    // A commit stores only what was placed, and says which byte was missing.
    mouse.ClearLogs();
    Access(memory_step::kWriteByte, 1, 0x0200, 0x05, 1);
    Access(memory_step::kCommit, 0, 0x0200, 0, 1);
    EXPECT_EQ(mouse.Peek(0x0200), 0xAA);
    EXPECT_EQ(mouse.Peek(0x0201), 0x05);
    ASSERT_EQ(mouse.Irregularities().size(), 1u);
    EXPECT_EQ(mouse.Irregularities()[0], "commit at 0x0200: byte 0 was never placed");
}

TEST_F(MouseFixture, FinishEndsTheBatch) {
    transport.Finish();
    EXPECT_EQ(mouse.Finishes(), 1);
    EXPECT_EQ(clock.Now(), Ms(5));
    EXPECT_TRUE(mouse.Irregularities().empty());
}

TEST_F(MouseFixture, StatusCarriesTheProfileAndMemoryTheDpiLevel) {
    EXPECT_EQ(ReadActiveProfile(transport), 0);
    EXPECT_EQ(ReadDpiLevel(transport), 0);

    // The profile byte written by an upload selects the profile: 0x63 = profile 3.
    const std::uint8_t profileByte[] = {0x63};
    transport.WriteBlock(0x0001, profileByte);
    const std::uint8_t dpiByte[] = {0x14};
    transport.WriteBlock(0x0018, dpiByte);
    EXPECT_EQ(ReadActiveProfile(transport), 3);
    EXPECT_EQ(transport.BufferHead()[6], 0x0C);
    EXPECT_EQ(ReadDpiLevel(transport), 4);

    // Changes made on the mouse itself.
    mouse.SetActiveProfile(1);
    mouse.SetDpiLevel(2);
    EXPECT_EQ(ReadActiveProfile(transport), 1);
    EXPECT_EQ(ReadDpiLevel(transport), 2);
    EXPECT_EQ(mouse.Peek(0x18), 0x12);
}

TEST_F(MouseFixture, TheLogHoldsEveryReportWithItsTime) {
    const std::uint8_t data[] = {0x63};
    transport.WriteBlock(0x0001, data);
    transport.ReadStatus();
    const auto log = mouse.Exchanges();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].time, Ms(0));
    EXPECT_EQ(log[1].time, Ms(4));
    EXPECT_EQ(log[2].time, Ms(6));
    EXPECT_FALSE(log[2].answer);
    EXPECT_TRUE(log[3].answer);
    EXPECT_EQ(log[3].bytes, (std::vector<std::uint8_t>{0x07, 0, 0, 0, 0, 0, 0x0C, 0, 0}));
    EXPECT_EQ(mouse.LastCommand(command::kMemoryAccess),
              (Bytes{0x07, 0x18, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_FALSE(mouse.LastCommand(command::kLevelColour));
}

TEST_F(MouseFixture, InjectionCommandsBecomeHostEvents) {
    using Kind = HostEvent::Kind;
    clock.Advance(Ms(10));
    transport.KeyboardKeys({0x04, 0, 0, 0, 0, 0});
    transport.KeyboardKeys({0x04, 0x16, 0, 0, 0, 0});
    transport.KeyboardKeys({0x16, 0, 0, 0, 0, 0});
    transport.MouseButtons(0xFE);  // left down
    transport.MouseButtons(0xF9);  // left up, right and middle down
    transport.MouseButtons(0xFF);
    transport.MouseMove(-5, 3);
    transport.ConsumerKey(0x00E9);
    transport.KeyboardKeys({0, 0, 0, 0, 0, 0});
    const auto t = Ms(10);
    EXPECT_EQ(mouse.HostEvents(), (std::vector<HostEvent>{
                                      {t, Kind::KeyDown, 0x04, 0, 0},
                                      {t, Kind::KeyDown, 0x16, 0, 0},
                                      {t, Kind::KeyUp, 0x04, 0, 0},
                                      {t, Kind::ButtonDown, 0, 0, 0},
                                      {t, Kind::ButtonUp, 0, 0, 0},
                                      {t, Kind::ButtonDown, 1, 0, 0},
                                      {t, Kind::ButtonDown, 2, 0, 0},
                                      {t, Kind::ButtonUp, 1, 0, 0},
                                      {t, Kind::ButtonUp, 2, 0, 0},
                                      {t, Kind::Move, 0, -5, 3},
                                      {t, Kind::ConsumerKey, 0x00E9, 0, 0},
                                      {t, Kind::KeyUp, 0x16, 0, 0},
                                  }));
    EXPECT_EQ(mouse.ButtonState(), 0xFF);
    EXPECT_EQ(mouse.HeldKeys(), (std::array<std::uint8_t, 6>{}));
}

TEST(VirtualMouse, InputReportsArriveAtTheirVirtualTime) {
    VirtualClock clock;
    VirtualMouse mouse(clock, 1);
    auto input = mouse.Open(MouseInterface::Input, HidAccess::Read);
    ASSERT_TRUE(mouse.QueueInput(Ms(30), ButtonEventReport(3, false, 2)).ok());
    ASSERT_TRUE(mouse.QueueInput(Ms(30), ButtonEventReport(3, true, 2)).ok());
    const std::uint8_t early[] = {0x06, 0x01};
    ASSERT_TRUE(mouse.QueueInput(Ms(5), early).ok());

    std::array<std::uint8_t, 64> buffer{};
    auto read = input->ReadInput(buffer);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(*read, VirtualMouse::kInputReportLength);  // zero-padded to the report length
    EXPECT_EQ(buffer[1], 0x01);
    EXPECT_EQ(clock.Now(), Ms(5));

    read = input->ReadInput(buffer);
    EXPECT_EQ(clock.Now(), Ms(30));
    EXPECT_EQ((std::array<std::uint8_t, 3>{buffer[0], buffer[1], buffer[2]}),
              (std::array<std::uint8_t, 3>{0x06, 0xF3, 0x02}));
    read = input->ReadInput(buffer);  // queued for the same time: next, in order
    EXPECT_EQ(clock.Now(), Ms(30));
    EXPECT_EQ(buffer[2], 0x82);
    EXPECT_EQ(mouse.PendingInput(), 0u);

    // A report queued in the past arrives at once.
    ASSERT_TRUE(mouse.QueueInput(Ms(1), MouseEventReport(0x03)).ok());
    read = input->ReadInput(buffer);
    EXPECT_EQ(buffer[1], 0x03);
    EXPECT_EQ(clock.Now(), Ms(30));

    EXPECT_FALSE(mouse.QueueInput(Ms(0), std::vector<std::uint8_t>(10, 6)).ok());
    EXPECT_FALSE(mouse.QueueInput(Ms(0), std::span<const std::uint8_t>{}).ok());
}

TEST(VirtualMouse, AReadWaitsForReportsQueuedLaterAndEndsWhenInterrupted) {
    VirtualClock clock;
    VirtualMouse mouse(clock, 1);
    auto input = mouse.Open(MouseInterface::Input, HidAccess::Read);
    std::atomic<bool> reading{false};
    std::vector<std::pair<TimePoint, std::size_t>> reads;
    std::thread reader([&] {
        ClockParticipation participation(clock);
        reading = true;
        std::array<std::uint8_t, 9> buffer{};
        for (;;) {
            auto read = input->ReadInput(buffer);
            ASSERT_TRUE(read.ok());
            reads.emplace_back(clock.Now(), *read);
            if (*read == 0) {
                break;
            }
        }
    });
    while (!reading) {
        std::this_thread::yield();
    }
    // The reader waits with nothing queued; a report queued now for 50 ms wakes it then.
    ASSERT_TRUE(mouse.QueueInput(Ms(50), ButtonEventReport(1, false, 0)).ok());
    while (mouse.PendingInput() != 0) {
        std::this_thread::yield();
    }
    input->Interrupt();
    reader.join();
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_EQ(reads[0], (std::pair<TimePoint, std::size_t>{Ms(50), 9}));
    EXPECT_EQ(reads[1].second, 0u);
    std::array<std::uint8_t, 9> buffer{};
    EXPECT_EQ(*input->ReadInput(buffer), 0u);  // every later read ends at once
}

TEST(VirtualMouse, InterfacesKeepToTheirRoles) {
    VirtualClock clock;
    VirtualMouse mouse(clock, 0);
    const auto input = mouse.Describe(MouseInterface::Input, "in");
    const auto feature = mouse.Describe(MouseInterface::Feature, "out");
    EXPECT_EQ(input.productId, 0x1201);
    EXPECT_EQ(input.vendorId, 0x30FA);
    EXPECT_EQ(input.usagePage, 0xFF00);
    EXPECT_EQ(feature.usagePage, 0xFF01);
    EXPECT_EQ(input.usage, 1);
    EXPECT_EQ(input.inputReportLength, 9u);
    EXPECT_EQ(feature.featureReportLength, 9u);
    EXPECT_EQ(VirtualMouse(clock, 1).Describe(MouseInterface::Input, "").productId, 0x1040);

    std::array<std::uint8_t, 9> report{0x07, 0x16, 0, 0xFF};
    EXPECT_FALSE(mouse.Open(MouseInterface::Input, HidAccess::Read)->SetFeature(report).ok());
    EXPECT_FALSE(mouse.Open(MouseInterface::Feature, HidAccess::Query)->SetFeature(report).ok());
    EXPECT_FALSE(mouse.Open(MouseInterface::Feature, HidAccess::Write)->ReadInput(report).ok());
    report[0] = 0x05;
    EXPECT_FALSE(mouse.Open(MouseInterface::Feature, HidAccess::Write)->GetFeature(report).ok());
}

TEST(VirtualBus, ListsTheMouseAndFollowsUnplugging) {
    VirtualClock clock;
    VirtualMouse mouse(clock, 1);
    VirtualBus bus(mouse);
    HidInterfaceInfo keyboard;
    keyboard.path = "/dev/hidraw9";
    keyboard.vendorId = 0x046D;
    bus.AddInterface(keyboard);
    std::vector<HidChange::Kind> changes;
    ASSERT_TRUE(bus.StartWatching([&](const HidChange& c) { changes.push_back(c.kind); }).ok());

    auto listed = bus.Enumerate();
    ASSERT_TRUE(listed.ok());
    ASSERT_EQ(listed->size(), 3u);
    EXPECT_EQ((*listed)[0].usagePage, 0xFF00);
    EXPECT_EQ((*listed)[1].usagePage, 0xFF01);
    EXPECT_TRUE(bus.Open("/dev/hidraw9", HidAccess::Query).ok());
    EXPECT_FALSE(bus.Open("/dev/hidraw9", HidAccess::Write).ok());
    EXPECT_FALSE(bus.Open("/dev/nothing", HidAccess::Query).ok());

    auto feature = bus.Open(VirtualBus::kFeaturePath, HidAccess::Write);
    auto input = bus.Open(VirtualBus::kInputPath, HidAccess::Read);
    ASSERT_TRUE(feature.ok());
    ASSERT_TRUE(input.ok());
    const std::array<std::uint8_t, 9> report{0x07, 0x16, 0, 0xFE};

    std::thread reader([&] {
        std::array<std::uint8_t, 9> buffer{};
        EXPECT_FALSE((*input)->ReadInput(buffer).ok());  // ends when the mouse goes
    });
    // Most likely the reader is blocked by now; a read that starts after the unplugging fails
    // just the same, so the pause only makes the blocked case the usual one.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    bus.Unplug();
    reader.join();
    EXPECT_FALSE((*feature)->SetFeature(report).ok());
    EXPECT_EQ(bus.Enumerate()->size(), 1u);
    EXPECT_FALSE(bus.Open(VirtualBus::kFeaturePath, HidAccess::Write).ok());

    bus.Plug();
    EXPECT_TRUE((*feature)->SetFeature(report).ok());
    bus.StopWatching();
    bus.Unplug();
    EXPECT_EQ(changes,
              (std::vector<HidChange::Kind>{HidChange::Kind::Removal, HidChange::Kind::Removal,
                                            HidChange::Kind::Arrival, HidChange::Kind::Arrival}));
}

}  // namespace
}  // namespace novu
