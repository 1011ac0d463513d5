#pragma once

#include <vector>

#include "index_list_item.h"
#include "resource_container.h"

namespace plexion::test {

// Adds an animation whose frame i shows bitmap 100 + i for delays[i] steps,
// playing in `mode`; its index.
inline int AddAnimation(CVKT_ResourceContainer& document, int mode,
                        const std::vector<int>& delays) {
    const int index = document.New<CVKT_IndexList>("anim");
    CVKT_IndexList* animation = document.GetAt<CVKT_IndexList>(index);
    animation->SetPlayMode(mode);
    for (std::size_t i = 0; i < delays.size(); ++i) {
        animation->AddFrame({100 + static_cast<int>(i), delays[i], 0, 0});
    }
    return index;
}

// `count` frames of delay 1.
inline std::vector<int> OneStepEach(int count) {
    return std::vector<int>(static_cast<std::size_t>(count), 1);
}

}  // namespace plexion::test
