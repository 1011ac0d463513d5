#pragma once

#include <QWidget>

#include "tool_button.h"

namespace plexion {

class CTrajectoryPreview;

// The toolbar above the trajectory preview: moving the view (to the origin,
// with the mouse, onto the trajectory), the move-view mouse mode, following
// the object, hiding the path, the play speed, and the two bitmaps.
class CTrajectoryPreviewToolbar : public QWidget {
    Q_OBJECT
public:
    explicit CTrajectoryPreviewToolbar(CTrajectoryPreview& preview, QWidget* parent = nullptr);

    // The button whose object name is `name` ("MoveViewOrigin", ...).
    CToolButton* Button(const QString& name) const;

    QSize sizeHint() const override;

private:
    CToolButton* AddButton(const char* name, const char* image, const char* tooltip,
                           CToolButton::Kind kind);
    // "Set Play Speed": the prompt in percent.
    void AskPlaySpeed();
    // Shows the preview's flags, mode and speed.
    void ShowViewState();

    CTrajectoryPreview& preview_;
    // The play speed button's text after a drag ends in two spaces, after
    // the prompt in none.
    bool spacedSpeedText_ = true;
};

}  // namespace plexion
