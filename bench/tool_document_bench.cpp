// plexion-tool's info and add-text on a document of 2,000 stored pictures,
// against a plain read of the same file (and, for add-text, which rewrites
// the whole file, a plain read plus a plain write of the same bytes), in one
// run. Neither command looks at pixels, so neither should pay for decoding
// them.
//
// Two documents: "sprites" holds 96 x 96 pictures of noise-like content of a
// few KB to ~30 KB each, as game sprites are, where the cost of the bytes
// shows; "tiny" holds gradients that compress to a few hundred bytes, where
// what shows is the cost per item.
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
#include "bench_runner.h"
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
constexpr int kSide = 96;

enum class EContent { Sprites, Tiny };

// A fixed-seed generator whose sequence is the same on every library.
class CSplitMix {
public:
    explicit CSplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint32_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
    }

private:
    std::uint64_t state_;
};

// A gradient under noise of 1 to 7 low bits a channel, so that the stored
// sizes spread from a few KB to ~30 KB; the tiny pictures have no noise.
QImage Picture(int seed, EContent content) {
    QImage image(kSide, kSide, QImage::Format_ARGB32);
    CSplitMix random(static_cast<std::uint64_t>(seed) + 1);
    const int noiseBits = content == EContent::Sprites ? 1 + seed % 7 : 0;
    const std::uint32_t mask = (1u << noiseBits) - 1;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const std::uint32_t noise = random.Next();
            const int red = ((x * seed) & 0xFF) ^ static_cast<int>(noise & mask);
            const int green = ((y + seed) & 0xFF) ^ static_cast<int>((noise >> 8) & mask);
            const int blue = (seed & 0xFF) ^ static_cast<int>((noise >> 16) & mask);
            image.setPixel(x, y, qRgba(red, green, blue, 255));
        }
    }
    return image;
}

std::vector<std::uint8_t> Png(const QImage& image) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {buffer.data().begin(), buffer.data().end()};
}

// The document alone in a folder of its own, as in a project folder.
struct CPictureDocument {
    explicit CPictureDocument(EContent content) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "plexion_tool_bench_XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a folder for the benchmark's document");
        }
        folder = pattern;
        path = (folder / "pictures.dat").string();
        CVKT_ResourceContainer document;
        for (int i = 0; i < kPictures; ++i) {
            auto* bitmap =
                document.GetAt<CVKT_Bitmap>(document.New<CVKT_Bitmap>("p" + std::to_string(i)));
            bitmap->SetSourceBytes(Png(Picture(i, content)));
            bitmap->DecodeSource();
        }
        if (!document.Save(path)) {
            throw std::runtime_error(document.LastSaveError());
        }
        bytes = std::filesystem::file_size(path);
    }
    ~CPictureDocument() { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
    std::string path;
    std::uint64_t bytes = 0;
};

CPictureDocument& Shared(EContent content) {
    static CPictureDocument sprites(EContent::Sprites);
    static CPictureDocument tiny(EContent::Tiny);
    return content == EContent::Sprites ? sprites : tiny;
}

// A copy for the commands that change the document, so that what they add
// never reaches the documents the readers measure.
class CScratchCopy {
public:
    explicit CScratchCopy(const CPictureDocument& document)
        : path_((document.folder / "scratch.dat").string()) {
        std::filesystem::copy_file(document.path, path_,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    ~CScratchCopy() { std::filesystem::remove(path_); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

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

void ReportSize(benchmark::State& state, const CPictureDocument& document) {
    state.counters["MiB"] = static_cast<double>(document.bytes) / (1 << 20);
}

// Into new memory each time, as a process that reads the document must.
void BM_PlainRead(benchmark::State& state, EContent content) {
    const CPictureDocument& document = Shared(content);
    for (auto _ : state) {
        auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(document.bytes);
        benchmark::DoNotOptimize(
            plexion_bench::PlainRead(document.path, buffer.get(), document.bytes));
    }
    ReportSize(state, document);
}

// Into the same memory every time: the copy alone, as `cat` does it.
void BM_PlainReadReused(benchmark::State& state, EContent content) {
    const CPictureDocument& document = Shared(content);
    auto buffer = std::make_unique<std::uint8_t[]>(document.bytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            plexion_bench::PlainRead(document.path, buffer.get(), document.bytes));
    }
    ReportSize(state, document);
}

// What a safe rewrite of the file must at least do: read it, write the same
// bytes to another file and flush them to disk.
void BM_PlainReadWrite(benchmark::State& state, EContent content) {
    const CPictureDocument& document = Shared(content);
    const std::string written = (document.folder / "plain_written.dat").string();
    for (auto _ : state) {
        auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(document.bytes);
        const std::uint64_t read =
            plexion_bench::PlainRead(document.path, buffer.get(), document.bytes);
        plexion_bench::PlainWrite(written, buffer.get(), read);
    }
    std::filesystem::remove(written);
    ReportSize(state, document);
}

void BM_Info(benchmark::State& state, EContent content) {
    const CPictureDocument& document = Shared(content);
    for (auto _ : state) {
        RunToolCommand({"info", document.path});
    }
    ReportSize(state, document);
}

void BM_AddText(benchmark::State& state, EContent content) {
    const CPictureDocument& document = Shared(content);
    const CScratchCopy copy(document);
    for (auto _ : state) {
        RunToolCommand({"add-text", copy.Path(), "hero", "Ann"});
    }
    ReportSize(state, document);
}

BENCHMARK_CAPTURE(BM_PlainRead, sprites, EContent::Sprites)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_PlainReadReused, sprites, EContent::Sprites)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Info, sprites, EContent::Sprites)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_PlainReadWrite, sprites, EContent::Sprites)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_AddText, sprites, EContent::Sprites)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_PlainRead, tiny, EContent::Tiny)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_PlainReadReused, tiny, EContent::Tiny)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_Info, tiny, EContent::Tiny)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_PlainReadWrite, tiny, EContent::Tiny)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_AddText, tiny, EContent::Tiny)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    plexion::RegisterAllResourceKinds();
    plexion::SetStoredPictureDecoding(plexion::EStoredPictureDecoding::WhenAsked);
    return plexion::RunBenchmarks(argc, argv);
}
