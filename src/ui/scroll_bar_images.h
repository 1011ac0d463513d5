#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace plexion {

// The interface images of the scroll bar's buttons; context menus show them
// too.
enum class ScrollBarImage {
    PageUp,
    StepUp,
    StepDown,
    PageDown,
    PageLeft,
    StepLeft,
    StepRight,
    PageRight,
};

// The four buttons of a bar, in the order they are created and laid out.
enum class ScrollBarButton {
    PageBack,
    StepBack,
    StepForward,
    PageForward,
};

// "ScrollBarPageUp", "ScrollBarStepUp", …
QString ScrollBarImageName(ScrollBarImage image);
// "Scroll one page up", "Scroll one step up", …
QString ScrollBarImageToolTip(ScrollBarImage image);
// The image a button of a vertical or horizontal bar shows.
ScrollBarImage ScrollBarButtonImage(ScrollBarButton button, bool vertical);

// The 18 × 18 image, normal or pressed, drawn in the current scroll-bar
// colours (cached until those colours change).
QPixmap ScrollBarPixmap(ScrollBarImage image, bool pressed);
// Both states as one icon (pressed as the icon's active mode).
QIcon ScrollBarIcon(ScrollBarImage image);

}  // namespace plexion
