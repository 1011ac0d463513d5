#include "plexion_doc_core.h"

#include <filesystem>
#include <mutex>
#include <system_error>

#include "document_lock.h"
#include "safe_file_writer.h"
#include "text_item.h"

namespace plexion {
namespace {

std::mutex& PathMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& PathSlot() {
    static std::string path;
    return path;
}

bool SamePath(const std::string& a, const std::string& b) {
    std::error_code ignored;
    return !a.empty() && !b.empty() &&
           std::filesystem::weakly_canonical(a, ignored) ==
               std::filesystem::weakly_canonical(b, ignored);
}

}  // namespace

std::string CurrentResourcePath() {
    std::lock_guard lock(PathMutex());
    return PathSlot();
}

void SetCurrentResourcePath(std::string path) {
    std::lock_guard lock(PathMutex());
    PathSlot() = std::move(path);
}

CPlexionDocCore::CPlexionDocCore(IMessagePresenter* presenter)
    : presenter_(presenter), resources_(presenter) {}

MessageAnswer CPlexionDocCore::Show(const std::string& text, const std::string& detail) {
    CSilentPresenter silent;
    IMessagePresenter* presenter = presenter_ ? presenter_ : &silent;
    return detail.empty() ? presenter->Show(text, MessageIcon::None, MessageButtons::Ok)
                          : presenter->ShowDetailed(text, detail, MessageIcon::None,
                                                    MessageButtons::Ok);
}

bool CPlexionDocCore::NewDocument() {
    modified_ = false;
    const int index = resources_.New<CVKT_Text>(kGameStepDelayId);
    if (auto* delay = resources_.GetAt<CVKT_Text>(index)) {
        delay->SetText("8");
        delay->SetComments(kGameStepDelayComments);
    }
    return true;
}

CPlexionDocCore::OpenOutcome CPlexionDocCore::OpenDocument(const std::string& path,
                                                           const PasswordPrompt& askPassword) {
    // Taken before reading: a change made while the file is read then shows
    // as a change, never the other way round.
    std::optional<SFileStamp> stamp = watchesDisk_ ? StampOfFile(path) : std::nullopt;
    const OpenOutcome outcome = Load(path, askPassword);
    if (outcome != OpenOutcome::Opened) {
        return outcome;
    }
    SetCurrentResourcePath(path);
    RemoveAbandonedTemporaries(path);
    pathName_ = path;
    diskStamp_ = std::move(stamp);
    modified_ = false;
    return OpenOutcome::Opened;
}

CPlexionDocCore::OpenOutcome CPlexionDocCore::Load(const std::string& path,
                                                   const PasswordPrompt& askPassword) {
    if (!resources_.Load(path)) {
        return OpenOutcome::NotFound;
    }
    return AskPassword(askPassword);
}

CPlexionDocCore::OpenOutcome CPlexionDocCore::AskPassword(const PasswordPrompt& askPassword) {
    const auto* password = resources_.GetAt<CVKT_Text>(resources_.Find<CVKT_Text>(kPasswordId));
    if (password && !password->Text().empty()) {
        const std::optional<std::string> typed = askPassword ? askPassword() : std::nullopt;
        if (!typed || *typed != password->Text()) {
            resources_.Clear();
            Show(kUnreadableMessage);
            return OpenOutcome::PasswordRefused;
        }
    }
    return OpenOutcome::Opened;
}

CPlexionDocCore::OpenOutcome CPlexionDocCore::OpenRecoveryCopy(
    const std::string& copy, const std::string& target, const std::optional<SFileStamp>& stamp,
    const PasswordPrompt& askPassword) {
    // A copy is whole or useless; the reader's own messages would speak of
    // a file the user never named.
    CSilentPresenter silent;
    CVKT_ResourceContainer read(&silent);
    if (!read.Load(copy)) {
        return OpenOutcome::NotFound;
    }
    if (read.LastLoadStatus() != LoadStatus::Clean) {
        return OpenOutcome::Damaged;
    }
    resources_.SwapContents(read);
    const OpenOutcome outcome = AskPassword(askPassword);
    if (outcome != OpenOutcome::Opened) {
        return outcome;
    }
    pathName_ = target;
    diskStamp_ = stamp;
    modified_ = true;
    return OpenOutcome::Opened;
}

bool CPlexionDocCore::SaveDocument(const std::string& path) {
    return Save(path, false) == SaveOutcome::Saved;
}

CPlexionDocCore::SaveOutcome CPlexionDocCore::SaveDocumentUnlessChanged(const std::string& path) {
    return Save(path, true);
}

bool CPlexionDocCore::ChangedOnDisk() const {
    return watchesDisk_ && !pathName_.empty() && FileChangedSince(pathName_, diskStamp_);
}

bool CPlexionDocCore::ReloadDocument(const PasswordPrompt& askPassword) {
    CPlexionDocCore fresh(presenter_);
    if (pathName_.empty() || fresh.OpenDocument(pathName_, askPassword) != OpenOutcome::Opened ||
        fresh.resources_.LastLoadStatus() != LoadStatus::Clean) {
        return false;
    }
    {
        const CEditGate::CChange changing(gate_);
        resources_.SwapContents(fresh.resources_);
    }
    diskStamp_ = std::move(fresh.diskStamp_);
    modified_ = false;
    return true;
}

CPlexionDocCore::SaveOutcome CPlexionDocCore::Save(const std::string& path, bool unlessChanged) {
    CDocumentLock lock;
    if (lock.Acquire(path) == CDocumentLock::Outcome::Busy) {
        Show(lock.Error());
        return SaveOutcome::Failed;
    }
    if (unlessChanged && SamePath(path, pathName_) && ChangedOnDisk()) {
        return SaveOutcome::ChangedOnDisk;
    }
    RemoveAbandonedTemporaries(path);
    if (!resources_.Save(path)) {
        Show(kSaveFailedMessage, resources_.LastSaveError());
        return SaveOutcome::Failed;
    }
    // Still under the lock, so the stamp is of what was just written.
    diskStamp_ = watchesDisk_ ? StampOfFile(path) : std::nullopt;
    SetCurrentResourcePath(path);
    pathName_ = path;
    modified_ = false;
    return SaveOutcome::Saved;
}

bool CPlexionDocCore::RunChange(const Change& change) {
    ++depth_;
    try {
        const bool changed = change(resources_);
        --depth_;
        return changed;
    } catch (...) {
        --depth_;
        throw;
    }
}

bool CPlexionDocCore::Edit(const std::string& label, const Change& change) {
    if (depth_ > 0) {
        return change(resources_);
    }
    if (recorder_.IsOpen()) {
        const CEditGate::CChange changing(gate_);
        return RunChange(change);
    }
    std::unique_ptr<CEditStep> step;
    CDocumentChange changed;
    bool reported = false;
    {
        const CEditGate::CChange changing(gate_);
        recorder_.Open(label);
        try {
            reported = RunChange(change);
        } catch (...) {
            recorder_.Cancel();
            throw;
        }
        step = recorder_.Close();
        if (step) {
            changed = step->Describe(resources_);
        }
    }
    if (step) {
        modified_ = true;
        if (sink_) {
            sink_(std::move(step));
        }
        Announce(changed);
    }
    return reported;
}

void CPlexionDocCore::OpenStep(std::string label) {
    if (!recorder_.IsOpen()) {
        recorder_.Open(std::move(label));
    }
}

void CPlexionDocCore::CloseStep() {
    if (!HasOpenStep()) {
        return;
    }
    CDocumentChange changed;
    std::unique_ptr<CEditStep> step;
    {
        const CEditGate::CChange changing(gate_);
        step = recorder_.Close();
        if (step) {
            changed = step->Describe(resources_);
        }
    }
    if (!step) {
        return;
    }
    modified_ = true;
    if (sink_) {
        sink_(std::move(step));
    }
    Announce(changed);
}

void CPlexionDocCore::CancelStep() {
    if (!HasOpenStep()) {
        return;
    }
    CDocumentChange changed;
    {
        const CEditGate::CChange changing(gate_);
        changed = recorder_.Cancel();
    }
    if (!changed.Empty()) {
        Announce(changed);
    }
}

void CPlexionDocCore::Undo(CEditStep& step) {
    CDocumentChange changed;
    {
        const CEditGate::CChange changing(gate_);
        changed = step.Undo(resources_);
    }
    Announce(changed);
}

void CPlexionDocCore::Redo(CEditStep& step) {
    CDocumentChange changed;
    {
        const CEditGate::CChange changing(gate_);
        changed = step.Redo(resources_);
    }
    Announce(changed);
}

void CPlexionDocCore::Announce(const CDocumentChange& change) {
    for (const auto& listener : listeners_) {
        listener(change);
    }
}

void CPlexionDocCore::AddChangeListener(ChangeListener listener) {
    listeners_.push_back(std::move(listener));
}

}  // namespace plexion
