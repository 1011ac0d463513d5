#pragma once

#include <QObject>

#include <memory>

#include "command_line.h"

namespace plexion {

class CAudioSystem;
class CMainFrame;
class CRecentFiles;
class IAudioDevice;

// The editor itself: it keeps the recent-file list, the main window and
// the audio engine, starts them in order, carries out the command line and
// ends them again. All sound stops whenever the editor loses activation.
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

    std::unique_ptr<IAudioDevice> device_;
    std::unique_ptr<CAudioSystem> audio_;
    std::unique_ptr<CRecentFiles> recentFiles_;
    std::unique_ptr<CMainFrame> mainFrame_;
    bool audioShutDown_ = false;
};

}  // namespace plexion
