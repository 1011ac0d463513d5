#include <gtest/gtest.h>

#include <QAction>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bitmaps_panel.h"
#include "graphics_panel_fixture.h"
#include "index_list_item.h"
#include "picture_area.h"
#include "picture_commands.h"
#include "picture_fixtures.h"
#include "temp_dir.h"

namespace plexion {
namespace {

using test::AnswerModal;
using Panel_ = CBitmapsPanel;

// Answers the colour choosers that open next, one colour each, in order.
void AnswerColors(std::vector<QColor> colors) {
    auto left = std::make_shared<std::vector<QColor>>(std::move(colors));
    for (std::size_t i = 0; i < left->size(); ++i) {
        AnswerModal<QColorDialog>([left, i](QColorDialog* chooser) {
            chooser->setCurrentColor((*left)[i]);
            chooser->accept();
        });
    }
}

// A 10 x 8 picture, transparent but for a box at (3, 2) of 5 x 3 whose first
// column is `color` and the rest red.
QImage Sprite(QRgb color) {
    QImage image = test::PictureWithBox(10, 8, QRect(3, 2, 5, 3), qRgb(255, 0, 0));
    for (int y = 2; y < 5; ++y) {
        image.setPixel(3, y, color);
    }
    return image;
}

class BitmapsPanelCommands : public test::CGraphicsPanelTest<CBitmapsPanel> {
protected:
    void SetUp() override {
        CGraphicsPanelTest::SetUp();
        QObject::connect(&document_, &CPlexionDoc::changed, [this] { ++edits_; });
    }
    bool Run(int command) {
        return Panel().OnEditCommand(nullptr, CResourcePanel::kFirstEditCommand,
                                     CResourcePanel::kFirstEditCommand + command);
    }
    QAction* Entry(int command) {
        for (QAction* action : EditEntries()) {
            if (!action->isSeparator() &&
                action->data().toInt() == CResourcePanel::kFirstEditCommand + command) {
                return action;
            }
        }
        ADD_FAILURE() << "no entry " << command;
        return nullptr;
    }
    int AddSprite(const std::string& id, QRgb color) {
        const int index = AddPicture(id, 1, 1);
        Picture(index).TakeImage(Sprite(color));
        Picture(index).SetSourceFileName("/art/" + id + ".png");
        return index;
    }

