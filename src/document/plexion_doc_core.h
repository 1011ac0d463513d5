#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

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
    // Asks the user for the document password; nullopt when cancelled.
    using PasswordPrompt = std::function<std::optional<std::string>()>;
    using ChangeListener = std::function<void()>;

    explicit CPlexionDocCore(IMessagePresenter* presenter = nullptr);

    CVKT_ResourceContainer& Resources() { return resources_; }
    const CVKT_ResourceContainer& Resources() const { return resources_; }

    // Adds the game-step parameter every new document starts with.
    bool NewDocument();
    OpenOutcome OpenDocument(const std::string& path, const PasswordPrompt& askPassword);
    bool SaveDocument(const std::string& path);

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
    MessageAnswer Show(const std::string& text);

    IMessagePresenter* presenter_;
    CVKT_ResourceContainer resources_;
    std::vector<ChangeListener> listeners_;
    std::mutex stepMutex_;
    std::string pathName_;
    bool modified_ = false;
};

// The application-wide path that links the File Open dialog, opening and
// saving.
std::string CurrentResourcePath();
void SetCurrentResourcePath(std::string path);

}  // namespace plexion
