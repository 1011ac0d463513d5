#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "animations_panel.h"
#include "frame_list_editor.h"
#include "frame_list_models.h"
#include "game_clock.h"
#include "graphics_panel_fixture.h"
#include "index_list_item.h"
#include "panel_user.h"

namespace plexion {
namespace {

using Frames = std::vector<CAnimationFrame>;
using Command = FrameListCommand;

constexpr QPoint kOrigin(94, 94);

// Five bitmaps and an animation of five frames, frame i showing bitmap i for
// the steps below, at offset (10 i, -i).
class FrameListEditor : public test::CGraphicsPanelTest<CAnimationsPanel> {
protected:
    static constexpr int kDelays[] = {1, 2, 3, 1, 5};

    void SetUp() override {
        CGraphicsPanelTest::SetUp();
        for (int i = 0; i < 5; ++i) {
            AddPicture("b" + std::to_string(i), 4, 4, qRgb(40 * i, 200, 0));
        }
        Resources().New<CVKT_IndexList>("walk");
        SetFrames(Initial());
        Panel().Refresh(true);
        Panel().SetCursorItem(0);
    }
    static Frames Initial() {
        Frames frames;
        for (int i = 0; i < 5; ++i) {
            frames.push_back({i, kDelays[i], 10 * i, -i});
        }
        return frames;
    }
    void SetFrames(const Frames& frames) {
        CVKT_IndexList& list = *Resources().GetAt<CVKT_IndexList>(0);
        list.SetFrameCount(0);
        for (const CAnimationFrame& frame : frames) {
            list.AddFrame(frame);
        }
        document_.History().Stack().setClean();
    }
    Frames Stored() const {
        const CVKT_IndexList& list = *document_.Resources().GetAt<CVKT_IndexList>(0);
        Frames frames;
        for (int i = 0; i < list.FrameCount(); ++i) {
            frames.push_back(list.Frame(i));
        }
        return frames;
    }
    CFrameListEditor& Editor() { return *Panel().FrameListEditor(); }
    QString Row(QListView* list, int row) {
        return list->model()->index(row, 0).data(Qt::DisplayRole).toString();
    }
    void SetCurrentBitmap(int bitmap) {
        QListView* list = Editor().BitmapsList();
        list->selectionModel()->setCurrentIndex(list->model()->index(bitmap, 0),
                                                QItemSelectionModel::ClearAndSelect);
    }
    // A drag with the left button in the preview from `from` by `by`, with
    // `modifiers` held throughout.
    void DragPreview(QPoint from, QPoint by, Qt::KeyboardModifiers modifiers) {
        QWidget* area = Editor().PictureArea();
        QTest::mousePress(area, Qt::LeftButton, modifiers, from);
        EXPECT_TRUE(Editor().IsSuspended());
        for (const QPoint at : {from + by / 2, from + by}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(area->mapToGlobal(at)),
                             Qt::NoButton, Qt::LeftButton, modifiers);
            QApplication::sendEvent(area, &move);
        }
        EXPECT_TRUE(Editor().IsSuspended());
        QTest::mouseRelease(area, Qt::LeftButton, modifiers, from + by);
    }
};

TEST_F(FrameListEditor, ListsNameBitmapsAndFramesBesideTheirPictures) {
    SetFrames({{1, 2, 3, -4}, {7, 1, 0, 0}});
    Panel().Refresh(false);
    EXPECT_EQ(Row(Editor().BitmapsList(), 3), "3 - b3");
    EXPECT_EQ(Editor().BitmapsList()->model()->rowCount(), 5);
    EXPECT_EQ(Row(Editor().FramesList(), 0), "0 - [ 2x 1 ] - <3, -4> - b1");
    EXPECT_EQ(Row(Editor().FramesList(), 1), "1 - [ 1x 7 ] - <0, 0> - None / Out of Range");
    const auto thumbnail =
        Editor().FramesList()->model()->index(0, 0).data(Qt::DecorationRole).value<QPixmap>();
    ASSERT_EQ(thumbnail.size(), QSize(24, 24));
    EXPECT_EQ(thumbnail.toImage().pixel(12, 12), qRgb(40, 200, 0));
}

TEST_F(FrameListEditor, EachKeyIsOneChangeOfTheFrames) {
    struct Case {
        const char* what;
        bool onBitmaps;
        int current;
        int key;
        Qt::KeyboardModifiers modifiers;
        Frames expected;
        int currentAfter;
    };
    const Frames f = Initial();
    const auto with = [&f](std::initializer_list<int> order) {
        Frames frames;
        for (const int i : order) {
            frames.push_back(f[static_cast<std::size_t>(i)]);
        }
        return frames;
    };
    const auto delays = [&f](std::vector<int> values) {
        Frames frames = f;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            frames[i].delay = values[i];
        }
        return frames;
    };
    Frames added = f;
    added.push_back({2, 1, 0, 0});
    const Qt::KeyboardModifiers keypad = Qt::KeypadModifier;
    const std::vector<Case> cases = {
        {"Space adds the current bitmap", true, 2, Qt::Key_Space, {}, added, 5},
        {"Ctrl+Up", false, 2, Qt::Key_Up, Qt::ControlModifier, with({0, 2, 1, 3, 4}), 1},
        {"Ctrl+Up on the first frame", false, 0, Qt::Key_Up, Qt::ControlModifier, f, 0},
        {"Ctrl+Down", false, 1, Qt::Key_Down, Qt::ControlModifier, with({0, 2, 1, 3, 4}), 2},
        {"Ctrl+Down on the last frame", false, 4, Qt::Key_Down, Qt::ControlModifier, f, 4},
        {"Space removes the current frame", false, 1, Qt::Key_Space, {}, with({0, 2, 3, 4}), 1},
        {"Num +", false, 1, Qt::Key_Plus, keypad, delays({1, 3, 3, 1, 5}), 1},
        {"Num - on delay 1", false, 3, Qt::Key_Minus, keypad, f, 3},
        {"Num -", false, 2, Qt::Key_Minus, keypad, delays({1, 2, 2, 1, 5}), 2},
        {"Shift Num +", false, 0, Qt::Key_Plus, keypad | Qt::ShiftModifier,
         delays({2, 3, 4, 2, 6}), 0},
        {"Shift Num -", false, 0, Qt::Key_Minus, keypad | Qt::ShiftModifier,
         delays({1, 1, 2, 1, 4}), 0},
        {"the main keyboard's minus", false, 2, Qt::Key_Minus, {}, f, 2},
    };
    for (const Case& test : cases) {
        SetFrames(Initial());
        Panel().Refresh(false);
        QListView* list = test.onBitmaps ? Editor().BitmapsList() : Editor().FramesList();
        if (test.onBitmaps) {
            SetCurrentBitmap(test.current);
        } else {
            Editor().SelectFrames(test.current, {});
        }
        QSignalSpy edits(&document_, &CPlexionDoc::changed);
        QTest::keyClick(list, static_cast<Qt::Key>(test.key), test.modifiers);
        const bool changes = test.expected != Initial();
        EXPECT_EQ(Stored(), test.expected) << test.what;
        EXPECT_EQ(edits.count(), changes ? 1 : 0) << test.what;
        EXPECT_EQ(document_.IsModified(), changes) << test.what;
        EXPECT_EQ(Editor().CurrentFrame(), test.currentAfter) << test.what;
        EXPECT_EQ(Shown(CAnimationsPanel::kSpecifications, 1),
                  QString("%1 Frames").arg(test.expected.size()))
            << test.what;
    }
}

