#include "frame_list_editing.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "bitmap_item.h"
#include "plexion_doc_core.h"

namespace plexion::frame_list {
namespace {

bool HasFrame(const CVKT_IndexList& list, int frame) {
    return frame >= 0 && frame < list.FrameCount();
}

// The marked frames that exist, ascending, each once.
std::vector<int> Existing(const CVKT_IndexList& list, std::vector<int> frames) {
    std::erase_if(frames, [&list](int frame) { return !HasFrame(list, frame); });
    std::sort(frames.begin(), frames.end());
    frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
    return frames;
}

void SwapFrames(CVKT_IndexList& list, int a, int b) {
    const CAnimationFrame first = list.Frame(a);
    list.SetFrame(a, list.Frame(b));
    list.SetFrame(b, first);
}

bool ChangeDelays(CVKT_IndexList& list, const std::vector<int>& frames,
                  std::int32_t (*rule)(std::int32_t)) {
    bool changed = false;
    for (const int frame : Existing(list, frames)) {
        CAnimationFrame values = list.Frame(frame);
        const std::int32_t before = values.delay;
        values.delay = rule(before);
        list.SetFrame(frame, values);
        changed = changed || values.delay != before;
    }
    return changed;
}

std::int32_t Saturated(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::int32_t IncrementedDelay(std::int32_t delay) {
    if (delay < 1) {
        return 1;
    }
    return delay == std::numeric_limits<std::int32_t>::max() ? delay : delay + 1;
}

std::int32_t DecrementedDelay(std::int32_t delay) {
    return delay > 1 ? delay - 1 : 1;
}

std::vector<int> AllFrames(const CVKT_IndexList& list) {
    std::vector<int> frames(static_cast<std::size_t>(list.FrameCount()));
    std::iota(frames.begin(), frames.end(), 0);
    return frames;
}

std::vector<int> InsertFrames(const CVKT_ResourceContainer& resources, CVKT_IndexList& list,
                              int at, const std::vector<int>& bitmaps) {
    std::vector<CAnimationFrame> inserted;
    for (const int bitmap : bitmaps) {
        if (resources.GetAt<CVKT_Bitmap>(bitmap) != nullptr) {
            inserted.push_back({bitmap, 1, 0, 0});
        }
    }
    const int count = list.FrameCount();
    const int first = HasFrame(list, at) ? at : count;
    const int added = static_cast<int>(inserted.size());
    list.SetFrameCount(count + added);
    for (int frame = count - 1; frame >= first; --frame) {
        list.SetFrame(frame + added, list.Frame(frame));
    }
    std::vector<int> indexes;
    for (int i = 0; i < added; ++i) {
        list.SetFrame(first + i, inserted[static_cast<std::size_t>(i)]);
        indexes.push_back(first + i);
    }
    return indexes;
}

bool MoveFrames(CVKT_IndexList& list, std::vector<int>& frames, int by) {
    frames = Existing(list, frames);
    const bool blocked = frames.empty() || (by < 0 && frames.front() == 0) ||
                         (by > 0 && frames.back() == list.FrameCount() - 1) || by == 0;
    if (blocked) {
        return false;
    }
    bool changed = false;
    const auto move = [&](int& frame) {
        changed = changed || list.Frame(frame) != list.Frame(frame + by);
        SwapFrames(list, frame, frame + by);
        frame += by;
    };
    if (by > 0) {
        std::for_each(frames.rbegin(), frames.rend(), move);
    } else {
        std::for_each(frames.begin(), frames.end(), move);
    }
    return changed;
}

bool ReverseAll(CVKT_IndexList& list) {
    bool changed = false;
    for (int a = 0, b = list.FrameCount() - 1; a < b; ++a, --b) {
        changed = changed || list.Frame(a) != list.Frame(b);
        SwapFrames(list, a, b);
    }
    return changed;
}

bool RemoveFrames(CVKT_IndexList& list, const std::vector<int>& frames) {
    const std::vector<int> removed = Existing(list, frames);
    if (removed.empty()) {
        return false;
    }
    int kept = 0;
    auto next = removed.begin();
    for (int frame = 0; frame < list.FrameCount(); ++frame) {
        if (next != removed.end() && *next == frame) {
            ++next;
            continue;
        }
        list.SetFrame(kept++, list.Frame(frame));
    }
    list.SetFrameCount(kept);
    return true;
}

bool IncrementDelays(CVKT_IndexList& list, const std::vector<int>& frames) {
    return ChangeDelays(list, frames, IncrementedDelay);
}

bool DecrementDelays(CVKT_IndexList& list, const std::vector<int>& frames) {
    return ChangeDelays(list, frames, DecrementedDelay);
}

bool MoveOffsets(CVKT_IndexList& list, const std::vector<int>& frames, int dx, int dy) {
    bool changed = false;
    for (const int frame : Existing(list, frames)) {
        CAnimationFrame values = list.Frame(frame);
        const CAnimationFrame before = values;
        values.offsetX = Saturated(std::int64_t{values.offsetX} + dx);
        values.offsetY = Saturated(std::int64_t{values.offsetY} + dy);
        list.SetFrame(frame, values);
        changed = changed || values != before;
    }
    return changed;
}

bool SetFrames(CVKT_IndexList& list, const std::vector<CAnimationFrame>& frames) {
    bool changed = list.FrameCount() != static_cast<int>(frames.size());
    list.SetFrameCount(static_cast<int>(frames.size()));
    for (int frame = 0; frame < list.FrameCount(); ++frame) {
        const CAnimationFrame& values = frames[static_cast<std::size_t>(frame)];
        changed = changed || list.Frame(frame) != values;
        list.SetFrame(frame, values);
    }
    return changed;
}

int AppendToSelectionAnimation(CVKT_ResourceContainer& resources,
                               const std::vector<int>& selectedBitmaps) {
    const int found = resources.Find<CVKT_IndexList>(kSelectionAnimationId);
    CVKT_IndexList* list = resources.GetAt<CVKT_IndexList>(found);
    if (!list || selectedBitmaps.empty()) {
        return -1;
    }
    list->SetType(CVKT_IndexList::kTypeBitmaps);
    list->SetPlayMode(CVKT_IndexList::kDefaultPlayMode);
    for (const int bitmap : selectedBitmaps) {
        list->AddFrame({bitmap, 1, 0, 0});
    }
    return found;
}

int MakeAnimationFromSelection(CPlexionDocCore& document, const std::vector<int>& selectedBitmaps) {
    int index = -1;
    document.Edit("Make Animation From Selection", [&](CVKT_ResourceContainer& resources) {
        index = AppendToSelectionAnimation(resources, selectedBitmaps);
        return index >= 0;
    });
    return index;
}

}  // namespace plexion::frame_list
