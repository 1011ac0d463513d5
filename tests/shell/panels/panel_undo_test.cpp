#include <gtest/gtest.h>

#include <QSignalSpy>

#include <algorithm>

#include "binary_file_item.h"
#include "binary_files_panel.h"
#include "simple_panel_fixture.h"
#include "temp_dir.h"
#include "text_item.h"
#include "texts_panel.h"

namespace plexion {
namespace {

using Column = CTextsPanel::Column;

class TextsUndo : public test::CSimplePanelTest<CTextsPanel> {
protected:
    void SetUp() override {
        document_.OnNewDocument();
        test::CSimplePanelTest<CTextsPanel>::SetUp();
        document_.Edit(QStringLiteral("Fill"), [](CVKT_ResourceContainer& c) {
            for (const char* id : {"a", "b", "c"}) {
                c.GetAt<CVKT_Text>(c.New<CVKT_Text>(id))->SetText(std::string(id) + " text");
            }
            return true;
        });
        ASSERT_TRUE(document_.OnSaveDocument(Path()));
        Panel().Refresh(true);
    }
    QString Path() const { return QString::fromStdString(dir_.File("texts.dat")); }
    std::vector<std::uint8_t> Saved() {
        EXPECT_TRUE(document_.Resources().Save(dir_.File("copy.dat")));
        return test::ReadFileBytes(dir_.File("copy.dat"));
    }

    test::CTempDir dir_;
};

TEST_F(TextsUndo, AMultiRowEditIsOneStepThatUndoesToTheSavedFileAndRedoes) {
    const auto before = Saved();
    const int steps = document_.History().Stack().count();
    for (int item : {1, 2, 3}) {
        Panel().SetMarked(item, false, true, true);
    }
    EditCellText(Column::kCommentsColumn, 2, QStringLiteral("shared"));
    EXPECT_EQ(document_.History().Stack().count(), steps + 1);
    EXPECT_EQ(document_.History().UndoText(), "Edit Comments");
    const auto after = Saved();
    ASSERT_NE(after, before);
    document_.Undo();
    EXPECT_EQ(Saved(), before);
    document_.Redo();
    EXPECT_EQ(Saved(), after);
}

TEST_F(TextsUndo, TheModifiedFlagFollowsTheSavedStateThroughUndoAndRedo) {
    QSignalSpy modified(&document_, &CPlexionDoc::modifiedChanged);
    EXPECT_FALSE(document_.IsModified());
    EditCellText(Column::kTextColumn, 1, QStringLiteral("new"));
    EXPECT_TRUE(document_.IsModified());
    document_.Undo();
    EXPECT_FALSE(document_.IsModified()) << "back at the saved state";
    document_.Redo();
    EXPECT_TRUE(document_.IsModified());
    ASSERT_TRUE(document_.OnSaveDocument(Path()));
    EXPECT_FALSE(document_.IsModified());
    document_.Undo();
    EXPECT_TRUE(document_.IsModified()) << "undone past the saved state";
    EXPECT_TRUE(modified.last().at(0).toBool());
    document_.MarkUnsaved();
    document_.Redo();
    EXPECT_TRUE(document_.IsModified()) << "a recovered document stays unsaved";
}

TEST_F(TextsUndo, DeletingMarkedItemsIsOneNamedStep) {
    Panel().SetMarked(0, false, true, true);
    Panel().SetMarked(2, false, true, true);
    Panel().DeleteItems();
    EXPECT_EQ(Resources().Count<CVKT_Text>(), 2);
    EXPECT_EQ(document_.History().UndoText(), "Delete 2 Items");
    document_.Undo();
    EXPECT_EQ(Resources().Count<CVKT_Text>(), 4);
}

TEST(UndoHistory, PastTheMemoryBoundTheOldestStepsAreForgotten) {
    CPlexionDoc document;
    document.OnNewDocument();
    document.Edit(QStringLiteral("Add"), [](CVKT_ResourceContainer& c) {
        return c.GetAt<CVKT_BinaryFile>(c.New<CVKT_BinaryFile>("big"))->Data().SetSize(100000);
    });
    // Each later step keeps the 100,000 bytes before it: two fit.
    document.History().SetMemoryLimit(250000);
    for (int step = 1; step <= 4; ++step) {
        document.Edit(QStringLiteral("Fill"), [step](CVKT_ResourceContainer& c) {
            auto& data = c.GetAt<CVKT_BinaryFile>(0)->Data();
            std::fill(data.Data(), data.Data() + data.Size(), static_cast<std::uint8_t>(step));
            return true;
        });
    }
    EXPECT_LE(document.History().Bytes(), 250000u);
    int undone = 0;
    while (document.History().CanUndo()) {
        document.Undo();
        ++undone;
    }
    EXPECT_EQ(undone, 2);
    EXPECT_EQ(document.Resources().GetAt<CVKT_BinaryFile>(0)->Data().Data()[0], 2);
}

class BinaryFilesUndo : public test::CSimplePanelTest<CBinaryFilesPanel> {};

TEST_F(BinaryFilesUndo, DroppingTenFilesIsOneStep) {
    test::CTempDir folder;
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        const std::string path = folder.File("f" + std::to_string(i) + ".bin");
        test::WriteFileBytes(path, {1, 2, 3});
        paths << QString::fromStdString(path);
    }
    const int steps = document_.History().Stack().count();
    Panel().DropFiles(paths);
    EXPECT_EQ(Resources().Count<CVKT_BinaryFile>(), 10);
    EXPECT_EQ(document_.History().Stack().count(), steps + 1);
    EXPECT_EQ(document_.History().UndoText(), "Insert 10 Items");
    document_.Undo();
    EXPECT_EQ(Resources().Count<CVKT_BinaryFile>(), 0);
}

}  // namespace
}  // namespace plexion
