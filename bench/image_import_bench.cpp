// Importing image files (read the file, decode it from memory to a
// premultiplied picture) against Qt loading the same files straight from
// disk, in one run so the ratio compares like with like. The files are warm
// in the page cache for both.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QImage>
#include <QString>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "image_codecs.h"

namespace {

constexpr int kFileCount = 200;
constexpr int kSides[] = {64, 128, 256, 512, 1024};

// A picture with smooth gradients, hard edges and some noise, so it
// compresses like a drawn game sprite rather than a flat fill.
QImage SyntheticPicture(int width, int height, int seed, bool withAlpha) {
    QImage image(width, height, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(seed);
    for (int y = 0; y < height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const int grain = static_cast<int>(noise & 15);
            const int red = (x * 255 / width + grain) & 255;
            const int green = (y * 255 / height + seed * 7) & 255;
            const int blue = ((x / 16 + y / 16) % 2) * 200 + grain;
            const int alpha = withAlpha ? ((x + y) * 255 / (width + height)) : 255;
            line[x] = qRgba(red, green, blue & 255, alpha);
        }
    }
    return image;
}

struct CImageFolder {
    CImageFolder() {
        std::filesystem::create_directories(folder);
        for (int i = 0; i < kFileCount; ++i) {
            const int side = kSides[i % std::size(kSides)];
            const bool png = i % 2 == 0;
            const std::filesystem::path path =
                folder / ("picture" + std::to_string(i) + (png ? ".png" : ".jpg"));
            const QImage picture = SyntheticPicture(side, side * 3 / 4, i, png);
            if (!picture.save(QString::fromStdString(path.string()), png ? "png" : "jpeg")) {
                throw std::runtime_error("cannot write " + path.string());
            }
            paths.push_back(path.string());
        }
    }
    ~CImageFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("plexion_bench_images_" + std::to_string(::getpid()));
    std::vector<std::string> paths;
};

CImageFolder& Folder() {
    static CImageFolder folder;
    return folder;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::vector<std::uint8_t> bytes(std::filesystem::file_size(path));
    std::ifstream file(path, std::ios::binary);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return bytes;
}

void BM_DecodeImage(benchmark::State& state) {
    const CImageFolder& folder = Folder();
    for (auto _ : state) {
        for (const std::string& path : folder.paths) {
            const QImage image = plexion::DecodeImage(ReadFile(path));
            if (image.isNull()) {
                state.SkipWithError("a picture did not decode");
                return;
            }
            benchmark::DoNotOptimize(image.constBits());
        }
    }
    state.SetItemsProcessed(state.iterations() * kFileCount);
}

void BM_PlainQImageDecode(benchmark::State& state) {
    const CImageFolder& folder = Folder();
    for (auto _ : state) {
        for (const std::string& path : folder.paths) {
            QImage image;
            if (!image.load(QString::fromStdString(path))) {
                state.SkipWithError("a picture did not load");
                return;
            }
            benchmark::DoNotOptimize(image.constBits());
        }
    }
    state.SetItemsProcessed(state.iterations() * kFileCount);
}

BENCHMARK(BM_PlainQImageDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_DecodeImage)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
