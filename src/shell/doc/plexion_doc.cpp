#include "plexion_doc.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

#include "document_autosave.h"
#include "form_dialog.h"
#include "message_box_presenter.h"
#include "password_dialog.h"
#include "stored_text.h"

namespace plexion {
namespace {

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

QString FromLocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// Long enough for the notices of one save to arrive together.
constexpr int kFileCheckDelayMs = 200;

// Untitled documents are numbered for the whole run of the editor.
int NextUntitledNumber() {
    static int number = 0;
    return ++number;
}

}  // namespace

CPlexionDoc::CPlexionDoc(QObject* parent)
    : QObject(parent),
      presenter_(std::make_unique<CMessageBoxPresenter>([this] { return dialogParent_; })),
      core_(presenter_.get()) {
    fileCheck_.setSingleShot(true);
    fileCheck_.setInterval(kFileCheckDelayMs);
    connect(&fileCheck_, &QTimer::timeout, this, &CPlexionDoc::CheckFileOnDisk);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &fileCheck_,
            qOverload<>(&QTimer::start));
    core_.SetStepSink([this](std::unique_ptr<CEditStep> step) { history_.Push(std::move(step)); });
    core_.AddChangeListener(
        [this](const CDocumentChange& change) { emit changed(change, origin_); });
    connect(&history_.Stack(), &QUndoStack::cleanChanged, this,
            [this](bool clean) { SetModified(!clean); });
}

CPlexionDoc::~CPlexionDoc() {
    // The history's stack says it is clean again as it goes; nobody may hear
    // that from a document half destroyed.
    disconnect(&history_.Stack(), nullptr, this, nullptr);
    autosave_.reset();
}

void CPlexionDoc::KeepRecoveryCopies(CRecoveryFolder& folder, std::chrono::seconds period,
                                     int entry) {
    autosave_ = std::make_unique<CDocumentAutosave>(*this, folder, period, entry);
}

bool CPlexionDoc::Edit(const QString& label, const CPlexionDocCore::Change& change,
                       QObject* origin) {
    QObject* const outer = std::exchange(origin_, origin);
    const bool done = core_.Edit(label.toStdString(), change);
    origin_ = outer;
    return done;
}

void CPlexionDoc::BeginEdit(const QString& label, QObject* origin) {
    if (openEdits_++ == 0) {
        openOrigin_ = origin;
        core_.OpenStep(label.toStdString());
    }
}

void CPlexionDoc::EndEdit() {
    if (openEdits_ > 0 && --openEdits_ == 0) {
        CloseOpenEdit();
    }
}

void CPlexionDoc::CloseOpenEdit() {
    openEdits_ = 0;
    QObject* const outer = std::exchange(origin_, openOrigin_);
    core_.CloseStep();
    origin_ = outer;
    openOrigin_ = nullptr;
}

void CPlexionDoc::CancelEdit() {
    openEdits_ = 0;
    openOrigin_ = nullptr;
    core_.CancelStep();
}

void CPlexionDoc::Undo() {
    CloseOpenEdit();
    history_.Undo();
}

void CPlexionDoc::Redo() {
    CloseOpenEdit();
    history_.Redo();
}

void CPlexionDoc::MarkUnsaved() {
    history_.Stack().resetClean();
}

void CPlexionDoc::StartHistory() {
    history_.Clear();
    history_.Stack().setClean();
    SetModified(false);
}

void CPlexionDoc::SetModified(bool modified) {
    core_.SetModified(modified);
    emit modifiedChanged(modified);
}

QString CPlexionDoc::Title() const {
    return pathName_.isEmpty() ? untitledName_ : QFileInfo(pathName_).fileName();
}

void CPlexionDoc::SetPathName(const QString& path) {
    pathName_ = path;
    Watch();
    emit titleChanged(Title());
    emit pathNameSet(path);
}

