#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "child_frame.h"
#include "command_ids.h"
#include "plexion_doc.h"
#include "main_frame_fixture.h"
#include "modal_answer.h"
#include "resource_container.h"
#include "text_item.h"

namespace plexion::test {
namespace {

using namespace command;

const QStringList kFileWithoutDocument = {
    "&New\tCtrl+N", "&Open...\tCtrl+O", "-", "P&rint Setup...", "-", "Recent File", "-", "E&xit"};

const QStringList kEditWithNothingToUndo = {"&Undo\tCtrl+Z", "&Redo\tCtrl+Y", "-", "Cut", "Copy",
                                            "Paste"};

TEST_F(MainFrameTest, MenusWithoutADocument) {
    EXPECT_EQ(MenuBarTitles(),
              (QStringList{"&File", "&Edit", "&View", "&Tools", "&Settings", "&Help"}));
    EXPECT_EQ(MenuLabels(MenuNamed("&File")), kFileWithoutDocument);
    EXPECT_EQ(MenuLabels(MenuNamed("&Edit")), kEditWithNothingToUndo);
    EXPECT_EQ(MenuLabels(MenuNamed("&View")), (QStringList{"&Toolbar", "&Status Bar"}));
    const QMenu* tools = MenuNamed("&Tools");
    EXPECT_EQ(MenuLabels(tools), (QStringList{"&Video"}));
    EXPECT_EQ(MenuLabels(tools->actions().front()->menu()),
              (QStringList{"Convert AVI Video to &Image Files...",
                           "Convert Image Files to &AVI Video..."}));
    EXPECT_EQ(MenuLabels(MenuNamed("&Settings")),
              (QStringList{"&Audio Settings...", "&Graphical User Interface Settings..."}));
    EXPECT_EQ(MenuLabels(MenuNamed("&Help")),
              (QStringList{"View &Contributors...", "-", "&About Plexion..."}));
    EXPECT_FALSE(Action(kFileRecentFile)->isEnabled());
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("Plexion"));
}

TEST_F(MainFrameTest, MenusWithADocument) {
    frame_->NewDocument();
    EXPECT_EQ(MenuBarTitles(),
              (QStringList{"&File", "&Edit", "&View", "&Tools", "&Settings", "&Window", "&Help"}));
    EXPECT_EQ(MenuLabels(MenuNamed("&File")),
              (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "&Close", "&Save\tCtrl+S",
                           "Save &As...", "-", "&Print...\tCtrl+P", "Print Pre&view",
                           "P&rint Setup...", "-", "Recent File", "-", "Properties...", "-",
                           "E&xit"}));
    const QStringList window = MenuLabels(MenuNamed("&Window"));
    ASSERT_GE(window.size(), 3);
    EXPECT_EQ(window.mid(0, 3), (QStringList{"&Cascade", "&Tile", "&Arrange Icons"}));

    frame_->CloseAllDocuments();
    Settle();
    EXPECT_EQ(MenuBarTitles(),
              (QStringList{"&File", "&Edit", "&View", "&Tools", "&Settings", "&Help"}));
    EXPECT_EQ(MenuLabels(MenuNamed("&File")), kFileWithoutDocument);
}

TEST_F(MainFrameTest, WindowMenuListsTheDocumentsWithTheActiveOneChecked) {
    CChildFrame* first = frame_->NewDocument();
    CChildFrame* second = frame_->NewDocument();
    QMenu* window = MenuNamed("&Window");
    emit window->aboutToShow();
    const QList<QAction*> entries = window->actions();
    ASSERT_EQ(entries.size(), 6);
    EXPECT_TRUE(entries[3]->isSeparator());
    EXPECT_EQ(entries[4]->text(), "&1 " + first->Document()->Title());
    EXPECT_EQ(entries[5]->text(), "&2 " + second->Document()->Title());
    EXPECT_FALSE(entries[4]->isChecked());
    EXPECT_TRUE(entries[5]->isChecked());
    entries[4]->trigger();
    EXPECT_EQ(frame_->ActiveChildFrame(), first);
}

