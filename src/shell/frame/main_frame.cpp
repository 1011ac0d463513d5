#include "main_frame.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include <array>

#include "about_dialog.h"
#include "child_frame.h"
#include "command_ids.h"
#include "command_texts.h"
#include "interface_colors.h"
#include "lock_key_indicators.h"
#include "plexion_doc.h"
#include "plexion_view.h"
#include "recent_files.h"
#include "toolbar_icons.h"

namespace plexion {

using namespace command;

namespace {

// Every command the frame knows, each with its shortcut where it has one.
struct CCommandKey {
    int id;
    QKeySequence key;
};

const std::array kCommandKeys = {
    CCommandKey{kFileNew, QKeySequence(Qt::CTRL | Qt::Key_N)},
    CCommandKey{kFileOpen, QKeySequence(Qt::CTRL | Qt::Key_O)},
    CCommandKey{kFileClose, {}},
    CCommandKey{kFileSave, QKeySequence(Qt::CTRL | Qt::Key_S)},
    CCommandKey{kFileSaveAs, {}},
    CCommandKey{kFilePrint, QKeySequence(Qt::CTRL | Qt::Key_P)},
    CCommandKey{kFilePrintPreview, {}},
    CCommandKey{kFilePrintSetup, {}},
    CCommandKey{kFileRecentFile, {}},
    CCommandKey{kFileProperties, {}},
    CCommandKey{kAppExit, {}},
    CCommandKey{kViewToolbar, {}},
    CCommandKey{kViewStatusBar, {}},
    CCommandKey{kAviToImages, {}},
    CCommandKey{kImagesToAvi, {}},
    CCommandKey{kAudioSettings, {}},
    CCommandKey{kGuiSettings, {}},
    CCommandKey{kWindowCascade, {}},
    CCommandKey{kWindowTileHorizontally, {}},
    CCommandKey{kWindowTileVertically, {}},
    CCommandKey{kWindowArrangeIcons, {}},
    CCommandKey{kViewContributors, {}},
    CCommandKey{kAppAbout, {}},
    CCommandKey{kEditUndo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
    CCommandKey{kEditRedo, QKeySequence(Qt::CTRL | Qt::Key_Y)},
    CCommandKey{kEditCut, {}},
    CCommandKey{kEditCopy, {}},
    CCommandKey{kEditPaste, {}},
    CCommandKey{kMaintainRelationships, {}},
    CCommandKey{kCheckIntegrity, {}},
    CCommandKey{kPanelCommands[0], QKeySequence(Qt::CTRL | Qt::Key_1)},
    CCommandKey{kPanelCommands[1], QKeySequence(Qt::CTRL | Qt::Key_2)},
    CCommandKey{kPanelCommands[2], QKeySequence(Qt::CTRL | Qt::Key_3)},
    CCommandKey{kPanelCommands[3], QKeySequence(Qt::CTRL | Qt::Key_4)},
    CCommandKey{kPanelCommands[4], QKeySequence(Qt::CTRL | Qt::Key_5)},
    CCommandKey{kPanelCommands[5], QKeySequence(Qt::CTRL | Qt::Key_6)},
    CCommandKey{kPanelCommands[6], QKeySequence(Qt::CTRL | Qt::Key_7)},
    CCommandKey{kPanelCommands[7], QKeySequence(Qt::CTRL | Qt::Key_8)},
};

// The toolbar's buttons in order; 0 is a separator.
constexpr std::array kToolBarLayout = {
    kFileNew,           kFileOpen,          kFileSave,          kEditUndo,
    kEditRedo,          0,
    kEditCut,           kEditCopy,          kEditPaste,         0,
    kPanelCommands[0],  kPanelCommands[1],  kPanelCommands[2],  kPanelCommands[3],
    kPanelCommands[4],  kPanelCommands[5],  kPanelCommands[6],  kPanelCommands[7],
    0,                  kMaintainRelationships,                 kCheckIntegrity,
    0,                  kFilePrint,         0,                  kAppAbout,
    0,                  kWindowTileHorizontally,                kWindowTileVertically,
};

}  // namespace

CMainFrame::CMainFrame(CRecentFiles& recentFiles, CAudioSystem& audio, QWidget* parent)
    : QMainWindow(parent), recentFiles_(recentFiles), audio_(audio) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(ApplicationIcon());
    setAcceptDrops(true);
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ConnectCommands();
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    connect(&recentFiles_, &CRecentFiles::changed, this, &CMainFrame::BuildFileMenu);
    CInterfaceColors::Instance().SetRepaintHook([this] { RepaintEverything(); });
    OnDocumentCountChanged();
}

CMainFrame::~CMainFrame() {
    CInterfaceColors::Instance().SetRepaintHook(nullptr);
    // The documents go while the frame they report to is still whole; the
    // area's news of their going is no longer wanted.
    disconnect(mdiArea_, nullptr, this, nullptr);
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        delete window;
    }
}

QAction* CMainFrame::MakeAction(int commandId) {
    const CCommandText* text = CommandText(commandId);
    auto* action = new QAction(QString::fromUtf8(text->label), this);
    action->setData(commandId);
    action->setStatusTip(QString::fromUtf8(text->prompt));
    action->setToolTip(QString::fromUtf8(text->toolTip));
    action->setIcon(CommandIcon(commandId));
    actions_.insert(commandId, action);
    // Shortcuts work whether or not the toolbar or a menu shows the action.
    addAction(action);
    return action;
}

