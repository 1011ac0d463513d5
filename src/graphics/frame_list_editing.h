#pragma once

#include <cstdint>
#include <vector>

namespace plexion {

class CPlexionDocCore;
class CVKT_ResourceContainer;

// The edits of the frame-list editor and the Bitmaps panel's Make Animation
// From Selection. Each goes through the document's editing path, so a change
// marks the document modified and refreshes the panels; an edit that changes
// nothing leaves the document as it was. `animation` is the index of the
// animation in its group, `frame` the editor's current frame.
//
// Delays stay at least 1 after every edit: a delay below 1 (which a file may
// hold) is raised to 1 by any delay command, and none ever lowers a delay
// below 1.
namespace frame_list {

inline constexpr const char* kSelectionAnimationId = "Bitmaps Selection";

// Appends a frame showing `bitmap` (an existing bitmap's index) for 1 step at
// no offset; the new current frame, or -1 when nothing was added.
int AddToList(CPlexionDocCore& document, int animation, int bitmap);
// Swap the frame with its neighbour; the moved frame's new index (the same
// index when it could not move).
int MoveUp(CPlexionDocCore& document, int animation, int frame);
int MoveDown(CPlexionDocCore& document, int animation, int frame);
bool ReverseAll(CPlexionDocCore& document, int animation);
bool Remove(CPlexionDocCore& document, int animation, int frame);
bool IncrementDelay(CPlexionDocCore& document, int animation, int frame);
// Lowers the delay only when it is above 1.
bool DecrementDelay(CPlexionDocCore& document, int animation, int frame);
bool IncrementAllDelays(CPlexionDocCore& document, int animation);
bool DecrementAllDelays(CPlexionDocCore& document, int animation);

// Appends one frame per selected bitmap (in selection order, delay 1, no
// offset) to the animation "Bitmaps Selection", which becomes a bitmap
// animation playing "Forward Loop". Its index, or -1 when there is no such
// animation or nothing is selected (then nothing changes).
int MakeAnimationFromSelection(CPlexionDocCore& document, const std::vector<int>& selectedBitmaps);
// The same change inside an edit already under way.
int AppendToSelectionAnimation(CVKT_ResourceContainer& resources,
                               const std::vector<int>& selectedBitmaps);

// The delay rules on their own.
std::int32_t IncrementedDelay(std::int32_t delay);
std::int32_t DecrementedDelay(std::int32_t delay);

}  // namespace frame_list
}  // namespace plexion
