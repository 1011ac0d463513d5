#include "frame_list_editing.h"

#include <algorithm>
#include <functional>
#include <limits>

#include "bitmap_item.h"
#include "index_list_item.h"
#include "plexion_doc_core.h"

namespace plexion::frame_list {
namespace {

// Runs `edit` on the animation through the editing path; false (and no
// change) when there is no such animation.
bool EditAnimation(CPlexionDocCore& document, int animation,
                   const std::function<bool(CVKT_IndexList&)>& edit) {
    return document.Edit([&](CVKT_ResourceContainer& resources) {
        CVKT_IndexList* list = resources.GetAt<CVKT_IndexList>(animation);
        return list && edit(*list);
    });
}

bool HasFrame(const CVKT_IndexList& list, int frame) {
    return frame >= 0 && frame < list.FrameCount();
}

bool SwapFrames(CVKT_IndexList& list, int a, int b) {
    if (!HasFrame(list, a) || !HasFrame(list, b)) {
        return false;
    }
    const CAnimationFrame first = list.Frame(a);
    list.SetFrame(a, list.Frame(b));
    list.SetFrame(b, first);
    return true;
}

bool ChangeDelay(CVKT_IndexList& list, int frame, std::int32_t (*rule)(std::int32_t)) {
    if (!HasFrame(list, frame)) {
        return false;
    }
    CAnimationFrame changed = list.Frame(frame);
    const std::int32_t before = changed.delay;
    changed.delay = rule(before);
    list.SetFrame(frame, changed);
    return changed.delay != before;
}

bool ChangeAllDelays(CVKT_IndexList& list, std::int32_t (*rule)(std::int32_t)) {
    bool changed = false;
    for (int i = 0; i < list.FrameCount(); ++i) {
        changed = ChangeDelay(list, i, rule) || changed;
    }
    return changed;
}

int MoveBy(CPlexionDocCore& document, int animation, int frame, int by) {
    const bool moved = EditAnimation(document, animation, [&](CVKT_IndexList& list) {
        return SwapFrames(list, frame, frame + by);
    });
    return moved ? frame + by : frame;
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

int AddToList(CPlexionDocCore& document, int animation, int bitmap) {
    int added = -1;
    document.Edit([&](CVKT_ResourceContainer& resources) {
        CVKT_IndexList* list = resources.GetAt<CVKT_IndexList>(animation);
        if (!list || !resources.GetAt<CVKT_Bitmap>(bitmap)) {
            return false;
        }
        list->AddFrame({bitmap, 1, 0, 0});
        added = list->FrameCount() - 1;
        return true;
    });
    return added;
}

int MoveUp(CPlexionDocCore& document, int animation, int frame) {
    return MoveBy(document, animation, frame, -1);
}

int MoveDown(CPlexionDocCore& document, int animation, int frame) {
    return MoveBy(document, animation, frame, 1);
}

bool ReverseAll(CPlexionDocCore& document, int animation) {
    return EditAnimation(document, animation, [](CVKT_IndexList& list) {
        bool changed = false;
        for (int a = 0, b = list.FrameCount() - 1; a < b; ++a, --b) {
            changed = list.Frame(a) != list.Frame(b) || changed;
            SwapFrames(list, a, b);
        }
        return changed;
    });
}

bool Remove(CPlexionDocCore& document, int animation, int frame) {
    return EditAnimation(document, animation, [frame](CVKT_IndexList& list) {
        if (!HasFrame(list, frame)) {
            return false;
        }
        for (int i = frame; i + 1 < list.FrameCount(); ++i) {
            list.SetFrame(i, list.Frame(i + 1));
        }
        list.SetFrameCount(list.FrameCount() - 1);
        return true;
    });
}

bool IncrementDelay(CPlexionDocCore& document, int animation, int frame) {
    return EditAnimation(document, animation, [frame](CVKT_IndexList& list) {
        return ChangeDelay(list, frame, IncrementedDelay);
    });
}

bool DecrementDelay(CPlexionDocCore& document, int animation, int frame) {
    return EditAnimation(document, animation, [frame](CVKT_IndexList& list) {
        return ChangeDelay(list, frame, DecrementedDelay);
    });
}

bool IncrementAllDelays(CPlexionDocCore& document, int animation) {
    return EditAnimation(document, animation, [](CVKT_IndexList& list) {
        return ChangeAllDelays(list, IncrementedDelay);
    });
}

bool DecrementAllDelays(CPlexionDocCore& document, int animation) {
    return EditAnimation(document, animation, [](CVKT_IndexList& list) {
        return ChangeAllDelays(list, DecrementedDelay);
    });
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
    document.Edit([&](CVKT_ResourceContainer& resources) {
        index = AppendToSelectionAnimation(resources, selectedBitmaps);
        return index >= 0;
    });
    return index;
}

}  // namespace plexion::frame_list