TEST_F(FrameListEditor, ReversingFromTheMenuKeepsTheMiddleFrame) {
    Editor().SelectFrames(1, {});
    test::ChooseMenuEntry(4);
    emit Editor().FramesList()->customContextMenuRequested(QPoint(4, 4));
    const Frames f = Initial();
    EXPECT_EQ(Stored(), (Frames{f[4], f[3], f[2], f[1], f[0]}));
    EXPECT_EQ(Editor().CurrentFrame(), 3);
}

TEST_F(FrameListEditor, TheMenusOfferTheCommandsWithTheirKeysAndHelp) {
    const std::vector<std::pair<QString, QString>> frames = {
        {"Remove From List\tSpace Bar", "Remove the current bitmap from the list of bitmaps"},
        {"Move Index &Up\tCtrl Up", "Move the current bitmap one step up in the list"},
        {"Move Index &Down\tCtrl Down", "Move the current bitmap one step down in the list"},
        {"&Reverse All Indexs Order", "Reverse the items order of the list"},
        {"Increment Delay\tNum +", "Increment the delay of the selected bitmap"},
        {"Decrement Delay\tNum -", "Decrement the delay of the selected bitmap"},
        {"Increment All Delays\tShift Num +", "Increment the delay of all the bitmaps"},
        {"Decrement All Delays\tShift Num -", "Decrement the delay of all the bitmaps"},
    };
    for (const bool bitmaps : {false, true}) {
        std::unique_ptr<QMenu> menu(Editor().BuildMenu(bitmaps));
        QList<QAction*> entries;
        for (QAction* action : menu->actions()) {
            if (!action->isSeparator()) {
                entries << action;
            }
        }
        ASSERT_EQ(entries.size(), static_cast<int>(frames.size()));
        for (std::size_t i = 1; i < frames.size(); ++i) {
            EXPECT_EQ(entries[static_cast<int>(i)]->text(), frames[i].first);
            EXPECT_EQ(entries[static_cast<int>(i)]->statusTip(), frames[i].second);
        }
        if (bitmaps) {
            EXPECT_EQ(entries[0]->text(), "Add to List\tSpace Bar");
            EXPECT_EQ(entries[0]->statusTip(), "Add the current bitmap to the list of bitmaps");
        } else {
            EXPECT_EQ(entries[0]->text(), frames[0].first);
            EXPECT_EQ(entries[0]->statusTip(), frames[0].second);
        }
    }
    // On the first frame it cannot move up.
    Editor().SelectFrames(0, {});
    std::unique_ptr<QMenu> menu(Editor().BuildMenu(false));
    EXPECT_FALSE(menu->actions().at(2)->isEnabled());
    EXPECT_TRUE(menu->actions().at(3)->isEnabled());
}

