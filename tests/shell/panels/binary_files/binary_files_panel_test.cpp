#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>

#include <filesystem>
#include <vector>

#include "binary_file_item.h"
#include "binary_files_panel.h"
#include "color_conversion.h"
#include "modal_answer.h"
#include "simple_panel_fixture.h"
#include "temp_dir.h"

namespace plexion {
namespace {

using Column = CBinaryFilesPanel::Column;
using test::AnswerModal;

std::vector<std::uint8_t> SomeBytes(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return bytes;
}

std::vector<std::uint8_t> ItemBytes(const CVKT_BinaryFile& item) {
    const std::uint8_t* data = item.Data().Data();
    return std::vector<std::uint8_t>(data, data + item.Data().Size());
}

class BinaryFilesPanel : public test::CSimplePanelTest<CBinaryFilesPanel> {
protected:
    QString MakeFile(const std::string& name, std::size_t size) {
        const std::string path = folder_.File(name);
        test::WriteFileBytes(path, SomeBytes(size));
        return QString::fromStdString(path);
    }
    CVKT_BinaryFile& File(int index) { return *Resources().GetAt<CVKT_BinaryFile>(index); }
    QString Folder() const { return QString::fromStdString(folder_.Path().string()); }

    test::CTempDir folder_;
};

TEST_F(BinaryFilesPanel, AFileBecomesAnItemNamedAfterItsTitle) {
    const QString path = MakeFile("photo.final.png", 1536);
    EXPECT_EQ(Panel().Title(), "Binary Files");
    EXPECT_TRUE(Panel().AcceptsFiles());
    ASSERT_TRUE(Panel().AddFile(path));

    ASSERT_EQ(Resources().Count<CVKT_BinaryFile>(), 1);
    EXPECT_EQ(File(0).ID(), "photo.final");
    EXPECT_EQ(File(0).SourceFilename(), path.toStdString());
    EXPECT_EQ(ItemBytes(File(0)), SomeBytes(1536));
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(Panel().GetCursorItem(), 0);

    const QStringList headers = {"Index", "ID", "Source Filename", "Specifications", "Comments"};
    for (int column = 0; column < Panel().GetColumnCount(); ++column) {
        EXPECT_EQ(Shown(column, 0), headers[column]);
    }
    EXPECT_EQ(Shown(Column::kIndexColumn, 1), "+0");
    EXPECT_EQ(Shown(Column::kIdColumn, 1), "photo.final");
    EXPECT_EQ(Shown(Column::kSourceFilenameColumn, 1), path);
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 1), "1536 Bytes");
    EXPECT_TRUE(Cell(Column::kSourceFilenameColumn, 1).GetEditable());
    EXPECT_FALSE(Cell(Column::kSpecificationsColumn, 1).GetEditable());

    // The columns widen to the new row, as a rebuild would fit them.
    for (const int column : {Column::kIdColumn, Column::kSourceFilenameColumn}) {
        const int gridColumn = column + Panel().FixedColumnCount();
        EXPECT_GE(Sheet().ColumnWidth(gridColumn), Sheet().MeasureCell(gridColumn, 1).width());
    }
}

TEST_F(BinaryFilesPanel, AFileThatCannotBeReadAddsNothing) {
    MakeFile("kept.bin", 3);
    EXPECT_FALSE(Panel().AddFile(Folder() + QStringLiteral("/missing.bin")));
    EXPECT_FALSE(Panel().AddFile(Folder()));
    EXPECT_EQ(Resources().Count<CVKT_BinaryFile>(), 0);
    EXPECT_EQ(Sheet().RowCount(), 1);
    EXPECT_FALSE(document_.IsModified());

    // Dropped files: the unreadable one is left out, the others come in order.
    Panel().DropFiles({MakeFile("first.dat", 1), Folder() + QStringLiteral("/missing.bin"),
                       MakeFile("second", 2)});
    ASSERT_EQ(Resources().Count<CVKT_BinaryFile>(), 2);
    EXPECT_EQ(File(0).ID(), "first");
    EXPECT_EQ(File(1).ID(), "second");
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 2), "2 Bytes");
}

