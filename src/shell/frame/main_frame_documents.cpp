#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include "child_frame.h"
#include "main_frame.h"
#include "mdi_arrangement.h"
#include "message_box_presenter.h"
#include "open_resources_dialog.h"
#include "plexion_doc.h"
#include "plexion_doc_core.h"
#include "plexion_view.h"
#include "recent_files.h"

namespace plexion {

namespace {

bool SameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    const QString canonicalFirst = first.canonicalFilePath();
    if (!canonicalFirst.isEmpty() && canonicalFirst == second.canonicalFilePath()) {
        return true;
    }
    return first.absoluteFilePath() == second.absoluteFilePath();
}

QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (data == nullptr) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.append(url.toLocalFile());
        }
    }
    return files;
}

}  // namespace

QList<CChildFrame*> CMainFrame::ChildFrames() const {
    QList<CChildFrame*> frames;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        auto* frame = qobject_cast<CChildFrame*>(window);
        if (frame != nullptr && !frame->IsClosed()) {
            frames.append(frame);
        }
    }
    return frames;
}

CChildFrame* CMainFrame::ActiveChildFrame() const {
    auto* frame = qobject_cast<CChildFrame*>(mdiArea_->currentSubWindow());
    if (frame != nullptr && !frame->IsClosed()) {
        return frame;
    }
    frame = qobject_cast<CChildFrame*>(activeWindow_.data());
    return frame != nullptr && !frame->IsClosed() ? frame : nullptr;
}

CPlexionView* CMainFrame::ActiveView() const {
    CChildFrame* frame = ActiveChildFrame();
    return frame != nullptr ? frame->View() : nullptr;
}

CPlexionDoc* CMainFrame::ActiveDocument() const {
    CChildFrame* frame = ActiveChildFrame();
    return frame != nullptr ? frame->Document() : nullptr;
}

CChildFrame* CMainFrame::FindChildFrame(const QString& path) const {
    for (CChildFrame* frame : ChildFrames()) {
        const QString open = frame->Document()->PathName();
        if (!open.isEmpty() && SameFile(open, path)) {
            return frame;
        }
    }
    return nullptr;
}

bool CMainFrame::OpenResourceFile(const QString& path) { return OpenDocument(path, true); }

bool CMainFrame::OpenDocumentFile(const QString& path) { return OpenDocument(path, false); }

bool CMainFrame::OpenDocument(const QString& path, bool reportFailure) {
    // A second document over the same file would let one save undo the
    // other's: the open one is brought to the front instead.
    if (CChildFrame* open = FindChildFrame(path)) {
        ActivateChildFrame(open);
        return true;
    }
    auto document = std::make_unique<CPlexionDoc>();
    document->SetDialogParent(this);
    lastOpenRefusedPassword_ = false;
    if (!document->OnOpenDocument(path)) {
        lastOpenRefusedPassword_ = document->PasswordRefused();
        if (reportFailure) {
            QMessageBox box(QMessageBox::NoIcon, MessageBoxTitle(),
                            QString::fromLatin1(CPlexionDocCore::kLoadFailedMessage),
                            QMessageBox::Ok, this);
            box.exec();
        }
        return false;
    }
    recentFiles_.Add(document->PathName());
    AddChildFrame(std::move(document));
    return true;
}

void CMainFrame::OpenDroppedFiles(const QStringList& paths) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    CChildFrame* last = nullptr;
    for (const QString& path : paths) {
        if (OpenResourceFile(path)) {
            last = FindChildFrame(path);
        }
    }
    if (paths.size() > 1) {
        TileHorizontally(*mdiArea_);
    }
    QApplication::restoreOverrideCursor();
    activateWindow();
    if (last != nullptr) {
        ActivateChildFrame(last);
    }
}

CChildFrame* CMainFrame::NewDocument() {
    auto document = std::make_unique<CPlexionDoc>();
    document->SetDialogParent(this);
    // A document whose parameter text could not be made still opens,
    // without it.
    document->OnNewDocument();
    return AddChildFrame(std::move(document));
}