TEST_F(MainFrameTest, WindowMenuMarksUnsavedDocuments) {
    CChildFrame* first = frame_->NewDocument();
    CChildFrame* second = frame_->NewDocument();
    second->Document()->MarkUnsaved();
    QMenu* window = MenuNamed("&Window");
    emit window->aboutToShow();
    const QList<QAction*> entries = window->actions();
    ASSERT_EQ(entries.size(), 6);
    EXPECT_EQ(entries[4]->text(), "&1 " + first->Document()->Title());
    EXPECT_EQ(entries[5]->text(), "&2 " + second->Document()->Title() + " *");
}

TEST_F(MainFrameTest, ToolBarButtonsInOrder) {
    QStringList order;
    for (const QAction* action : frame_->ToolBar()->actions()) {
        order.append(action->isSeparator() ? QStringLiteral("-") : action->toolTip());
    }
    EXPECT_EQ(order, (QStringList{"New",
                                  "Open",
                                  "Save",
                                  "Undo",
                                  "Redo",
                                  "-",
                                  "Cut",
                                  "Copy",
                                  "Paste",
                                  "-",
                                  "Bitmaps (Ctrl 1)",
                                  "Animations (Ctrl 2)",
                                  "Maps (Ctrl 3)",
                                  "Texts and Parameters (Ctrl 4)",
                                  "Music and Sounds (Ctrl 5)",
                                  "Trajectories and Shapes (Ctrl 6)",
                                  "Binary Files (Ctrl 7)",
                                  "Colors (Ctrl 8)",
                                  "-",
                                  "Maintain Relationships",
                                  "Check Integrity",
                                  "-",
                                  "Print",
                                  "-",
                                  "About",
                                  "-",
                                  "Tile Windows",
                                  "Tile Windows"}));
    for (const QAction* action : frame_->ToolBar()->actions()) {
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->toolTip().toStdString();
            EXPECT_FALSE(action->statusTip().isEmpty()) << action->toolTip().toStdString();
        }
    }
    EXPECT_EQ(frame_->ToolBar()->iconSize(), QSize(16, 15));
}

TEST_F(MainFrameTest, CommandsWithoutEffectStayDisabledWithOrWithoutADocument) {
    const int never[] = {kEditCut, kEditCopy, kEditPaste, kMaintainRelationships};
    for (int id : never) {
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
    }
    for (int id : {kFileSave, kFilePrint, kCheckIntegrity, kPanelCommands[0],
                   kWindowTileHorizontally}) {
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
    }
    for (int id : {kFileNew, kFileOpen, kAppAbout, kAudioSettings, kGuiSettings,
                   kAviToImages, kImagesToAvi}) {
        EXPECT_TRUE(Action(id)->isEnabled()) << id;
    }
    frame_->NewDocument();
    for (int id : never) {
        EXPECT_FALSE(Action(id)->isEnabled()) << id;
    }
    for (int id : {kFileSave, kFilePrint, kCheckIntegrity, kPanelCommands[0],
                   kWindowTileHorizontally, kFileClose, kFileProperties}) {
        EXPECT_TRUE(Action(id)->isEnabled()) << id;
    }
}

TEST_F(MainFrameTest, PromptsAndTooltipsOfTheShellsOwnCommands) {
    EXPECT_EQ(Action(kCheckIntegrity)->statusTip(),
              QStringLiteral("Check integrity and search duplicates IDs"));
    EXPECT_EQ(Action(kAudioSettings)->toolTip(), QStringLiteral("Audio Out Settings"));
    EXPECT_EQ(Action(kGuiSettings)->statusTip(),
              QStringLiteral("Configure the layout of the graphical user interface"));
    EXPECT_EQ(Action(kPanelCommands[4])->statusTip(), QStringLiteral("View music and sounds"));
    EXPECT_EQ(Action(kMaintainRelationships)->statusTip(),
              QStringLiteral("Maintain relationships between panels"));
    EXPECT_EQ(Action(kFileProperties)->statusTip(),
              QStringLiteral("Displays the properties of this document"));
    EXPECT_EQ(Action(kPanelCommands[7])->shortcut(), QKeySequence(QStringLiteral("Ctrl+8")));
    EXPECT_EQ(Action(kFileSave)->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
}

TEST_F(MainFrameTest, StatusBarHasTheMessageAndThreeLockPanes) {
    QStringList panes;
    for (const QLabel* label : frame_->statusBar()->findChildren<QLabel*>()) {
        panes.append(label->text());
    }
    EXPECT_EQ(panes, (QStringList{"Ready", "CAP", "NUM", "SCRL"}));
}

TEST_F(MainFrameTest, LockPanesFollowTheKeyboardState) {
    const QList<QLabel*> labels = frame_->statusBar()->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 4);
    QLabel* caps = labels[1];
    QLabel* num = labels[2];
    QLabel* scroll = labels[3];
    auto press = [this](int key, quint32 state) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, 0, 0, state);
        QCoreApplication::sendEvent(frame_->windowHandle(), &event);
    };
    press(Qt::Key_A, 1u << 1);
    EXPECT_TRUE(caps->isEnabled());
    EXPECT_FALSE(num->isEnabled());
    press(Qt::Key_A, 1u << 4);
    EXPECT_FALSE(caps->isEnabled());
    EXPECT_TRUE(num->isEnabled());
    EXPECT_FALSE(scroll->isEnabled());
    press(Qt::Key_ScrollLock, 0);
    EXPECT_TRUE(scroll->isEnabled());
    press(Qt::Key_ScrollLock, 0);
    EXPECT_FALSE(scroll->isEnabled());
}