TEST_F(BinaryFilesPanel, InsertAsksForFilesAndAddsEachInOrder) {
    MakeFile("a.bin", 10);
    MakeFile("b.bin", 20);
    QString title;
    QStringList filters;
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    AnswerModal<QFileDialog>([&](QFileDialog* chooser) {
        title = chooser->windowTitle();
        filters = chooser->nameFilters();
        mode = chooser->fileMode();
        chooser->setDirectory(Folder());
        chooser->selectFile(QStringLiteral("\"a.bin\" \"b.bin\""));
        static_cast<QDialog*>(chooser)->accept();
    });
    EXPECT_TRUE(Panel().InsertItems());
    EXPECT_EQ(title, "Insert Binary File(s) Filename(s)");
    EXPECT_EQ(filters, QStringList({"All Files (*)"}));
    EXPECT_EQ(mode, QFileDialog::ExistingFiles);
    ASSERT_EQ(Resources().Count<CVKT_BinaryFile>(), 2);
    EXPECT_EQ(File(0).ID(), "a");
    EXPECT_EQ(File(1).ID(), "b");
    EXPECT_EQ(File(1).Data().Size(), 20);
    EXPECT_EQ(Panel().LastFolder(), Folder());

    QString startFolder;
    AnswerModal<QFileDialog>([&](QFileDialog* chooser) {
        startFolder = chooser->directory().absolutePath();
        chooser->reject();
    });
    EXPECT_FALSE(Panel().InsertItems());
    EXPECT_EQ(startFolder, Folder());
    EXPECT_EQ(Resources().Count<CVKT_BinaryFile>(), 2);
}

TEST_F(BinaryFilesPanel, SavesTheCursorItemsBytesWhereTheUserSays) {
    const QString source = MakeFile("song.ogg", 300);
    ASSERT_TRUE(Panel().AddFile(source));
    const QString target = Folder() + QStringLiteral("/copy.ogg");

    QMenu menu;
    const int first = CResourcePanel::kFirstEditCommand;
    EXPECT_TRUE(Panel().AddEditCommands(&menu, first));
    ASSERT_EQ(menu.actions().size(), 1);
    QAction* save = menu.actions().first();
    EXPECT_EQ(save->text(), "&Save Binary File Source...");
    EXPECT_EQ(save->statusTip(), "Save the source file to a separate file");
    EXPECT_TRUE(save->isEnabled());
    EXPECT_EQ(save->data().toInt(), first);

    QString title;
    QStringList proposed;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    AnswerModal<QFileDialog>([&](QFileDialog* chooser) {
        title = chooser->windowTitle();
        proposed = chooser->selectedFiles();
        acceptMode = chooser->acceptMode();
        chooser->selectFile(target);
        static_cast<QDialog*>(chooser)->accept();
    });
    EXPECT_TRUE(Panel().OnEditCommand(&menu, first, first));
    EXPECT_EQ(title, "Save Binary File Source Filename");
    EXPECT_EQ(proposed, QStringList({source}));
    EXPECT_EQ(acceptMode, QFileDialog::AcceptSave);
    EXPECT_EQ(test::ReadFileBytes(target.toStdString()), SomeBytes(300));
    EXPECT_FALSE(Panel().OnEditCommand(&menu, first, first + 1));
}

TEST_F(BinaryFilesPanel, AnItemWithoutBytesWritesNothing) {
    Resources().New<CVKT_BinaryFile>("empty");
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    const QString target = Folder() + QStringLiteral("/nothing.bin");
    AnswerModal<QFileDialog>([&](QFileDialog* chooser) {
        chooser->selectFile(target);
        static_cast<QDialog*>(chooser)->accept();
    });
    EXPECT_FALSE(Panel().SaveBinaryFileSource());
    EXPECT_FALSE(std::filesystem::exists(target.toStdString()));
}

