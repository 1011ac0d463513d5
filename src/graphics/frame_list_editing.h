#pragma once

#include <cstdint>
#include <vector>

#include "index_list_item.h"

namespace plexion {

class CPlexionDocCore;
class CVKT_ResourceContainer;

// The edits of the frame-list editor and the Bitmaps panel's Make Animation
// From Selection. The frame edits work on an animation inside a change of
// the document already under way (the caller's one edit), and report whether
// they changed anything. `frames` are the editor's marked frames, ascending;
// indexes outside the animation are left out.
//
// Delays stay at least 1 after every edit: a delay below 1 (which a file may
// hold) is raised to 1 by any delay command, and none ever lowers a delay
// below 1.
namespace frame_list {

inline constexpr const char* kSelectionAnimationId = "Bitmaps Selection";

// Every frame of the animation, ascending.
std::vector<int> AllFrames(const CVKT_IndexList& list);

// Inserts one frame per bitmap (each an existing bitmap's index; others are
// skipped) before frame `at` (at the end when `at` is outside the frames),
// each shown for 1 step at no offset. The inserted frames' indexes.
std::vector<int> InsertFrames(const CVKT_ResourceContainer& resources, CVKT_IndexList& list,
                              int at, const std::vector<int>& bitmaps);
// Moves the marked frames together one place towards the start (`by` -1) or
// the end (`by` 1), each swapping with its unmarked neighbour; nothing moves
// when one of them is already at that end. `frames` becomes the marked
// frames' new indexes; whether they moved.
bool MoveFrames(CVKT_IndexList& list, std::vector<int>& frames, int by);
bool ReverseAll(CVKT_IndexList& list);
bool RemoveFrames(CVKT_IndexList& list, const std::vector<int>& frames);
bool IncrementDelays(CVKT_IndexList& list, const std::vector<int>& frames);
// Lowers only the delays above 1.
bool DecrementDelays(CVKT_IndexList& list, const std::vector<int>& frames);
// Adds (dx, dy) to the offsets of the marked frames.
bool MoveOffsets(CVKT_IndexList& list, const std::vector<int>& frames, int dx, int dy);
// Replaces every frame.
bool SetFrames(CVKT_IndexList& list, const std::vector<CAnimationFrame>& frames);

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
