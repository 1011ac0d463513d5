#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>

#include <limits>

#include "bitmap_item.h"
#include "bitmaps_panel.h"
#include "edit_step.h"
#include "file_filter.h"
#include "image_codecs.h"
#include "image_import.h"
#include "kind_panel_cells.h"
#include "message_box_presenter.h"
#include "resource_container.h"

namespace plexion {
namespace {

// Imports of more files than this get a progress dialog, shown once they
// take longer than a moment.
constexpr int kProgressFileCount = 4;
constexpr int kProgressDelayMs = 800;

class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
};

QString NameList(const QStringList& paths) {
    QStringList names;
    for (const QString& path : paths) {
        names << QDir::toNativeSeparators(path);
    }
    return names.join(QLatin1Char('\n'));
}

struct CImportOutcome {
    int added = 0;
    int lastAdded = -1;
    QStringList unreadable;
    QStringList tooMuchWork;
    QStringList undecoded;
};

// One message about the files that gave no picture: those that could not be
// read or ask for too much drawing added nothing; those that are no picture
// the codecs know were kept as empty pictures holding the file's bytes.
void ReportProblems(QWidget* parent, const CImportOutcome& outcome) {
    QStringList parts;
    if (!outcome.unreadable.isEmpty()) {
        parts << QStringLiteral("These files could not be read; no bitmap was added for them:\n%1")
                     .arg(NameList(outcome.unreadable));
    }
    if (!outcome.tooMuchWork.isEmpty()) {
        parts << QStringLiteral(
                     "These metafiles ask for more drawing than a picture may take; no bitmap was "
                     "added for them:\n%1")
                     .arg(NameList(outcome.tooMuchWork));
    }
    if (!outcome.undecoded.isEmpty()) {
        parts << QStringLiteral(
                     "These files are not images that can be shown; they were added as empty "
                     "bitmaps that keep the file's bytes:\n%1")
                     .arg(NameList(outcome.undecoded));
    }
    if (!parts.isEmpty()) {
        QMessageBox::warning(parent, MessageBoxTitle(), parts.join(QStringLiteral("\n\n")));
    }
}

bool IsUndecoded(const CVKT_Bitmap& bitmap) {
    const QImage* image = bitmap.Image();
    return image == nullptr || image->isNull();
}

// Each file is one edit of its own, so the game clock and the window go on
// between files and Cancel is seen.
CImportOutcome ImportImages(CBitmapsPanel& panel, const QStringList& paths) {
    const CWaitCursor waitCursor;
    const int count = static_cast<int>(paths.size());
    QProgressDialog progress(QStringLiteral("Inserting images..."), QStringLiteral("Cancel"), 0,
                             count, &panel);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(count > kProgressFileCount ? kProgressDelayMs
                                                           : std::numeric_limits<int>::max());
    CImportOutcome outcome;
    for (int i = 0; i < count && !progress.wasCanceled(); ++i) {
        progress.setValue(i);
        const std::string file = QFile::encodeName(paths[i]).toStdString();
        int index = -1;
        bool decoded = true;
        EDecodeProblem problem = EDecodeProblem::None;
        panel.EditDocument(QStringLiteral("Insert Image"), [&](CVKT_ResourceContainer& container) {
            index = InsertImage(container, file, &problem);
            const CVKT_Bitmap* bitmap = container.GetAt<CVKT_Bitmap>(index);
            decoded = bitmap == nullptr || !IsUndecoded(*bitmap);
            return index >= 0;
        });
        if (index < 0) {
            (problem == EDecodeProblem::TooMuchWork ? outcome.tooMuchWork : outcome.unreadable)
                << paths[i];
            continue;
        }
        if (!decoded) {
            outcome.undecoded << paths[i];
        }
        outcome.lastAdded = index;
        ++outcome.added;
    }
    progress.setValue(count);
    return outcome;
}

}  // namespace

bool CBitmapsPanel::InsertItems() {
    const QStringList files =
        QFileDialog::getOpenFileNames(this, QString::fromLatin1(kInsertDialogTitle), LastFolder(),
                                      QtFileFilter(QString::fromLatin1(kImageFileFilter)));
    if (files.isEmpty()) {
        return false;
    }
    SetLastFolder(QFileInfo(files.first()).absolutePath());
    return InsertImageFiles(files) > 0;
}

bool CBitmapsPanel::AddFile(const QString& path) {
    return InsertImageFiles({path}) > 0;
}

int CBitmapsPanel::InsertImageFiles(const QStringList& paths) {
    // The whole insert is one step, however many files it reads.
    CImportOutcome outcome;
    AsOneEdit(QString::fromStdString(ItemsLabel("Insert", paths.size())),
              [&] { outcome = ImportImages(*this, paths); });
    if (outcome.added > 0) {
        ShowNewItem(*this, outcome.lastAdded);
    }
    ReportProblems(this, outcome);
    return outcome.added;
}

}  // namespace plexion