void CPlexionDoc::Watch() {
    // A save elsewhere puts a new file in the old one's place, which ends
    // the watch on the old one: the name is watched again after each notice.
    const QStringList watched = watcher_.files();
    if (!watched.isEmpty() && watched != QStringList{pathName_}) {
        watcher_.removePaths(watched);
    }
    if (!pathName_.isEmpty() && !watcher_.files().contains(pathName_) &&
        QFileInfo::exists(pathName_)) {
        watcher_.addPath(pathName_);
    }
}

void CPlexionDoc::CheckFileOnDisk() {
    Watch();
    if (askingAboutFile_ || IsModified() || !core_.ChangedOnDisk()) {
        return;
    }
    const std::optional<SFileStamp> now = StampOfFile(LocalPath(pathName_));
    if (now && declinedChange_ && now->SameContentAs(*declinedChange_)) {
        return;
    }
    askingAboutFile_ = true;
    const auto answer = QMessageBox::question(
        dialogParent_, MessageBoxTitle(),
        QStringLiteral("The file %1 was changed by another program. Reload it?").arg(pathName_),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    askingAboutFile_ = false;
    if (answer == QMessageBox::Yes) {
        ReloadFromDisk();
    } else {
        declinedChange_ = now;
    }
}

bool CPlexionDoc::ReloadFromDisk() {
    emit aboutToReload();
    const bool reloaded = core_.ReloadDocument(
        [this] { return AskDocumentPassword(dialogParent_, QFileInfo(pathName_).fileName()); });
    emit this->reloaded();
    if (!reloaded) {
        QMessageBox::warning(
            dialogParent_, MessageBoxTitle(),
            QStringLiteral("The file %1 could not be read again; the document stays as it was.")
                .arg(pathName_));
        return false;
    }
    declinedChange_.reset();
    readIncompletely_ = false;
    // The steps name items the reload let go.
    StartHistory();
    return true;
}

bool CPlexionDoc::AskOverwriteOrReload() {
    QMessageBox box(QMessageBox::Warning, MessageBoxTitle(),
                    QStringLiteral("The file %1 was changed by another program. Overwrite it, "
                                   "or reload it and lose your changes?")
                        .arg(pathName_),
                    QMessageBox::NoButton, dialogParent_);
    QPushButton* overwrite = box.addButton(QStringLiteral("&Overwrite"), QMessageBox::AcceptRole);
    QPushButton* reload = box.addButton(QStringLiteral("&Reload"), QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == reload) {
        ReloadFromDisk();
    }
    return box.clickedButton() == overwrite;
}

bool CPlexionDoc::OnNewDocument() {
    untitledName_ = QString::fromLatin1(kDocumentName) + QString::number(NextUntitledNumber());
    const bool created = core_.NewDocument();
    StartHistory();
    emit titleChanged(Title());
    return created;
}

bool CPlexionDoc::OnOpenDocument(const QString& path) {
    const auto outcome = core_.OpenDocument(LocalPath(path), [this, &path] {
        return AskDocumentPassword(dialogParent_, QFileInfo(path).fileName());
    });
    passwordRefused_ = outcome == CPlexionDocCore::OpenOutcome::PasswordRefused;
    if (outcome != CPlexionDocCore::OpenOutcome::Opened) {
        return false;
    }
    // The core resolved nothing for us: keep the path the user named, made
    // absolute, so that the title, the recent list and Save agree.
    readIncompletely_ = Resources().LastLoadStatus() != LoadStatus::Clean;
    SetPathName(QFileInfo(FromLocalPath(core_.PathName())).absoluteFilePath());
    StartHistory();
    return true;
}

CPlexionDocCore::OpenOutcome CPlexionDoc::OnOpenRecoveryCopy(const QString& copy,
                                                             const SRecoveryInfo& info) {
    const QString title = QString::fromStdString(info.title);
    const auto outcome =
        core_.OpenRecoveryCopy(LocalPath(copy), info.originalPath, info.originalStamp,
                               [this, &title] { return AskDocumentPassword(dialogParent_, title); });
    passwordRefused_ = outcome == CPlexionDocCore::OpenOutcome::PasswordRefused;
    if (outcome != CPlexionDocCore::OpenOutcome::Opened) {
        return outcome;
    }
    readIncompletely_ = false;
    if (info.originalPath.empty()) {
        untitledName_ =
            QString::fromLatin1(kDocumentName) + QString::number(NextUntitledNumber());
        emit titleChanged(Title());
    } else {
        SetPathName(FromLocalPath(info.originalPath));
    }
    StartHistory();
    MarkUnsaved();
    return outcome;
}

bool CPlexionDoc::OnSaveDocument(const QString& path) {
    if (pathClaim_ && !pathClaim_(QFileInfo(path).absoluteFilePath())) {
        return false;
    }
    const std::string local = LocalPath(path);
    auto outcome = core_.SaveDocumentUnlessChanged(local);
    if (outcome == CPlexionDocCore::SaveOutcome::ChangedOnDisk) {
        if (!AskOverwriteOrReload()) {
            return false;
        }
        outcome = core_.SaveDocument(local) ? CPlexionDocCore::SaveOutcome::Saved
                                            : CPlexionDocCore::SaveOutcome::Failed;
    }
    if (outcome != CPlexionDocCore::SaveOutcome::Saved) {
        return false;
    }
    declinedChange_.reset();
    readIncompletely_ = false;
    SetPathName(QFileInfo(path).absoluteFilePath());
    history_.Stack().setClean();
    SetModified(false);
    return true;
}

bool CPlexionDoc::DoFileSave() {
    return pathName_.isEmpty() || readIncompletely_ ? DoSaveAs() : OnSaveDocument(pathName_);
}

bool CPlexionDoc::DoSaveAs() {
    static const QString datFilter = QStringLiteral("Velkarion Game Resources Files (*.dat)");
    QString chosenFilter = datFilter;
    QString proposed = pathName_;
    if (proposed.isEmpty()) {
        const QString current = FromLocalPath(CurrentResourcePath());
        proposed = current.isEmpty() ? Title() : QFileInfo(current).dir().filePath(Title());
    }
    QString path = QFileDialog::getSaveFileName(
        dialogParent_, QStringLiteral("Save As"), proposed,
        datFilter + QStringLiteral(";;All Files (*)"), &chosenFilter);
    if (path.isEmpty()) {
        return false;
    }
    if (chosenFilter == datFilter && QFileInfo(path).suffix().isEmpty()) {
        path += QStringLiteral(".dat");
    }
    return OnSaveDocument(path);
}

bool CPlexionDoc::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    const QString name = pathName_.isEmpty() ? Title() : pathName_;
    const auto answer = QMessageBox::question(
        dialogParent_, MessageBoxTitle(), QStringLiteral("Save changes to %1?").arg(name),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel) {
        return false;
    }
    return answer == QMessageBox::No || DoFileSave();
}

bool CPlexionDoc::ShowProperties() {
    QString name = FromStored(Resources().GetName());
    QString comments = FromStored(Resources().GetComments());
    CFormDialog dialog(QStringLiteral("Document Properties"), dialogParent_);
    dialog.AddTitle(QStringLiteral("Text Fields"));
    dialog.AddText(QStringLiteral("Document's &ID"), name);
    dialog.AddMultiLineText(QStringLiteral("Document's &Comments"), comments);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    Edit(QStringLiteral("Properties"), [&](CVKT_ResourceContainer& resources) {
        std::string newName = resources.GetName();
        std::string newComments = resources.GetComments();
        const bool nameChanged = StoreEditedText(newName, name);
        const bool commentsChanged = StoreEditedText(newComments, comments);
        resources.SetName(newName);
        resources.SetComments(newComments);
        return nameChanged || commentsChanged;
    });
    return true;
}

}  // namespace plexion
