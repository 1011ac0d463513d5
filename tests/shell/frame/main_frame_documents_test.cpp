#include <QAbstractButton>
#include <QAction>
#include <QFileDialog>
#include <QMdiArea>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "child_frame.h"
#include "command_ids.h"
#include "main_frame_fixture.h"
#include "modal_answer.h"
#include "plexion_doc.h"
#include "plexion_doc_core.h"
#include "plexion_view.h"
#include "resource_container.h"
#include "resource_panel.h"
#include "text_item.h"

namespace plexion::test {
namespace {

using namespace command;

// Answers the next message box, keeping its text.
std::shared_ptr<QString> AnswerMessage(QMessageBox::StandardButton button = QMessageBox::Ok) {
    auto text = std::make_shared<QString>();
    AnswerModal<QMessageBox>([text, button](QMessageBox* box) {
        *text = box->text();
        box->button(button)->click();
    });
    return text;
}

void Drop(QWidget& target, const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls.append(QUrl::fromLocalFile(path));
    }
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &drop);
}

int UntitledNumber(const CChildFrame* frame) {
    const QString title = frame->Document()->Title();
    EXPECT_TRUE(title.startsWith(QStringLiteral("Plexio"))) << title.toStdString();
    return title.mid(6).toInt();
}

TEST_F(MainFrameTest, NewDocumentsAreNumberedPlexioOneTwo) {
    CChildFrame* first = frame_->NewDocument();
    CChildFrame* second = frame_->NewDocument();
    const int number = UntitledNumber(first);
    EXPECT_GE(number, 1);
    EXPECT_EQ(UntitledNumber(second), number + 1);
    EXPECT_TRUE(second->isMaximized());
    EXPECT_EQ(frame_->ActiveChildFrame(), second);
    EXPECT_EQ(second->View()->CurrentPanelIndex(), 0);
    EXPECT_TRUE(Action(kPanelCommands[0])->isChecked());
    // A new document holds its game-step parameter.
    EXPECT_EQ(GameStepDelay(second->Document()->Resources()), 8);
}

TEST_F(MainFrameTest, TitleShowsTheActiveDocumentAndItsUnsavedChanges) {
    CChildFrame* child = frame_->NewDocument();
    const QString name = child->Document()->Title();
    EXPECT_EQ(frame_->windowTitle(), "Plexion - " + name);
    child->Document()->Edit(QStringLiteral("Edit"), [](CVKT_ResourceContainer& resources) {
        return resources.New<CVKT_Text>("added") >= 0;
    });
    EXPECT_EQ(frame_->windowTitle(), "Plexion - " + name + " *");
    EXPECT_EQ(child->windowTitle(), name + " *");
    child->Document()->History().Stack().setClean();
    EXPECT_EQ(frame_->windowTitle(), "Plexion - " + name);
    EXPECT_EQ(child->windowTitle(), name);
}

TEST_F(MainFrameTest, ClosingAChangedDocumentAsksAndCancelKeepsIt) {
    CChildFrame* child = frame_->NewDocument();
    const QString name = child->Document()->Title();
    child->Document()->MarkUnsaved();
    auto question = AnswerMessage(QMessageBox::Cancel);
    Action(kFileClose)->trigger();
    EXPECT_EQ(*question, "Save changes to " + name + "?");
    Settle();
    ASSERT_EQ(frame_->ChildFrames().size(), 1);

    question = AnswerMessage(QMessageBox::No);
    Action(kFileClose)->trigger();
    Settle();
    EXPECT_EQ(*question, "Save changes to " + name + "?");
    EXPECT_TRUE(frame_->ChildFrames().isEmpty());
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("Plexion"));
    EXPECT_FALSE(Action(kFileSave)->isEnabled());
}

// Answers the message box whose text is `text` with `button` and counts it.
void AnswerQuestion(const QString& text, QMessageBox::StandardButton button,
                    std::shared_ptr<int> asked) {
    AnswerModalWidget([text, button, asked](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || box->text() != text) {
            return false;
        }
        ++*asked;
        box->button(button)->click();
        return true;
    });
}

