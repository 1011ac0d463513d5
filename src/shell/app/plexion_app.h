#pragma once

#include <QObject>

#include <memory>

#include "command_line.h"

namespace plexion {

class CAudioSystem;
class CMainFrame;
class CRecentFiles;
class CRecoveryFolder;
class IAudioDevice;

// The editor itself: it keeps the recent-file list, the main window, the
// folder of recovery copies and the audio engine, starts them in order,
// carries out the command line, offers the copies an editor that did not
// end cleanly left, and ends them again. All sound stops whenever the
// editor loses activation.
class CPlexionApp : public QObject {
    Q_OBJECT
public:
    // The settings store's organization for the recent-file list.
    static constexpr const char* kSettingsKey = "Local AppWizard-Generated Applications";

    enum class StartResult {
        Run,     // the main window is up: run the event loop
        Done,    // the command line's request is complete (a print)
        Failed,  // the command line's request failed
    };

    // Sound goes to `device`.
    explicit CPlexionApp(std::unique_ptr<IAudioDevice> device, QObject* parent = nullptr);
    ~CPlexionApp() override;

    StartResult InitInstance(const CCommandLineRequest& request);
    // Stops all sound and shuts the audio engine down.
    void ExitInstance();

    // Takes the six audio settings into the engine.
    bool ApplyAudioSettings();
    bool StopAllSounds();

    CMainFrame* MainFrame() const { return mainFrame_.get(); }
    CAudioSystem& Audio() const { return *audio_; }
    CRecentFiles& RecentFiles() const { return *recentFiles_; }

private:
    bool PrintDocument(const QString& path);
    // Where the recovery copies of every editor of this user live.
    static QString RecoveryRoot();
    // False with a message in the status bar when no copies can be kept.
    bool KeepRecoveryCopies();

    std::unique_ptr<IAudioDevice> device_;
    std::unique_ptr<CAudioSystem> audio_;
    std::unique_ptr<CRecentFiles> recentFiles_;
    // Outlives the main frame, whose documents remove their copies from it.
    std::unique_ptr<CRecoveryFolder> recovery_;
    std::unique_ptr<CMainFrame> mainFrame_;
    bool audioShutDown_ = false;
};

}  // namespace plexion
