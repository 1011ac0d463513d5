#pragma once

#include <string>

#include "document_lock.h"
#include "plexion_doc_core.h"
#include "terminal_presenter.h"
#include "tool_options.h"

namespace plexion::tool {

// One document for the length of a command: opened behind the password gate
// and refused unless it read cleanly to its end, so that a command never
// works on (or saves over) half a document. A command that changes the
// document holds its lock from before the read until after the save, so a
// change made by another program meanwhile is never lost.
class CDocumentSession {
public:
    explicit CDocumentSession(const CToolOptions& options);
    CDocumentSession(const CDocumentSession&) = delete;
    CDocumentSession& operator=(const CDocumentSession&) = delete;

    // Throws CToolFailure with the exit code of the problem.
    void Open(const std::string& file);
    // Open for a command that saves: locks the document first.
    void OpenForChange(const std::string& file);
    // A new document as the editor makes it, to be saved at `file`. An
    // existing file is replaced only when `replace` is set.
    void Create(const std::string& file, bool replace);
    // The tool reads pictures without decoding them (most commands never
    // look at pixels); a command that does decodes them first.
    void DecodePictures();
    // Writes the document back where it came from; the old file stays intact
    // when this fails.
    void Save();

    CPlexionDocCore& Core() { return core_; }
    const CVKT_ResourceContainer& Resources() const { return core_.Resources(); }

private:
    void Lock(const std::string& file, bool missingIsFine);

    const CToolOptions& options_;
    CTerminalPresenter presenter_;
    CPlexionDocCore core_;
    CDocumentLock lock_;
    std::string path_;
    bool mayReplace_ = false;
    bool changing_ = false;
};

}  // namespace plexion::tool
