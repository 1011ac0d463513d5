#include "plexion_app.h"

#include <QFile>
#include <QGuiApplication>
#include <QPrinter>
#include <QStandardPaths>
#include <QStatusBar>

#include "about_dialog.h"
#include "application_audio.h"
#include "audio_system.h"
#include "main_frame.h"
#include "print_placeholder.h"
#include "recent_files.h"
#include "recovery_folder.h"
#include "recovery_offer.h"

namespace plexion {

CPlexionApp::CPlexionApp(std::unique_ptr<IAudioDevice> device, QObject* parent)
    : QObject(parent),
      device_(std::move(device)),
      audio_(std::make_unique<CAudioSystem>(*device_)) {
    SetApplicationAudio(audio_.get());
}

CPlexionApp::~CPlexionApp() {
    // Documents close before the engine whose voices may still hold their
    // sounds.
    mainFrame_.reset();
    ExitInstance();
    SetApplicationAudio(nullptr);
}

CPlexionApp::StartResult CPlexionApp::InitInstance(const CCommandLineRequest& request) {
    QCoreApplication::setApplicationName(QString::fromLatin1(kProductName));
    recentFiles_ = std::make_unique<CRecentFiles>(QString::fromLatin1(kSettingsKey),
                                                  QString::fromLatin1(kProductName));
    recentFiles_->Load();
    mainFrame_ = std::make_unique<CMainFrame>(*recentFiles_, *audio_);
    const bool keepsCopies =
        request.action != CCommandLineRequest::Action::Print && KeepRecoveryCopies();
    switch (request.action) {
    case CCommandLineRequest::Action::None:
        break;
    case CCommandLineRequest::Action::Open:
        if (request.files.size() == 1) {
            if (!mainFrame_->OpenDocumentFile(request.files.front())) {
                return StartResult::Failed;
            }
        } else {
            // As a desktop's "open with" of several files: each failure is
            // told and the rest still open; only nothing opened is a failure.
            mainFrame_->OpenDroppedFiles(request.files);
            if (mainFrame_->ChildFrames().isEmpty()) {
                return StartResult::Failed;
            }
        }
        break;
    case CCommandLineRequest::Action::Print:
        return PrintDocument(request.files.front()) ? StartResult::Done : StartResult::Failed;
    }
    mainFrame_->showMaximized();
    mainFrame_->repaint();
    audio_->Settings() = CAudioSettings{};
    ApplyAudioSettings();
    // A screenshot run is unattended: nobody would answer.
    if (keepsCopies && request.screenshot.isEmpty()) {
        OfferLeftRecoveries(*mainFrame_, *recovery_, RecoveryRoot());
    }
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive) {
                    StopAllSounds();
                }
            });
    return StartResult::Run;
}

QString CPlexionApp::RecoveryRoot() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

bool CPlexionApp::KeepRecoveryCopies() {
    recovery_ = std::make_unique<CRecoveryFolder>();
    if (!recovery_->Open(QFile::encodeName(RecoveryRoot()).toStdString())) {
        mainFrame_->statusBar()->showMessage(
            QStringLiteral("No recovery copies can be kept: %1")
                .arg(QString::fromStdString(recovery_->Error())));
        return false;
    }
    mainFrame_->KeepRecoveryCopies(*recovery_, CAutosaveSetting(QString::fromLatin1(kSettingsKey),
                                                                QString::fromLatin1(kProductName)));
    return true;
}

bool CPlexionApp::PrintDocument(const QString& path) {
    if (!mainFrame_->OpenDocumentFile(path)) {
        return false;
    }
    // As a print asked for from outside: straight to the default printer,
    // without the print dialog.
    QPrinter printer(QPrinter::HighResolution);
    const bool printed = PrintPlaceholderPageOn(printer, mainFrame_.get());
    mainFrame_->CloseAllDocuments();
    return printed;
}

void CPlexionApp::ExitInstance() {
    if (audioShutDown_) {
        return;
    }
    audioShutDown_ = true;
    StopAllSounds();
    audio_->ShutDownAudio();
}

bool CPlexionApp::ApplyAudioSettings() {
    audio_->ApplyAudioSettings();
    return true;
}

bool CPlexionApp::StopAllSounds() { return audio_->StopAllSounds(); }

}  // namespace plexion
