#include <gtest/gtest.h>

#include <QSettings>
#include <QSignalSpy>

#include "recent_files.h"
#include "temp_dir.h"

namespace plexion {
namespace {

class RecentFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(folder_.Path().string()));
    }

    QString Path(int number) const {
        return QString::fromStdString(folder_.File("doc" + std::to_string(number) + ".dat"));
    }

    test::CTempDir folder_;
    const QString organization_ = QStringLiteral("Recent Files Test");
    const QString application_ = QStringLiteral("Editor");
};

TEST_F(RecentFilesTest, NewestFirstWithoutRepeats) {
    CRecentFiles recent(organization_, application_);
    QSignalSpy changes(&recent, &CRecentFiles::changed);
    recent.Add(Path(1));
    recent.Add(Path(2));
    recent.Add(Path(1));
    EXPECT_EQ(recent.Files(), (QStringList{Path(1), Path(2)}));
    EXPECT_EQ(changes.count(), 3);
}

TEST_F(RecentFilesTest, KeepsSixteenEntries) {
    CRecentFiles recent(organization_, application_);
    for (int number = 1; number <= 20; ++number) {
        recent.Add(Path(number));
    }
    ASSERT_EQ(recent.Files().size(), CRecentFiles::kMaxEntries);
    EXPECT_EQ(recent.Files().front(), Path(20));
    EXPECT_EQ(recent.Files().back(), Path(5));
}

TEST_F(RecentFilesTest, TheListOutlivesTheProgramInTheSettingsStore) {
    {
        CRecentFiles recent(organization_, application_);
        recent.Add(Path(1));
        recent.Add(Path(2));
        recent.Add(Path(3));
        recent.Remove(Path(2));
    }
    QSettings settings(organization_, application_);
    EXPECT_EQ(settings.value(QStringLiteral("Recent File List/File1")).toString(), Path(3));
    EXPECT_EQ(settings.value(QStringLiteral("Recent File List/File2")).toString(), Path(1));
    EXPECT_FALSE(settings.contains(QStringLiteral("Recent File List/File3")));

    CRecentFiles loaded(organization_, application_);
    loaded.Load();
    EXPECT_EQ(loaded.Files(), (QStringList{Path(3), Path(1)}));
}

TEST_F(RecentFilesTest, RelativePathsAreMadeAbsoluteAndEmptyOnesIgnored) {
    CRecentFiles recent(organization_, application_);
    recent.Add(QString());
    EXPECT_TRUE(recent.Files().isEmpty());
    recent.Add(QStringLiteral("relative.dat"));
    ASSERT_EQ(recent.Files().size(), 1);
    EXPECT_TRUE(recent.Files().front().startsWith(u'/'));
    recent.Remove(QStringLiteral("not-in-the-list.dat"));
    EXPECT_EQ(recent.Files().size(), 1);
}

}  // namespace
}  // namespace plexion
