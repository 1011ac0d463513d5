// Opening a document of stored PNG pictures (decoded on every core) against
// decoding the same bytes one after another, and the pixel edits on a large
// picture against one plain pass over its pixels, each pair in one run.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "all_kinds.h"
#include "bench_runner.h"
#include "bitmap_item.h"
#include "image_codecs.h"
#include "resource_container.h"

namespace {

constexpr int kStoredPictures = 2000;
constexpr int kLargeSide = 4096;

QImage Sprite(int side, int seed) {
    QImage image(side, side, QImage::Format_ARGB32);
    std::uint32_t noise = 2463534242u + static_cast<std::uint32_t>(seed);
    for (int y = 0; y < side; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < side; ++x) {
            noise ^= noise << 13;
            noise ^= noise >> 17;
            noise ^= noise << 5;
            const bool inside =
                (x - side / 2) * (x - side / 2) + (y - side / 2) * (y - side / 2) < side * side / 5;
            line[x] = qRgba((x * 4 + seed) & 255, (y * 3) & 255, static_cast<int>(noise & 63),
                            inside ? 255 : 0);
        }
    }
    return image;
}

std::vector<std::uint8_t> Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

struct CStoredPictures {
    std::string path;
    std::vector<std::vector<std::uint8_t>> pngs;
};

const CStoredPictures& StoredPictures() {
    static const CStoredPictures stored = [] {
        CStoredPictures result;
        result.path =
            (std::filesystem::temp_directory_path() / "plexion-bitmap-bench.dat").string();
        plexion::CVKT_ResourceContainer document;
        for (int i = 0; i < kStoredPictures; ++i) {
            result.pngs.push_back(Png(Sprite(48 + (i % 5) * 16, i)));
            auto* bitmap = document.GetAt<plexion::CVKT_Bitmap>(
                document.New<plexion::CVKT_Bitmap>("sprite " + std::to_string(i)));
            bitmap->SetSourceBytes(result.pngs.back());
            bitmap->DecodeSource();
        }
        document.Save(result.path);
        return result;
    }();
    return stored;
}

void BM_OpenStoredPictures(benchmark::State& state) {
    const CStoredPictures& stored = StoredPictures();
    for (auto _ : state) {
        plexion::CVKT_ResourceContainer document;
        document.Load(stored.path);
        benchmark::DoNotOptimize(document.GetAt<plexion::CVKT_Bitmap>(0)->Image());
    }
    state.SetItemsProcessed(state.iterations() * kStoredPictures);
}

void BM_DecodeOneAfterAnother(benchmark::State& state) {
    const CStoredPictures& stored = StoredPictures();
    for (auto _ : state) {
        for (const auto& png : stored.pngs) {
            benchmark::DoNotOptimize(plexion::DecodeImage(png));
        }
    }
    state.SetItemsProcessed(state.iterations() * kStoredPictures);
}

const QImage& LargePicture() {
    static const QImage picture =
        Sprite(kLargeSide, 1).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    return picture;
}

void BM_PlainPixelPass(benchmark::State& state) {
    const QImage& picture = LargePicture();
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (int y = 0; y < picture.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
            for (int x = 0; x < picture.width(); ++x) {
                sum += qAlpha(line[x]) + qRed(line[x]);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}

template <typename Edit>
void RunEdit(benchmark::State& state, Edit edit) {
    for (auto _ : state) {
        state.PauseTiming();
        plexion::CVKT_Bitmap bitmap;
        bitmap.TakeImage(LargePicture());
        state.ResumeTiming();
        edit(bitmap);
        benchmark::DoNotOptimize(bitmap.Image());
    }
}

void BM_CropToAlpha(benchmark::State& state) {
    RunEdit(state, [](plexion::CVKT_Bitmap& bitmap) { bitmap.CropToAlpha(true); });
}

void BM_ChangeColor(benchmark::State& state) {
    RunEdit(state, [](plexion::CVKT_Bitmap& bitmap) {
        bitmap.ChangeColor(255, 0, 0, 255, 0, 0, 255, 255, 80, 128, 128);
    });
}

}  // namespace

BENCHMARK(BM_OpenStoredPictures)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DecodeOneAfterAnother)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainPixelPass)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CropToAlpha)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ChangeColor)->Unit(benchmark::kMillisecond)->Iterations(5);

int main(int argc, char** argv) {
    plexion::RegisterAllResourceKinds();
    const int result = plexion::RunBenchmarks(argc, argv);
    std::filesystem::remove(StoredPictures().path);
    return result;
}
