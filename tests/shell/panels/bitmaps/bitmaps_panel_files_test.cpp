#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>

#include <string>
#include <vector>

#include "bitmaps_panel.h"
#include "decode_limits.h"
#include "graphics_panel_fixture.h"
#include "temp_dir.h"
#include "wmf_records.h"

namespace plexion {
namespace {

using test::AnswerModal;
using Column = CBitmapsPanel::Column;

class BitmapsPanelFiles : public test::CGraphicsPanelTest<CBitmapsPanel> {
protected:
    QString MakePng(const std::string& name, int width, int height) {
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(qRgba(10, 200, 30, 255));
        const QString path = QString::fromStdString(folder_.File(name));
        EXPECT_TRUE(image.save(path, "PNG"));
        return path;
    }
    QString MakeFile(const std::string& name, const std::string& text) {
        const std::string path = folder_.File(name);
        test::WriteFileBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
        return QString::fromStdString(path);
    }
    QString Folder() const { return QString::fromStdString(folder_.Path().string()); }

    // Answers the next file dialog with `files` (none: Cancel), remembering
    // what it showed.
    void AnswerFileDialog(const QStringList& files) {
        AnswerModal<QFileDialog>([this, files](QFileDialog* chooser) {
            title_ = chooser->windowTitle();
            filters_ = chooser->nameFilters();
            mode_ = chooser->fileMode();
            if (files.isEmpty()) {
                chooser->reject();
                return;
            }
            chooser->setDirectory(Folder());
            QStringList names;
            for (const QString& file : files) {
                names << QFileInfo(file).fileName();
            }
            chooser->selectFile(names.size() == 1 ? names.first()
                                                  : "\"" + names.join("\" \"") + "\"");
            static_cast<QDialog*>(chooser)->accept();
        });
    }