TEST_F(MainFrameTest, ExitAsksForEveryChangedDocumentAndCancelKeepsTheEditor) {
    CChildFrame* first = frame_->NewDocument();
    CChildFrame* second = frame_->NewDocument();
    first->Document()->MarkUnsaved();
    second->Document()->MarkUnsaved();
    auto firstAsked = std::make_shared<int>(0);
    auto secondAsked = std::make_shared<int>(0);
    AnswerQuestion("Save changes to " + first->Document()->Title() + "?", QMessageBox::No,
                   firstAsked);
    AnswerQuestion("Save changes to " + second->Document()->Title() + "?", QMessageBox::Cancel,
                   secondAsked);
    EXPECT_FALSE(frame_->close());
    EXPECT_EQ(*firstAsked, 1);
    EXPECT_EQ(*secondAsked, 1);
    EXPECT_TRUE(frame_->isVisible());
    EXPECT_EQ(frame_->ChildFrames().size(), 2);

    first->Document()->History().Stack().setClean();
    second->Document()->History().Stack().setClean();
    EXPECT_TRUE(frame_->close());
    Settle();
    EXPECT_TRUE(frame_->ChildFrames().isEmpty());
}

TEST_F(MainFrameTest, ControlFiveShowsMusicAndSoundsAndChecksItsButton) {
    CChildFrame* child = frame_->NewDocument();
    frame_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_.get()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_5, Qt::ControlModifier);
    CPlexionView* view = child->View();
    EXPECT_EQ(view->CurrentPanelIndex(), 4);
    EXPECT_EQ(view->GetCurrentPanel()->Title(), QStringLiteral("Music and Sounds"));
    EXPECT_TRUE(view->GetCurrentPanel()->isVisible());
    EXPECT_FALSE(view->Panel(0)->isVisible());
    for (int index = 0; index < 8; ++index) {
        EXPECT_EQ(Action(kPanelCommands[index])->isChecked(), index == 4) << index;
    }
    // Again: nothing changes.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(view->CurrentPanelIndex(), 4);
    EXPECT_TRUE(Action(kPanelCommands[4])->isChecked());
    EXPECT_TRUE(view->GetCurrentPanel()->isVisible());

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_8, Qt::ControlModifier);
    EXPECT_EQ(view->GetCurrentPanel()->Title(), QStringLiteral("Colors"));
    EXPECT_TRUE(Action(kPanelCommands[7])->isChecked());
    EXPECT_FALSE(Action(kPanelCommands[4])->isChecked());
}

TEST_F(MainFrameTest, ThePanelButtonsFollowTheActiveDocument) {
    CChildFrame* first = frame_->NewDocument();
    Action(kPanelCommands[2])->trigger();
    CChildFrame* second = frame_->NewDocument();
    EXPECT_TRUE(Action(kPanelCommands[0])->isChecked());
    frame_->MdiArea()->setActiveSubWindow(first);
    EXPECT_TRUE(Action(kPanelCommands[2])->isChecked());
    EXPECT_FALSE(Action(kPanelCommands[0])->isChecked());
    EXPECT_EQ(second->View()->CurrentPanelIndex(), 0);
}

TEST_F(MainFrameTest, CheckIntegrityOfASoundDocumentSaysOk) {
    frame_->NewDocument();
    const auto message = std::make_shared<QString>();
    const auto icon = std::make_shared<QMessageBox::Icon>(QMessageBox::NoIcon);
    AnswerModal<QMessageBox>([message, icon](QMessageBox* box) {
        *message = box->text();
        *icon = box->icon();
        box->accept();
    });
    Action(kCheckIntegrity)->trigger();
    EXPECT_EQ(*message, QStringLiteral("OK."));
    EXPECT_EQ(*icon, QMessageBox::Information);
}

TEST_F(MainFrameTest, CheckIntegrityShowsTheFirstFaultyPanelAndNoOk) {
    CChildFrame* child = frame_->NewDocument();
    child->Document()->Edit(QStringLiteral("Edit"), [](CVKT_ResourceContainer& resources) {
        resources.New<CVKT_Text>("twice");
        resources.New<CVKT_Text>("twice");
        return true;
    });
    child->View()->RefreshAllPanels();
    auto messages = std::make_shared<QStringList>();
    auto panelWhileTold = std::make_shared<int>(-1);
    CPlexionView* view = child->View();
    AnswerModal<QMessageBox>([messages, panelWhileTold, view](QMessageBox* box) {
        messages->append(box->text());
        *panelWhileTold = view->CurrentPanelIndex();
        box->accept();
    });
    Action(kCheckIntegrity)->trigger();
    QTest::qWait(50);
    // The faulty panel is in front while the user reads what is wrong.
    EXPECT_EQ(*panelWhileTold, 3);
    EXPECT_EQ(child->View()->CurrentPanelIndex(), 3);
    EXPECT_TRUE(Action(kPanelCommands[3])->isChecked());
    ASSERT_EQ(messages->size(), 1);
    EXPECT_NE(messages->front(), QStringLiteral("OK."));
}

