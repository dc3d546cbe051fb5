#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocalServer>
#include <QSignalSpy>
#include <QUuid>

#include "app/command_line.h"
#include "app/single_instance.h"

namespace novu {
namespace {

TEST(CommandLine, HideRuleLooksAtTheFourCharactersAfterTheLastDash) {
    struct Case {
        const char* line;
        bool hidden;
    };
    const Case cases[] = {
        {"/usr/bin/gmouse -HIDE", true},
        {"/usr/bin/gmouse -hide", false},  // letter case counts
        {"/usr/bin/gmouse -x -HIDE", true},
        {"/usr/bin/gmouse -HIDE -x", false},  // only the last dash counts
        {"/usr/bin/gmouse -HIDEME", true},    // four characters compared
        {"/usr/bin/gmouse -HID", false},
        {"HIDE", true},  // no dash: the whole line
        {"/usr/bin/novu-gmouse", false},
        {"", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartsHidden(c.line), c.hidden) << c.line;
    }
}

TEST(CommandLine, OptionsLeaveUnknownArgumentsAlone) {
    const auto options = ParseAppOptions(
        {"novu-gmouse", "--emulate", "--data-dir", "/tmp/d", "--emulate-variant", "0", "-HIDE"});
    ASSERT_TRUE(options.ok());
    EXPECT_TRUE(options->emulate);
    EXPECT_EQ(options->emulateVariant, 0);
    EXPECT_EQ(options->dataDir, std::filesystem::path("/tmp/d"));
    EXPECT_TRUE(options->startHidden);

    EXPECT_FALSE(ParseAppOptions({"novu-gmouse", "--data-dir"}).ok());
    EXPECT_FALSE(ParseAppOptions({"novu-gmouse", "--emulate-variant", "7"}).ok());
    const auto plain = ParseAppOptions({"novu-gmouse"});
    ASSERT_TRUE(plain.ok());
    EXPECT_FALSE(plain->emulate);
    EXPECT_FALSE(plain->startHidden);
}

QString UniqueName() {
    return QStringLiteral("novu-ui-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

TEST(SingleInstance, ASecondStartAsksTheFirstToRestoreItsWindow) {
    const QString name = UniqueName();
    SingleInstance first(name);
    EXPECT_FALSE(first.AskRunningInstance());  // nobody runs yet
    ASSERT_TRUE(first.Listen());
    QSignalSpy restore(&first, &SingleInstance::restoreRequested);

    SingleInstance second(name);
    EXPECT_TRUE(second.AskRunningInstance());
    EXPECT_TRUE(restore.wait(2000));
    EXPECT_EQ(restore.count(), 1);
}

TEST(SingleInstance, AStaleSocketDoesNotBlockTheNextStart) {
    const QString name = UniqueName();
    {
        // A crashed instance leaves its socket file behind.
        QLocalServer crashed;
        crashed.setSocketOptions(QLocalServer::UserAccessOption);
        ASSERT_TRUE(crashed.listen(name));
        const QString path = crashed.fullServerName();
        crashed.close();
        QFile stale(path);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    SingleInstance next(name);
    EXPECT_FALSE(next.AskRunningInstance());
    EXPECT_TRUE(next.Listen());
}

}  // namespace
}  // namespace novu
