#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "file_stamp.h"
#include "message_presenter.h"
#include "resource_container.h"

namespace plexion {

// The document without its windows: the container, the new-document
// parameters, opening behind the password gate, saving, and the one editing
// path through which every change is made.
class CPlexionDocCore {
public:
    static constexpr const char* kGameStepDelayId = "settings_one_game_step_delay";
    static constexpr const char* kPasswordId = "settings_password";
    static constexpr const char* kGameStepDelayComments =
        "Delay between each game event.\r\n\r\n8 => 1000 / 8 = 125 fps (default)\r\n"
        "10 => 1000 / 10 = 100 fps";
    static constexpr const char* kUnreadableMessage = "Error: unreadable file format !";
    static constexpr const char* kSaveFailedMessage = "Error occured while saving !";
    static constexpr const char* kLoadFailedMessage = "Error occured while loading !";

    enum class OpenOutcome { Opened, NotFound, PasswordRefused };
    enum class SaveOutcome { Saved, Failed, ChangedOnDisk };
    // Asks the user for the document password; nullopt when cancelled.
    using PasswordPrompt = std::function<std::optional<std::string>()>;
    using ChangeListener = std::function<void()>;

    explicit CPlexionDocCore(IMessagePresenter* presenter = nullptr);

    CVKT_ResourceContainer& Resources() { return resources_; }
    const CVKT_ResourceContainer& Resources() const { return resources_; }

    // Adds the game-step parameter every new document starts with.
    bool NewDocument();
    OpenOutcome OpenDocument(const std::string& path, const PasswordPrompt& askPassword);
    // Saves under the document's lock (see CDocumentLock), replacing what is
    // there; shows "Error occured while saving !" on failure.
    bool SaveDocument(const std::string& path);
    // The same, but when `path` is the file the document was read from (or
    // last saved as) and another program changed it since, nothing is
    // written: ChangedOnDisk lets the caller ask the user first.
    SaveOutcome SaveDocumentUnlessChanged(const std::string& path);
    // Whether the document's file holds something other than what was last
    // read or written (it changed, went away or appeared).
    bool ChangedOnDisk() const;
    // Reads the document's file again, behind the password gate. Only a
    // file that reads cleanly replaces the content (all at once, under the
    // step mutex); anything else leaves the document as it was and returns
    // false. Holders of items (voices, panels) must let go first.
    bool ReloadDocument(const PasswordPrompt& askPassword);

    // Runs `change` on the container; when it reports a change, the document
    // becomes modified and every listener is told.
    bool Edit(const std::function<bool(CVKT_ResourceContainer&)>& change);
    void AddChangeListener(ChangeListener listener);
    // Held by every edit while it changes the container, and by the game
    // clock while a panel's step reads the items it animates, so a step
    // never sees an edit half done.
    std::mutex& StepMutex() { return stepMutex_; }
    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    const std::string& PathName() const { return pathName_; }

private:
    MessageAnswer Show(const std::string& text, const std::string& detail = {});
    SaveOutcome Save(const std::string& path, bool unlessChanged);

    IMessagePresenter* presenter_;
    CVKT_ResourceContainer resources_;
    std::vector<ChangeListener> listeners_;
    std::mutex stepMutex_;
    std::string pathName_;
    // What the file was when it was last read or written here.
    std::optional<SFileStamp> diskStamp_;
    bool modified_ = false;
};

// The application-wide path that links the File Open dialog, opening and
// saving.
std::string CurrentResourcePath();
void SetCurrentResourcePath(std::string path);

}  // namespace plexion
