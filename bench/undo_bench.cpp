// What the undo history and the autosave cost the editing thread: a cell
// edit recorded as an undoable step in documents of 100 and of 10,000 items
// per group, against the same change made directly; and the snapshot of a
// document of about 200 MiB taken a slice at a time, first whole and then
// after one edit, against saving the same document, all in one run.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

#include "all_kinds.h"
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

// The slice the editor gives the snapshot between two events.
constexpr auto kSlice = std::chrono::milliseconds(5);

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

// Advances `builder` slice by slice until a snapshot is taken; the longest
// slice in milliseconds.
double SnapshotInSlices(CSnapshotBuilder& builder) {
    double longest = 0;
    for (;;) {
        const auto start = Clock::now();
        const bool walked = builder.Advance(kSlice);
        const bool taken = walked && builder.Take().has_value();
        longest = std::max(
            longest, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        if (taken) {
            return longest;
        }
    }
}

// The first autosave of a document: every item stored.
void BM_FirstSnapshot(benchmark::State& state) {
    double longest = 0;
    for (auto _ : state) {
        CSnapshotBuilder builder(Large().document.Resources());
        longest = std::max(longest, SnapshotInSlices(builder));
    }
    state.counters["longest_slice_ms"] = longest;
}
BENCHMARK(BM_FirstSnapshot)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every later autosave: one item changed since the last.
void BM_SnapshotAfterAnEdit(benchmark::State& state) {
    CPlexionDocCore& document = Large().document;
    CSnapshotBuilder builder(document.Resources());
    SnapshotInSlices(builder);
    double longest = 0;
    std::int64_t round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        document.Edit("Edit Comments", [&](CVKT_ResourceContainer& resources) {
            return resources.GetAt<CVKT_Text>(0)->SetComments(CommentsOf(round)) != 0;
        });
        ++round;
        state.ResumeTiming();
        longest = std::max(longest, SnapshotInSlices(builder));
    }
    state.counters["longest_slice_ms"] = longest;
}
BENCHMARK(BM_SnapshotAfterAnEdit)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    plexion::RegisterAllResourceKinds();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
