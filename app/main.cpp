#include <QApplication>
#include <QImageWriter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

#include "all_kinds.h"
#include "command_line.h"
#include "main_frame.h"
#include "paths.h"
#include "plexion_app.h"
#include "plexion_view.h"
#include "qt_audio_device.h"

namespace {

// How long the window gets to lay itself out and paint before it is
// grabbed.
constexpr int kSettleMs = 600;

void PrintError(const QString& text) {
    std::fprintf(stderr, "plexion: %s\n", qPrintable(text));
}

// Saves a picture of the main window once it has painted, then ends the
// event loop with 0, or 1 when the picture could not be written.
void ScheduleScreenshot(plexion::CMainFrame& frame, const plexion::CCommandLineRequest& request) {
    QTimer::singleShot(kSettleMs, &frame, [&frame, request] {
        // Under a bare X server (Xvfb) no window manager maximizes the
        // window: the picture should still show the whole screen's worth.
        if (QScreen* screen = frame.screen(); screen && frame.size() != screen->availableSize()) {
            frame.setGeometry(screen->availableGeometry());
        }
        if (request.panel >= 0) {
            if (plexion::CPlexionView* view = frame.ActiveView()) {
                view->ShowPanel(request.panel, false);
            }
        }
        QTimer::singleShot(kSettleMs, &frame, [&frame, request] {
            const QPixmap picture = frame.grab();
            QImageWriter writer(request.screenshot);
            if (picture.isNull() || !writer.write(picture.toImage())) {
                PrintError(QStringLiteral("cannot write %1: %2")
                               .arg(request.screenshot, writer.errorString()));
                QCoreApplication::exit(1);
                return;
            }
            QCoreApplication::exit(0);
        });
    });
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const QString information = plexion::InformationRequested(argc, argv);
        !information.isEmpty()) {
        std::fputs(qPrintable(information), stdout);
        return 0;
    }
    plexion::RegisterAllResourceKinds();
    QApplication application(argc, argv);
    // Ties the windows to the installed menu entry (its icon and name).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.plexion.Plexion"));
    plexion::SetExecutablePath(QCoreApplication::applicationFilePath().toStdString());

    const plexion::CCommandLineRequest request =
        plexion::ParseCommandLine(QCoreApplication::arguments());
    if (!request.error.isEmpty()) {
        PrintError(request.error);
        std::fputs(qPrintable(plexion::CommandLineUsage()), stderr);
        return 2;
    }

    plexion::CPlexionApp editor(std::make_unique<plexion::CQtAudioDevice>());
    switch (editor.InitInstance(request)) {
    case plexion::CPlexionApp::StartResult::Done:
        return 0;
    case plexion::CPlexionApp::StartResult::Failed:
        if (!request.screenshot.isEmpty()) {
            PrintError(QStringLiteral("cannot open %1").arg(request.files.join(QStringLiteral(", "))));
        }
        return 1;
    case plexion::CPlexionApp::StartResult::Run:
        break;
    }
    if (!request.screenshot.isEmpty()) {
        ScheduleScreenshot(*editor.MainFrame(), request);
    }
    const int result = QApplication::exec();
    editor.ExitInstance();
    return result;
}
