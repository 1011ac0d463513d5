#pragma once

#include <QElapsedTimer>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace plexion {

// Progress with Cancel for work done in many small steps on the interface
// thread: nothing is shown for work that ends within `delayMs`; after that
// a window-modal progress dialog follows the steps and keeps the windows
// painted. Asked every step, it looks at the clock only every so often.
//
//     CLongWorkProgress progress(panel, "Replacing...", cells, 500);
//     for (qint64 i = 0; i < cells && !progress.Cancelled(i); ++i) { … }
class CLongWorkProgress {
public:
    static constexpr int kDefaultDelayMs = 500;

    CLongWorkProgress(QWidget* parent, const QString& label, qint64 total,
                      int delayMs = kDefaultDelayMs);
    ~CLongWorkProgress();
    CLongWorkProgress(const CLongWorkProgress&) = delete;
    CLongWorkProgress& operator=(const CLongWorkProgress&) = delete;

    // Whether Cancel was pressed, with `done` of the total steps done.
    bool Cancelled(qint64 done);
    bool Shown() const { return dialog_ != nullptr; }

private:
    QWidget* parent_;
    QString label_;
    qint64 total_;
    int delayMs_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace plexion
