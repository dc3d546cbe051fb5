#include "device/feature_transport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "base/virtual_clock.h"
#include "config/settings.h"
#include "device/read_back.h"
#include "scripted_hid_device.h"

namespace novu {
namespace {

using Bytes = std::array<std::uint8_t, 8>;
constexpr std::size_t kFeatureLength = 9;

struct TransportFixture : ::testing::Test {
    VirtualClock clock;
    test::ScriptedHidDevice device{&clock};
    FeatureTransport transport{clock};

    TransportFixture() { transport.Attach(&device, kFeatureLength); }

    std::vector<Duration> SleepLengths() const {
        std::vector<Duration> lengths;
        for (const auto& sleep : clock.Sleeps()) {
            lengths.push_back(sleep.length);
        }
        return lengths;
    }
};

TEST_F(TransportFixture, WriteBlockPlacesEveryByteThenCommitsAndIdles) {
    const std::uint8_t data[] = {0x63};
    transport.WriteBlock(0x0001, data);
    EXPECT_EQ(device.Sent(), (std::vector<Bytes>{
                                 {0x07, 0x18, 0x03, 0x00, 0x01, 0x00, 0x63, 0x00},
                                 {0x07, 0x18, 0x09, 0x00, 0x01, 0x00, 0x00, 0x00},
                                 {0x07, 0x18, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00},
                             }));
    EXPECT_EQ(SleepLengths(), (std::vector<Duration>{Ms(4), Ms(2)}));
    // The commit follows the placements by 4 ms and the idle the commit by 2 ms.
    const auto exchanges = device.Exchanges();
    EXPECT_EQ(exchanges[1].at - exchanges[0].at, Ms(4));
    EXPECT_EQ(exchanges[2].at - exchanges[1].at, Ms(2));
    for (const auto& e : exchanges) {
        EXPECT_EQ(e.length, kFeatureLength);
    }
}

TEST_F(TransportFixture, AnEightByteWriteIsTenReportsAndSixMilliseconds) {
    const std::uint8_t data[] = {1, 2, 3, 4, 5, 6, 7, 8};
    transport.WriteBlock(0x0400, data);
    const auto sent = device.Sent();
    ASSERT_EQ(sent.size(), 10u);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_EQ(sent[i], (Bytes{0x07, 0x18, 0x03, static_cast<std::uint8_t>(i), 0x00, 0x04,
                                  data[i], 0x07}));
    }
    EXPECT_EQ(sent[8], (Bytes{0x07, 0x18, 0x09, 0x00, 0x00, 0x04, 0x00, 0x07}));
    EXPECT_EQ(sent[9], (Bytes{0x07, 0x18, 0x00, 0x00, 0x00, 0x04, 0x00, 0x00}));
    EXPECT_EQ(clock.Now(), Ms(6));
}

TEST_F(TransportFixture, ReadBlockPrimesThenAsksEachByteAndEndsAtAddressZero) {
    device.QueueAnswer({0x07, 0xAB, 0, 0, 0, 0, 0, 0});
    device.QueueAnswer({0x07, 0xCD, 0, 0, 0, 0, 0, 0});
    std::array<std::uint8_t, 2> out{};
    transport.ReadBlock(0x1234, out);
    EXPECT_EQ(out, (std::array<std::uint8_t, 2>{0xAB, 0xCD}));

    const auto exchanges = device.Exchanges();
    std::vector<Bytes> heads;
    std::vector<bool> answers;
    for (const auto& e : exchanges) {
        heads.push_back(e.head);
        answers.push_back(e.answer);
    }
    EXPECT_EQ(heads, (std::vector<Bytes>{
                         {0x07, 0x18, 0x03, 0x00, 0x34, 0x12, 0x00, 0x01},
                         {0x07, 0x18, 0x03, 0x01, 0x34, 0x12, 0x00, 0x01},
                         {0x07, 0x18, 0x00, 0x00, 0x34, 0x12, 0x00, 0x00},
                         {0x07, 0x18, 0x05, 0x00, 0x34, 0x12, 0x00, 0x01},
                         {0x07, 0xAB, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
                         {0x07, 0x18, 0x05, 0x01, 0x34, 0x12, 0x00, 0x01},
                         {0x07, 0xCD, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
                         {0x07, 0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
                     }));
    EXPECT_EQ(answers, (std::vector<bool>{false, false, false, false, true, false, true, false}));
    EXPECT_EQ(SleepLengths(), std::vector<Duration>(6, Ms(2)));
}

TEST_F(TransportFixture, AnEightByteReadIsEighteenReportsEightAnswersAndThirtySixMilliseconds) {
    std::array<std::uint8_t, 8> out{};
    transport.ReadBlock(0x18, out);
    EXPECT_EQ(device.Sent().size(), 18u);
    EXPECT_EQ(device.Exchanges().size(), 26u);
    EXPECT_EQ(clock.Now(), Ms(36));
    // Nothing answered: each byte is what the request left in byte 1, the command code.
    EXPECT_EQ(out, (std::array<std::uint8_t, 8>{0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18, 0x18}));
}

TEST_F(TransportFixture, BlocksOfNoBytesOrMoreThanEightSendNothing) {
    std::array<std::uint8_t, 9> nine{};
    transport.WriteBlock(0x20, std::span<const std::uint8_t>{});
    transport.WriteBlock(0x20, nine);
    nine.fill(0x55);
    transport.ReadBlock(0x20, nine);
    EXPECT_TRUE(device.Exchanges().empty());
    EXPECT_EQ(nine[0], 0x55);
    EXPECT_EQ(clock.Now(), Ms(0));
}

TEST_F(TransportFixture, FinishSendsFinishThenIdleFiveMillisecondsApart) {
    transport.Finish();
    EXPECT_EQ(device.Sent(), (std::vector<Bytes>{
                                 {0x07, 0x18, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00},
                                 {0x07, 0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
                             }));
    EXPECT_EQ(SleepLengths(), (std::vector<Duration>{Ms(5)}));
}

// Each command writes only the bytes it lists; the rest keep what the report before left.
TEST_F(TransportFixture, CommandsKeepTheBytesTheyDoNotList) {
    SharedSettings shared;
    shared.LED_USER_COLER_EN = 1;
    shared.LED_FEATURE_SYMMETRY = 1;
    shared.LED_FEATURE_DIREC = 2;
    shared.LED_BRIGHT = 3;
    transport.LightingEffect(shared, {.colourMask = 0x7F,
                                      .on = 1,
                                      .effect = 3,
                                      .flag = 0,
                                      .speed = 2,
                                      .mode = 11,
                                      .word = 0x4002});
    const Bytes lighting{0x07, 0x13, 0xFF, 0xB2, 0x6B, 0x03, 0x00, 0x02};
    EXPECT_EQ(transport.BufferHead(), lighting);

    transport.ConsumerKey(0x00E9);
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x17, 0x00, 0xE9, 0x6B, 0x03, 0x00, 0x02}));
    transport.MouseButtons(0xFE);
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x16, 0x00, 0xFE, 0x6B, 0x03, 0x00, 0x02}));
    transport.SetKeyFunction(3, 0x21);
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x10, 0x03, 0x21, 0x6B, 0x03, 0x00, 0x02}));
    transport.LevelColour(4, 0x0F, 0x01, 0x02);
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x14, 0x81, 0xF2, 0x6B, 0x03, 0x00, 0x02}));
    transport.CloseDevice();
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x20, 0x00, 0x00, 0x6B, 0x03, 0x00, 0x02}));
    // Commands that list every byte overwrite all of them.
    transport.HoldSignal(2);
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x11, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00}));
    transport.KeyboardKeys({0x04, 0x05, 0x00, 0x00, 0x00, 0x00});
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x15, 0x04, 0x05, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(device.Sent().size(), 8u);

    // The answer of the mouse is kept just the same.
    device.QueueAnswer({0x07, 0x42, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    transport.ReadStatus();
    transport.MouseButtons(0xFF);
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x16, 0x11, 0xFF, 0x33, 0x44, 0x55, 0x66}));
}

