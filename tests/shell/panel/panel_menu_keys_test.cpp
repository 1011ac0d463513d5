#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QApplication>

#include <map>
#include <memory>

#include "modal_answer.h"
#include "resource_grid.h"
#include "text_item.h"
#include "text_list_panel.h"

namespace plexion::test {
namespace {

using Items = std::vector<int>;

struct CEntry {
    QString text;
    QString statusTip;
    bool enabled = false;
    bool hasIcon = false;
};

std::map<int, CEntry> Entries(QMenu& menu) {
    std::map<int, CEntry> entries;
    for (QAction* action : menu.actions()) {
        if (action->data().isValid()) {
            entries[action->data().toInt()] = {action->text(), action->statusTip(),
                                               action->isEnabled(), !action->icon().isNull()};
        }
    }
    return entries;
}

TEST(PanelMenu, EntriesLabelsAndDescriptions) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    const std::unique_ptr<QMenu> menu(panel->BuildContextMenu());
    const auto entries = Entries(*menu);
    ASSERT_EQ(entries.size(), 12u);
    EXPECT_EQ(entries.at(1).text, "&Insert Item(s)\tINS");
    EXPECT_EQ(entries.at(1).statusTip, "Add new items");
    EXPECT_EQ(entries.at(2).text, "D&elete Items\tDEL");
    EXPECT_EQ(entries.at(2).statusTip,
              "Delete the selected items including the item lying at the cursor position");
    EXPECT_EQ(entries.at(3).text, "&Group Items\tCtrl G");
    EXPECT_EQ(entries.at(4).text, "Move Index &Up\tCtrl Up");
    EXPECT_EQ(entries.at(5).text, "Move Index &Down\tCtrl Down");
    EXPECT_EQ(entries.at(6).text, "Select &All\tCtrl A");
    EXPECT_EQ(entries.at(7).text, "Select In&vert\tCtrl I");
    EXPECT_EQ(entries.at(8).text, "Select &None\tCtrl N");
    EXPECT_EQ(entries.at(9).text, "&Refresh\tF5");
    EXPECT_EQ(entries.at(10).text, "Find &Previous\tShift F3");
    EXPECT_EQ(entries.at(10).statusTip, "Find the previous occurence");
    EXPECT_EQ(entries.at(11).text, "&Find...\tCtrl F");
    EXPECT_EQ(entries.at(12).text, "Find Ne&xt\tF3");
    EXPECT_TRUE(entries.at(4).hasIcon);
    EXPECT_TRUE(entries.at(5).hasIcon);
    EXPECT_FALSE(entries.at(1).hasIcon);
    for (const auto& [id, entry] : entries) {
        EXPECT_TRUE(entry.enabled) << id;
    }
    // The order of the entries, separators and the Edit submenu.
    QStringList order;
    for (QAction* action : menu->actions()) {
        order << (action->isSeparator() ? "-"
                  : action->menu()      ? action->text()
                                        : action->data().toString());
    }
    EXPECT_EQ(order, QStringList({"1", "2", "-", "Edi&t", "-", "3", "4", "5", "-", "6", "7", "8",
                                  "-", "10", "11", "12", "-", "9"}));
}

TEST(PanelMenu, EmptyGroupLeavesOnlyInsertAndRefresh) {
    auto texts = MakeTexts({});
    auto panel = ShowPanel(texts.get());
    const std::unique_ptr<QMenu> menu(panel->BuildContextMenu());
    for (const auto& [id, entry] : Entries(*menu)) {
        EXPECT_EQ(entry.enabled, id == CResourcePanel::kInsertItems ||
                                     id == CResourcePanel::kRefreshItems)
            << id;
    }
}

// Once a popup menu shows, `choose` gets it: it picks an entry or closes it.
void WhenMenuShown(std::function<void(QMenu*)> choose) {
    constexpr int kMaxPolls = 4000;
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, polls, choose = std::move(choose)] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        const bool shown = menu != nullptr && menu->isVisible();
        if (shown) {
            choose(menu);
        }
        if (shown || ++*polls > kMaxPolls) {
            EXPECT_TRUE(shown) << "no menu opened";
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

void Choose(QMenu* menu, int id) {
    for (QAction* action : menu->actions()) {
        if (action->data().toInt() == id) {
            menu->setActiveAction(action);
            QTest::keyClick(menu, Qt::Key_Return);
            return;
        }
    }
    ADD_FAILURE() << "no entry " << id;
}

TEST(PanelMenu, TheMenuButtonOpensTheMenuBelowItAndRunsTheChoice) {
    auto texts = MakeTexts(Numbers(4));
    auto panel = ShowPanel(texts.get());
    QRect shownAt;
    WhenMenuShown([&shownAt](QMenu* menu) {
        shownAt = menu->geometry();
        Choose(menu, CResourcePanel::kSelectAll);
    });
    QTest::mouseClick(panel->MenuButton(), Qt::LeftButton);
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{0, 1, 2, 3}));
    const QAbstractButton* button = panel->MenuButton();
    EXPECT_EQ(shownAt.top(), button->mapToGlobal(QPoint(0, button->height())).y());
    EXPECT_NEAR(shownAt.center().x(), button->mapToGlobal(button->rect().center()).x(), 1);
}

TEST(PanelMenu, ControlSpaceOpensTheMenuAndClosingItDoesNothing) {
    auto texts = MakeTexts(Numbers(4));
    auto panel = ShowPanel(texts.get());
    WhenMenuShown([](QMenu* menu) { Choose(menu, CResourcePanel::kSelectInvert); });
    QTest::keyClick(panel->Grid(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{0, 1, 2, 3}));
    WhenMenuShown([](QMenu* menu) { menu->close(); });
    EXPECT_FALSE(panel->ShowContextMenu());
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{0, 1, 2, 3}));
}

