#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "plexion_doc_core.h"
#include "recovery_info.h"
#include "undo_history.h"

class QWidget;

namespace plexion {

class CDocumentAutosave;
class CRecoveryFolder;

// One open resource document of the editor: the document core with its
// windows' side of the life of a document — the untitled name, the path,
// the modified flag shown in the title, opening behind the password dialog,
// Save, Save As, the question on closing, and the Properties dialog.
//
// Panels change the document only through Edit; every edit is one step of
// the undo history, and the document is modified exactly when the history
// is away from the state last saved or opened.
class CPlexionDoc : public QObject {
    Q_OBJECT
public:
    // The template's document name: untitled documents are "Plexio1",
    // "Plexio2", …
    static constexpr const char* kDocumentName = "Plexio";

    explicit CPlexionDoc(QObject* parent = nullptr);
    ~CPlexionDoc() override;

    CPlexionDocCore& Core() { return core_; }
    const CVKT_ResourceContainer& Resources() const { return core_.Resources(); }

    // The one editing path (see CPlexionDocCore::Edit): one undo step named
    // `label` ("Delete 3 Items"). `origin` is the panel that made the edit
    // and shows it already; `changed` tells it to everyone else.
    bool Edit(const QString& label, const CPlexionDocCore::Change& change,
              QObject* origin = nullptr);
    // A command whose edits are separated by questions or progress: one
    // step from BeginEdit to EndEdit. Each Edit in between changes the
    // document at once; `changed` is emitted once, at EndEdit, naming
    // `origin` as the one that shows the change already. Pairs nest: the
    // outermost pair makes the step.
    void BeginEdit(const QString& label, QObject* origin = nullptr);
    void EndEdit();
    // Puts back everything changed since BeginEdit.
    void CancelEdit();
    CUndoHistory& History() { return history_; }
    // An open drag or stroke ends first.
    void Undo();
    void Redo();
    bool IsModified() const { return core_.IsModified(); }
    // A document whose state matches no saved file (a recovered one): it
    // stays modified until it is saved, whatever is undone.
    void MarkUnsaved();

    // Empty for a document that was never opened or saved.
    QString PathName() const { return pathName_; }
    // The file name of the path, or the untitled name.
    QString Title() const;

    // Asked before the document is written to a file: whether no other
    // window holds that file (the owner closes such a window, asking about
    // its changes first) — false keeps the file as it is and the save fails.
    // Without a claim every file is free.
    using PathClaim = std::function<bool(const QString& absolutePath)>;
    void SetPathClaim(PathClaim claim) { pathClaim_ = std::move(claim); }

    // Whether the last failed open failed on the password rather than on
    // the file.
    bool PasswordRefused() const { return passwordRefused_; }

    // Where message boxes and dialogs of the document are centred.
    void SetDialogParent(QWidget* parent) { dialogParent_ = parent; }
    QWidget* DialogParent() const { return dialogParent_; }

    // New: the game-step parameter, an untitled name.
    bool OnNewDocument();
    // Loads `path`; a non-empty document password must be typed. Shows
    // "Error: unreadable file format !" for a refused password; a file that
    // cannot be read at all returns false and shows nothing here.
    bool OnOpenDocument(const QString& path);
    // Opens a recovery copy of the document `info` describes: modified,
    // with the original file (if it had one) as its path, so that Save
    // writes there. Only a copy that reads whole opens; shows nothing but
    // the password question.
    CPlexionDocCore::OpenOutcome OnOpenRecoveryCopy(const QString& copy,
                                                    const SRecoveryInfo& info);
    // Saves to `path`; on failure shows "Error occured while saving !" and
    // keeps the path name. When another program changed the document's file
    // since it was read or saved, asks first whether to overwrite it or to
    // reload it and lose the changes made here.
    bool OnSaveDocument(const QString& path);
    // Reads the document's file again; on failure says so and keeps the
    // document as it was.
    bool ReloadFromDisk();
    // What the watcher does when the file changes: an unmodified document
    // offers to reload it (once per change). A modified one waits for its
    // save, which asks.
    void CheckFileOnDisk();
    // The Save command: to the path name, or as Save As without one or
    // when the file was not read whole (damaged, of another type, refused
    // or with unknown data): saving the part that was read over it would
    // lose the rest.
    bool DoFileSave();
    // Save As: asks for a file name, then saves there.
    bool DoSaveAs();
    // Before closing: "Save changes to %1?" for a modified document. False
    // when the user cancelled or the save failed (the document stays).
    bool SaveModified();
    // The Document Properties dialog; returns whether OK was pressed.
    bool ShowProperties();

    // Keeps a recovery copy in `folder` every `period` while the document
    // is modified; `entry` is the copy it already has there (see
    // CDocumentAutosave).
    void KeepRecoveryCopies(CRecoveryFolder& folder, std::chrono::seconds period,
                            int entry = -1);
    // Null until KeepRecoveryCopies.
    CDocumentAutosave* Autosave() const { return autosave_.get(); }

signals:
    // After every edit, undo and redo: what changed, and the panel that made
    // the edit (null for undo and redo).
    void changed(const plexion::CDocumentChange& change, QObject* origin);
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);
    // A successful open or save gave the document this path; the recent
    // file list takes it.
    void pathNameSet(const QString& path);
    // Around a reload: before, nothing may keep an item (voices, the game
    // clock); after, every panel shows the new content.
    void aboutToReload();
    void reloaded();

private:
    void SetPathName(const QString& path);
    void Watch();
    bool AskOverwriteOrReload();
    void SetModified(bool modified);
    // Ends the step BeginEdit opened, however deeply nested.
    void CloseOpenEdit();
    // The saved or opened state: the history starts clean from here.
    void StartHistory();

    // Before the core, which shows its messages through it.
    std::unique_ptr<IMessagePresenter> presenter_;
    CPlexionDocCore core_;
    CUndoHistory history_{core_};
    QObject* origin_ = nullptr;
    // The origin of the step BeginEdit opened, and how many BeginEdit calls
    // wait for their EndEdit.
    QObject* openOrigin_ = nullptr;
    int openEdits_ = 0;
    QString pathName_;
    QString untitledName_;
    bool readIncompletely_ = false;
    bool passwordRefused_ = false;
    PathClaim pathClaim_;
    QWidget* dialogParent_ = nullptr;
    QFileSystemWatcher watcher_;
    // Several notices of one save come as one check.
    QTimer fileCheck_;
    bool askingAboutFile_ = false;
    // The change on disk the user chose not to reload.
    std::optional<SFileStamp> declinedChange_;
    // Last, so that it goes first: it waits for its write and removes the
    // copy while the document is still whole.
    std::unique_ptr<CDocumentAutosave> autosave_;
};

}  // namespace plexion