TEST_F(MainFrameTest, FileOpenAppendsDatToANameWithoutExtension) {
    const QString path = MakeDocument("level.dat");
    SetCurrentResourcePath(folder_.File("start.dat"));
    AnswerModal<QFileDialog>([](QFileDialog* dialog) {
        dialog->selectFile(QStringLiteral("level"));
        static_cast<QDialog*>(dialog)->accept();
    });
    Action(kFileOpen)->trigger();
    ASSERT_EQ(frame_->ChildFrames().size(), 1);
    EXPECT_EQ(frame_->ActiveDocument()->PathName(), path);
    EXPECT_EQ(frame_->OpenFilterIndex(), 0);
    EXPECT_TRUE(frame_->ActiveChildFrame()->isMaximized());
    EXPECT_EQ(recent_->Files().value(0), path);
    SetCurrentResourcePath("");
}

TEST_F(MainFrameTest, OpeningAMissingFileSaysSoAndKeepsTheOthers) {
    CChildFrame* kept = frame_->NewDocument();
    auto message = AnswerMessage();
    EXPECT_FALSE(frame_->OpenResourceFile(QString::fromStdString(folder_.File("missing.dat"))));
    EXPECT_EQ(*message, QStringLiteral("Error occured while loading !"));
    EXPECT_EQ(frame_->ChildFrames(), QList<CChildFrame*>{kept});
    EXPECT_EQ(frame_->ActiveChildFrame(), kept);
}

TEST_F(MainFrameTest, DroppingThreeFilesOpensThreeAndTilesThem) {
    const QStringList paths = {MakeDocument("one.dat"), MakeDocument("two.dat"),
                               MakeDocument("three.dat")};
    Drop(*frame_, paths);
    const QList<CChildFrame*> frames = frame_->ChildFrames();
    ASSERT_EQ(frames.size(), 3);
    const QRect area = frame_->MdiArea()->viewport()->rect();
    QList<int> tops;
    for (CChildFrame* child : frames) {
        EXPECT_FALSE(child->isMaximized());
        EXPECT_EQ(child->geometry().left(), 0);
        EXPECT_EQ(child->geometry().width(), area.width());
        tops.append(child->geometry().top());
    }
    std::sort(tops.begin(), tops.end());
    EXPECT_EQ(tops, (QList<int>{0, area.height() / 3, area.height() * 2 / 3}));
    EXPECT_EQ(frame_->ActiveDocument()->PathName(), paths.back());
}

TEST_F(MainFrameTest, DroppingOneFileDoesNotTile) {
    Drop(*frame_, {MakeDocument("one.dat")});
    ASSERT_EQ(frame_->ChildFrames().size(), 1);
    EXPECT_TRUE(frame_->ChildFrames().front()->isMaximized());
}

TEST_F(MainFrameTest, AFileAlreadyOpenIsBroughtToTheFrontNotOpenedTwice) {
    const QString one = MakeDocument("one.dat");
    const QString two = MakeDocument("two.dat");
    ASSERT_TRUE(frame_->OpenResourceFile(one));
    CChildFrame* first = frame_->ActiveChildFrame();
    ASSERT_TRUE(frame_->OpenResourceFile(two));
    Drop(*frame_, {one});
    EXPECT_EQ(frame_->ChildFrames().size(), 2);
    EXPECT_EQ(frame_->ActiveChildFrame(), first);
    // The same file named another way is still the same file.
    ASSERT_TRUE(frame_->OpenResourceFile(QString::fromStdString(folder_.File("./two.dat"))));
    EXPECT_EQ(frame_->ChildFrames().size(), 2);
    EXPECT_EQ(frame_->ActiveDocument()->PathName(), two);
}

TEST_F(MainFrameTest, ADroppedFileThatFailsIsReportedAndTheRestStillOpen) {
    auto message = AnswerMessage();
    Drop(*frame_, {QString::fromStdString(folder_.File("missing.dat")), MakeDocument("one.dat")});
    EXPECT_EQ(*message, QStringLiteral("Error occured while loading !"));
    ASSERT_EQ(frame_->ChildFrames().size(), 1);
    EXPECT_FALSE(frame_->ChildFrames().front()->isMaximized());
}

TEST_F(MainFrameTest, TileVerticallyPutsTheWindowsSideBySide) {
    frame_->NewDocument();
    frame_->NewDocument();
    Action(kWindowTileVertically)->trigger();
    const QRect area = frame_->MdiArea()->viewport()->rect();
    for (CChildFrame* child : frame_->ChildFrames()) {
        EXPECT_EQ(child->geometry().top(), 0);
        EXPECT_EQ(child->geometry().height(), area.height());
        EXPECT_EQ(child->geometry().width(), area.width() / 2);
    }
}

