#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

#include "modal_answer.h"
#include "open_resources_dialog.h"
#include "plexion_doc_core.h"
#include "temp_dir.h"

namespace plexion {
namespace {

TEST(OpenResourcesDialog, FirstFilterAddsDatToANameWithoutExtension) {
    EXPECT_EQ(WithResourceExtension(QStringLiteral("/g/level"), 0), QStringLiteral("/g/level.dat"));
    EXPECT_EQ(WithResourceExtension(QStringLiteral("/g/level.bak"), 0),
              QStringLiteral("/g/level.bak"));
    EXPECT_EQ(WithResourceExtension(QStringLiteral("/g.d/level"), 0),
              QStringLiteral("/g.d/level.dat"));
    EXPECT_EQ(WithResourceExtension(QStringLiteral("/g/level"), 1), QStringLiteral("/g/level"));
}

TEST(OpenResourcesDialog, InitialNameIsTheCurrentPathOrItsFolderAndAPrompt) {
    EXPECT_EQ(InitialOpenName(QStringLiteral("/games/a.dat")), QStringLiteral("/games/a.dat"));
    EXPECT_EQ(InitialOpenName(QStringLiteral("/games/")),
              QStringLiteral("/games/Please Select a Filename"));
    EXPECT_TRUE(InitialOpenName(QString()).endsWith(QStringLiteral("/Please Select a Filename")));
}

class OpenDialogRun : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentResourcePath(folder_.File("start.dat")); }
    void TearDown() override { SetCurrentResourcePath(""); }

    // Types `name` into the dialog with filter `filter` and presses OK;
    // returns what the dialog started with.
    QString Answer(const QString& name, int filter) {
        auto started = std::make_shared<QString>();
        test::AnswerModal<QFileDialog>([name, filter, started](QFileDialog* dialog) {
            *started = dialog->windowTitle() + u'|' + dialog->selectedFiles().value(0) + u'|' +
                       dialog->nameFilters().join(QStringLiteral(";;"));
            dialog->selectNameFilter(dialog->nameFilters().value(filter));
            dialog->selectFile(name);
            static_cast<QDialog*>(dialog)->accept();
        });
        filterIndex_ = 0;
        chosen_ = AskResourceFileToOpen(nullptr, filterIndex_);
        return *started;
    }

    test::CTempDir folder_;
    int filterIndex_ = 0;
    QString chosen_;
};

TEST_F(OpenDialogRun, TitleFiltersAndStartingName) {
    const QString start = QString::fromStdString(folder_.File("start.dat"));
    test::WriteFileBytes(folder_.File("level.dat"), {1});
    const QString started = Answer(QStringLiteral("level"), 0);
    EXPECT_EQ(started, QStringLiteral("Load Game Resources|") + start +
                           QStringLiteral("|Velkarion Game Resources Files (*.dat);;All Files (*)"));
}

TEST_F(OpenDialogRun, ANameWithoutExtensionOpensTheDatFile) {
    test::WriteFileBytes(folder_.File("level.dat"), {1});
    Answer(QStringLiteral("level"), 0);
    EXPECT_EQ(chosen_, QString::fromStdString(folder_.File("level.dat")));
    EXPECT_EQ(filterIndex_, 0);
    EXPECT_EQ(CurrentResourcePath(), folder_.File("level.dat"));
}

TEST_F(OpenDialogRun, WithAllFilesTheNameIsUsedAsTyped) {
    test::WriteFileBytes(folder_.File("level"), {1});
    test::WriteFileBytes(folder_.File("level.dat"), {1});
    Answer(QStringLiteral("level"), 1);
    EXPECT_EQ(chosen_, QString::fromStdString(folder_.File("level")));
    EXPECT_EQ(filterIndex_, 1);
}

TEST_F(OpenDialogRun, CancelChoosesNothingAndKeepsThePath) {
    test::AnswerModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    filterIndex_ = 1;
    EXPECT_TRUE(AskResourceFileToOpen(nullptr, filterIndex_).isEmpty());
    EXPECT_EQ(filterIndex_, 1);
    EXPECT_EQ(CurrentResourcePath(), folder_.File("start.dat"));
}

}  // namespace
}  // namespace plexion