    test::CTempDir folder_;
    QString title_;
    QStringList filters_;
    QFileDialog::FileMode mode_ = QFileDialog::AnyFile;
};

TEST_F(BitmapsPanelFiles, InsertTurnsTheChosenImagesIntoBitmaps) {
    const QString hero = MakePng("hero.png", 64, 32);
    const QString tile = MakePng("tile.1.png", 3, 2);
    AnswerFileDialog({hero, tile});
    ASSERT_TRUE(Panel().InsertItems());
    EXPECT_EQ(title_, "Insert Image(s) Filename(s)");
    EXPECT_EQ(filters_, QStringList({"Windows Images Files (*.bmp *.jpg *.png *.tif *.gif "
                                     "*.exif *.ico *.wmf *.emf)"}));
    EXPECT_EQ(mode_, QFileDialog::ExistingFiles);

    ASSERT_EQ(Resources().Count<CVKT_Bitmap>(), 2);
    EXPECT_EQ(Picture(0).ID(), "hero");
    EXPECT_EQ(Picture(1).ID(), "tile.1");
    EXPECT_EQ(Picture(0).GetKind(), CVKT_Bitmap::kKindImage);
    const auto bytes = static_cast<long long>(QFileInfo(hero).size());
    EXPECT_EQ(Shown(Column::kSourceNbBytes, 1), QStringLiteral("+%1").arg(bytes));
    EXPECT_EQ(Shown(Column::kUsedGameMemory, 1), "+8192");
    EXPECT_EQ(Shown(Column::kWidth, 1), "+64");
    EXPECT_EQ(Shown(Column::kSpecifications, 1), "32 Bits, 1 Frames");
    EXPECT_EQ(Shown(Column::kSourceFilename, 1), hero);
    EXPECT_EQ(Panel().GetCursorItem(), 1);
    EXPECT_EQ(QDir(Panel().LastFolder()), QDir(Folder()));
    EXPECT_EQ(Refreshes(), 1);
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(BitmapsPanelFiles, TheInsertKeyOpensTheDialogInTheLastFolder) {
    const QString first = MakePng("first.png", 2, 2);
    Panel().SetLastFolder(Folder());
    ASSERT_TRUE(test::FocusGrid(Panel()));
    QString startFolder;
    AnswerModal<QFileDialog>([&](QFileDialog* chooser) {
        startFolder = chooser->directory().absolutePath();
        chooser->selectFile(QFileInfo(first).fileName());
        static_cast<QDialog*>(chooser)->accept();
    });
    test::PressOnGrid(Panel(), Qt::Key_Insert);
    EXPECT_EQ(QDir(startFolder), QDir(Folder()));
    ASSERT_EQ(Resources().Count<CVKT_Bitmap>(), 1);
    EXPECT_EQ(Shown(Column::kId, 1), "first");
}

TEST_F(BitmapsPanelFiles, CancellingTheDialogAddsNothing) {
    AnswerFileDialog({});
    EXPECT_FALSE(Panel().InsertItems());
    EXPECT_EQ(Resources().Count<CVKT_Bitmap>(), 0);
    EXPECT_EQ(Refreshes(), 0);
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(BitmapsPanelFiles, AFileThatCannotBeReadAddsNothingAndIsNamed) {
    AddPicture("kept", 2, 2);
    Panel().Refresh(true);
    const QString good = MakePng("good.png", 4, 4);
    const QString missing = Folder() + "/missing.png";
    AnswerMessage();
    EXPECT_EQ(Panel().InsertImageFiles({missing, good}), 1);
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("could not be read")) << messages_[0].toStdString();
    EXPECT_TRUE(messages_[0].contains("missing.png"));
    EXPECT_FALSE(messages_[0].contains("good.png"));
    ASSERT_EQ(Resources().Count<CVKT_Bitmap>(), 2);
    EXPECT_EQ(Picture(0).ID(), "kept");
    EXPECT_EQ(Picture(1).ID(), "good");
    EXPECT_EQ(Panel().GetRowCount(), 2);
}

TEST_F(BitmapsPanelFiles, AMetafileAskingTooMuchDrawingAddsNothingAndSaysWhy) {
    test::CWmfBuilder wmf;
    wmf.Window(960, 960);
    for (std::size_t record = 0; record < kMaxMetafileRecords; ++record) {
        wmf.Record(0x0102, {1});  // SETBKMODE
    }
    const std::string heavy = folder_.File("heavy.wmf");
    test::WriteFileBytes(heavy, wmf.Placeable(960, 960, 960));
    const QString good = MakePng("good.png", 4, 4);
    AnswerMessage();
    EXPECT_EQ(Panel().InsertImageFiles({QString::fromStdString(heavy), good}), 1);
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("more drawing than a picture may take"))
        << messages_[0].toStdString();
    EXPECT_TRUE(messages_[0].contains("heavy.wmf"));
    EXPECT_FALSE(messages_[0].contains("could not be read"));
    ASSERT_EQ(Resources().Count<CVKT_Bitmap>(), 1);
    EXPECT_EQ(Picture(0).ID(), "good");
}

TEST_F(BitmapsPanelFiles, OnlyUnreadableFilesLeaveTheDocumentAsItWas) {
    AnswerMessage();
    EXPECT_FALSE(Panel().AddFile(Folder() + "/nothing.bmp"));
    EXPECT_EQ(messages_.size(), 1);
    EXPECT_EQ(Resources().Count<CVKT_Bitmap>(), 0);
    EXPECT_FALSE(document_.IsModified());
    EXPECT_EQ(Refreshes(), 0);
}

TEST_F(BitmapsPanelFiles, AFileThatIsNoPictureIsKeptAsItsBytesAndSaidSo) {
    const QString text = MakeFile("notes.png", "this is no picture");
    AnswerMessage();
    EXPECT_TRUE(Panel().AddFile(text));
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].contains("notes.png"));
    ASSERT_EQ(Resources().Count<CVKT_Bitmap>(), 1);
    EXPECT_EQ(Picture(0).ID(), "notes");
    EXPECT_EQ(Picture(0).SourceBytes().size(), 18u);
    EXPECT_EQ(Shown(Column::kWidth, 1), "+0");
}

TEST_F(BitmapsPanelFiles, DroppedImagesBecomeBitmapsInTheirOrder) {
    const QString b = MakePng("b.png", 2, 2);
    const QString a = MakePng("a.png", 2, 2);
    Panel().DropFiles({b, a});
    EXPECT_EQ(Refreshes(), 1);
    ASSERT_EQ(Resources().Count<CVKT_Bitmap>(), 2);
    EXPECT_EQ(Picture(0).ID(), "b");
    EXPECT_EQ(Picture(1).ID(), "a");
    EXPECT_EQ(Shown(Column::kId, 2), "a");
}

TEST_F(BitmapsPanelFiles, ManyFilesAreAllInsertedInOrder) {
    QStringList files;
    for (int i = 0; i < 12; ++i) {
        files << MakePng("frame" + std::to_string(i) + ".png", 3, 3);
    }
    EXPECT_EQ(Panel().InsertImageFiles(files), 12);
    ASSERT_EQ(Resources().Count<CVKT_Bitmap>(), 12);
    EXPECT_EQ(Picture(11).ID(), "frame11");
    EXPECT_EQ(Panel().GetRowCount(), 12);
    EXPECT_EQ(Refreshes(), 1);
}

}  // namespace
}  // namespace plexion