TEST_F(BinaryFilesPanel, AFileThatCannotBeWrittenIsReported) {
    ASSERT_TRUE(Panel().AddFile(MakeFile("data.bin", 5)));
    const QString target = Folder() + QStringLiteral("/no such folder/out.bin");
    AnswerModal<QFileDialog>([&](QFileDialog* chooser) {
        chooser->selectFile(target);
        static_cast<QDialog*>(chooser)->accept();
    });
    QString message;
    AnswerModal<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    EXPECT_FALSE(Panel().SaveBinaryFileSource());
    EXPECT_TRUE(message.contains(QStringLiteral("could not be written"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("out.bin")));
}

TEST_F(BinaryFilesPanel, WithoutACursorItemNothingIsAsked) {
    EXPECT_FALSE(Panel().SaveBinaryFileSource());
}

TEST_F(BinaryFilesPanel, CellsAreEditedAndCopied) {
    ASSERT_TRUE(Panel().AddFile(MakeFile("one.bin", 1)));
    ASSERT_TRUE(Panel().AddFile(MakeFile("two.bin", 2)));
    Panel().SetMarked(1, false, true, false);
    EditCellText(Column::kSourceFilenameColumn, 1, QStringLiteral("C:\\games\\one.bin"));
    EXPECT_EQ(File(0).SourceFilename(), "C:\\games\\one.bin");
    EXPECT_EQ(File(1).SourceFilename(), "C:\\games\\one.bin");
    EditCellText(Column::kIdColumn, 1, QStringLiteral("level"));
    EXPECT_EQ(File(1).ID(), "level");

    const int fixed = Panel().FixedColumnCount();
    EXPECT_FALSE(Panel().ApplyCell(Column::kSpecificationsColumn + fixed, 2,
                                   Column::kSpecificationsColumn + fixed, 1));
    EXPECT_EQ(File(1).Data().Size(), 2);
    EXPECT_TRUE(Panel().DoMoveItem(0, 1));
    EXPECT_TRUE(Panel().DeleteItem(0));
    EXPECT_EQ(Resources().Count<CVKT_BinaryFile>(), 1);
}

TEST(BinaryFilePreviewText, GivesTheSourceAndTheSizeInThreeUnits) {
    EXPECT_EQ(BinaryFilePreviewText(QStringLiteral("C:\\data\\a.bin"), 1536),
              QStringLiteral("Original Filename: C:\\data\\a.bin\n\nFile Size:               "
                             "1536 bytes       1.50 KB       0.00 MB"));
    const QString big = BinaryFilePreviewText(QString(), 3 * 1048576 + 524288);
    EXPECT_TRUE(big.endsWith(QStringLiteral("3670016 bytes       3584.00 KB       3.50 MB")));
    EXPECT_TRUE(BinaryFilePreviewText(QString(), 5'000'000'000)
                    .contains(QStringLiteral("5000000000 bytes")));
}

TEST_F(BinaryFilesPanel, PreviewTilesTheAffectedItems) {
    ASSERT_TRUE(Panel().AddFile(MakeFile("one.bin", 1)));
    ASSERT_TRUE(Panel().AddFile(MakeFile("two.bin", 2)));
    Panel().SetAllMarked(false, true, false);
    const QImage image = PreviewImage(QRect(0, 0, 300, 200));
    const QColor face = InterfaceQColor(InterfaceColor::WindowFace);
    int bands = 0;
    for (const int top : {0, 100}) {
        bool found = false;
        for (int y = top; y < top + 100 && !found; ++y) {
            for (int x = 0; x < 300 && !found; ++x) {
                found = image.pixelColor(x, y) == face;
            }
        }
        bands += found ? 1 : 0;
    }
    EXPECT_EQ(bands, 2);
}

}  // namespace
}  // namespace plexion
