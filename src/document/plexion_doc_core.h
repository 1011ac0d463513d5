#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "file_stamp.h"
#include "document_change.h"
#include "edit_gate.h"
#include "edit_recorder.h"
#include "edit_step.h"
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

    enum class OpenOutcome { Opened, NotFound, PasswordRefused, Damaged };
    enum class SaveOutcome { Saved, Failed, ChangedOnDisk };
    // Asks the user for the document password; nullopt when cancelled.
    using PasswordPrompt = std::function<std::optional<std::string>()>;
    using Change = std::function<bool(CVKT_ResourceContainer&)>;
    using ChangeListener = std::function<void(const CDocumentChange&)>;
    // Takes each finished step (the undo history); without one steps are
    // dropped.
    using StepSink = std::function<void(std::unique_ptr<CEditStep>)>;

    explicit CPlexionDocCore(IMessagePresenter* presenter = nullptr);
    CPlexionDocCore(const CPlexionDocCore&) = delete;
    CPlexionDocCore& operator=(const CPlexionDocCore&) = delete;

    // Only edits change the document: outside them it is read only.
    const CVKT_ResourceContainer& Resources() const { return resources_; }

    // Adds the game-step parameter every new document starts with.
    bool NewDocument();
    OpenOutcome OpenDocument(const std::string& path, const PasswordPrompt& askPassword);
    // Reads a recovery copy behind the password gate: the document becomes
    // the copy, modified, with `target` (as it was when `stamp` was taken)
    // as its file. Only a copy that reads cleanly opens; anything else is
    // Damaged or NotFound and shows nothing.
    OpenOutcome OpenRecoveryCopy(const std::string& copy, const std::string& target,
                                 const std::optional<SFileStamp>& stamp,
                                 const PasswordPrompt& askPassword);
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
    // A program that holds the document's lock from reading to saving (the
    // command-line tool) cannot miss another program's change, so it need
    // not read the file a second time to stamp it; the document then never
    // reports a change on disk.
    void SetWatchesDisk(bool watches) { watchesDisk_ = watches; }
    // Reads the document's file again, behind the password gate. Only a
    // file that reads cleanly replaces the content (all at once, under the
    // step mutex); anything else leaves the document as it was and returns
    // false. Holders of items (voices, panels) must let go first.
    bool ReloadDocument(const PasswordPrompt& askPassword);

    // The one editing path: runs `change` on the container as one step named
    // `label` (as the user names the action: "Delete 3 Items"). Every item
    // `change` reaches through the container for changing and every insert,
    // delete and move is recorded, so the step can be undone. When anything
    // differs afterwards the document becomes modified, the step goes to the
    // sink and the listeners hear what changed. Returns what `change`
    // returned: whether it did what was asked (a move onto itself does, and
    // changes nothing).
    // An edit made inside another edit's change, or while a step is open,
    // joins that step.
    bool Edit(const std::string& label, const Change& change);
    // A step that stays open over several edits: a command whose edits are
    // separated by questions or progress. Closing it hands it to the sink
    // and tells the listeners everything it changed, once; cancelling puts
    // the document back as it was when the step opened.
    void OpenStep(std::string label);
    bool HasOpenStep() const { return recorder_.IsOpen() && depth_ == 0; }
    void CloseStep();
    void CancelStep();
    void Undo(CEditStep& step);
    void Redo(CEditStep& step);
    void SetStepSink(StepSink sink) { sink_ = std::move(sink); }
    void AddChangeListener(ChangeListener listener);
    // Held by every edit while it changes the container, and by the game
    // clock while a panel's step reads the items it animates, so a step
    // never sees an edit half done.
    std::mutex& StepMutex() { return gate_.Mutex(); }
    // The same mutex with the count of the changes made under it, for
    // threads that read items between edits (the autosave's worker).
    CEditGate& Gate() { return gate_; }
    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    const std::string& PathName() const { return pathName_; }
    // The document's file as it was last read or written here.
    const std::optional<SFileStamp>& DiskStamp() const { return diskStamp_; }

private:
    MessageAnswer Show(const std::string& text, const std::string& detail = {});
    SaveOutcome Save(const std::string& path, bool unlessChanged);
    // Loads `path` and asks for its password when it has one.
    OpenOutcome Load(const std::string& path, const PasswordPrompt& askPassword);
    // A refused password leaves the document empty.
    OpenOutcome AskPassword(const PasswordPrompt& askPassword);
    bool RunChange(const Change& change);
    void Announce(const CDocumentChange& change);

    IMessagePresenter* presenter_;
    CVKT_ResourceContainer resources_;
    CEditRecorder recorder_{resources_};
    // How deep the running edits nest; only the outermost records a step.
    int depth_ = 0;
    StepSink sink_;
    std::vector<ChangeListener> listeners_;
    CEditGate gate_;
    std::string pathName_;
    // What the file was when it was last read or written here.
    std::optional<SFileStamp> diskStamp_;
    bool watchesDisk_ = true;
    bool modified_ = false;
};

// The application-wide path that links the File Open dialog, opening and
// saving.
std::string CurrentResourcePath();
void SetCurrentResourcePath(std::string path);

}  // namespace plexion