TEST_F(TransportFixture, MovementsAreSignedHighByteFirst) {
    transport.MouseMove(-5, 300);
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x0B, 0xFF, 0xFB, 0x01, 0x2C, 0x00, 0x00}));
    transport.MouseMove(0x1234, -1);
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x0B, 0x12, 0x34, 0xFF, 0xFF, 0x00, 0x00}));
}

TEST_F(TransportFixture, LightingEffectCodesFromEightCarryIntoBitSeven) {
    SharedSettings shared;  // user colours enabled, everything else 0
    shared.LED_FEATURE_SCOLOR = 1;
    shared.LED_FEATURE_DIREC = 7;  // only bits 4..5 survive
    shared.LED_BRIGHT = 9;         // only the low three bits survive
    transport.LightingEffect(shared, {.colourMask = 0x01,
                                      .on = 1,
                                      .effect = 9,
                                      .flag = 1,
                                      .speed = 13,
                                      .mode = 11,
                                      .word = 0x0302});
    // Byte 3: (128 + 144 + 8 + (13 AND 7)) AND 0xFF = 0x1D: the on bit is carried away.
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x13, 0x81, 0x1D, 0xBB, 0x01, 0x03, 0x02}));
}

TEST_F(TransportFixture, ConsumerKeyAlwaysGoesOutAsReportSeven) {
    transport.ConsumerKey(0x00CD);                       // the very first report
    device.QueueAnswer({0x00, 0x00, 0, 0, 0, 0, 0, 0});  // an answer with a foreign ID
    transport.ReadStatus();
    transport.ConsumerKey(0x00E2);
    const auto sent = device.Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0][0], 0x07);
    EXPECT_EQ(sent[1][0], 0x07);
}

