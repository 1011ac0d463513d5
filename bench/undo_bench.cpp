// What the undo history and the autosave cost the editing thread: a cell
// edit recorded as an undoable step in documents of 100 and of 10,000 items
// per group, against the same change made directly; and the snapshot of a
// document of about 200 MiB, first whole and then after one edit, against
// saving the same document and against the worker's part, all in one run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "all_kinds.h"
#include "bench_runner.h"
#include "binary_file_item.h"
#include "color_item.h"
#include "document_snapshot.h"
#include "index_list_item.h"
#include "map_item.h"
#include "plexion_doc_core.h"
#include "resource_container.h"
#include "synthetic_document.h"
#include "text_item.h"
#include "trajectory_item.h"

namespace {

using namespace plexion;
using Clock = std::chrono::steady_clock;

void FillGroups(CVKT_ResourceContainer& resources, int perGroup) {
    for (int i = 0; i < perGroup; ++i) {
        const std::string id = "item " + std::to_string(i);
        resources.GetAt<CVKT_Text>(resources.New<CVKT_Text>(id))->SetText("a text of " + id);
        resources.New<CVKT_Color>(id);
        resources.New<CVKT_IndexList>(id);
        resources.New<CVKT_Map>(id);
        resources.New<CVKT_Trajectory>(id);
        resources.New<CVKT_BinaryFile>(id);
    }
}

std::string CommentsOf(std::int64_t round) {
    return round % 2 == 0 ? "marked" : "unmarked";
}

void BM_PlainCommentsEdit(benchmark::State& state) {
    CVKT_ResourceContainer resources;
    FillGroups(resources, static_cast<int>(state.range(0)));
    const int middle = static_cast<int>(state.range(0)) / 2;
    std::int64_t round = 0;
    for (auto _ : state) {
        resources.GetAt<CVKT_Text>(middle)->SetComments(CommentsOf(round++));
    }
}
BENCHMARK(BM_PlainCommentsEdit)->Arg(100)->Arg(10'000)->Unit(benchmark::kMicrosecond);

// The change through the editing path, the step kept as the history would.
void BM_RecordedCommentsEdit(benchmark::State& state) {
    CPlexionDocCore document;
    document.Edit("Fill", [&](CVKT_ResourceContainer& resources) {
        FillGroups(resources, static_cast<int>(state.range(0)));
        return true;
    });
    std::unique_ptr<CEditStep> last;
    document.SetStepSink([&last](std::unique_ptr<CEditStep> step) { last = std::move(step); });
    const int middle = static_cast<int>(state.range(0)) / 2;
    std::int64_t round = 0;
    for (auto _ : state) {
        document.Edit("Edit Comments", [&](CVKT_ResourceContainer& resources) {
            return resources.GetAt<CVKT_Text>(middle)->SetComments(CommentsOf(round)) != 0;
        });
        ++round;
    }
}
BENCHMARK(BM_RecordedCommentsEdit)->Arg(100)->Arg(10'000)->Unit(benchmark::kMicrosecond);

struct CLargeDocument {
    CLargeDocument() {
        document.Edit("Fill", [](CVKT_ResourceContainer& resources) {
            plexion_bench::FillSyntheticDocument(resources);
            return true;
        });
    }
    CPlexionDocCore document;
};

CLargeDocument& Large() {
    static CLargeDocument large;
    return large;
}

void BM_Save(benchmark::State& state) {
    const CVKT_ResourceContainer& resources = Large().document.Resources();
    const std::string target = (std::filesystem::temp_directory_path() /
                                ("plexion_undo_bench_" + std::to_string(::getpid()) + ".dat"))
                                   .string();
    for (auto _ : state) {
        if (!resources.Save(target)) {
            state.SkipWithError(resources.LastSaveError().c_str());
            break;
        }
    }
    std::filesystem::remove(target);
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->UseRealTime();

// The editing thread's part of a snapshot: taking it, and keeping what the
// worker made. The worker's part runs outside the timing, on this thread.
CDocumentSnapshot TakeAndComplete(CSnapshotBuilder& builder, benchmark::State& state) {
    CDocumentSnapshot snapshot = builder.Take();
    state.PauseTiming();
    if (!snapshot.Complete()) {
        state.SkipWithError("an edit came in");
    }
    state.ResumeTiming();
    builder.Keep(snapshot);
    return snapshot;
}

// The longest an edit can wait for the worker: the item it takes longest
// to store, in milliseconds.
double LongestItem(const CVKT_ResourceContainer& resources) {
    double longest = 0;
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (const auto& item : resources.GroupAt(kind)->Items()) {
            const auto start = Clock::now();
            benchmark::DoNotOptimize(item->StoredBytes());
            longest = std::max(
                longest, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
    }
    return longest;
}

// The first autosave of a document: every item's stored form is made.
void BM_FirstSnapshot(benchmark::State& state) {
    CPlexionDocCore& document = Large().document;
    for (auto _ : state) {
        state.PauseTiming();
        auto builder = std::make_unique<CSnapshotBuilder>(document.Resources(), document.Gate());
        state.ResumeTiming();
        CDocumentSnapshot snapshot = TakeAndComplete(*builder, state);
        state.PauseTiming();
        snapshot = {};
        builder.reset();
        state.ResumeTiming();
    }
    state.counters["longest_item_ms"] = LongestItem(document.Resources());
}
BENCHMARK(BM_FirstSnapshot)->Unit(benchmark::kMillisecond)->UseRealTime();

// The worker's part of the first autosave, for comparison with the save.
void BM_FirstSnapshotWorker(benchmark::State& state) {
    CPlexionDocCore& document = Large().document;
    for (auto _ : state) {
        state.PauseTiming();
        auto builder = std::make_unique<CSnapshotBuilder>(document.Resources(), document.Gate());
        CDocumentSnapshot snapshot = builder->Take();
        state.ResumeTiming();
        benchmark::DoNotOptimize(snapshot.Complete());
        state.PauseTiming();
        snapshot = {};
        builder.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstSnapshotWorker)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every later autosave: one item changed since the last.
void BM_SnapshotAfterAnEdit(benchmark::State& state) {
    CPlexionDocCore& document = Large().document;
    CSnapshotBuilder builder(document.Resources(), document.Gate());
    std::int64_t round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        document.Edit("Edit Comments", [&](CVKT_ResourceContainer& resources) {
            return resources.GetAt<CVKT_Text>(0)->SetComments(CommentsOf(round)) != 0;
        });
        ++round;
        state.ResumeTiming();
        CDocumentSnapshot snapshot = TakeAndComplete(builder, state);
        state.PauseTiming();
        snapshot = {};
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SnapshotAfterAnEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    plexion::RegisterAllResourceKinds();
    return plexion::RunBenchmarks(argc, argv);
}
