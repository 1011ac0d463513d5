#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QMouseEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "form_dialog.h"
#include "modal_answer.h"
#include "panel_host.h"
#include "panel_splitter.h"
#include "plexion_doc.h"
#include "resource_grid.h"
#include "text_item.h"
#include "text_list_panel.h"

namespace plexion::test {
namespace {

TEST(PanelLayout, SplitterGridTitleAndMenuButton) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    const QRect client = panel->rect();
    EXPECT_DOUBLE_EQ(panel->SplitRatio(), 0.5);
    EXPECT_EQ(panel->SplitterBar()->geometry(), QRect(300, 0, 7, 400));
    EXPECT_EQ(panel->Grid()->geometry(), QRect(0, 20, 300, 380));
    const QRect button = panel->MenuButton()->geometry();
    EXPECT_EQ(button.right(), 299);
    EXPECT_EQ(button.top(), 0);
    EXPECT_EQ(button.height(), 20);
    EXPECT_EQ(panel->MenuButton()->text(), "MENU (Ctrl Space)");
    EXPECT_EQ(panel->MenuButton()->toolTip(), "Display the contextual menu");
    EXPECT_EQ(panel->TitleRect(client), QRect(0, 0, button.left(), 20));
    EXPECT_EQ(panel->PreviewRect(client), QRect(307, 0, 293, 400));
    // The window is resized: the ratio keeps the splitter in proportion.
    panel->resize(801, 300);
    EXPECT_EQ(panel->SplitterBar()->x(), 401);
}

TEST(PanelLayout, NarrowPanelsKeepTheSplitterInside) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    panel->resize(100, 200);
    panel->Layout(true);
    EXPECT_EQ(panel->SplitterBar()->x(), 50);
    auto* splitter = static_cast<CPanelSplitter*>(panel->SplitterBar());
    EXPECT_EQ(splitter->Minimum(), 2);
    EXPECT_EQ(splitter->Maximum(), 91);
    panel->resize(8, 200);
    EXPECT_EQ(splitter->Minimum(), 2);
    EXPECT_EQ(splitter->Maximum(), 2);
    EXPECT_DOUBLE_EQ(panel->SplitRatio(), 2.0 / 8.0);
    EXPECT_EQ(panel->SplitterBar()->x(), 2);
    EXPECT_EQ(panel->Grid()->width(), 2);
    EXPECT_GE(panel->MenuButton()->x(), 0);
    // Growing again keeps the forced ratio.
    panel->resize(400, 200);
    EXPECT_EQ(panel->SplitterBar()->x(), 100);
    // A zero width leaves the ratio alone.
    panel->resize(0, 200);
    panel->Layout(true);
    EXPECT_DOUBLE_EQ(panel->SplitRatio(), 0.25);
}

TEST(PanelLayout, SplitterNearTheRightEdgeIsPulledBack) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    QWidget* bar = panel->SplitterBar();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(3, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(3 + 1000, 100), bar->mapToGlobal(QPointF(1003, 100)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(3, 100));
    EXPECT_EQ(bar->x(), 600 - 9);
    EXPECT_DOUBLE_EQ(panel->SplitRatio(), 591.0 / 600.0);
    EXPECT_EQ(panel->Grid()->width(), 591);
    // Dragging back by 191 pixels.
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(3, 100));
    QMouseEvent back(QEvent::MouseMove, QPointF(3 - 191, 100), bar->mapToGlobal(QPointF(-188, 100)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(bar, &back);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(-188, 100));
    EXPECT_EQ(bar->x(), 400);
    EXPECT_EQ(panel->Grid()->width(), 400);
}

// A panel with a preview toolbar holding a text field, as the panels with
// animated previews have.
class CToolbarPanel : public CTextListPanel {
public:
    explicit CToolbarPanel(const CVKT_ResourceContainer* container) : CTextListPanel(container) {}
    bool CreateChildren() override {
        toolbar_ = new QWidget(this);
        toolbar_->setFixedHeight(30);
        field_ = new QLineEdit(toolbar_);
        return CTextListPanel::CreateChildren();
    }
    QLineEdit* Field() const { return field_; }

protected:
    QWidget* PreviewToolbar() const override { return toolbar_; }

private:
    QWidget* toolbar_ = nullptr;
    QLineEdit* field_ = nullptr;
};