void CMainFrame::CreateActions() {
    for (const CCommandKey& command : kCommandKeys) {
        MakeAction(command.id)->setShortcut(command.key);
    }
    for (int id : kPanelCommands) {
        Action(id)->setCheckable(true);
    }
    // Redo answers both keys editors use for it.
    Action(kEditRedo)->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    Action(kViewToolbar)->setCheckable(true);
    Action(kViewStatusBar)->setCheckable(true);
    // Nothing in the editor cuts, copies, pastes or keeps relationships
    // between panels: these buttons stay disabled.
    for (int id : {kEditCut, kEditCopy, kEditPaste, kMaintainRelationships}) {
        Action(id)->setEnabled(false);
    }
    Action(kFileRecentFile)->setEnabled(false);
}

void CMainFrame::CreateMenus() {
    QMenuBar* bar = menuBar();
    fileMenu_ = bar->addMenu(QStringLiteral("&File"));
    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->addAction(Action(kEditUndo));
    edit->addAction(Action(kEditRedo));
    edit->addSeparator();
    edit->addAction(Action(kEditCut));
    edit->addAction(Action(kEditCopy));
    edit->addAction(Action(kEditPaste));
    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->addAction(Action(kViewToolbar));
    view->addAction(Action(kViewStatusBar));
    QMenu* tools = bar->addMenu(QStringLiteral("&Tools"));
    QMenu* video = tools->addMenu(QStringLiteral("&Video"));
    video->addAction(Action(kAviToImages));
    video->addAction(Action(kImagesToAvi));
    QMenu* settings = bar->addMenu(QStringLiteral("&Settings"));
    settings->addAction(Action(kAudioSettings));
    settings->addAction(Action(kGuiSettings));
    windowMenu_ = bar->addMenu(QStringLiteral("&Window"));
    connect(windowMenu_, &QMenu::aboutToShow, this, &CMainFrame::BuildWindowList);
    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->addAction(Action(kViewContributors));
    help->addSeparator();
    help->addAction(Action(kAppAbout));
}

void CMainFrame::CreateToolBar() {
    toolBar_ = new QToolBar(QStringLiteral("Toolbar"), this);
    toolBar_->setObjectName(QStringLiteral("ToolBar"));
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    for (int id : kToolBarLayout) {
        if (id == 0) {
            toolBar_->addSeparator();
        } else {
            toolBar_->addAction(Action(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, toolBar_);
    Action(kViewToolbar)->setChecked(true);
    connect(toolBar_, &QToolBar::visibilityChanged, Action(kViewToolbar), &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->addWidget(new QLabel(QStringLiteral("Ready"), bar), 1);
    // The status bar owns the panes and their watcher.
    new CLockKeyIndicators(*bar);
    Action(kViewStatusBar)->setChecked(true);
}

void CMainFrame::BuildFileMenu() {
    const bool open = !ChildFrames().isEmpty();
    fileMenu_->clear();
    fileMenu_->addAction(Action(kFileNew));
    fileMenu_->addAction(Action(kFileOpen));
    if (open) {
        fileMenu_->addAction(Action(kFileClose));
        fileMenu_->addAction(Action(kFileSave));
        fileMenu_->addAction(Action(kFileSaveAs));
    }
    fileMenu_->addSeparator();
    if (open) {
        fileMenu_->addAction(Action(kFilePrint));
        fileMenu_->addAction(Action(kFilePrintPreview));
    }
    fileMenu_->addAction(Action(kFilePrintSetup));
    fileMenu_->addSeparator();
    AddRecentFileEntries(fileMenu_);
    fileMenu_->addSeparator();
    if (open) {
        fileMenu_->addAction(Action(kFileProperties));
        fileMenu_->addSeparator();
    }
    fileMenu_->addAction(Action(kAppExit));
}

void CMainFrame::AddRecentFileEntries(QMenu* menu) {
    const QStringList& files = recentFiles_.Files();
    if (files.isEmpty()) {
        menu->addAction(Action(kFileRecentFile));
        return;
    }
    const QString prompt = Action(kFileRecentFile)->statusTip();
    for (int index = 0; index < files.size(); ++index) {
        // "&1" … "&9", then "1&0", then the numbers alone.
        const int number = index + 1;
        const QString label = number < 10    ? QStringLiteral("&%1").arg(number)
                              : number == 10 ? QStringLiteral("1&0")
                                             : QString::number(number);
        const QString path = files[index];
        QAction* entry = menu->addAction(label + u' ' + QDir::toNativeSeparators(path));
        entry->setStatusTip(prompt);
        connect(entry, &QAction::triggered, this, [this, path] { OpenRecentFile(path); });
    }
}

void CMainFrame::BuildWindowList() {
    windowMenu_->clear();
    windowMenu_->addAction(Action(kWindowCascade));
    windowMenu_->addAction(Action(kWindowTileHorizontally));
    windowMenu_->addAction(Action(kWindowArrangeIcons));
    const QList<CChildFrame*> frames = ChildFrames();
    if (frames.isEmpty()) {
        return;
    }
    windowMenu_->addSeparator();
    CChildFrame* active = ActiveChildFrame();
    for (int index = 0; index < frames.size(); ++index) {
        CChildFrame* frame = frames[index];
        const QString label = index < 9 ? QStringLiteral("&%1 ").arg(index + 1)
                                        : QStringLiteral("%1 ").arg(index + 1);
        // The window's title: the name, and " *" while there are unsaved
        // changes. A "&" in a file name is a letter, not a mnemonic.
        QAction* entry = windowMenu_->addAction(
            label + frame->windowTitle().replace(QLatin1Char('&'), QStringLiteral("&&")));
        entry->setCheckable(true);
        entry->setChecked(frame == active);
        entry->setStatusTip(QStringLiteral("Activate this window"));
        connect(entry, &QAction::triggered, this,
                [this, window = QPointer<CChildFrame>(frame)] {
                    if (window) {
                        ActivateChildFrame(window);
                    }
                });
    }
}

}  // namespace plexion
