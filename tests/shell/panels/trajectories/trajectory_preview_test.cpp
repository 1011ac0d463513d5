#include <gtest/gtest.h>

#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

#include "bitmap_item.h"
#include "index_list_item.h"
#include "panel_user.h"
#include "simple_panel_fixture.h"
#include "tool_button.h"
#include "trajectories_panel.h"
#include "trajectory_item.h"
#include "trajectory_preview.h"
#include "trajectory_preview_toolbar.h"

namespace plexion {
namespace {

// The preview shows world (0, 0) at this pixel at first.
const QPoint kOrigin = -CTrajectoryPreview::kStartViewOffset;

class TrajectoryPreview : public test::CSimplePanelTest<CTrajectoriesPanel> {
protected:
    void SetUp() override {
        CSimplePanelTest::SetUp();
        edits_ = std::make_unique<QSignalSpy>(&document_, &CPlexionDoc::changed);
    }
    // A trajectory shown in the preview.
    CVKT_Trajectory& Show(const std::vector<CPathPoint>& points, int type = 0) {
        const int index = Resources().New<CVKT_Trajectory>("path");
        CVKT_Trajectory& path = *Resources().GetAt<CVKT_Trajectory>(index);
        for (const CPathPoint& p : points) {
            path.AddPoint(p.x, p.y);
        }
        path.SetType(type);
        Panel().Refresh(true);
        Panel().SetCursorItem(index);
        return path;
    }
    CTrajectoryPreview& Preview() { return Panel().Preview(); }
    CToolButton& Button(const char* name) {
        return *Panel().Toolbar().Button(QString::fromLatin1(name));
    }
    std::vector<CPathPoint> Points(int index) {
        const CVKT_Trajectory& path = *Resources().GetAt<CVKT_Trajectory>(index);
        return {path.Points().begin(), path.Points().end()};
    }
    void Drag(std::initializer_list<QPoint> positions, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(&Preview(), button, {}, *positions.begin());
        for (auto at = positions.begin() + 1; at != positions.end(); ++at) {
            QTest::mouseMove(&Preview(), *at);
        }
        QTest::mouseRelease(&Preview(), button, {}, *(positions.end() - 1));
    }
    int Edits() const { return static_cast<int>(edits_->size()); }

