#include "long_work_progress.h"

#include <QProgressDialog>

#include <algorithm>

namespace plexion {
namespace {

// Steps between two looks at the clock: cheap steps stay cheap.
constexpr qint64 kStepsPerLook = 1024;
// The dialog counts in thousandths, whatever the total.
constexpr int kDialogRange = 1000;

}  // namespace

CLongWorkProgress::CLongWorkProgress(QWidget* parent, const QString& label, qint64 total,
                                     int delayMs)
    : parent_(parent), label_(label), total_(std::max<qint64>(total, 1)), delayMs_(delayMs) {
    clock_.start();
}

CLongWorkProgress::~CLongWorkProgress() = default;

bool CLongWorkProgress::Cancelled(qint64 done) {
    if (done % kStepsPerLook != 0) {
        return false;
    }
    if (dialog_ == nullptr) {
        if (clock_.elapsed() < delayMs_) {
            return false;
        }
        dialog_ = std::make_unique<QProgressDialog>(label_, QStringLiteral("Cancel"), 0,
                                                    kDialogRange, parent_);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
    }
    // A modal dialog lets the event loop run here: the windows repaint and
    // Cancel is seen.
    dialog_->setValue(static_cast<int>(std::clamp<qint64>(done, 0, total_) * kDialogRange / total_));
    return dialog_->wasCanceled();
}

}  // namespace plexion