TEST(PanelKeys, CommandKeysOnTheGrid) {
    auto texts = MakeTexts(Numbers(5));
    auto panel = ShowPanel(texts.get());
    CResourceGrid* grid = panel->Grid();
    ASSERT_TRUE(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{0, 1, 2, 3, 4}));
    QTest::keyClick(grid, Qt::Key_N, Qt::ControlModifier);
    EXPECT_TRUE(panel->GetAffectedItems(true, false).empty());
    panel->SetMarked(1, true, true, true);
    QTest::keyClick(grid, Qt::Key_I, Qt::ControlModifier);
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{0, 2, 3, 4}));
    QTest::keyClick(grid, Qt::Key_N, Qt::ControlModifier);
    // Control+Down moves the cursor item, Control+Up brings it back.
    QTest::keyClick(grid, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(TextIds(*texts), QStringList({"1", "0", "2", "3", "4"}));
    EXPECT_EQ(panel->GetCursorItem(), 1);
    QTest::keyClick(grid, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(TextIds(*texts), Numbers(5));
    QTest::keyClick(grid, Qt::Key_Insert);
    EXPECT_EQ(texts->Resources().GroupAt(0)->Count(), 6);
    EXPECT_EQ(panel->GetCursorItem(), 5);
    QTest::keyClick(grid, Qt::Key_Delete);
    EXPECT_EQ(panel->deleted, (Items{5}));
    EXPECT_EQ(TextIds(*texts), Numbers(5));
}

TEST(PanelKeys, GroupFindAndRefreshKeys) {
    auto texts = MakeTexts(Numbers(6));
    auto panel = ShowPanel(texts.get());
    CResourceGrid* grid = panel->Grid();
    panel->SetMarked(4, true, true, true);
    panel->SetCursorItem(1);
    QTest::keyClick(grid, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(TextIds(*texts), QStringList({"0", "1", "4", "2", "3", "5"}));
    RememberedFindOptions() = CFindOptions();
    RememberedFindOptions().text = "text 3";
    grid->MoveCursorTo(0, 0);
    QTest::keyClick(grid, Qt::Key_F3);
    EXPECT_EQ(grid->Sheet().Cursor(), QPoint(3, 5));
    QTest::keyClick(grid, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(grid->Sheet().Cursor(), QPoint(3, 5));
    RememberedFindOptions() = CFindOptions();
    Loaded(*texts).GroupAt(0)->GetAt(0)->SetID("renamed");
    QTest::keyClick(grid, Qt::Key_F5);
    EXPECT_EQ(grid->Sheet().DisplayText(2, 1), "renamed");
}

TEST(PanelKeys, AltWithControlIsNoCommand) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    CResourceGrid* grid = panel->Grid();
    grid->MoveCursorTo(0, 1);
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(panel->GetAffectedItems(true, false).empty());
    // Shift spoils the Control commands too.
    QTest::keyClick(grid, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(panel->GetAffectedItems(true, false).empty());
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(panel->deleted.empty());
}

TEST(PanelKeys, PanelKeysComeBeforeWindowShortcuts) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    int selectAllShortcuts = 0;
    int otherShortcuts = 0;
    auto* selectAll = new QAction(panel.get());
    selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    QObject::connect(selectAll, &QAction::triggered, [&] { ++selectAllShortcuts; });
    auto* other = new QAction(panel.get());
    other->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    QObject::connect(other, &QAction::triggered, [&] { ++otherShortcuts; });
    panel->addAction(selectAll);
    panel->addAction(other);
    QTest::keyClick(panel->Grid(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selectAllShortcuts, 0);
    EXPECT_EQ(panel->GetAffectedItems(true, false), (Items{0, 1, 2}));
    QTest::keyClick(panel->Grid(), Qt::Key_1, Qt::ControlModifier);
    EXPECT_EQ(otherShortcuts, 1);
}

TEST(PanelKeys, TabKeepsTheFocusInThePanel) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    QTest::keyClick(panel->Grid(), Qt::Key_Tab);
    EXPECT_TRUE(panel->Grid()->hasFocus());
    QTest::keyClick(panel->Grid(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(panel->Grid()->hasFocus());
    // The panel hands the focus it gets to the grid.
    panel->Grid()->clearFocus();
    panel->setFocus();
    EXPECT_TRUE(panel->Grid()->hasFocus());
}

TEST(PanelEdits, OneEditChangesTheColumnOfEveryMarkedItem) {
    auto texts = MakeTexts(Numbers(8));
    auto panel = ShowPanel(texts.get());
    for (const int item : {1, 2, 4, 5, 6}) {
        panel->SetMarked(item, false, true, true);
    }
    int edits = 0;
    QObject::connect(panel.get(), &CResourcePanel::itemsEdited, [&edits] { ++edits; });
    CResourceGrid* grid = panel->Grid();
    grid->MoveCursorTo(4, 4);
    AnswerModal<QDialog>([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>()->setText("42");
        dialog->accept();
    });
    QTest::keyClick(grid, Qt::Key_Return);
    std::vector<int> values;
    for (int i = 0; i < 8; ++i) {
        values.push_back(texts->Resources().GetAt<CVKT_Text>(i)->Value());
    }
    EXPECT_EQ(values, (std::vector<int>{0, 42, 42, 42, 42, 42, 42, 7}));
    EXPECT_EQ(grid->Sheet().DisplayText(4, 6), "+42");
    EXPECT_EQ(grid->Sheet().DisplayText(4, 8), "+7");
    EXPECT_EQ(edits, 1);
}

}  // namespace
}  // namespace plexion::test