    std::unique_ptr<QSignalSpy> edits_;
};

TEST_F(TrajectoryPreview, ADragDrawsPointsThatDifferFromTheLastAsOneChange) {
    CVKT_Trajectory& path = Show({});
    path.SetOffsetX(10);
    Drag({kOrigin + QPoint(6, 6), kOrigin + QPoint(16, 6), kOrigin + QPoint(16, 6),
          kOrigin + QPoint(26, 11)});
    EXPECT_EQ(Points(0), (std::vector<CPathPoint>{{-4, 6}, {6, 6}, {16, 11}}));
    EXPECT_EQ(Edits(), 1);
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(Shown(CTrajectoriesPanel::kSpecificationsColumn, 1), "3 Points, 48 Bytes");

    // Two clicks at one spot add one point; the second finds it and moves
    // it nowhere.
    QTest::mouseClick(&Preview(), Qt::LeftButton, {}, kOrigin + QPoint(60, 40));
    QTest::mouseClick(&Preview(), Qt::LeftButton, {}, kOrigin + QPoint(60, 40));
    EXPECT_EQ(Points(0).size(), 4u);
    EXPECT_EQ(Points(0).back(), (CPathPoint{50, 40}));
    EXPECT_EQ(Edits(), 2);
}

TEST_F(TrajectoryPreview, WithTheFollowFlagTheViewFollowsThePenBackToTheMiddle) {
    Show({});
    Preview().SetFollowFlag(true);
    const QPoint middle(Preview().width() / 2, Preview().height() / 2);
    Drag({middle + QPoint(30, 20), middle + QPoint(40, 20)});
    EXPECT_EQ(Preview().ViewOffset(), CTrajectoryPreview::kStartViewOffset + QPoint(70, 40));
    const QPoint first = middle + CTrajectoryPreview::kStartViewOffset + QPoint(30, 20);
    EXPECT_EQ(Points(0), (std::vector<CPathPoint>{{double(first.x()), double(first.y())},
                                                  {first.x() + 40.0, first.y() + 20.0}}));
    EXPECT_EQ(QCursor::pos(), Preview().mapToGlobal(middle));
}

TEST_F(TrajectoryPreview, PointsAreDraggedAndRightClickDeletesThemEachAsOneChange) {
    Show({{0, 0}, {10, 0}, {20, 0}});
    Drag({kOrigin + QPoint(11, 1), kOrigin + QPoint(15, 9), kOrigin + QPoint(21, 11)});
    EXPECT_EQ(Points(0), (std::vector<CPathPoint>{{0, 0}, {20, 10}, {20, 0}}));
    EXPECT_EQ(Edits(), 1);
    QTest::mouseClick(&Preview(), Qt::RightButton, {}, kOrigin + QPoint(1, -2));
    EXPECT_EQ(Points(0), (std::vector<CPathPoint>{{20, 10}, {20, 0}}));
    EXPECT_EQ(Edits(), 2);
    // Escape drops a drag before it reaches the document.
    QTest::mousePress(&Preview(), Qt::LeftButton, {}, kOrigin + QPoint(20, 0));
    QTest::mouseMove(&Preview(), kOrigin + QPoint(50, 50));
    QTest::keyClick(&Preview(), Qt::Key_Escape);
    QTest::mouseRelease(&Preview(), Qt::LeftButton, {}, kOrigin + QPoint(50, 50));
    EXPECT_EQ(Points(0), (std::vector<CPathPoint>{{20, 10}, {20, 0}}));
    EXPECT_EQ(Edits(), 2);
}

TEST_F(TrajectoryPreview, TheMoveViewModeMovesTheViewAndADoubleClickGoesToTheOrigin) {
    Show({{0, 0}});
    QTest::mouseClick(&Button("MoveViewMode"), Qt::LeftButton);
    EXPECT_EQ(Preview().MouseMode(), CTrajectoryPreview::kMoveViewMode);
    EXPECT_EQ(Preview().cursor().shape(), Qt::SizeAllCursor);
    Drag({QPoint(50, 50), QPoint(60, 70)});
    EXPECT_EQ(Preview().ViewOffset(), QPoint(-104, -114));
    QTest::mouseDClick(&Preview(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_EQ(Preview().ViewOffset(), QPoint(0, 0));
    EXPECT_EQ(Points(0).size(), 1u);
    EXPECT_EQ(Edits(), 0);
    QTest::mouseClick(&Button("MoveViewMode"), Qt::LeftButton);
    EXPECT_EQ(Preview().MouseMode(), CTrajectoryPreview::kDrawMode);
    EXPECT_EQ(Preview().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(TrajectoryPreview, ToolbarButtonsStandInOrderWithTheirTooltipsAndKinds) {
    using Kind = CToolButton::Kind;
    const struct {
        const char* name;
        const char* tooltip;
        Kind kind;
    } buttons[] = {
        {"MoveViewOrigin", "Move view to origin 0x 0y", Kind::Push},
        {"MoveView", "Move view", Kind::Drag},
        {"MoveViewMode", "Move the view with the mouse instead of drawing points", Kind::Toggle},
        {"MoveViewCenterTrajectory", "Center the trajectory path in the display", Kind::Push},
        {"MoveViewCenterObject", "Center the moving object in the display", Kind::Toggle},
        {"HideTrajectory", "Hide the drawing of the trajectory path", Kind::Toggle},
        {"PlaySpeed", "Change the play speed", Kind::Drag},
        {"SetPlaySpeed", "Set the play speed", Kind::Push},
        {"ChoseBmpBackground", "Chose the background object's bitmap", Kind::Push},
        {"ChoseBmpObject", "Chose the moving object's bitmap", Kind::Push},
    };
    const QList<CToolButton*> found =
        Panel().Toolbar().findChildren<CToolButton*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(found.size(), 10);
    for (int i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i]->objectName(), buttons[i].name);
        EXPECT_EQ(found[i]->toolTip(), buttons[i].tooltip);
        EXPECT_EQ(found[i]->ButtonKind(), buttons[i].kind) << buttons[i].name;
        EXPECT_LT(found[i]->x() + found[i]->width(),
                  i + 1 < found.size() ? found[i + 1]->x() + 1 : Panel().width());
    }
    EXPECT_GE(Button("PlaySpeed").width(), 38);
    EXPECT_EQ(Button("PlaySpeed").text(), "100.00 %  ");
}

TEST_F(TrajectoryPreview, ToolbarButtonsMoveAndCenterTheView) {
    Show({{10, 20}, {110, 70}, {60, 45}});
    QTest::mouseClick(&Button("MoveViewOrigin"), Qt::LeftButton);
    EXPECT_EQ(Preview().ViewOffset(), QPoint(0, 0));
    QTest::mouseClick(&Button("MoveViewCenterTrajectory"), Qt::LeftButton);
    const int width = Preview().width();
    const int height = Preview().height();
    EXPECT_EQ(Preview().ViewOffset(),
              QPoint(10 - (width - (110 + 1 - 10)) / 2, 20 - (height - (70 + 1 - 20)) / 2));
    const QPoint centered = Preview().ViewOffset();
    CToolButton& move = Button("MoveView");
    const QPoint press = move.rect().center();
    QTest::mousePress(&move, Qt::LeftButton, {}, press);
    QTest::mouseMove(&move, press + QPoint(5, -3));
    QTest::mouseMove(&move, press + QPoint(5, -3));
    QTest::mouseRelease(&move, Qt::LeftButton, {}, press);
    EXPECT_EQ(Preview().ViewOffset(), centered + QPoint(-10, 6));
}

TEST_F(TrajectoryPreview, ThePlaySpeedIsDraggedOrTypedInPercentWithinTenThousand) {
    CToolButton& speed = Button("PlaySpeed");
    const QPoint press = speed.rect().center();
    QTest::mousePress(&speed, Qt::LeftButton, {}, press);
    QTest::mouseMove(&speed, press + QPoint(0, -50));
    QTest::mouseRelease(&speed, Qt::LeftButton, {}, press);
    EXPECT_DOUBLE_EQ(Preview().PlaySpeed(), 1.5);
    EXPECT_EQ(speed.text(), "150.00 %  ");

    test::WhenShown([] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return false;
        }
        EXPECT_EQ(dialog->windowTitle(), "Set Play Speed");
        bool labelled = false;
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            labelled = labelled || label->text() == "Play Speed in Percentage (-10000 to 10000)";
        }
        EXPECT_TRUE(labelled);
        auto* field = dialog->findChild<QLineEdit*>();
        EXPECT_EQ(field->text(), "150.00");
        field->setText(QStringLiteral("20000"));
        dialog->accept();
        return true;
    });
    QTest::mouseClick(&Button("SetPlaySpeed"), Qt::LeftButton);
    EXPECT_EQ(Preview().PlaySpeed(), 100.0);
    EXPECT_EQ(speed.text(), "10000.00 %");
}

TEST_F(TrajectoryPreview, TheObjectLoopsByTheSignOfThePlaySpeedWhileShown) {
    Show({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    const struct {
        double speed;
        std::vector<double> parameters;
    } cases[] = {{1.0, {1, 2, 3, 0, 1}}, {-1.0, {3, 2, 1, 0, 3}}, {2.5, {2.5, 1.0, 3.5, 2.0}}};
    for (const auto& c : cases) {
        Preview().SetPlaySpeed(c.speed);
        Preview().Rewind();
        for (double expected : c.parameters) {
            EXPECT_TRUE(Panel().StepTime());
            EXPECT_DOUBLE_EQ(Preview().State().Cursor().Parameter(), expected) << c.speed;
        }
    }
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+\\.\\d\\d Fps\\n2\\.000 / 4$"))
                    .match(Preview().LabelText())
                    .hasMatch())
        << Preview().LabelText().toStdString();
    Preview().hide();
    EXPECT_FALSE(Panel().StepTime());
    EXPECT_DOUBLE_EQ(Preview().State().Cursor().Parameter(), 2.0);
}

TEST_F(TrajectoryPreview, AChosenAnimationPlaysAsTheObjectMoves) {
    auto* walk = Resources().GetAt<CVKT_IndexList>(Resources().New<CVKT_IndexList>("walk"));
    walk->SetPlayMode(1);
    walk->AddFrame({0, 1, 0, 0});
    walk->AddFrame({0, 1, 0, 0});
    Resources().New<CVKT_Bitmap>("ball");
    Show({{0, 0}, {10, 0}});
    test::WhenShown([] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return false;
        }
        EXPECT_EQ(dialog->windowTitle(), "Chose Moving Object Bitmap");
        auto* list = dialog->findChild<QListWidget*>();
        EXPECT_EQ(list->count(), 3);
        EXPECT_EQ(list->item(0)->text(), "NONE");
        EXPECT_EQ(list->item(1)->text(), "1 - ball");
        EXPECT_EQ(list->item(2)->text(), "Animation 1 - walk");
        list->setCurrentRow(2);
        dialog->accept();
        return true;
    });
    QTest::mouseClick(&Button("ChoseBmpObject"), Qt::LeftButton);
    EXPECT_EQ(Preview().ObjectAnimation(), 0);
    EXPECT_EQ(Preview().ObjectChoice(), 0);
    std::vector<int> frames;
    for (int step = 0; step < 4; ++step) {
        Panel().StepTime();
        frames.push_back(Preview().State().ObjectAnimation().GetCurrentFrame());
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 0, 1}));
}

}  // namespace
}  // namespace plexion