TEST(FeatureTransport, WithoutAnInterfaceOnlyTheCheckedCommandsLeaveTheBufferAlone) {
    VirtualClock clock;
    FeatureTransport transport(clock);
    EXPECT_FALSE(transport.Attached());
    const Bytes empty{};

    transport.SetKeyFunction(2, 5);
    transport.HoldSignal(2);
    transport.CloseDevice();
    EXPECT_EQ(transport.BufferHead(), empty);

    // The other commands build their report as always; only the send fails.
    transport.LevelColour(1, 2, 3, 4);
    EXPECT_EQ(transport.BufferHead(), (Bytes{0x07, 0x14, 0x23, 0x24, 0x00, 0x00, 0x00, 0x00}));

    // Read-back without a mouse: the status keeps the request, the DPI level reads 0.
    EXPECT_EQ(ReadActiveProfile(transport), 0);
    EXPECT_EQ(ReadDpiLevel(transport), 0);
}

TEST(FeatureTransport, DetachingStopsTheCheckedCommands) {
    VirtualClock clock;
    test::ScriptedHidDevice device;
    FeatureTransport transport(clock);
    transport.Attach(&device, kFeatureLength);
    transport.SetKeyFunction(1, 0);
    transport.Attach(nullptr, 0);
    transport.SetKeyFunction(1, 0);
    transport.LevelColour(0, 0, 0, 0);
    EXPECT_EQ(device.Sent().size(), 1u);
}

TEST_F(TransportFixture, ReadStatusAsksWithTheBufferAndKeepsTheAnswer) {
    transport.MouseButtons(0xFB);
    device.QueueAnswer({0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x00});
    EXPECT_EQ(transport.ReadStatus(), (Bytes{0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x00}));
    const auto exchanges = device.Exchanges();
    ASSERT_EQ(exchanges.size(), 2u);
    EXPECT_TRUE(exchanges[1].answer);
    EXPECT_EQ(transport.BufferHead()[6], 0x0C);
}

TEST_F(TransportFixture, ActiveProfileIsBitsTwoAndThreeOfByteSix) {
    struct Case {
        std::uint8_t byte6;
        int profile;
    };
    for (const Case c : {Case{0x0C, 3}, Case{0x06, 1}, Case{0xF3, 0}, Case{0x08, 2}}) {
        device.QueueAnswer({0x07, 0, 0, 0, 0, 0, c.byte6, 0});
        EXPECT_EQ(ReadActiveProfile(transport), c.profile) << int{c.byte6};
    }
    // Unanswered, the profile comes from whatever byte 6 the last report left.
    transport.KeyboardKeys({0, 0, 0, 0, 0x04, 0});
    EXPECT_EQ(ReadActiveProfile(transport), 1);
}

TEST_F(TransportFixture, DpiLevelIsTheLowBitsOfTheFirstByteOfAnEightByteRead) {
    for (int i = 0; i < 8; ++i) {
        device.QueueAnswer(
            {0x07, static_cast<std::uint8_t>(i == 0 ? 0x14 : 0xFF), 0, 0, 0, 0, 0, 0});
    }
    EXPECT_EQ(ReadDpiLevel(transport), 4);
    EXPECT_EQ(device.Sent()[0], (Bytes{0x07, 0x18, 0x03, 0x00, 0x18, 0x00, 0x00, 0x07}));
}

// Sequences of several threads never interleave, and the sleeps of one run on virtual time
// while the other waits for the transport.
TEST_F(TransportFixture, SequencesOfSeveralThreadsDoNotInterleave) {
    std::atomic<int> joined{0};
    const auto run = [&](std::uint16_t address) {
        ClockParticipation participation(clock);
        ++joined;
        while (joined < 2) {
            std::this_thread::yield();
        }
        const std::uint8_t data[] = {1, 2, 3, 4, 5, 6, 7, 8};
        for (int i = 0; i < 5; ++i) {
            transport.WriteBlock(address, data);
            transport.MouseMove(1, 1);
        }
    };
    std::thread first(run, std::uint16_t{0x0100});
    std::thread second(run, std::uint16_t{0x0200});
    first.join();
    second.join();

    const auto sent = device.Sent();
    ASSERT_EQ(sent.size(), 110u);
    std::size_t i = 0;
    while (i < sent.size()) {
        if (sent[i][1] == command::kMouseMove) {
            ++i;
            continue;
        }
        // A write block: ten memory-access reports of one address in a row.
        const std::uint8_t high = sent[i][5];
        for (std::size_t j = 0; j < 10; ++j) {
            ASSERT_EQ(sent[i + j][1], command::kMemoryAccess) << i + j;
            ASSERT_EQ(sent[i + j][5], high) << i + j;
        }
        i += 10;
    }
    EXPECT_EQ(clock.Now(), Ms(60));  // ten blocks of 6 ms, one after the other
}

}  // namespace
}  // namespace novu
