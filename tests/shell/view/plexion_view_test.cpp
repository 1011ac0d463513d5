#include <gtest/gtest.h>

#include <QTest>

#include <memory>

#include "plexion_doc.h"
#include "plexion_doc_core.h"
#include "plexion_view.h"
#include "resource_container.h"
#include "resource_panel.h"
#include "text_item.h"

namespace plexion {
namespace {

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
