#include <QStatusBar>

#include "child_frame.h"
#include "document_autosave.h"
#include "gui_settings_dialog.h"
#include "main_frame.h"
#include "plexion_doc.h"

namespace plexion {

void CMainFrame::KeepRecoveryCopies(CRecoveryFolder& folder, const CAutosaveSetting& setting) {
    recoveryFolder_ = &folder;
    autosaveSetting_ = setting;
    autosavePeriod_ = setting.Load();
    for (CChildFrame* frame : ChildFrames()) {
        frame->Document()->KeepRecoveryCopies(folder, autosavePeriod_);
        WatchAutosave(*frame->Document());
    }
}

void CMainFrame::WatchAutosave(CPlexionDoc& document) {
    connect(document.Autosave(), &CDocumentAutosave::failed, this,
            [this, &document](const QString& why) {
                statusBar()->showMessage(
                    QStringLiteral("No recovery copy of %1: %2").arg(document.Title(), why));
            });
}

CChildFrame* CMainFrame::AddRecoveredDocument(std::unique_ptr<CPlexionDoc> document,
                                              int recoveryEntry) {
    return AddChildFrame(std::move(document), recoveryEntry);
}

void CMainFrame::OnGuiSettings() {
    int minutes = WholeMinutes(autosavePeriod_);
    if (!ShowGuiSettingsDialog(this, minutes)) {
        return;
    }
    // A period set outside the dialog in seconds stays as it is unless the
    // minutes shown were changed.
    if (minutes != WholeMinutes(autosavePeriod_)) {
        SetAutosavePeriod(std::chrono::minutes(minutes));
    }
    RepaintEverything();
}

void CMainFrame::SetAutosavePeriod(std::chrono::seconds period) {
    autosavePeriod_ = period;
    if (autosaveSetting_) {
        autosaveSetting_->Store(period);
    }
    for (CChildFrame* frame : ChildFrames()) {
        if (CDocumentAutosave* autosave = frame->Document()->Autosave()) {
            autosave->SetPeriod(period);
        }
    }
}

}  // namespace plexion