    int edits_ = 0;
};

TEST_F(BitmapsPanelCommands, TheEditMenuListsThePictureCommandsInOrder) {
    const QList<QAction*> entries = EditEntries();
    const std::vector<QString> texts = {"&Crop to Alpha Channel\tCtrl C",
                                        "&Set Alpha Channel to Color...",
                                        "&Change Color...",
                                        "",
                                        "&Reload Image Source...\tCtrl R",
                                        "&Save Image Source...",
                                        "",
                                        "Make &Animation From Selection",
                                        "",
                                        "View Without Alpha Channel",
                                        "View Only Alpha Channel"};
    ASSERT_EQ(entries.size(), static_cast<qsizetype>(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(entries[i]->isSeparator(), texts[i].isEmpty()) << i;
        EXPECT_EQ(entries[i]->text(), texts[i]) << i;
    }
    EXPECT_EQ(entries[0]->statusTip(), "Optimize the size of the bitmap by removing unused space");
    EXPECT_EQ(entries[4]->statusTip(), "Reload the image source but keep the parameters");
    EXPECT_EQ(entries[10]->statusTip(), "Display only the levels of transparency");
}

TEST_F(BitmapsPanelCommands, EntriesAreEnabledByTheSelectionAndTheCurrentBitmap) {
    const std::vector<int> selectionCommands = {Panel_::kCropCommand, Panel_::kSetAlphaCommand,
                                                Panel_::kChangeColorCommand,
                                                Panel_::kMakeAnimationCommand};
    struct State {
        const char* name;
        std::function<void()> prepare;
        bool selection;
        bool reload;
        bool save;
    };
    const State states[] = {
        {"empty group", [] {}, false, false, false},
        {"a picture without bytes",
         [this] {
             AddPicture("p", 4, 4);
             Panel().Refresh(true);
             Panel().SetCursorItem(0);
         },
         true, true, false},
        {"with bytes",
         [this] {
             Picture(0).SetSourceBytes({1, 2});
             Panel().Refresh(true);
         },
         true, true, true},
    };
    for (const State& state : states) {
        SCOPED_TRACE(state.name);
        state.prepare();
        for (int command : selectionCommands) {
            EXPECT_EQ(Entry(command)->isEnabled(), state.selection) << command;
        }
        EXPECT_EQ(Entry(Panel_::kReloadCommand)->isEnabled(), state.reload);
        EXPECT_EQ(Entry(Panel_::kSaveSourceCommand)->isEnabled(), state.save);
        for (int view : {Panel_::kViewWithoutAlphaCommand, Panel_::kViewOnlyAlphaCommand}) {
            EXPECT_TRUE(Entry(view)->isEnabled());
            EXPECT_TRUE(Entry(view)->isCheckable());
        }
    }
}

TEST_F(BitmapsPanelCommands, EachCommandEditsEverySelectedPictureAsTheToolDoesInOneChange) {
    struct Case {
        int command;
        std::vector<QColor> colors;
        std::function<bool(CVKT_Bitmap&)> expected;
    };
    const Case cases[] = {
        {Panel_::kCropCommand, {}, picture_commands::CropToAlphaChannel},
        {Panel_::kSetAlphaCommand,
         {QColor(0, 255, 0)},
         [](CVKT_Bitmap& b) {
             return picture_commands::SetAlphaChannelToColor(b, MakeColor(0, 255, 0));
         }},
        {Panel_::kChangeColorCommand,
         {QColor(255, 0, 0), QColor(0, 0, 255)},
         [](CVKT_Bitmap& b) {
             return picture_commands::ChangeColor(b, MakeColor(255, 0, 0), MakeColor(0, 0, 255));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        while (Resources().Count<CVKT_Bitmap>() > 0) {
            Resources().Delete<CVKT_Bitmap>(0);
        }
        const QRgb firstColumns[] = {qRgb(0, 255, 0), qRgb(255, 0, 0)};
        AddSprite("a", firstColumns[0]);
        AddSprite("b", firstColumns[1]);
        const int region = Resources().New<CVKT_Bitmap>("region");
        Picture(region).SetRegion(QRegion(0, 0, 3, 3));
        AddSprite("unmarked", qRgb(0, 255, 0));
        Panel().Refresh(true);
        Mark({0, 2});
        Panel().SetCursorItem(1);
        const int editsBefore = edits_;

        AnswerColors(c.colors);
        EXPECT_TRUE(Run(c.command));
        EXPECT_EQ(edits_, editsBefore + 1);
        for (int i : {0, 1}) {
            CVKT_Bitmap expected;
            expected.TakeImage(Sprite(firstColumns[i]));
            expected.SetSourceFileName(Picture(i).SourceFileName());
            ASSERT_TRUE(c.expected(expected));
            EXPECT_EQ(*Picture(i).Image(), *expected.Image()) << i;
            EXPECT_EQ(Picture(i).OffsetX(), expected.OffsetX()) << i;
            EXPECT_EQ(Picture(i).OffsetY(), expected.OffsetY()) << i;
            EXPECT_EQ(Picture(i).SourceBytes(), expected.SourceBytes()) << i;
        }
        EXPECT_EQ(Picture(region).GetKind(), CVKT_Bitmap::kKindRegion);
        EXPECT_EQ(Picture(3).DisplayWidth(), 10.0);
        EXPECT_TRUE(Picture(3).SourceBytes().empty());
    }
}

TEST_F(BitmapsPanelCommands, CancelledColorChoosersChangeNothing) {
    AddSprite("a", qRgb(0, 255, 0));
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    for (int command : {Panel_::kSetAlphaCommand, Panel_::kChangeColorCommand}) {
        AnswerModal<QColorDialog>([](QColorDialog* chooser) { chooser->reject(); });
        Run(command);
    }
    AnswerColors({QColor(255, 0, 0)});
    AnswerModal<QColorDialog>([](QColorDialog* chooser) { chooser->reject(); });
    Run(Panel_::kChangeColorCommand);
    EXPECT_EQ(edits_, 0);
    EXPECT_EQ(Picture(0).DisplayWidth(), 10.0);
}

TEST_F(BitmapsPanelCommands, MakeAnimationFromSelectionFillsTheSelectionAnimation) {
    for (int i = 0; i < 4; ++i) {
        AddPicture("b" + std::to_string(i), 4, 4);
    }
    Panel().Refresh(true);
    Mark({3, 1});
    Panel().SetCursorItem(2);

    // Without an animation to fill, nothing changes and the user is told.
    AnswerMessage();
    Run(Panel_::kMakeAnimationCommand);
    EXPECT_EQ(messages_.size(), 1);
    EXPECT_EQ(edits_, 0);
    EXPECT_EQ(host_.shownKind, -1);

    const int animation = Resources().New<CVKT_IndexList>("Bitmaps Selection");
    Resources().GetAt<CVKT_IndexList>(animation)->AddFrame({0, 5, 1, 1});
    Resources().GetAt<CVKT_IndexList>(animation)->SetPlayMode(4);
    Resources().New<CVKT_IndexList>("after");
    EXPECT_TRUE(Run(Panel_::kMakeAnimationCommand));
    const CVKT_IndexList& filled = *Resources().GetAt<CVKT_IndexList>(animation);
    ASSERT_EQ(filled.FrameCount(), 4);
    const int bitmaps[] = {0, 1, 2, 3};
    for (int frame = 1; frame < 4; ++frame) {
        EXPECT_EQ(filled.Frame(frame).bitmap, bitmaps[frame]) << frame;
        EXPECT_EQ(filled.Frame(frame).delay, 1);
        EXPECT_EQ(filled.Frame(frame).offsetX, 0);
    }
    EXPECT_EQ(filled.Frame(0).delay, 5);
    EXPECT_EQ(filled.PlayMode(), 1);
    EXPECT_EQ(edits_, 1);
    EXPECT_EQ(host_.shownKind, CVKT_IndexList::kKind);
    EXPECT_TRUE(host_.shownAtLastItem);
}

TEST_F(BitmapsPanelCommands, SaveImageSourceWritesTheBytesAndReloadKeepsTheParameters) {
    test::CTempDir folder;
    const int index = AddPicture("hero", 4, 4);
    Picture(index).SetSourceBytes({1, 2, 3, 250});
    Picture(index).SetOffsetX(-7);
    Picture(index).SetComments("note");
    Panel().Refresh(true);
    Panel().SetCursorItem(index);

    const QString saved = QString::fromStdString(folder.File("copy.bin"));
    AnswerModal<QFileDialog>([saved](QFileDialog* chooser) {
        chooser->selectFile(saved);
        static_cast<QDialog*>(chooser)->accept();
    });
    ASSERT_TRUE(Run(Panel_::kSaveSourceCommand));
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\x01\x02\x03\xfa", 4));

    QImage green(6, 3, QImage::Format_ARGB32);
    green.fill(qRgba(0, 200, 0, 255));
    const QString png = QString::fromStdString(folder.File("green.png"));
    ASSERT_TRUE(green.save(png, "PNG"));
    AnswerModal<QFileDialog>([png](QFileDialog* chooser) {
        chooser->selectFile(png);
        static_cast<QDialog*>(chooser)->accept();
    });
    ASSERT_TRUE(Run(Panel_::kReloadCommand));
    EXPECT_EQ(Picture(index).DisplayWidth(), 6.0);
    EXPECT_EQ(Picture(index).OffsetX(), -7.0);
    EXPECT_EQ(Picture(index).ID(), "hero");
    EXPECT_EQ(Picture(index).Comments(), "note");
    EXPECT_EQ(Shown(CBitmapsPanel::kWidth, index + 1), "+6");
}

}  // namespace
}  // namespace plexion
