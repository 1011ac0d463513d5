// Advancing 10,000 animation cursors by one game step, against the same
// walk through frames kept in plain (non-atomic) counters, in one run.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "all_kinds.h"
#include "animation_cursor.h"
#include "index_list_item.h"
#include "resource_container.h"

namespace {

constexpr int kCursors = 10000;
constexpr int kAnimations = 64;
constexpr int kFrames = 8;

struct CCursorScene {
    plexion::CVKT_ResourceContainer document;
    std::vector<std::unique_ptr<plexion::CAnimationCursor>> cursors;
};

CCursorScene& Scene() {
    static CCursorScene* scene = [] {
        plexion::RegisterAllResourceKinds();
        auto* made = new CCursorScene;
        for (int a = 0; a < kAnimations; ++a) {
            auto* animation = made->document.GetAt<plexion::CVKT_IndexList>(
                made->document.New<plexion::CVKT_IndexList>("walk"));
            // Loop modes only, so that every cursor keeps playing.
            animation->SetPlayMode(1 + 2 * (a % 4));
            for (int f = 0; f < kFrames; ++f) {
                animation->AddFrame({f, 1 + (a + f) % 4, 0, 0});
            }
        }
        for (int c = 0; c < kCursors; ++c) {
            auto cursor = std::make_unique<plexion::CAnimationCursor>();
            cursor->SetDocument(&made->document);
            cursor->SetAnimationIndex(c % kAnimations);
            cursor->Restart();
            made->cursors.push_back(std::move(cursor));
        }
        return made;
    }();
    return *scene;
}

// The least a game step must do per cursor: count the delay down and move
// to the next frame of a looping animation when it has run out.
struct CPlainCursor {
    int frame = 0;
    double remaining = 1.0;
    const int* delays = nullptr;
};

void BM_PlainCounters(benchmark::State& state) {
    std::vector<std::vector<int>> delays(kAnimations);
    for (int a = 0; a < kAnimations; ++a) {
        for (int f = 0; f < kFrames; ++f) {
            delays[a].push_back(1 + (a + f) % 4);
        }
    }
    std::vector<CPlainCursor> cursors(kCursors);
    for (int c = 0; c < kCursors; ++c) {
        cursors[c].delays = delays[c % kAnimations].data();
        cursors[c].remaining = cursors[c].delays[0];
    }
    for (auto _ : state) {
        for (CPlainCursor& cursor : cursors) {
            while (!(cursor.remaining > 0.0)) {
                cursor.frame = (cursor.frame + 1) % kFrames;
                cursor.remaining += cursor.delays[cursor.frame];
            }
            cursor.remaining -= 1.0;
        }
        benchmark::DoNotOptimize(cursors.data());
    }
}
BENCHMARK(BM_PlainCounters)->Unit(benchmark::kMicrosecond);

void BM_AdvanceCursors(benchmark::State& state) {
    CCursorScene& scene = Scene();
    for (auto _ : state) {
        for (const auto& cursor : scene.cursors) {
            cursor->Advance(1.0);
        }
    }
    benchmark::DoNotOptimize(scene.cursors.data());
}
BENCHMARK(BM_AdvanceCursors)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