TEST_F(MainFrameTest, ToolbarAndStatusBarCanBeHiddenFromTheViewMenu) {
    Action(kViewToolbar)->trigger();
    EXPECT_FALSE(frame_->ToolBar()->isVisible());
    EXPECT_FALSE(Action(kViewToolbar)->isChecked());
    Action(kViewToolbar)->trigger();
    EXPECT_TRUE(frame_->ToolBar()->isVisible());
    Action(kViewStatusBar)->trigger();
    EXPECT_FALSE(frame_->statusBar()->isVisible());
}

TEST_F(MainFrameTest, RecentFilesReplaceThePlaceholderAndOpenTheirDocument) {
    const QString path = MakeDocument("recent.dat");
    recent_->Add(path);
    QStringList labels = MenuLabels(MenuNamed("&File"));
    EXPECT_FALSE(labels.contains("Recent File"));
    ASSERT_TRUE(labels.contains("&1 " + path));
    QAction* entry = nullptr;
    for (QAction* action : MenuNamed("&File")->actions()) {
        if (action->text() == "&1 " + path) {
            entry = action;
        }
    }
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->statusTip(), QStringLiteral("Open this document"));
    entry->trigger();
    ASSERT_EQ(frame_->ChildFrames().size(), 1);
    EXPECT_EQ(frame_->ActiveDocument()->PathName(), path);
}

TEST_F(MainFrameTest, ARecentFileThatNoLongerOpensLeavesTheList) {
    const QString path = QString::fromStdString(folder_.File("gone.dat"));
    recent_->Add(path);
    for (QAction* action : MenuNamed("&File")->actions()) {
        if (action->text() == "&1 " + path) {
            action->trigger();
            break;
        }
    }
    EXPECT_TRUE(frame_->ChildFrames().isEmpty());
    EXPECT_TRUE(recent_->Files().isEmpty());
    EXPECT_TRUE(MenuLabels(MenuNamed("&File")).contains("Recent File"));
}

// A mistyped password is no reason to forget the file; the dialog names it.
TEST_F(MainFrameTest, ARecentFileWhosePasswordWasRefusedStaysInTheList) {
    const QString path = QString::fromStdString(folder_.File("locked.dat"));
    {
        CVKT_ResourceContainer resources;
        resources.GetAt<CVKT_Text>(resources.New<CVKT_Text>("settings_password"))->SetText("pw");
        ASSERT_EQ(resources.Save(path.toStdString()), 1);
    }
    recent_->Add(path);
    QString named;
    AnswerModal<QDialog>([&named](QDialog* dialog) {
        if (dialog->windowTitle() != "Password Protection") {
            return;
        }
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            named += label->text();
        }
        dialog->findChild<QLineEdit*>(QStringLiteral("1001"))->setText("wrong");
        AnswerModal<QMessageBox>([](QMessageBox* box) { box->accept(); });
        dialog->accept();
    });
    for (QAction* action : MenuNamed("&File")->actions()) {
        if (action->text() == "&1 " + path) {
            action->trigger();
            break;
        }
    }
    EXPECT_TRUE(frame_->ChildFrames().isEmpty());
    EXPECT_TRUE(named.contains("locked.dat")) << named.toStdString();
    EXPECT_EQ(recent_->Files(), QStringList({path}));
}

}  // namespace
}  // namespace plexion::test
