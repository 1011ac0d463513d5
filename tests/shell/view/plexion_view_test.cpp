#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QRegion>
#include <QTest>

#include <functional>
#include <map>
#include <memory>

#include "animations_panel.h"
#include "index_list_item.h"
#include "plexion_doc.h"
#include "plexion_doc_core.h"
#include "plexion_view.h"
#include "resource_container.h"
#include "resource_grid.h"
#include "resource_panel.h"
#include "text_item.h"
#include "trajectories_panel.h"
#include "trajectory_item.h"
#include "trajectory_preview.h"

namespace plexion {
namespace {

// Counts the paint events of a widget and of every widget inside it.
class CPaintCounter : public QObject {
public:
    explicit CPaintCounter(QWidget* root) {
        root->installEventFilter(this);
        for (QWidget* child : root->findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
    }
    int Of(QObject* widget) const {
        const auto found = paints_.find(widget);
        return found == paints_.end() ? 0 : found->second;
    }
    // Everything the paint events of `widget` covered.
    QRegion Covered(QObject* widget) const {
        const auto found = covered_.find(widget);
        return found == covered_.end() ? QRegion() : found->second;
    }
    // The widgets that painted, but `allowed`.
    QStringList OthersThan(QObject* allowed) const {
        QStringList others;
        for (const auto& [widget, count] : paints_) {
            if (widget != allowed) {
                others << QString::fromLatin1(widget->metaObject()->className());
            }
        }
        return others;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints_[watched];
            covered_[watched] += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }

private:
    std::map<QObject*, int> paints_;
    std::map<QObject*, QRegion> covered_;
};

// A panel whose preview moves on the game clock, the widget that shows the
// motion, and how the user stops and starts it.
struct CAnimatedPanelCase {
    const char* name;
    int panel;
    std::function<QWidget*(CResourcePanel*)> preview;
    std::function<void(CResourcePanel*)> stop;
    std::function<void(CResourcePanel*)> start;
    // Whether a step repaints less than the whole preview.
    bool partial;
};

CFrameListEditor* EditorOf(CResourcePanel* panel) {
    return static_cast<CAnimationsPanel*>(panel)->FrameListEditor();
}

CTrajectoryPreview& TrajectoryPreviewOf(CResourcePanel* panel) {
    return static_cast<CTrajectoriesPanel*>(panel)->Preview();
}

const CAnimatedPanelCase kAnimatedPanels[] = {
    {"Animations", 1, [](CResourcePanel* p) -> QWidget* { return EditorOf(p)->PictureArea(); },
     [](CResourcePanel* p) { EditorOf(p)->Pause(); },
     [](CResourcePanel* p) { EditorOf(p)->Play(); }, true},
    {"Trajectories", 5, [](CResourcePanel* p) -> QWidget* { return &TrajectoryPreviewOf(p); },
     [](CResourcePanel* p) { TrajectoryPreviewOf(p).SetPlaySpeed(0.0); },
     [](CResourcePanel* p) { TrajectoryPreviewOf(p).SetPlaySpeed(1.0); }, false},
};

class PlexionViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        document_.OnNewDocument();
        view_ = std::make_unique<CPlexionView>(&document_);
        view_->resize(900, 600);
    }

    // Set-up writes the document directly, as loading a file would.
    CVKT_ResourceContainer& Resources() {
        return const_cast<CVKT_ResourceContainer&>(document_.Resources());
    }

    void SetDelay(const char* text) {
        auto& resources = Resources();
        const int index = resources.Find<CVKT_Text>(CPlexionDocCore::kGameStepDelayId);
        if (text == nullptr) {
            resources.Delete<CVKT_Text>(index);
        } else {
            resources.GetAt<CVKT_Text>(index)->SetText(text);
        }
    }

    void ShowCreated() {
        view_->OnInitialUpdate();
        view_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));
    }

    // A looping animation of two frames and a trajectory of three points,
    // so that the Animations and Trajectories previews both move.
    void AddMovingItems() {
        CVKT_IndexList& walk =
            *Resources().GetAt<CVKT_IndexList>(Resources().New<CVKT_IndexList>("walk"));
        walk.AddFrame({0, 1, 0, 0});
        walk.AddFrame({0, 1, 4, 0});
        walk.SetPlayMode(1);
        CVKT_Trajectory& path =
            *Resources().GetAt<CVKT_Trajectory>(Resources().New<CVKT_Trajectory>("path"));
        for (int point = 0; point < 3; ++point) {
            path.AddPoint(10.0 * point, 5.0 * point);
        }
    }

    const CGameClock& Clock() const { return view_->GameClock(); }
    bool ClockAsleep() const {
        return QTest::qWaitFor([this] { return Clock().IsAsleep(); });
    }
    // The clock sleeps and stays asleep a while.
    void ExpectSleepingClock(const char* where) {
        ASSERT_TRUE(ClockAsleep()) << where;
        const auto asleep = Clock().StepCount();
        QTest::qWait(30);
        EXPECT_EQ(Clock().StepCount(), asleep) << where;
    }
    void ExpectSteps(const char* where) {
        const auto before = Clock().StepCount();
        EXPECT_TRUE(QTest::qWaitFor([&] { return Clock().StepCount() >= before + 5; })) << where;
        EXPECT_FALSE(Clock().IsAsleep()) << where;
    }

    CPlexionDoc document_;
    std::unique_ptr<CPlexionView> view_;
};