TEST(PanelLayout, ToolbarSitsAboveThePreviewAndTabReachesIt) {
    auto texts = MakeTexts(Numbers(3));
    CToolbarPanel panel(&texts->Resources());
    panel.CreatePanel(nullptr, QRect(0, 0, 600, 400));
    panel.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&panel));
    const QRect client = panel.rect();
    EXPECT_EQ(panel.PreviewToolbarRect(client), QRect(307, 0, 293, 30));
    EXPECT_EQ(panel.Field()->parentWidget()->geometry(), QRect(307, 0, 293, 30));
    EXPECT_EQ(panel.PreviewRect(client), QRect(307, 30, 293, 370));
    panel.Grid()->setFocus();
    QTest::keyClick(panel.Grid(), Qt::Key_Tab);
    EXPECT_TRUE(panel.Field()->hasFocus());
    QTest::keyClick(panel.Field(), Qt::Key_Tab);
    EXPECT_TRUE(panel.Grid()->hasFocus());
    QTest::keyClick(panel.Grid(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(panel.Field()->hasFocus());
    // Command keys need the grid focused: Control+A in the field is the
    // field's own.
    QTest::keyClick(panel.Field(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(panel.GetAffectedItems(true, false).empty());
}

TEST(PanelLayout, BandsSplitThePreviewEvenly) {
    auto texts = MakeTexts(Numbers(3));
    auto panel = ShowPanel(texts.get());
    const QRect preview(10, 20, 50, 100);
    EXPECT_EQ(panel->BandRect(preview, 0, 3), QRect(10, 20, 50, 33));
    EXPECT_EQ(panel->BandRect(preview, 1, 3), QRect(10, 53, 50, 33));
    EXPECT_EQ(panel->BandRect(preview, 2, 3), QRect(10, 86, 50, 34));
    EXPECT_EQ(panel->BandRect(preview, 0, 1), preview);
    // The tiled preview draws one band per affected item.
    panel->SetMarked(1, false, true, false);
    panel->SetMarked(2, false, true, false);
    panel->previewBands.clear();
    panel->RedrawPreviewArea();
    EXPECT_TRUE(panel->previewBands.empty()) << "painted with the next events, not at once";
    QCoreApplication::processEvents();
    const QRect area = panel->PreviewRect(panel->rect());
    ASSERT_EQ(panel->previewBands.size(), 3u);
    EXPECT_EQ(panel->previewBands[0], panel->BandRect(area, 0, 3));
    EXPECT_EQ(panel->previewBands[2].bottom(), area.bottom());
}

TEST(PanelLayout, PaintsTitleStripAndPreview) {
    auto texts = MakeTexts({"first", "second"});
    auto panel = ShowPanel(texts.get());
    const QImage image = panel->grab().toImage();
    const QRect title = panel->TitleRect(panel->rect());
    const QColor face = QColor(58, 110, 165);
    // Dialog Face at the ends of the strip, darker in the middle.
    const QColor left = image.pixelColor(title.left(), title.bottom());
    EXPECT_NEAR(left.red(), face.red(), 2);
    EXPECT_NEAR(left.blue(), face.blue(), 2);
    const QColor middle = image.pixelColor(title.center().x(), title.bottom());
    EXPECT_LT(middle.blue(), face.blue() - 40);
    // The preview names the cursor item over a separator line.
    const QRect preview = panel->PreviewRect(panel->rect());
    EXPECT_EQ(image.pixelColor(preview.left() + 5, preview.top()), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(preview.right() - 2, preview.bottom() - 2), face);
}

TEST(PanelDrop, PanelsThatTakeNoFilesSaySo) {
    auto texts = MakeTexts(Numbers(2));
    auto panel = ShowPanel(texts.get());
    QString message;
    AnswerModal<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    panel->DropFiles({"/tmp/a.png"});
    EXPECT_EQ(message, "This group of resources does not accept files !");
    EXPECT_TRUE(panel->addedFiles.isEmpty());
}

TEST(PanelDrop, DroppedFilesAreAddedInOrder) {
    auto texts = MakeTexts(Numbers(2));
    auto panel = ShowPanel(texts.get());
    panel->AcceptFiles(true);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile("/tmp/one.wav"), QUrl::fromLocalFile("/tmp/two.wav")});
    const QPoint at = panel->PreviewRect(panel->rect()).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(panel.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(panel.get(), &drop);
    EXPECT_EQ(panel->addedFiles, QStringList({"/tmp/one.wav", "/tmp/two.wav"}));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(PanelIntegrity, DuplicateIdsPointAtTheFirstItemAndSaySo) {
    auto texts = MakeTexts({"a", "b", "c", "b", "a"});
    auto panel = ShowPanel(texts.get());
    panel->SetCursorItem(4);
    QString message;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    AnswerModal<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        icon = box->icon();
        box->accept();
    });
    EXPECT_FALSE(panel->CheckIntegrity());
    EXPECT_EQ(message, "Texts and Parameters: Duplicate ID \"b\" (items 2 and 4).");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(panel->GetCursorItem(), 1);
}

TEST(PanelIntegrity, BrokenReferencesAndSoundGroups) {
    auto texts = MakeTexts({"a", "b", "c"});
    auto panel = ShowPanel(texts.get());
    EXPECT_TRUE(panel->CheckIntegrity());
    panel->brokenReference = 2;
    QString message;
    AnswerModal<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    EXPECT_FALSE(panel->CheckIntegrity());
    EXPECT_EQ(message, "Texts and Parameters: Item 3 names nothing.");
    EXPECT_EQ(panel->GetCursorItem(), 2);
}

TEST(PanelValuePrompt, OkStoresTheValueAndCancelKeepsIt) {
    auto texts = MakeTexts(Numbers(1));
    auto panel = ShowPanel(texts.get());
    QString caption;
    QStringList labels;
    AnswerModal<CFormDialog>([&](CFormDialog* dialog) {
        caption = dialog->windowTitle();
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            labels << label->text();
        }
        for (QPlainTextEdit* lines : dialog->findChildren<QPlainTextEdit*>()) {
            if (lines->isReadOnly()) {
                labels << lines->toPlainText();
            } else {
                lines->setPlainText("2.5\nmore");
            }
        }
        dialog->accept();
    });
    QString value = "1.0";
    EXPECT_TRUE(panel->EditValueDialog("Smooth", "Smoothing Range", value, true));
    EXPECT_EQ(value, "2.5\nmore");
    EXPECT_EQ(caption, "Smooth");
    EXPECT_TRUE(labels.contains("Smoothing Range"));
    EXPECT_TRUE(labels.contains("&Value"));
    EXPECT_TRUE(labels.contains("Previous Value:\n1.0"));
    AnswerModal<CFormDialog>([](CFormDialog* dialog) {
        dialog->findChild<QLineEdit*>()->setText("9");
        dialog->reject();
    });
    EXPECT_FALSE(panel->EditValueDialog("Quantify", "Quantify Step", value, false));
    EXPECT_EQ(value, "2.5\nmore");
}

