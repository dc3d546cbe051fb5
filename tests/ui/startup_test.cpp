#include <gtest/gtest.h>

#include "base/text.h"
#include "device/feature_transport.h"
#include "emulator/image_decoder.h"
#include "ui_rig.h"

namespace novu::test {
namespace {

using Report = std::array<std::uint8_t, 8>;

bool IsCommand(const Report& r, std::uint8_t command, std::optional<std::uint8_t> step = {}) {
    return r[1] == command && (!step || r[2] == *step);
}

TEST(Startup, FirstUploadWritesTheConfigurationIntoTheMouse) {
    AppRig rig;
    CNOVU_GMouseApp& app = rig.Started();

    EXPECT_FALSE(app.Ended());
    EXPECT_EQ(rig.Window().Uploads().Finished(), 1);
    EXPECT_TRUE(rig.Window().Uploads().LastWritten());
    EXPECT_EQ(rig.mouse.Finishes(), 1);
    const auto image = DecodeImage(rig.mouse.Memory());
    ASSERT_TRUE(image.ok());
    // The settings in memory are the ones of config.ini.
    const Settings settings = rig.Context().Store().Snapshot();
    EXPECT_EQ(image->lighting.speed, settings.shared.LED_CYCTIME);
    EXPECT_EQ(image->dpi.level, settings.shared.DPI_LEVEL);
    for (int level = 0; level < kDpiLevels; ++level) {
        EXPECT_EQ((image->dpi.enableMask >> level) & 1,
                  settings.shared.DPI_SET_EN[static_cast<std::size_t>(level)] ? 1 : 0);
    }
    EXPECT_TRUE(rig.notices.Notices().empty());
    // Start-up is over: warnings are placed by the window from now on.
    EXPECT_FALSE(rig.Window().Warnings().StartupPhase());
    EXPECT_TRUE(rig.Window().isVisible());
    EXPECT_EQ(rig.Window().windowTitle(), QStringLiteral("NOVU GMouse"));
}

TEST(Startup, TheDeviceThreadsFollowTheMouseOnceItIsOpen) {
    AppRig rig;
    rig.Started();
    const int repaints = rig.Window().RepaintRequests();
    const std::uint64_t handled = rig.Context().Threads().ReportsHandled();
    // A press of hardware key 2 reporting DPI level 3.
    ASSERT_TRUE(rig.mouse.QueueInput(rig.clock.Now() + Ms(1), ButtonEventReport(2, false, 3)).ok());
    ASSERT_TRUE(rig.Context().Threads().WaitUntilSettled(handled + 1, rig.clock.Now() + Ms(1000)));
    Settle();
    EXPECT_EQ(rig.Context().Store().Snapshot().shared.DPI_LEVEL, 3);
    EXPECT_EQ(rig.Context().Ini().GetNumber(rig.data.ConfigIni(), "ShareData", "DPI_LEVEL", 5), 3);
    EXPECT_GT(rig.Window().RepaintRequests(), repaints);  // told on the window's thread
}

TEST(Startup, ApplyIsRefusedWhileTheStartupUploadRuns) {
    AppRig rig;
    rig.Make();
    // Holding the upload lock keeps the start-up upload waiting, so it is still running when
    // Apply is clicked.
    ClockMutex& writing = rig.Context().Uploads().WriteLock();
    writing.lock();
    ASSERT_TRUE(rig.app->Start());
    EXPECT_TRUE(rig.Window().Uploads().Running());
    EXPECT_FALSE(rig.Window().Uploads().Apply());
    writing.unlock();
    rig.FinishUploads();

    EXPECT_EQ(rig.Window().Uploads().Finished(), 1);
    EXPECT_EQ(rig.mouse.Finishes(), 1);
    EXPECT_TRUE(rig.Window().Uploads().Apply());
    rig.FinishUploads();
    EXPECT_EQ(rig.mouse.Finishes(), 2);
}

TEST(Startup, WithoutTheMouseItWarnsAndEndsWithoutSendingAnything) {
    AppRig rig;
    // The mouse on the bus calls itself something else: discovery does not take it.
    rig.Make();
    ASSERT_TRUE(rig.Context().Ini().WriteString(rig.data.ConfigIni(), "PRODUCTNAME", "DevString",
                                                "Another Mouse"));
    EXPECT_FALSE(rig.app->Start());

    EXPECT_TRUE(rig.app->Ended());
    EXPECT_EQ(rig.app->ExitCode(), kExitNotStarted);
    const auto notices = rig.notices.Notices();
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].kind, RecordedNotices::Kind::WarningText);
    EXPECT_EQ(notices[0].text.rfind("Please connect the mouse: NOVU GMouse", 0), 0u);
    EXPECT_TRUE(rig.mouse.Exchanges().empty());
    EXPECT_EQ(rig.Window().Uploads().Finished(), 0);
    EXPECT_FALSE(rig.app->Tray().Added());
    EXPECT_FALSE(rig.Window().isVisible());
}

