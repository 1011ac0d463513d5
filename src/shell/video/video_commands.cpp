#include <QMainWindow>

#include "compression_dialog.h"
#include "form_dialog.h"
#include "video_run.h"

namespace plexion {
namespace {

constexpr const char* kImagesFilter =
    "Windows Images Files (*.bmp;*.jpg;*.png;*.tif;*.gif;*.exif;*.ico;*.wmf;*.emf)\n"
    "*.bmp;*.jpg;*.png;*.tif;*.gif;*.exif;*.ico;*.wmf;*.emf\nAll Files (*.*)\n*.*\n\n";
constexpr const char* kAviFilter = "Windows AVI Video File (*.avi)\n*.avi\nAll Files (*.*)\n*.*\n\n";
constexpr const char* kBmpFilter =
    "Windows BMP Images Files (*.bmp)\n*.bmp\nAll Files (*.*)\n*.*\n\n";

std::vector<std::string> StdStrings(const QStringList& texts) {
    std::vector<std::string> strings;
    for (const QString& text : texts) {
        strings.push_back(text.toStdString());
    }
    return strings;
}

}  // namespace

void RunImagesToAviCommand(QMainWindow& frame) {
    QStringList sources;
    SImagesToAviRequest request;
    QString destination;
    CFormDialog dialog(QStringLiteral("Convert Images Files to AVI File"), &frame);
    dialog.AddFileNames(QStringLiteral("&Source Images Filenames"), sources,
                        QString::fromUtf8(kImagesFilter));
    dialog.AddInteger(QStringLiteral("&Frame Rate In Frame Per Second"), request.framesPerSecond,
                      1, 1000);
    dialog.AddInteger(QStringLiteral("Video &Width In Pixels"), request.width, 1, 16384);
    dialog.AddInteger(QStringLiteral("Video &Height In Pixels"), request.height, 1, 16384);
    dialog.AddFileName(QStringLiteral("&Destination AVI Filename"), destination,
                       FileNameMode::Save, QString::fromUtf8(kAviFilter));
    if (dialog.exec() != QDialog::Accepted || sources.isEmpty() || destination.isEmpty()) {
        return;
    }
    request.sources = StdStrings(sources);
    request.destination = destination.toStdString();
    CVideoRun run(frame);
    ImagesToAvi(
        request, [&run, &frame] { return run.WithInput([&] { return ChooseCompression(&frame); }); },
        run.Hooks());
}

void RunAviToImagesCommand(QMainWindow& frame) {
    QString source;
    SAviToImagesRequest request;
    QString destination;
    CFormDialog dialog(QStringLiteral("Convert AVI File to Images Files"), &frame);
    dialog.AddFileName(QStringLiteral("&Source AVI Filename"), source, FileNameMode::Open,
                       QString::fromUtf8(kAviFilter));
    dialog.AddBool(QStringLiteral("Extract &Alpha Channel"), request.extractAlpha);
    dialog.AddFileName(QStringLiteral("&Destination Images Filenames"), destination,
                       FileNameMode::Save, QString::fromUtf8(kBmpFilter));
    if (dialog.exec() != QDialog::Accepted || source.isEmpty() || destination.isEmpty()) {
        return;
    }
    request.source = source.toStdString();
    request.destination = destination.toStdString();
    CVideoRun run(frame);
    AviToImages(request, run.Hooks());
}

}  // namespace plexion
