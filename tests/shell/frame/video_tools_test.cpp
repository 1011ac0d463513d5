// Tools > Video in the editor: the conversion dialogs filled and accepted
// with the keyboard's OK, the compression dialog, the status bar and Escape.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <filesystem>
#include <set>

#include "command_ids.h"
#include "file_name_fields.h"
#include "main_frame_fixture.h"
#include "movie_reader.h"

namespace plexion::test {
namespace {

using namespace command;

// Runs `act` on the next modal dialog once it is open.
void WhenDialogOpens(std::function<void(QDialog&)> act) {
    QTimer::singleShot(10, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            WhenDialogOpens(act);
            return;
        }
        act(*dialog);
    });
}

class VideoToolsTest : public MainFrameTest {
protected:
    std::string Png(const std::string& name, QRgb colour) {
        QImage image(8, 6, QImage::Format_ARGB32);
        image.fill(colour);
        const std::string path = dir_.File(name);
        EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
        return path;
    }
    // Fills the Images To AVI dialog and accepts it, then answers the
    // compression dialog (`compress` false: Cancel).
    void ImagesToAvi(const QStringList& sources, const std::string& movie, bool compress,
                     bool pressEscape = false) {
        WhenDialogOpens([=, this](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Convert Images Files to AVI File");
            dialog.findChild<CFileNamesField*>()->SetFileNames(sources);
            dialog.findChild<CFileNameField*>()->SetFileName(QString::fromStdString(movie));
            WhenDialogOpens([=, this](QDialog& compression) {
                EXPECT_EQ(compression.windowTitle(), "Video Compression");
                if (compress) {
                    compression.accept();
                } else {
                    compression.reject();
                    WhenDialogOpens([this](QDialog& box) {
                        messages_ << box.findChild<QLabel*>("qt_msgbox_label")->text();
                        box.accept();
                    });
                }
                if (pressEscape) {
                    QCoreApplication::postEvent(
                        frame_.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, {}));
                }
            });
            dialog.accept();
        });
        Action(kImagesToAvi)->trigger();
    }
    CTempDir dir_;
    QStringList messages_;
};

TEST_F(VideoToolsTest, ImagesToAviAndBackThroughTheDialogs) {
    const QStringList sources = {QString::fromStdString(Png("a.png", qRgb(250, 0, 0))),
                                 QString::fromStdString(Png("b.png", qRgb(0, 0, 250)))};
    const std::string movie = dir_.File("movie.avi");
    ImagesToAvi(sources, movie, true);
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Done.");
    CMovieReader reader;
    ASSERT_EQ(reader.Open(movie), "");
    EXPECT_EQ(reader.FrameCount(), 2);
    EXPECT_EQ(QSize(reader.Width(), reader.Height()), QSize(720, 576));

    WhenDialogOpens([=, this](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Convert AVI File to Images Files");
        const QList<CFileNameField*> files = dialog.findChildren<CFileNameField*>();
        ASSERT_EQ(files.size(), 2);
        files[0]->SetFileName(QString::fromStdString(movie));
        files[1]->SetFileName(QString::fromStdString(dir_.File("frames.bmp")));
        dialog.accept();
    });
    Action(kAviToImages)->trigger();
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Done.");
    for (const char* name : {"frames_000001.bmp", "frames_000002.bmp", "frames_ALPHA000001.bmp",
                             "frames_ALPHA000002.bmp"}) {
        EXPECT_TRUE(std::filesystem::exists(dir_.File(name))) << name;
    }
    EXPECT_EQ(QImage(QString::fromStdString(dir_.File("frames_000002.bmp"))).pixel(10, 10),
              qRgb(0, 0, 250));
}

TEST_F(VideoToolsTest, CancelledCompressionSaysSoAndWritesNothing) {
    ImagesToAvi({QString::fromStdString(Png("a.png", qRgb(1, 2, 3)))}, dir_.File("no.avi"),
                false);
    EXPECT_EQ(messages_, QStringList{"Error Occured While Rendering the Movie"});
    EXPECT_FALSE(std::filesystem::exists(dir_.File("no.avi")));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(VideoToolsTest, EscapeStopsAfterTheFrameBeingAddedAndTheRunShowsTheWaitCursor) {
    const QString a = QString::fromStdString(Png("a.png", qRgb(1, 2, 3)));
    const std::string movie = dir_.File("short.avi");
    // The cursors seen while frames are added (no dialog open).
    std::set<int> shapes;
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (!QApplication::activeModalWidget() &&
            frame_->statusBar()->currentMessage().startsWith("Adding video frame")) {
            const QCursor* cursor = QApplication::overrideCursor();
            shapes.insert(cursor ? cursor->shape() : -1);
        }
    });
    watcher.start(0);
    ImagesToAvi({a, a, a}, movie, true, true);
    EXPECT_EQ(shapes, std::set<int>{Qt::WaitCursor});
    CMovieReader reader;
    ASSERT_EQ(reader.Open(movie), "");
    EXPECT_EQ(reader.FrameCount(), 1);
    EXPECT_EQ(frame_->statusBar()->currentMessage(), "Done.");
}

}  // namespace
}  // namespace plexion::test
