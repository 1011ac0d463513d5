// Saving and loading a large document against plain writes and reads of the
// same number of bytes, and the game-side reader's load against both, all in
// one run so the ratios compare like with like.
// The page cache cannot be dropped here, so every read is of a warm file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "all_kinds.h"
#include "bench_runner.h"
#include "plain_io.h"
#include "plexion_dat.hpp"
#include "resource_container.h"
#include "synthetic_document.h"

namespace {

using plexion::CVKT_ResourceContainer;

std::string ScratchFile(const char* role) {
    return (std::filesystem::temp_directory_path() /
            ("plexion_bench_" + std::to_string(::getpid()) + "_" + role + ".dat"))
        .string();
}

// The document, built and saved once; its file is what the loads read.
struct CSharedDocument {
    CSharedDocument() {
        plexion_bench::FillSyntheticDocument(document);
        if (!document.Save(path)) {
            throw std::runtime_error(document.LastSaveError());
        }
        bytes = std::filesystem::file_size(path);
    }
    ~CSharedDocument() {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }

    CVKT_ResourceContainer document;
    std::string path = ScratchFile("document");
    std::uint64_t bytes = 0;
};

CSharedDocument& Shared() {
    static CSharedDocument shared;
    return shared;
}

void Finish(benchmark::State& state, std::uint64_t bytesPerIteration) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytesPerIteration));
    state.counters["MiB"] = static_cast<double>(bytesPerIteration) / (1024.0 * 1024.0);
}

void BM_Save(benchmark::State& state) {
    CSharedDocument& shared = Shared();
    const std::string target = ScratchFile("save");
    for (auto _ : state) {
        if (!shared.document.Save(target)) {
            state.SkipWithError(shared.document.LastSaveError().c_str());
            break;
        }
    }
    std::filesystem::remove(target);
    Finish(state, shared.bytes);
}

void BM_PlainWrite(benchmark::State& state) {
    CSharedDocument& shared = Shared();
    const std::string target = ScratchFile("plain");
    // Any bytes will do; the document's own make the file the same size.
    std::vector<std::uint8_t> bytes(shared.bytes);
    plexion_bench::PlainRead(shared.path, bytes.data(), bytes.size());
    for (auto _ : state) {
        plexion_bench::PlainWrite(target, bytes.data(), bytes.size());
    }
    std::filesystem::remove(target);
    Finish(state, shared.bytes);
}

void BM_Load(benchmark::State& state) {
    CSharedDocument& shared = Shared();
    std::optional<CVKT_ResourceContainer> loaded;
    for (auto _ : state) {
        loaded.emplace();
        loaded->Load(shared.path);
        if (loaded->LastLoadStatus() != plexion::LoadStatus::Clean) {
            state.SkipWithError("the document did not load cleanly");
            break;
        }
        // Freeing the items is not part of loading.
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    Finish(state, shared.bytes);
}

// The game-side reader on the same file.
void BM_GameReaderLoad(benchmark::State& state) {
    CSharedDocument& shared = Shared();
    std::optional<plexion_dat::SReadResult> loaded;
    for (auto _ : state) {
        loaded = plexion_dat::ReadDocumentFile(shared.path.c_str());
        if (!loaded->Ok()) {
            state.SkipWithError(loaded->message.c_str());
            break;
        }
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    Finish(state, shared.bytes);
}

// A load needs fresh memory for what it reads, so the baseline does too.
void BM_PlainRead(benchmark::State& state) {
    CSharedDocument& shared = Shared();
    std::unique_ptr<std::uint8_t[]> buffer;
    for (auto _ : state) {
        buffer = std::make_unique_for_overwrite<std::uint8_t[]>(shared.bytes);
        benchmark::DoNotOptimize(plexion_bench::PlainRead(shared.path, buffer.get(), shared.bytes));
        benchmark::ClobberMemory();
        state.PauseTiming();
        buffer.reset();
        state.ResumeTiming();
    }
    Finish(state, shared.bytes);
}

constexpr int kIterations = 3;

BENCHMARK(BM_PlainWrite)->Iterations(kIterations)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Save)->Iterations(kIterations)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PlainRead)->Iterations(kIterations)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Load)->Iterations(kIterations)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GameReaderLoad)->Iterations(kIterations)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    plexion::RegisterAllResourceKinds();
    return plexion::RunBenchmarks(argc, argv);
}
