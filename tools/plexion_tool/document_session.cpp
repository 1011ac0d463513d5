#include "document_session.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "argument_values.h"
#include "kind_names.h"
#include "picture_decoding.h"
#include "text_item.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

// The container looks a bare file name up in the executable's folder; the
// user means the current folder, so every name gets its folder part. An
// absolute path also keeps the fallback folder from answering for a file
// that is missing.
std::string DocumentPath(const std::string& file) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    return error || file.empty() ? file : absolute.string();
}

std::chrono::milliseconds LockWait(const CToolOptions& options) {
    const auto text = options.Value("--wait");
    if (!text) {
        return CDocumentLock::kDefaultWait;
    }
    return std::chrono::milliseconds(ParseSecondsAsMilliseconds(*text, "--wait"));
}

}  // namespace

CDocumentSession::CDocumentSession(const CToolOptions& options)
    : options_(options), presenter_(options.acceptOldVersion), core_(&presenter_) {
    core_.SetWatchesDisk(false);
}

void CDocumentSession::Lock(const std::string& file, bool missingIsFine) {
    const CDocumentLock::Outcome outcome = lock_.Acquire(path_, LockWait(options_));
    if (outcome == CDocumentLock::Outcome::Locked ||
        (missingIsFine && outcome == CDocumentLock::Outcome::Missing)) {
        return;
    }
    if (outcome == CDocumentLock::Outcome::Missing) {
        throw CToolFailure(kExitFileProblem, "cannot open \"" + file + "\"");
    }
    throw CToolFailure(kExitFileProblem, lock_.Error());
}

void CDocumentSession::Open(const std::string& file) {
    path_ = DocumentPath(file);
    const auto password = options_.Value("--password");
    const auto outcome = core_.OpenDocument(path_, [&] {
        // What the core shows after asking is its refusal, which the tool
        // words itself.
        presenter_.SetQuiet(true);
        return password;
    });
    presenter_.SetQuiet(false);
    if (outcome == CPlexionDocCore::OpenOutcome::NotFound) {
        throw CToolFailure(kExitFileProblem, "cannot open \"" + file + "\"");
    }
    if (outcome == CPlexionDocCore::OpenOutcome::PasswordRefused) {
        throw CToolFailure(kExitPassword,
                           password ? "the password given for \"" + file + "\" is wrong"
                                    : "\"" + file +
                                          "\" is protected by a password; give it with --password");
    }
    // A mended document holds all its file held: it may be read, but never
    // saved over.
    const LoadStatus status = core_.Resources().LastLoadStatus();
    if (status != LoadStatus::Clean && (status != LoadStatus::Mended || changing_)) {
        throw CToolFailure(kExitFileProblem, "");
    }
}

void CDocumentSession::OpenForChange(const std::string& file) {
    path_ = DocumentPath(file);
    Lock(file, false);
    changing_ = true;
    mayReplace_ = true;
    Open(file);
}

void CDocumentSession::Create(const std::string& file, bool replace) {
    path_ = DocumentPath(file);
    if (replace) {
        Lock(file, true);
    } else if (std::filesystem::symlink_status(path_).type() !=
               std::filesystem::file_type::not_found) {
        throw CToolFailure(kExitFileProblem,
                           "\"" + file + "\" already exists; --force replaces it");
    }
    changing_ = true;
    mayReplace_ = replace;
    core_.NewDocument();
}

void CDocumentSession::DecodePictures() {
    // Decoding changes no stored byte; it goes through the editing path
    // because that is the only way to reach the bitmaps for writing.
    core_.Edit("Decode Pictures", [](CVKT_ResourceContainer& resources) {
        DecodeStoredPictures(*resources.GroupAt(kKindBitmaps));
        return false;
    });
}

void CDocumentSession::Save() {
    if (!changing_) {
        throw std::logic_error("a document opened for reading was saved");
    }
    const CVKT_ResourceContainer& resources = core_.Resources();
    if (!resources.Save(path_, mayReplace_ ? ExistingFile::Replace : ExistingFile::Keep)) {
        throw CToolFailure(kExitFileProblem,
                           std::string(CPlexionDocCore::kSaveFailedMessage) + " (" +
                               resources.LastSaveError() + ")",
                           CToolFailure::Origin::System);
    }
}

}  // namespace plexion::tool