CChildFrame* CMainFrame::AddChildFrame(std::unique_ptr<CPlexionDoc> document,
                                       int recoveryEntry) {
    CPlexionDoc* opened = document.get();
    if (recoveryFolder_ != nullptr) {
        opened->KeepRecoveryCopies(*recoveryFolder_, autosavePeriod_, recoveryEntry);
        WatchAutosave(*opened);
    }
    opened->SetPathClaim(
        [this, opened](const QString& path) { return ReleaseFileFor(opened, path); });
    auto* frame = new CChildFrame(std::move(document));
    frame->setWindowIcon(windowIcon());
    mdiArea_->addSubWindow(frame);
    connect(frame, &CChildFrame::titleChanged, this, [this] {
        UpdateTitle();
        BuildWindowList();
    });
    connect(frame, &CChildFrame::closed, this, &CMainFrame::OnDocumentCountChanged);
    connect(opened, &CPlexionDoc::pathNameSet, &recentFiles_, &CRecentFiles::Add);
    connect(&opened->History(), &CUndoHistory::changed, this, [this, opened] {
        if (ActiveDocument() == opened) {
            UpdateUndoCommands();
        }
    });
    connect(frame->View(), &CPlexionView::currentPanelChanged, this,
            &CMainFrame::UpdatePanelChecks);
    frame->InitialUpdateFrame();
    ActivateChildFrame(frame);
    OnDocumentCountChanged();
    return frame;
}

void CMainFrame::ActivateChildFrame(CChildFrame* frame) {
    if (frame->isMinimized()) {
        frame->showNormal();
    }
    frame->raise();
    mdiArea_->setActiveSubWindow(frame);
    // The area does not tell about a window that already was the current
    // one; the frame's state still has to follow it.
    if (activeWindow_ != frame) {
        OnSubWindowActivated(frame);
    }
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* window) {
    auto* frame = qobject_cast<CChildFrame*>(window);
    auto* previous = qobject_cast<CChildFrame*>(activeWindow_.data());
    if (frame == nullptr) {
        // The area tells null when the last window went or while the main
        // window is in the background; only the former ends the clock.
        if (previous == nullptr || previous->IsClosed()) {
            if (previous != nullptr) {
                previous->View()->OnActivateView(false);
            }
            activeWindow_ = nullptr;
        }
        UpdateCommandStates();
        return;
    }
    if (previous == frame) {
        return;
    }
    if (previous != nullptr) {
        previous->View()->OnActivateView(false);
    }
    activeWindow_ = frame;
    frame->View()->OnActivateView(true);
    UpdateCommandStates();
}

// Two windows never hold one file, so that one never saves over the
// other's work: a document saved onto a file another window holds takes
// its place once the user agreed and that window closed (its own unsaved
// changes asked about first).
bool CMainFrame::ReleaseFileFor(const CPlexionDoc* saving, const QString& path) {
    CChildFrame* holder = nullptr;
    for (CChildFrame* frame : ChildFrames()) {
        const QString open = frame->Document()->PathName();
        if (frame->Document() != saving && !open.isEmpty() && SameFile(open, path)) {
            holder = frame;
        }
    }
    if (holder == nullptr) {
        return true;
    }
    QMessageBox question(
        QMessageBox::Question, MessageBoxTitle(),
        QStringLiteral("%1 is open in another window.\nReplace it with this document? That "
                       "window will be closed.")
            .arg(QDir::toNativeSeparators(path)),
        QMessageBox::Yes | QMessageBox::No, this);
    question.setDefaultButton(QMessageBox::No);
    question.setEscapeButton(QMessageBox::No);
    if (question.exec() != QMessageBox::Yes) {
        return false;
    }
    holder->close();
    return holder->IsClosed();
}

void CMainFrame::OpenRecentFile(const QString& path) {
    // An entry whose file no longer opens leaves the list, as nothing else
    // tells the user why the click did nothing; a mistyped password is no
    // reason to forget the file.
    if (!OpenDocumentFile(path) && !lastOpenRefusedPassword_) {
        recentFiles_.Remove(path);
    }
}

bool CMainFrame::SaveAllModified() {
    for (CChildFrame* frame : ChildFrames()) {
        if (!frame->Document()->SaveModified()) {
            ActivateChildFrame(frame);
            return false;
        }
    }
    return true;
}

void CMainFrame::CloseAllDocuments() {
    for (CChildFrame* frame : ChildFrames()) {
        frame->CloseWithoutQuestion();
    }
}

void CMainFrame::OnFileNew() { NewDocument(); }

void CMainFrame::OnFileOpen() {
    const QString path = AskResourceFileToOpen(this, openFilterIndex_);
    if (!path.isEmpty()) {
        OpenResourceFile(path);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!SaveAllModified()) {
        event->ignore();
        return;
    }
    CloseAllDocuments();
    QMainWindow::closeEvent(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalFiles(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    OpenDroppedFiles(files);
}

}  // namespace plexion
