#include <gtest/gtest.h>

#include <QDir>

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

TEST(CommandLine, FilesAreOpenedAndPrintedWithPFromTheCurrentFolder) {
    const QString here = QDir::currentPath();
    CCommandLineRequest request = Parse({QStringLiteral("/games/a.dat")});
    EXPECT_EQ(request.action, Action::Open);
    EXPECT_EQ(request.files, QStringList{QStringLiteral("/games/a.dat")});
    request = Parse({QStringLiteral("-p"), QStringLiteral("b.dat")});
    EXPECT_EQ(request.action, Action::Print);
    EXPECT_EQ(request.files, QStringList{here + QStringLiteral("/b.dat")});
    EXPECT_TRUE(request.error.isEmpty());
    request = Parse({QStringLiteral("./levels/c.dat"), QStringLiteral("../d.dat")});
    EXPECT_EQ(request.files, (QStringList{here + QStringLiteral("/levels/c.dat"),
                                          QDir::cleanPath(here + QStringLiteral("/../d.dat"))}));
}

TEST(CommandLine, HelpAndVersionAreAnsweredBeforeAnythingElse) {
    const char* help[] = {"plexion", "a.dat", "--help"};
    const char* version[] = {"plexion", "--version"};
    const char* neither[] = {"plexion", "a.dat"};
    EXPECT_EQ(InformationRequested(3, help), CommandLineUsage());
    EXPECT_TRUE(InformationRequested(2, version).startsWith(QStringLiteral("plexion (Plexion) ")));
    EXPECT_TRUE(InformationRequested(2, neither).isEmpty());
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
    EXPECT_FALSE(Parse({QStringLiteral("-p"), QStringLiteral("a.dat"), QStringLiteral("b.dat")})
                     .error.isEmpty());
    EXPECT_FALSE(Parse({QStringLiteral("-p"), QStringLiteral("a.dat"), QStringLiteral("--screenshot"),
                        QStringLiteral("x.png")})
                     .error.isEmpty());
    EXPECT_FALSE(CommandLineUsage().isEmpty());
}

}  // namespace
}  // namespace plexion
