#include "document_session.h"

#include <filesystem>
#include <system_error>

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

}  // namespace

CDocumentSession::CDocumentSession(const CToolOptions& options)
    : options_(options), presenter_(options.acceptOldVersion), core_(&presenter_) {}

void CDocumentSession::Open(const std::string& file) {
    path_ = DocumentPath(file);
    const auto password = options_.Value("--password");
    const auto outcome = core_.OpenDocument(path_, [&password] { return password; });
    if (outcome == CPlexionDocCore::OpenOutcome::NotFound) {
        throw CToolFailure(kExitFileProblem, "cannot open \"" + file + "\"");
    }
    if (outcome == CPlexionDocCore::OpenOutcome::PasswordRefused) {
        throw CToolFailure(kExitPassword, "");
    }
    if (core_.Resources().LastLoadStatus() != LoadStatus::Clean) {
        throw CToolFailure(kExitFileProblem, "");
    }
}

void CDocumentSession::Create(const std::string& file) {
    path_ = DocumentPath(file);
    core_.NewDocument();
}

void CDocumentSession::Save() {
    CVKT_ResourceContainer& resources = core_.Resources();
    if (!resources.Save(path_)) {
        throw CToolFailure(kExitFileProblem,
                           std::string(CPlexionDocCore::kSaveFailedMessage) + " (" +
                               resources.LastSaveError() + ")",
                           CToolFailure::Origin::System);
    }
}

}  // namespace plexion::tool
