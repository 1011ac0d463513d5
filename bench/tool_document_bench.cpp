// plexion-tool's info and add-text on a document of 2,000 stored pictures,
// against a plain read of the same file, in one run. Neither command looks
// at pixels, so neither should pay for decoding them.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "all_kinds.h"
#include "bitmap_item.h"
#include "command_table.h"
#include "picture_decoding.h"
#include "plain_io.h"
#include "resource_container.h"
#include "tool_options.h"

namespace {

using plexion::CVKT_Bitmap;
using plexion::CVKT_ResourceContainer;

constexpr int kPictures = 2000;

std::vector<std::uint8_t> Png(int seed) {
    QImage image(96, 96, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgba((x * seed) & 0xFF, (y + seed) & 0xFF, seed & 0xFF, 255));
        }
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {buffer.data().begin(), buffer.data().end()};
}

struct CPictureDocument {
    CPictureDocument() {
        CVKT_ResourceContainer document;
        for (int i = 0; i < kPictures; ++i) {
            auto* bitmap =
                document.GetAt<CVKT_Bitmap>(document.New<CVKT_Bitmap>("p" + std::to_string(i)));
            bitmap->SetSourceBytes(Png(i));
            bitmap->DecodeSource();
        }
        if (!document.Save(path)) {
            throw std::runtime_error(document.LastSaveError());
        }
        bytes = std::filesystem::file_size(path);
    }
    ~CPictureDocument() { std::filesystem::remove(path); }

    std::string path = (std::filesystem::temp_directory_path() /
                        ("plexion_tool_bench_" + std::to_string(::getpid()) + ".dat"))
                           .string();
    std::uint64_t bytes = 0;
};

CPictureDocument& Shared() {
    static CPictureDocument shared;
    return shared;
}

// Runs a tool command in this process with its printing thrown away.
void RunToolCommand(const std::vector<std::string>& words) {
    std::fflush(stdout);
    const int kept = ::dup(STDOUT_FILENO);
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    plexion::tool::RunCommand(plexion::tool::ParseToolOptions(words));
    std::fflush(stdout);
    ::dup2(kept, STDOUT_FILENO);
    ::close(null);
    ::close(kept);
}

void BM_PlainRead(benchmark::State& state) {
    CPictureDocument& shared = Shared();
    for (auto _ : state) {
        auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(shared.bytes);
        benchmark::DoNotOptimize(plexion_bench::PlainRead(shared.path, buffer.get(), shared.bytes));
    }
}

void BM_Info(benchmark::State& state) {
    const std::string path = Shared().path;
    for (auto _ : state) {
        RunToolCommand({"info", path});
    }
}

void BM_AddText(benchmark::State& state) {
    const std::string path = Shared().path;
    for (auto _ : state) {
        RunToolCommand({"add-text", path, "hero", "Ann"});
    }
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Info)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AddText)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    plexion::RegisterAllResourceKinds();
    plexion::SetStoredPictureDecoding(plexion::EStoredPictureDecoding::WhenAsked);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
