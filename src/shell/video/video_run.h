#pragma once

#include <QObject>

#include "video_conversions.h"

class QMainWindow;

namespace plexion {

// The editor's side of a conversion: progress in the status bar, a wait
// cursor, message boxes, and Escape noted between two frames. While it
// runs, the windows are painted but take no other input, so no command can
// start beside it; dialogs it opens take input as usual.
class CVideoRun : public QObject {
    Q_OBJECT
public:
    explicit CVideoRun(QMainWindow& frame);
    ~CVideoRun() override;
    SConversionHooks Hooks();
    // Runs `ask` (a dialog) with input and the normal cursor.
    template <typename Ask>
    auto WithInput(Ask ask) {
        Pause();
        auto answer = ask();
        Resume();
        return answer;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Pause();
    void Resume();

    QMainWindow& frame_;
    bool paused_ = false;
    bool escapePressed_ = false;
};

void RunImagesToAviCommand(QMainWindow& frame);
void RunAviToImagesCommand(QMainWindow& frame);

}  // namespace plexion