TEST_F(MainFrameTest, CascadeOverlapsTheWindowsAndArrangeIconsLinesUpTheMinimizedOnes) {
    CChildFrame* first = frame_->NewDocument();
    CChildFrame* second = frame_->NewDocument();
    Action(kWindowCascade)->trigger();
    EXPECT_FALSE(first->isMaximized());
    EXPECT_FALSE(second->isMaximized());
    EXPECT_NE(first->geometry().topLeft(), second->geometry().topLeft());

    first->showMinimized();
    second->showMinimized();
    first->move(300, 10);
    second->move(50, 200);
    Action(kWindowArrangeIcons)->trigger();
    const int bottom = frame_->MdiArea()->viewport()->rect().bottom() + 1;
    EXPECT_EQ(first->geometry().bottom() + 1, bottom);
    EXPECT_EQ(second->geometry().bottom() + 1, bottom);
    EXPECT_EQ(first->geometry().left(), 0);
    EXPECT_EQ(second->geometry().left(), first->geometry().right() + 1);
}

TEST_F(MainFrameTest, SavingADocumentPutsItFirstInTheRecentFiles) {
    CChildFrame* child = frame_->NewDocument();
    const QString path = QString::fromStdString(folder_.File("saved.dat"));
    ASSERT_TRUE(child->Document()->OnSaveDocument(path));
    EXPECT_EQ(recent_->Files().value(0), path);
    EXPECT_EQ(frame_->windowTitle(), QStringLiteral("Plexion - saved.dat"));
}

// Answers the message box whose text contains `part` with `button`.
void AnswerBoxContaining(const QString& part, QMessageBox::StandardButton button) {
    AnswerModalWidget([part, button](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || !box->text().contains(part)) {
            return false;
        }
        box->button(button)->click();
        return true;
    });
}

bool HoldsText(const QString& path, const std::string& id) {
    CVKT_ResourceContainer resources;
    return resources.Load(path.toStdString()) && resources.Find<CVKT_Text>(id) >= 0;
}

// Save As onto a file another window holds: that window closes once the
// user agrees (its unsaved changes asked about first), or the save does
// not happen and nothing is lost; two windows never hold one file.
TEST_F(MainFrameTest, SaveAsOntoAFileOpenInAnotherWindow) {
    struct CCase {
        const char* name;
        QMessageBox::StandardButton replace;
        QMessageBox::StandardButton saveOther;
        bool saved;
    };
    for (const CCase& test : {CCase{"replace", QMessageBox::Yes, QMessageBox::No, true},
                              CCase{"keep", QMessageBox::No, QMessageBox::NoButton, false},
                              CCase{"cancel closing", QMessageBox::Yes, QMessageBox::Cancel,
                                    false}}) {
        const QString a = MakeDocument("a.dat");
        const QString b = MakeDocument("b.dat");
        ASSERT_TRUE(frame_->OpenResourceFile(a));
        CChildFrame* first = frame_->ActiveChildFrame();
        ASSERT_TRUE(frame_->OpenResourceFile(b));
        CChildFrame* second = frame_->ActiveChildFrame();
        first->Document()->Edit(QStringLiteral("Add Text"), [](CVKT_ResourceContainer& resources) {
            return resources.New<CVKT_Text>("from_a") >= 0;
        });
        second->Document()->Edit(QStringLiteral("Add Text"), [](CVKT_ResourceContainer& resources) {
            return resources.New<CVKT_Text>("from_b") >= 0;
        });
        // The file dialog's own "already exists" question is answered Yes.
        AnswerModal<QFileDialog>([&a](QFileDialog* dialog) {
            dialog->setOption(QFileDialog::DontConfirmOverwrite);
            dialog->selectFile(a);
            static_cast<QDialog*>(dialog)->accept();
        });
        AnswerBoxContaining("is open in another window", test.replace);
        if (test.saveOther != QMessageBox::NoButton) {
            AnswerBoxContaining("Save changes to", test.saveOther);
        }
        EXPECT_EQ(second->Document()->DoSaveAs(), test.saved) << test.name;
        Settle();
        EXPECT_EQ(HoldsText(a, "from_b"), test.saved) << test.name;
        EXPECT_FALSE(HoldsText(a, "from_a")) << test.name;
        EXPECT_EQ(frame_->ChildFrames().size(), test.saved ? 1 : 2) << test.name;
        QStringList paths;
        for (CChildFrame* frame : frame_->ChildFrames()) {
            paths << frame->Document()->PathName();
        }
        EXPECT_EQ(paths.removeDuplicates(), 0) << test.name;
        frame_->CloseAllDocuments();
        Settle();
    }
}

}  // namespace
}  // namespace plexion::test
