#include "child_frame.h"

#include <QCloseEvent>

#include "plexion_doc.h"
#include "plexion_view.h"

namespace plexion {

CChildFrame::CChildFrame(std::unique_ptr<CPlexionDoc> document, QWidget* parent)
    : QMdiSubWindow(parent), document_(std::move(document)) {
    setAttribute(Qt::WA_DeleteOnClose);
    document_->SetDialogParent(this);
    view_ = new CPlexionView(document_.get(), this);
    setWidget(view_);
    connect(document_.get(), &CPlexionDoc::titleChanged, this, &CChildFrame::UpdateTitle);
    connect(document_.get(), &CPlexionDoc::modifiedChanged, this, &CChildFrame::UpdateTitle);
    UpdateTitle();
}

CChildFrame::~CChildFrame() {
    closed_ = true;
    // The view and its panels refer to the document: they go first.
    delete view_;
}

void CChildFrame::InitialUpdateFrame() {
    view_->OnInitialUpdate();
    showMaximized();
}

void CChildFrame::CloseWithoutQuestion() {
    questionAnswered_ = true;
    close();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (!questionAnswered_ && !document_->SaveModified()) {
        event->ignore();
        return;
    }
    questionAnswered_ = true;
    view_->SetStepTimer(true, false);
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted()) {
        closed_ = true;
        emit closed();
    }
}

void CChildFrame::UpdateTitle() {
    // The mark is written out rather than left to Qt's "[*]": a maximized
    // window would hand that on to the main window's title, which shows
    // the mark its own way.
    const QString mark = document_->IsModified() ? QStringLiteral(" *") : QString();
    setWindowTitle(document_->Title() + mark);
    emit titleChanged();
}

}  // namespace plexion
