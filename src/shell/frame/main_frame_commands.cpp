#include <QAction>
#include <QEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

#include "about_dialog.h"
#include "audio_settings_dialog.h"
#include "bitmap_item.h"
#include "child_frame.h"
#include "command_ids.h"
#include "contributors_dialog.h"
#include "gui_settings_dialog.h"
#include "interface_colors.h"
#include "main_frame.h"
#include "mdi_arrangement.h"
#include "message_box_presenter.h"
#include "panel_set.h"
#include "plexion_doc.h"
#include "plexion_view.h"
#include "print_placeholder.h"
#include "video_run.h"

namespace plexion {

using namespace command;

namespace {

// The commands that act on the active document or its windows.
constexpr int kDocumentCommands[] = {
    kFileClose,     kFileSave,          kFileSaveAs,     kFilePrint,
    kFilePrintPreview, kFileProperties, kCheckIntegrity, kWindowCascade,
    kWindowTileHorizontally, kWindowTileVertically, kWindowArrangeIcons,
};

}  // namespace

void CMainFrame::ConnectCommands() {
    auto on = [this](int id, auto handler) {
        connect(Action(id), &QAction::triggered, this, handler);
    };
    auto onDocument = [this](int id, auto handler) {
        connect(Action(id), &QAction::triggered, this, [this, handler] {
            if (CPlexionDoc* document = ActiveDocument()) {
                handler(*document);
            }
        });
    };
    on(kFileNew, &CMainFrame::OnFileNew);
    on(kFileOpen, &CMainFrame::OnFileOpen);
    on(kFileClose, [this] {
        if (CChildFrame* frame = ActiveChildFrame()) {
            frame->close();
        }
    });
    onDocument(kEditUndo, [](CPlexionDoc& document) { document.Undo(); });
    onDocument(kEditRedo, [](CPlexionDoc& document) { document.Redo(); });
    onDocument(kFileSave, [](CPlexionDoc& document) { document.DoFileSave(); });
    onDocument(kFileSaveAs, [](CPlexionDoc& document) { document.DoSaveAs(); });
    onDocument(kFileProperties, [](CPlexionDoc& document) { document.ShowProperties(); });
    on(kFilePrint, [this] { PrintPlaceholderPage(this); });
    on(kFilePrintPreview, [this] { PreviewPlaceholderPage(this); });
    on(kFilePrintSetup, [this] { ShowPrintSetup(this); });
    on(kAppExit, &QWidget::close);
    on(kViewToolbar, [this](bool shown) { toolBar_->setVisible(shown); });
    on(kViewStatusBar, [this](bool shown) { statusBar()->setVisible(shown); });
    on(kAudioSettings, [this] { RunAudioSettingsCommand(this, audio_); });
    on(kGuiSettings, &CMainFrame::OnGuiSettings);
    on(kWindowCascade, [this] { mdiArea_->cascadeSubWindows(); });
    on(kWindowTileHorizontally, [this] { TileHorizontally(*mdiArea_); });
    on(kWindowTileVertically, [this] { TileVertically(*mdiArea_); });
    on(kWindowArrangeIcons, [this] { ArrangeIcons(*mdiArea_); });
    on(kViewContributors, [this] { ShowContributorsDialog(this); });
    on(kAppAbout, [this] { ShowAboutBox(this); });
    on(kCheckIntegrity, &CMainFrame::OnCheckIntegrity);
    on(kImagesToAvi, [this] { RunImagesToAviCommand(*this); });
    on(kAviToImages, [this] { RunAviToImagesCommand(*this); });
    for (int index = 0; index < kPanelCount; ++index) {
        on(kPanelCommands[index], [this, index] {
            if (CPlexionView* view = ActiveView()) {
                view->ShowPanel(index, false);
            }
            UpdatePanelChecks();
        });
    }
}

void CMainFrame::OnCheckIntegrity() {
    CPlexionView* view = ActiveView();
    if (view == nullptr || !view->CheckIntegrity()) {
        return;
    }
    QMessageBox::information(this, MessageBoxTitle(), QStringLiteral("OK."));
}

void CMainFrame::OnDocumentCountChanged() {
    const bool open = !ChildFrames().isEmpty();
    if (open != hadDocuments_ || fileMenu_->isEmpty()) {
        hadDocuments_ = open;
        BuildFileMenu();
        windowMenu_->menuAction()->setVisible(open);
    }
    BuildWindowList();
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates() {
    const bool open = ActiveChildFrame() != nullptr;
    for (int id : kDocumentCommands) {
        Action(id)->setEnabled(open);
    }
    for (int id : kPanelCommands) {
        Action(id)->setEnabled(open);
    }
    UpdatePanelChecks();
    UpdateUndoCommands();
    UpdateTitle();
}

void CMainFrame::UpdateUndoCommands() {
    CPlexionDoc* document = ActiveDocument();
    // The menu entry and the button's tooltip name the step: "&Undo Delete
    // 3 Items\tCtrl+Z", "Undo Delete 3 Items".
    const auto update = [](QAction* action, const QString& verb, const QString& key,
                           bool enabled, const QString& step) {
        action->setEnabled(enabled);
        const QString named = enabled && !step.isEmpty() ? u' ' + step : QString();
        action->setText(u'&' + verb + named + u'\t' + key);
        action->setToolTip(verb + named);
    };
    const bool canUndo = document != nullptr && document->History().CanUndo();
    const bool canRedo = document != nullptr && document->History().CanRedo();
    update(Action(kEditUndo), QStringLiteral("Undo"), QStringLiteral("Ctrl+Z"), canUndo,
           canUndo ? document->History().UndoText() : QString());
    update(Action(kEditRedo), QStringLiteral("Redo"), QStringLiteral("Ctrl+Y"), canRedo,
           canRedo ? document->History().RedoText() : QString());
}

void CMainFrame::UpdatePanelChecks() {
    CPlexionView* view = ActiveView();
    const int current = view != nullptr ? view->CurrentPanelIndex() : -1;
    for (int index = 0; index < kPanelCount; ++index) {
        Action(kPanelCommands[index])->setChecked(index == current);
    }
}

QString CMainFrame::DesiredTitle() const {
    const QString product = QString::fromLatin1(kProductName);
    const CPlexionDoc* document = ActiveDocument();
    if (document == nullptr) {
        return product;
    }
    const QString mark = document->IsModified() ? QStringLiteral(" *") : QString();
    return product + QStringLiteral(" - ") + document->Title() + mark;
}

void CMainFrame::UpdateTitle() {
    const QString title = DesiredTitle();
    if (windowTitle() != title) {
        setWindowTitle(title);
    }
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A maximized document window writes its own title into the main
    // window's; the active document's name and mark are what belongs there.
    if (event->type() == QEvent::WindowTitleChange && mdiArea_ != nullptr) {
        UpdateTitle();
    }
}

void CMainFrame::RepaintEverything() {
    CVKT_Bitmap::SetRegionColor(CInterfaceColors::Instance().Get(InterfaceColor::DialogText));
    for (QWidget* child : findChildren<QWidget*>()) {
        child->update();
    }
    repaint();
}

}  // namespace plexion