class CCountingHost : public IPanelHost {
public:
    void RefreshAllPanels() override { ++refreshes; }
    void ShowPanelOf(CResourcePanel*) override { ++broughtToFront; }
    int CursorItemOf(int) const override { return -1; }
    void ShowPanelOfKind(int, bool) override {}
    void WakeGameClock() override {}
    int refreshes = 0;
    int broughtToFront = 0;
};

TEST(PanelDocument, EditsGoThroughTheDocument) {
    CPlexionDoc document;
    document.Edit(QStringLiteral("Insert Item"),
                  [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("first") >= 0; });
    document.History().Stack().setClean();
    CCountingHost host;
    CTextListPanel panel(nullptr);
    panel.SetDocument(&document, &host);
    panel.SetResourceContainer(&document.Resources());
    panel.CreatePanel(nullptr, QRect(0, 0, 500, 300));
    EXPECT_FALSE(document.IsModified());
    // A change that changes nothing leaves the document unmodified.
    EXPECT_FALSE(
        panel.EditDocument(QStringLiteral("Edit"), [](CVKT_ResourceContainer&) { return false; }));
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(host.refreshes, 0);
    panel.Grid()->MoveCursorTo(2, 1);
    AnswerModal<QDialog>([](QDialog* dialog) {
        dialog->findChild<QLineEdit*>()->setText("renamed");
        dialog->accept();
    });
    panel.Grid()->EditCell(QString());
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.Resources().GetAt<CVKT_Text>(0)->ID(), "renamed");
    EXPECT_EQ(host.refreshes, 0);
    // The document, not the panel, tells whoever shows the change.
    EXPECT_TRUE(panel.EditDocument(QStringLiteral("Insert Item"), [](CVKT_ResourceContainer& c) {
        return c.New<CVKT_Text>("x") >= 0;
    }));
    EXPECT_EQ(host.refreshes, 0);
}

// File dialogs start beside the document until a panel of the same kind
// used a folder; then every panel of that kind starts there.
TEST(PanelFolders, DialogsStartBesideTheDocumentThenInTheKindsLastFolder) {
    QTemporaryDir documents;
    QTemporaryDir pictures;
    CPlexionDoc saved;
    saved.OnNewDocument();
    ASSERT_TRUE(saved.OnSaveDocument(documents.filePath("game.dat")));
    CTextListPanel first(nullptr);
    first.SetDocument(&saved, nullptr);
    EXPECT_EQ(QDir(first.LastFolder()), QDir(documents.path()));

    first.SetLastFolder(pictures.path());
    CPlexionDoc untitled;
    CTextListPanel second(nullptr);
    second.SetDocument(&untitled, nullptr);
    EXPECT_EQ(QDir(second.LastFolder()), QDir(pictures.path()));
    // Forgotten again, so that other tests start as the editor does.
    second.SetLastFolder(QString());
    EXPECT_EQ(second.LastFolder(), QDir::homePath());
}

}  // namespace
}  // namespace plexion::test
