#include <gtest/gtest.h>

#include <thread>

#include "image_codecs.h"
#include "metafile_fixtures.h"
#include "raster_fixtures.h"

namespace plexion::test {
namespace {

// Pictures are decoded on several threads while a document opens; each
// result must equal decoding the same bytes alone.
TEST(ConcurrentDecoding, GivesTheSameImagesAsDecodingOneByOne) {
    const std::vector<Bytes> files = {
        WriteWithQt(MakePatternImage(40, 30, true), "png"),
        WriteWithQt(MakePatternImage(30, 40, false), "jpeg"),
        WriteWithQt(MakePatternImage(16, 16, true), "tiff"),
        MakePlaceableWmf(qRgb(200, 10, 10)),
        MakeEmf(qRgb(10, 10, 200)),
        MakeGif(8, 8, {qRgb(9, 9, 9)}),
    };
    std::vector<QImage> expected;
    for (const Bytes& file : files) {
        expected.push_back(DecodeImage(file));
        ASSERT_FALSE(expected.back().isNull());
    }

    constexpr int kThreads = 4;
    constexpr int kRounds = 5;
    std::vector<std::vector<QImage>> results(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < kRounds; ++round) {
                for (std::size_t i = 0; i < files.size(); ++i) {
                    results[static_cast<std::size_t>(t)].push_back(
                        DecodeImage(files[(i + static_cast<std::size_t>(t)) % files.size()]));
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (int t = 0; t < kThreads; ++t) {
        for (std::size_t k = 0; k < results[static_cast<std::size_t>(t)].size(); ++k) {
            const std::size_t file =
                (k % files.size() + static_cast<std::size_t>(t)) % files.size();
            EXPECT_EQ(results[static_cast<std::size_t>(t)][k], expected[file]);
        }
    }
}

}  // namespace
}  // namespace plexion::test
