#include <gtest/gtest.h>

#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QSettings>
#include <QTest>

#include "audio_device.h"
#include "audio_system.h"
#include "child_frame.h"
#include "command_line.h"
#include "main_frame.h"
#include "plexion_app.h"
#include "plexion_doc.h"
#include "recent_files.h"
#include "resource_container.h"
#include "temp_dir.h"

namespace plexion {
namespace {

class PlexionAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(folder_.File("settings")));
        // The recovery copies go to the test's folder, not the user's.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder_.File("data")));
        auto device = std::make_unique<CNullAudioDevice>();
        device_ = device.get();
        app_ = std::make_unique<CPlexionApp>(std::move(device));
    }

    QString MakeDocument(const std::string& name) const {
        CVKT_ResourceContainer resources;
        const std::string path = folder_.File(name);
        EXPECT_EQ(resources.Save(path), 1);
        return QString::fromStdString(path);
    }

    static CCommandLineRequest Request(CCommandLineRequest::Action action, const QString& file) {
        CCommandLineRequest request;
        request.action = action;
        request.files = {file};
        return request;
    }

    test::CTempDir folder_;
    CNullAudioDevice* device_ = nullptr;
    std::unique_ptr<CPlexionApp> app_;
};

TEST_F(PlexionAppTest, APlainStartShowsTheMainWindowMaximizedWithoutADocument) {
    ASSERT_EQ(app_->InitInstance({}), CPlexionApp::StartResult::Run);
    CMainFrame* frame = app_->MainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->isMaximized());
    EXPECT_TRUE(frame->ChildFrames().isEmpty());
}

TEST_F(PlexionAppTest, AudioStartsWithTheDefaultSettingsAndTheDeviceClosedAgain) {
    ASSERT_EQ(app_->InitInstance({}), CPlexionApp::StartResult::Run);
    const CAudioSettings& settings = app_->Audio().Settings();
    EXPECT_EQ(settings.deviceId, -1);
    EXPECT_EQ(settings.bufferCount, 4);
    EXPECT_EQ(settings.bufferLengthMs, 30);
    EXPECT_EQ(settings.bitsPerSample, 16);
    EXPECT_EQ(settings.rate, 44100);
    EXPECT_EQ(settings.channels, 2);
    EXPECT_EQ(app_->Audio().VoiceCount(), 32);
    EXPECT_GE(device_->OpenCount(), 1);
    EXPECT_FALSE(device_->IsOpen());
}

TEST_F(PlexionAppTest, AFileOnTheCommandLineOpensMaximized) {
    const QString path = MakeDocument("start.dat");
    ASSERT_EQ(app_->InitInstance(Request(CCommandLineRequest::Action::Open, path)),
              CPlexionApp::StartResult::Run);
    const QList<CChildFrame*> frames = app_->MainFrame()->ChildFrames();
    ASSERT_EQ(frames.size(), 1);
    EXPECT_TRUE(frames.front()->isMaximized());
    EXPECT_EQ(frames.front()->Document()->PathName(), path);
    EXPECT_EQ(app_->RecentFiles().Files().value(0), path);
    // The list lives in the settings store under the editor's key.
    QSettings settings(QString::fromLatin1(CPlexionApp::kSettingsKey), QStringLiteral("Plexion"));
    EXPECT_EQ(settings.value(QStringLiteral("Recent File List/File1")).toString(), path);
}

// A name typed in a shell means a file of its current folder, whatever the
// container's own lookup for bare names (beside the program, ../Shared/).
TEST_F(PlexionAppTest, RelativeNamesOnTheCommandLineAreTakenFromTheCurrentFolder) {
    const QString first = MakeDocument("level.dat");
    const QString second = MakeDocument("other.dat");
    const QString started = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(folder_.Path().string())));
    const CCommandLineRequest request = ParseCommandLine(
        {QStringLiteral("plexion"), QStringLiteral("level.dat"), QStringLiteral("./other.dat")});
    const CPlexionApp::StartResult result = app_->InitInstance(request);
    QDir::setCurrent(started);
    ASSERT_EQ(result, CPlexionApp::StartResult::Run);
    QStringList opened;
    for (CChildFrame* frame : app_->MainFrame()->ChildFrames()) {
        opened.append(frame->Document()->PathName());
    }
    opened.sort();
    EXPECT_EQ(opened, (QStringList{first, second}));
}

TEST_F(PlexionAppTest, AFileThatCannotBeOpenedEndsTheEditor) {
    EXPECT_EQ(app_->InitInstance(Request(CCommandLineRequest::Action::Open,
                                         QString::fromStdString(folder_.File("none.dat")))),
              CPlexionApp::StartResult::Failed);
    EXPECT_FALSE(app_->MainFrame()->isVisible());
}

TEST_F(PlexionAppTest, PrintingAFileThatCannotBeOpenedEndsTheEditor) {
    EXPECT_EQ(app_->InitInstance(Request(CCommandLineRequest::Action::Print,
                                         QString::fromStdString(folder_.File("none.dat")))),
              CPlexionApp::StartResult::Failed);
    EXPECT_FALSE(app_->MainFrame()->isVisible());
}

TEST_F(PlexionAppTest, TheRecentListOfAnEarlierRunIsLoaded) {
    const QString path = MakeDocument("earlier.dat");
    {
        CRecentFiles earlier(QString::fromLatin1(CPlexionApp::kSettingsKey),
                             QStringLiteral("Plexion"));
        earlier.Add(path);
    }
    ASSERT_EQ(app_->InitInstance({}), CPlexionApp::StartResult::Run);
    EXPECT_EQ(app_->RecentFiles().Files(), QStringList{path});
}

TEST_F(PlexionAppTest, LosingActivationStopsAllSound) {
    ASSERT_EQ(app_->InitInstance({}), CPlexionApp::StartResult::Run);
    ASSERT_TRUE(app_->Audio().Output().Open());
    ASSERT_TRUE(device_->IsOpen());
    emit qGuiApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(device_->IsOpen());
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(app_->Audio().Output().IsOpen());
    EXPECT_FALSE(device_->IsOpen());
}

TEST_F(PlexionAppTest, ExitShutsTheAudioDownOnce) {
    ASSERT_EQ(app_->InitInstance({}), CPlexionApp::StartResult::Run);
    app_->ExitInstance();
    app_->ExitInstance();
    EXPECT_FALSE(device_->IsOpen());
    app_.reset();
}

}  // namespace
}  // namespace plexion