TEST_F(PlexionViewTest, EightPanelsInCommandOrderWithBitmapsShownFirst) {
    const QStringList titles = {"Bitmaps",          "Animations",
                                "Maps",             "Texts and Parameters",
                                "Music and Sounds", "Trajectories and Shapes",
                                "Binary Files",     "Colors"};
    for (int index = 0; index < 8; ++index) {
        ASSERT_NE(view_->Panel(index), nullptr);
        EXPECT_EQ(view_->Panel(index)->Title(), titles[index]);
        EXPECT_FALSE(view_->Panel(index)->IsCreated());
    }
    EXPECT_EQ(view_->Panel(8), nullptr);
    EXPECT_EQ(view_->CurrentPanelIndex(), 0);
    ShowCreated();
    for (int index = 0; index < 8; ++index) {
        EXPECT_TRUE(view_->Panel(index)->IsCreated());
        EXPECT_EQ(view_->Panel(index)->isVisible(), index == 0) << index;
        EXPECT_EQ(view_->Panel(index)->Container(), &document_.Resources());
        EXPECT_EQ(view_->Panel(index)->Document(), &document_);
        EXPECT_EQ(view_->Panel(index)->geometry(), view_->rect());
    }
}

TEST_F(PlexionViewTest, BeforeCreationShowPanelOnlyRemembersTheIndex) {
    view_->ShowPanel(3, false);
    EXPECT_EQ(view_->CurrentPanelIndex(), 3);
    ShowCreated();
    EXPECT_TRUE(view_->Panel(3)->isVisible());
    EXPECT_FALSE(view_->Panel(0)->isVisible());
    view_->ShowPanel(8, false);
    view_->ShowPanel(-1, false);
    EXPECT_EQ(view_->CurrentPanelIndex(), 3);
}

TEST_F(PlexionViewTest, ScrollToEndPutsTheCursorOnTheLastItem) {
    document_.Edit(QStringLiteral("Edit"), [](CVKT_ResourceContainer& resources) {
        resources.New<CVKT_Text>("second");
        resources.New<CVKT_Text>("third");
        return true;
    });
    ShowCreated();
    view_->ShowPanel(3, false);
    EXPECT_EQ(view_->GetCurrentPanel()->GetCursorItem(), 0);
    view_->ShowPanel(3, true);
    EXPECT_EQ(view_->GetCurrentPanel()->GetCursorItem(), 2);
    // An empty panel has no item to go to.
    view_->ShowPanel(0, true);
    EXPECT_EQ(view_->GetCurrentPanel()->GetItemCount(), 0);
    EXPECT_EQ(view_->CurrentPanelIndex(), 0);
}

TEST_F(PlexionViewTest, ResizingMovesEveryPanel) {
    ShowCreated();
    view_->resize(640, 480);
    QTest::qWait(10);
    for (int index = 0; index < 8; ++index) {
        EXPECT_EQ(view_->Panel(index)->geometry(), QRect(0, 0, 640, 480)) << index;
    }
}

TEST_F(PlexionViewTest, RefreshAllPanelsRebuildsEveryList) {
    ShowCreated();
    CResourcePanel* texts = view_->Panel(3);
    view_->ShowPanel(3, false);
    const int rows = texts->GetRowCount();
    view_->ShowPanel(0, false);
    Resources().New<CVKT_Text>("direct");
    view_->RefreshAllPanels();
    // The hidden panel fills its list when it is shown.
    view_->ShowPanel(3, false);
    EXPECT_EQ(texts->GetRowCount(), rows + 1);
}

TEST_F(PlexionViewTest, PanelsShowingAChangeFollowItThroughUndoAndRedo) {
    ShowCreated();
    view_->ShowPanel(3, false);
    CResourcePanel* texts = view_->Panel(3);
    const int rows = texts->GetRowCount();
    document_.Edit(QStringLiteral("Insert Item"),
                   [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("new") >= 0; });
    EXPECT_EQ(texts->GetRowCount(), rows + 1);
    document_.Undo();
    EXPECT_EQ(texts->GetRowCount(), rows);
    document_.Redo();
    EXPECT_EQ(texts->GetRowCount(), rows + 1);
}

