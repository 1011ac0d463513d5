#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <chrono>
#include <memory>
#include <optional>

#include "autosave_setting.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace plexion {

class CAudioSystem;
class CChildFrame;
class CPlexionDoc;
class CPlexionView;
class CRecentFiles;
class CRecoveryFolder;

// The editor's main window: menus, toolbar and status bar around the area
// that holds one window per open document. It routes the commands to the
// active document and its view, opens documents (File Open, recent files,
// dropped files) and asks about unsaved changes before it closes.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CRecentFiles& recentFiles, CAudioSystem& audio, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QMdiArea* MdiArea() const { return mdiArea_; }
    QToolBar* ToolBar() const { return toolBar_; }
    // The action of a command id of command_ids.h; null for an unknown id.
    QAction* Action(int commandId) const { return actions_.value(commandId); }

    QList<CChildFrame*> ChildFrames() const;
    // The document window commands go to, null when none is open.
    CChildFrame* ActiveChildFrame() const;
    CPlexionView* ActiveView() const;
    CPlexionDoc* ActiveDocument() const;
    // The window of the open document whose file is `path`, or null.
    CChildFrame* FindChildFrame(const QString& path) const;

    // Opens `path` in a new document window; a file already open only has
    // its window brought to the front. A failure shows "Error occured while
    // loading !" and leaves the other documents as they were.
    bool OpenResourceFile(const QString& path);
    // Opens like OpenResourceFile but shows nothing of its own on failure:
    // the command line and the recent-file list open this way.
    bool OpenDocumentFile(const QString& path);
    // Files dropped on the window, opened in the given order; more than one
    // are tiled, and the last opened one ends up active.
    void OpenDroppedFiles(const QStringList& paths);
    CChildFrame* NewDocument();
    // Asks about every changed document; false when one answer kept it.
    bool SaveAllModified();
    // Closes every document window without asking.
    void CloseAllDocuments();
    // Repaints the window and everything in it, after the interface colours
    // changed.
    void RepaintEverything();

    // From now on every document keeps a recovery copy in `folder` while it
    // is modified, as often as `setting` says; GUI Settings changes it.
    void KeepRecoveryCopies(CRecoveryFolder& folder, const CAutosaveSetting& setting);
    std::chrono::seconds AutosavePeriod() const { return autosavePeriod_; }
    // Takes a document opened from a recovery copy; `recoveryEntry` is that
    // copy in the recovery folder (-1 when it could not be moved there).
    CChildFrame* AddRecoveredDocument(std::unique_ptr<CPlexionDoc> document, int recoveryEntry);

    // The File Open command's remembered filter (0: resource files).
    int OpenFilterIndex() const { return openFilterIndex_; }

    // The commands, as their actions trigger them.
    void OnFileNew();
    void OnFileOpen();
    void OnCheckIntegrity();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QAction* MakeAction(int commandId);
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void ConnectCommands();
    void BuildFileMenu();
    void AddRecentFileEntries(QMenu* menu);
    void BuildWindowList();
    // Closes the window holding `path`, other than `saving`'s, once the
    // user agrees; false when it stays.
    bool ReleaseFileFor(const CPlexionDoc* saving, const QString& path);
    void OpenRecentFile(const QString& path);
    bool OpenDocument(const QString& path, bool reportFailure);
    CChildFrame* AddChildFrame(std::unique_ptr<CPlexionDoc> document, int recoveryEntry = -1);
    void OnGuiSettings();
    // Autosave failures show in the status bar.
    void WatchAutosave(CPlexionDoc& document);
    void SetAutosavePeriod(std::chrono::seconds period);
    void ActivateChildFrame(CChildFrame* frame);
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnDocumentCountChanged();
    void UpdateCommandStates();
    void UpdatePanelChecks();
    // "&Undo Delete 3 Items", "&Redo …" of the active document.
    void UpdateUndoCommands();
    void UpdateTitle();
    QString DesiredTitle() const;

    CRecentFiles& recentFiles_;
    CAudioSystem& audio_;
    QMdiArea* mdiArea_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QHash<int, QAction*> actions_;
    // A window, not a frame: the area speaks of windows while their frame
    // part is already gone.
    QPointer<QMdiSubWindow> activeWindow_;
    // Whether the last open that failed was refused its password.
    bool lastOpenRefusedPassword_ = false;
    bool hadDocuments_ = false;
    int openFilterIndex_ = 0;
    CRecoveryFolder* recoveryFolder_ = nullptr;
    std::optional<CAutosaveSetting> autosaveSetting_;
    std::chrono::seconds autosavePeriod_ = CAutosaveSetting::kDefault;
};

}  // namespace plexion
