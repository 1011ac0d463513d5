// A document read from a file (large blocks straight from the file, the rest
// through a buffer) reads exactly as the same bytes read from memory, whole
// or cut anywhere.
#include <gtest/gtest.h>

#include <vector>

#include "binary_file_item.h"
#include "plexion_dat.hpp"
#include "resource_container.h"
#include "temp_dir.h"
#include "text_item.h"

namespace plexion {
namespace {

std::vector<std::uint8_t> Pattern(std::size_t size, unsigned seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>((i * 131 + seed) ^ (i >> 9));
    }
    return bytes;
}

struct SShape {
    plexion_dat::EStatus status;
    std::size_t texts;
    std::size_t files;
    std::vector<std::vector<std::uint8_t>> data;
    bool operator==(const SShape& o) const {
        return status == o.status && texts == o.texts && files == o.files && data == o.data;
    }
};

SShape ShapeOf(const plexion_dat::SReadResult& result) {
    SShape shape{result.status, result.document.texts.size(), result.document.files.size(), {}};
    for (const plexion_dat::SBinaryFile& file : result.document.files) {
        shape.data.push_back(file.data);
    }
    return shape;
}

TEST(ReaderSources, FileAndMemoryReadAlike) {
    CVKT_ResourceContainer document;
    // Blocks below, at and above the file buffer, scrambled and plain.
    const std::vector<std::size_t> sizes = {10, 65535, 65536, 300000, 0, 70001};
    std::vector<std::vector<std::uint8_t>> blocks;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        blocks.push_back(Pattern(sizes[i], static_cast<unsigned>(i)));
        auto* file = document.GetAt<CVKT_BinaryFile>(document.New<CVKT_BinaryFile>("f"));
        ASSERT_TRUE(file->Data().SetSize(static_cast<std::int64_t>(sizes[i])));
        std::copy(blocks.back().begin(), blocks.back().end(), file->Data().Data());
        file->SetPlainFlag(static_cast<std::int32_t>(i % 2));
        document.GetAt<CVKT_Text>(document.New<CVKT_Text>("t"))->SetText(std::string(i * 40000, 'x'));
    }
    test::CTempDir folder;
    const std::string whole = folder.File("whole.dat");
    ASSERT_TRUE(document.Save(whole));
    const std::vector<std::uint8_t> bytes = test::ReadFileBytes(whole);

    const SShape complete = ShapeOf(plexion_dat::ReadDocumentFile(whole.c_str()));
    EXPECT_EQ(complete.status, plexion_dat::EStatus::kOk);
    EXPECT_EQ(complete.data, blocks);

    const std::string cut = folder.File("cut.dat");
    for (std::size_t length = 0; length <= bytes.size(); length += length < 200 ? 1 : 9973) {
        const std::vector<std::uint8_t> part(bytes.begin(),
                                             bytes.begin() + static_cast<std::ptrdiff_t>(length));
        test::WriteFileBytes(cut, part);
        EXPECT_EQ(ShapeOf(plexion_dat::ReadDocumentFile(cut.c_str())),
                  ShapeOf(plexion_dat::ReadDocument(part.data(), part.size())))
            << "cut at " << length;
    }
    EXPECT_EQ(plexion_dat::ReadDocumentFile(folder.File("missing.dat").c_str()).status,
              plexion_dat::EStatus::kCannotOpen);
    EXPECT_EQ(plexion_dat::ReadDocumentFile(folder.Path().c_str()).status,
              plexion_dat::EStatus::kCannotOpen);
}

}  // namespace
}  // namespace plexion
