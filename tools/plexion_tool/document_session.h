#pragma once

#include <string>

#include "plexion_doc_core.h"
#include "terminal_presenter.h"
#include "tool_options.h"

namespace plexion::tool {

// One document for the length of a command: opened behind the password gate
// and refused unless it read cleanly to its end, so that a command never
// works on (or saves over) half a document.
class CDocumentSession {
public:
    explicit CDocumentSession(const CToolOptions& options);
    CDocumentSession(const CDocumentSession&) = delete;
    CDocumentSession& operator=(const CDocumentSession&) = delete;

    // Throws CToolFailure with the exit code of the problem.
    void Open(const std::string& file);
    // A new document as the editor makes it, to be saved at `file`.
    void Create(const std::string& file);
    // Writes the document back where it came from; the old file stays intact
    // when this fails.
    void Save();

    CPlexionDocCore& Core() { return core_; }
    const CVKT_ResourceContainer& Resources() const { return core_.Resources(); }

private:
    const CToolOptions& options_;
    CTerminalPresenter presenter_;
    CPlexionDocCore core_;
    std::string path_;
};

}  // namespace plexion::tool