TEST_F(FrameListEditor, CtrlSpaceOnAListOpensThePanelsMenu) {
    QString first;
    test::WhenShown([&first] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr || !menu->isVisible()) {
            return false;
        }
        first = menu->actions().at(0)->text();
        menu->close();
        return true;
    });
    Editor().SelectFrames(2, {});
    QTest::keyClick(Editor().FramesList(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_TRUE(first.startsWith("&Insert Item(s)")) << first.toStdString();
    EXPECT_EQ(Editor().MarkedFrames(), std::vector<int>{2});
    EXPECT_EQ(Stored(), Initial());
}

TEST_F(FrameListEditor, MarkedFramesAreRemovedAndMovedTogether) {
    const Frames f = Initial();
    Editor().SelectFrames(3, {1, 3});
    QSignalSpy edits(&document_, &CPlexionDoc::changed);
    QTest::keyClick(Editor().FramesList(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Stored(), (Frames{f[1], f[0], f[3], f[2], f[4]}));
    EXPECT_EQ(Editor().MarkedFrames(), (std::vector<int>{0, 2}));
    EXPECT_EQ(Editor().CurrentFrame(), 2);
    QTest::keyClick(Editor().FramesList(), Qt::Key_Space);
    EXPECT_EQ(Stored(), (Frames{f[0], f[2], f[4]}));
    EXPECT_EQ(edits.count(), 2);
}

TEST_F(FrameListEditor, AnInsertedAnimationGetsFramesByKeysAlone) {
    ASSERT_TRUE(Panel().InsertItems());
    ASSERT_EQ(Editor().AnimationIndex(), 1);
    EXPECT_EQ(Editor().FramesList()->model()->rowCount(), 0);
    QListView* bitmaps = Editor().BitmapsList();
    SetCurrentBitmap(0);
    QTest::keyClick(bitmaps, Qt::Key_Space);
    QTest::keyClick(bitmaps, Qt::Key_Down);
    QTest::keyClick(bitmaps, Qt::Key_Space);
    QTest::keyClick(bitmaps, Qt::Key_Down);
    QTest::keyClick(bitmaps, Qt::Key_Space);
    QTest::keyClick(bitmaps, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(bitmaps, Qt::Key_Plus, Qt::KeypadModifier);
    const CVKT_IndexList& walk = *Resources().GetAt<CVKT_IndexList>(1);
    ASSERT_EQ(walk.FrameCount(), 3);
    EXPECT_EQ(walk.Frame(0), (CAnimationFrame{0, 1, 0, 0}));
    EXPECT_EQ(walk.Frame(1), (CAnimationFrame{2, 2, 0, 0}));
    EXPECT_EQ(walk.Frame(2), (CAnimationFrame{1, 1, 0, 0}));
    EXPECT_EQ(Shown(CAnimationsPanel::kSpecifications, 2), "3 Frames");
    EXPECT_TRUE(Panel().PreviewCursor().IsPlaying());
}

TEST_F(FrameListEditor, BitmapsDroppedOnTheFramesBecomeFramesWhereTheyFall) {
    QListView* bitmaps = Editor().BitmapsList();
    std::unique_ptr<QMimeData> dragged(bitmaps->model()->mimeData(
        {bitmaps->model()->index(4, 0), bitmaps->model()->index(2, 0)}));
    QListView* frames = Editor().FramesList();
    const QPoint onSecond = frames->visualRect(frames->model()->index(1, 0)).center();
    QDragEnterEvent enter(onSecond, Qt::CopyAction, dragged.get(), Qt::LeftButton, {});
    QApplication::sendEvent(frames->viewport(), &enter);
    QDragMoveEvent move(onSecond, Qt::CopyAction, dragged.get(), Qt::LeftButton, {});
    QApplication::sendEvent(frames->viewport(), &move);
    ASSERT_TRUE(move.isAccepted());
    QDropEvent drop(QPointF(onSecond), Qt::CopyAction, dragged.get(), Qt::LeftButton, {});
    QSignalSpy edits(&document_, &CPlexionDoc::changed);
    QApplication::sendEvent(frames->viewport(), &drop);
    QCoreApplication::processEvents();
    const Frames f = Initial();
    const Frames shown = Stored();
    ASSERT_EQ(shown.size(), 7u);
    EXPECT_EQ(shown[0], f[0]);
    EXPECT_EQ(shown[1], (CAnimationFrame{2, 1, 0, 0}));
    EXPECT_EQ(shown[2], (CAnimationFrame{4, 1, 0, 0}));
    EXPECT_EQ(shown[3], f[1]);
    EXPECT_EQ(edits.count(), 1);
}

TEST_F(FrameListEditor, ShiftDragMovesTheCurrentFrameCtrlDragEveryFrame) {
    Editor().SelectFrames(2, {});
    QSignalSpy edits(&document_, &CPlexionDoc::changed);
    DragPreview(kOrigin, QPoint(6, -3), Qt::ShiftModifier);
    Frames expected = Initial();
    expected[2].offsetX += 6;
    expected[2].offsetY -= 3;
    EXPECT_EQ(Stored(), expected);
    EXPECT_EQ(edits.count(), 1);
    EXPECT_EQ(Panel().PreviewCursor().GetCurrentFrame(), 2);
    EXPECT_EQ(Row(Editor().FramesList(), 2), "2 - [ 3x 2 ] - <26, -5> - b2");
    EXPECT_FALSE(Editor().IsSuspended());

    DragPreview(kOrigin, QPoint(-1, 2), Qt::ControlModifier);
    for (CAnimationFrame& frame : expected) {
        frame.offsetX -= 1;
        frame.offsetY += 2;
    }
    EXPECT_EQ(Stored(), expected);
    EXPECT_EQ(edits.count(), 2);

    // Without Shift or Ctrl the drag moves nothing.
    DragPreview(kOrigin, QPoint(5, 5), Qt::NoModifier);
    EXPECT_EQ(edits.count(), 2);

    // The arrow keys with the same modifiers move by one pixel a press.
    QTest::keyClick(Editor().PictureArea(), Qt::Key_Up, Qt::ShiftModifier);
    QTest::keyClick(Editor().PictureArea(), Qt::Key_Left, Qt::ControlModifier);
    expected[2].offsetY -= 1;
    for (CAnimationFrame& frame : expected) {
        frame.offsetX -= 1;
    }
    EXPECT_EQ(Stored(), expected);
    EXPECT_EQ(edits.count(), 4);
    EXPECT_FALSE(Editor().IsSuspended());
}

TEST_F(FrameListEditor, ThePreviewStandsStillWhileHiddenOrPaused) {
    EXPECT_FALSE(Editor().IsSuspended());
    EXPECT_TRUE(Panel().StepTime());
    Panel().hide();
    EXPECT_TRUE(Editor().IsSuspended());
    const double remaining = Panel().PreviewCursor().GetRemaining();
    EXPECT_FALSE(Panel().StepTime());
    EXPECT_EQ(Panel().PreviewCursor().GetRemaining(), remaining);
    Panel().show();
    EXPECT_FALSE(Editor().IsSuspended());

    Editor().Pause();
    EXPECT_TRUE(Editor().IsSuspended());
    EXPECT_FALSE(Panel().StepTime());
    // Paused, the preview shows the frame the user steps to or picks.
    Editor().StepFrames(-1);
    EXPECT_EQ(Panel().PreviewCursor().GetCurrentFrame(), 4);
    EXPECT_EQ(Editor().CurrentFrame(), 4);
    Editor().SelectFrames(2, {});
    EXPECT_EQ(Panel().PreviewCursor().GetCurrentFrame(), 2);
    EXPECT_EQ(Panel().PreviewCursor().GetRemaining(), 3.0);
    Editor().Play();
    EXPECT_FALSE(Editor().IsSuspended());
    EXPECT_TRUE(Panel().StepTime());
}

TEST_F(FrameListEditor, ThePreviewWritesTheFrameItShowsAndDrawsTheOnionSkin) {
    EXPECT_EQ(Editor().Description(),
              "walk\n" + Editor().PictureArea()->FrameRateText() + "\n0/5\n1.00");
    Editor().Pause();
    Editor().SetOnionSkin(true);
    Editor().StepFrames(1);
    EXPECT_EQ(Editor().Description().section('\n', 2), "1/5\n2.00");
    const QImage shot = Editor().PictureArea()->grab().toImage();
    // Frame 1 at (10, -1), the faint frame 0 at (0, 0) behind it.
    const QColor current = shot.pixelColor(kOrigin + QPoint(11, 0));
    EXPECT_EQ(current, QColor(40, 200, 0));
    const QColor faint = shot.pixelColor(kOrigin + QPoint(1, 1));
    EXPECT_NE(faint, QColor(0, 200, 0));
    EXPECT_GT(faint.green(), shot.pixelColor(kOrigin + QPoint(1, 30)).green());
}

TEST_F(FrameListEditor, TheGameClockAdvancesThePreviewOncePerStep) {
    SetFrames(Frames(1000, CAnimationFrame{0, 1, 0, 0}));
    Panel().Refresh(false);
    Panel().SetCursorItem(0);
    Editor().RestartPreview();
    std::mutex stepMutex;
    std::atomic<int> steps{0};
    CGameClock clock;
    clock.Start(
        1, stepMutex,
        [&] {
            ++steps;
            return Panel().StepTime();
        },
        [&] { return Panel().PreviewAnimates(); });
    for (int wait = 0; wait < 5000 && steps.load() < 20; ++wait) {
        QTest::qWait(1);
    }
    clock.Stop();
    // Frame 0 shows for the first step, each later step shows the next.
    ASSERT_GE(steps.load(), 20);
    EXPECT_EQ(Panel().PreviewCursor().GetCurrentFrame(), steps.load() - 1);
}

}  // namespace
}  // namespace plexion