// A bus that lists the mouse but cannot open it, as without the udev rule.
class RefusingBus final : public HidBus {
public:
    explicit RefusingBus(VirtualMouse& mouse) : mouse_(mouse) {}
    Result<std::vector<HidInterfaceInfo>> Enumerate() override {
        return std::vector<HidInterfaceInfo>{
            mouse_.Describe(MouseInterface::Input, "/dev/hidraw7"),
            mouse_.Describe(MouseInterface::Feature, "/dev/hidraw7")};
    }
    Result<std::unique_ptr<HidDevice>> Open(const std::string& path, HidAccess) override {
        return MakeError(Fault::System, "cannot open " + path + ": Permission denied (udev rule)");
    }
    Result<void> StartWatching(std::function<void(const HidChange&)>) override { return Ok(); }
    void StopWatching() override {}

private:
    VirtualMouse& mouse_;
};

TEST(Startup, TheNoMouseWarningSaysWhyTheMouseCouldNotBeOpened) {
    VirtualClock clock;
    VirtualMouse mouse(clock, 1);
    RefusingBus bus(mouse);
    TempFolder temp;
    RecordedNotices notices;
    PreparedFiles files;
    CNOVU_GMouseApp app({}, MakeDataFolder(temp / "skins"),
                        AppSeams{&clock, &bus, &notices, &files, false});
    EXPECT_FALSE(app.Start());
    ASSERT_EQ(notices.Notices().size(), 1u);
    EXPECT_NE(notices.Notices()[0].text.find("Permission denied (udev rule)"), std::string::npos);
}

TEST(Startup, VariantZeroStartsFromTheFactorySettings) {
    AppRig rig(/*variant=*/0);
    rig.Make();
    IniFiles& ini = rig.Context().Ini();
    ASSERT_TRUE(ini.WriteNumber(rig.data.ConfigIni(), "Init", "CurConfig", 2));
    ASSERT_TRUE(ini.WriteNumber(rig.data.ConfigIni(), "Config1", "K0", 9));
    ASSERT_TRUE(rig.app->Start());
    rig.FinishUploads();

    EXPECT_EQ(rig.notices.Tips(), (std::vector<int>{2, 3}));
    const Settings settings = rig.Context().Store().Snapshot();
    EXPECT_EQ(settings.CurConfig, 0);
    const int factory = ini.GetNumber(rig.data.ConfigResetIni(), "Config1", "K0", 10);
    EXPECT_EQ(settings.profiles[1].K[0], factory);
    EXPECT_EQ(ini.GetNumber(rig.data.ConfigIni(), "Config1", "K0", 10), factory);
    EXPECT_EQ(rig.mouse.Finishes(), 1);
}

TEST(Startup, HideOnTheCommandLineStartsMinimised) {
    AppOptions options;
    options.startHidden = true;
    AppRig rig(1, options);
    rig.Started();
    Settle();
    EXPECT_TRUE(rig.Window().isMinimized());

    AppRig plain;
    plain.Started();
    Settle();
    EXPECT_FALSE(plain.Window().isMinimized());
}

TEST(Closing, SendsFinishIdleAndCloseDeviceLast) {
    AppRig rig;
    CNOVU_GMouseApp& app = rig.Started();
    int endedWith = -1;
    QObject::connect(&app, &CNOVU_GMouseApp::ended, [&](int code) { endedWith = code; });
    const std::size_t before = rig.SetReports().size();

    app.RunClosingSequence();

    const auto reports = rig.SetReports();
    ASSERT_EQ(reports.size(), before + 3);
    EXPECT_TRUE(IsCommand(reports[before], command::kMemoryAccess, memory_step::kFinish));
    EXPECT_TRUE(IsCommand(reports[before + 1], command::kMemoryAccess, memory_step::kIdle));
    EXPECT_TRUE(IsCommand(reports[before + 2], command::kCloseDevice));
    EXPECT_EQ(endedWith, 0);
    EXPECT_FALSE(app.Tray().Added());
    EXPECT_FALSE(rig.Window().isVisible());
}

TEST(Closing, TheCloseControlRunsTheClosingSequence) {
    AppRig rig;
    CNOVU_GMouseApp& app = rig.Started();
    const SkinLayout& header = rig.Window().Layouts()[kButtonPage];
    Click(rig.Window(), CentreOf(header, header_entry::kClose));
    EXPECT_TRUE(app.Ended());
    EXPECT_TRUE(IsCommand(rig.SetReports().back(), command::kCloseDevice));
}

TEST(Closing, RemovingTheMouseEndsTheProgramWithoutClosingReports) {
    AppRig rig;
    CNOVU_GMouseApp& app = rig.Started();
    int endedWith = -1;
    QObject::connect(&app, &CNOVU_GMouseApp::ended, [&](int code) { endedWith = code; });
    const std::size_t before = rig.SetReports().size();

    rig.bus.Unplug();  // tells the watcher on this thread; the window hears of it queued
    EXPECT_FALSE(app.Ended());
    Settle();

    EXPECT_TRUE(app.Ended());
    EXPECT_EQ(endedWith, 0);
    EXPECT_EQ(rig.SetReports().size(), before);
    EXPECT_FALSE(rig.Window().isVisible());
}

TEST(PowerBroadcast, WakingUpSendsTheImageAgain) {
    AppRig rig;
    CNOVU_GMouseApp& app = rig.Started();
    app.Power().PrepareForSleep(true);
    rig.FinishUploads();
    EXPECT_EQ(rig.mouse.Finishes(), 1);
    app.Power().PrepareForSleep(false);
    rig.FinishUploads();
    EXPECT_EQ(rig.mouse.Finishes(), 2);
}

}  // namespace
}  // namespace novu::test
