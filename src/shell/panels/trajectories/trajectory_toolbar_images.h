#pragma once

#include <QPixmap>

namespace plexion {

// The picture of a trajectory preview toolbar button by its image name
// ("ToolBarMoveToOrigin", "ToolBarMoveView", "ToolBarMoveViewMode",
// "ToolBarCenterContentsInView", "ToolBarCenterObjectInView",
// "ToolBarHideTrajectory", "ToolBarPlayValue", "ToolBarPlay",
// "ToolBarBackgroundBitmap", "ToolBarObjectBitmap"); a null pixmap for
// any other name.
QPixmap TrajectoryToolbarImage(const char* name);

}  // namespace plexion