TEST_F(PlexionViewTest, HiddenPanelsFillTheirListsWhenFirstShown) {
    Resources().New<CVKT_Text>("first");
    Resources().New<CVKT_Text>("second");
    Resources().New<CVKT_Text>("third");
    ShowCreated();
    CResourcePanel* texts = view_->Panel(3);
    EXPECT_EQ(texts->GetRowCount(), 0);
    view_->ShowPanel(3, false);
    EXPECT_EQ(texts->GetRowCount(), texts->GetItemCount());
    EXPECT_EQ(texts->GetCursorItem(), 0);
    texts->SetMarked(1, false, true, false);
    texts->SetCursorItem(2);
    view_->ShowPanel(0, false);
    view_->RefreshAllPanels();
    view_->ShowPanel(3, false);
    EXPECT_TRUE(texts->IsMarked(1));
    EXPECT_EQ(texts->GetCursorItem(), 2);
}

TEST_F(PlexionViewTest, TheClockRunsOnlyWhileTheViewIsActive) {
    ShowCreated();
    EXPECT_FALSE(view_->IsStepTimerRunning());
    view_->OnActivateView(true);
    EXPECT_TRUE(view_->IsStepTimerRunning());
    EXPECT_EQ(view_->StepTimerPeriod(), 8);
    view_->OnActivateView(false);
    EXPECT_FALSE(view_->IsStepTimerRunning());
}

TEST_F(PlexionViewTest, TheClockPeriodComesFromTheDocument) {
    ShowCreated();
    const std::pair<const char*, int> cases[] = {
        {"20", 20}, {"0", 1}, {"-7", 1}, {"soon", 1}, {nullptr, 8}};
    for (const auto& [text, period] : cases) {
        SetDelay(text);
        view_->OnActivateView(true);
        EXPECT_EQ(view_->StepTimerPeriod(), period) << (text ? text : "missing");
        view_->OnActivateView(false);
    }
}

TEST_F(PlexionViewTest, TheClockSleepsWhileTheShownPreviewStandsStill) {
    AddMovingItems();
    ShowCreated();
    view_->ShowPanel(3, false);
    view_->OnActivateView(true);
    ExpectSleepingClock("Texts");
    for (const CAnimatedPanelCase& moving : kAnimatedPanels) {
        view_->ShowPanel(moving.panel, false);
        ExpectSteps(moving.name);
        moving.stop(view_->GetCurrentPanel());
        ExpectSleepingClock(moving.name);
        moving.start(view_->GetCurrentPanel());
        ExpectSteps(moving.name);
    }
    view_->ShowPanel(0, false);
    ExpectSleepingClock("Bitmaps");
    view_->OnActivateView(false);
    EXPECT_FALSE(view_->IsStepTimerRunning());
}

TEST_F(PlexionViewTest, AStepRepaintsThePreviewAlone) {
    AddMovingItems();
    ShowCreated();
    view_->OnActivateView(true);
    for (const CAnimatedPanelCase& moving : kAnimatedPanels) {
        view_->ShowPanel(moving.panel, false);
        CResourcePanel* panel = view_->GetCurrentPanel();
        QWidget* preview = moving.preview(panel);
        // Showing the panel paints all of it once.
        QTest::qWait(50);
        const CPaintCounter paints(panel);
        ASSERT_TRUE(QTest::qWaitFor([&] { return paints.Of(preview) >= 5; })) << moving.name;
        EXPECT_EQ(paints.OthersThan(preview), QStringList()) << moving.name;
        EXPECT_EQ(paints.Of(panel->Grid()), 0) << moving.name;
        // The animation's picture area repaints the frames and the lines
        // under them, not the rest.
        const bool uncovered = !(QRegion(preview->rect()) - paints.Covered(preview)).isEmpty();
        EXPECT_EQ(uncovered, moving.partial) << moving.name;
    }
}

TEST_F(PlexionViewTest, EditingTheStepDelayChangesTheRunningClocksPeriod) {
    ShowCreated();
    view_->OnActivateView(true);
    const int index = document_.Resources().Find<CVKT_Text>(CPlexionDocCore::kGameStepDelayId);
    document_.Edit(QStringLiteral("Edit Text"), [index](CVKT_ResourceContainer& resources) {
        resources.GetAt<CVKT_Text>(index)->SetText("20");
        return true;
    });
    EXPECT_EQ(view_->StepTimerPeriod(), 20);
}

TEST_F(PlexionViewTest, NoClockBeforeThePanelsExist) {
    view_->SetStepTimer(true, true);
    EXPECT_FALSE(view_->IsStepTimerRunning());
    EXPECT_FALSE(view_->StepCurrentPanel());
}

TEST_F(PlexionViewTest, DestroyingAnActiveViewStopsItsClock) {
    ShowCreated();
    view_->OnActivateView(true);
    QTest::qWait(30);
    view_.reset();
    SUCCEED();
}

}  // namespace
}  // namespace plexion
