#include <gtest/gtest.h>

#include "command_line.h"

namespace plexion {
namespace {

using Action = CCommandLineRequest::Action;

CCommandLineRequest Parse(QStringList arguments) {
    arguments.prepend(QStringLiteral("plexion"));
    return ParseCommandLine(arguments);
}

TEST(CommandLine, APlainStartAsksForNothing) {
    const CCommandLineRequest request = Parse({});
    EXPECT_EQ(request.action, Action::None);
    EXPECT_TRUE(request.error.isEmpty());
    EXPECT_TRUE(request.screenshot.isEmpty());
    EXPECT_EQ(request.panel, -1);
}

TEST(CommandLine, AFileIsOpenedAndPrintedWithP) {
    CCommandLineRequest request = Parse({QStringLiteral("/games/a.dat")});
    EXPECT_EQ(request.action, Action::Open);
    EXPECT_EQ(request.file, QStringLiteral("/games/a.dat"));
    request = Parse({QStringLiteral("-p"), QStringLiteral("b.dat")});
    EXPECT_EQ(request.action, Action::Print);
    EXPECT_EQ(request.file, QStringLiteral("b.dat"));
    EXPECT_TRUE(request.error.isEmpty());
}

TEST(CommandLine, ScreenshotWithPanelAndFile) {
    const CCommandLineRequest request =
        Parse({QStringLiteral("--screenshot"), QStringLiteral("out.png"), QStringLiteral("--panel"),
               QStringLiteral("7"), QStringLiteral("a.dat")});
    EXPECT_TRUE(request.error.isEmpty());
    EXPECT_EQ(request.screenshot, QStringLiteral("out.png"));
    EXPECT_EQ(request.panel, 7);
    EXPECT_EQ(request.action, Action::Open);
}

TEST(CommandLine, MistakesAreExplained) {
    EXPECT_FALSE(Parse({QStringLiteral("-p")}).error.isEmpty());
    EXPECT_FALSE(Parse({QStringLiteral("--screenshot")}).error.isEmpty());
    EXPECT_FALSE(Parse({QStringLiteral("--panel"), QStringLiteral("8")}).error.isEmpty());
    EXPECT_FALSE(Parse({QStringLiteral("--panel"), QStringLiteral("-1")}).error.isEmpty());
    EXPECT_FALSE(Parse({QStringLiteral("--panel"), QStringLiteral("two")}).error.isEmpty());
    EXPECT_FALSE(Parse({QStringLiteral("--frobnicate")}).error.isEmpty());
    EXPECT_FALSE(Parse({QStringLiteral("a.dat"), QStringLiteral("b.dat")}).error.isEmpty());
    EXPECT_FALSE(Parse({QStringLiteral("-p"), QStringLiteral("a.dat"), QStringLiteral("--screenshot"),
                        QStringLiteral("x.png")})
                     .error.isEmpty());
    EXPECT_FALSE(CommandLineUsage().isEmpty());
}

}  // namespace
}  // namespace plexion
