#include "seed_raw.h"

#include <cstdint>
#include <string>
#include <vector>

#include "archive.h"
#include "color_item.h"
#include "resource_container.h"
#include "scramble.h"
#include "seed_documents.h"
#include "seed_writer.h"

namespace plexion_fuzz {
namespace {

using plexion::CArchive;
using plexion::CVKT_ResourceContainer;

void WriteHeader(CArchive& archive, std::int32_t version) {
    archive.WriteString("VKR_RES");
    archive.WriteInt32(0);
    archive.WriteInt32(version);
    if (version == 3) {
        archive.WriteInt32(3);
        archive.WriteScrambledString("composed");
        archive.WriteScrambledString(std::string(300, 'c'));
    }
}

void WriteChunkStart(CArchive& archive, int kind, std::int32_t count) {
    archive.WriteString("");
    archive.WriteScrambledString(CVKT_ResourceContainer::kChunkTags[kind]);
    for (std::int32_t word : {0, 1, 0, count}) {
        archive.WriteInt32(word);
    }
}

void WriteItemStart(CArchive& archive, const std::string& id) {
    for (std::int32_t word : {0, 1, 0}) {
        archive.WriteInt32(word);
    }
    archive.WriteScrambledString(id);
    archive.WriteScrambledString("");
}

void WriteGroups(CArchive& archive, CVKT_ResourceContainer& document) {
    for (int kind = 0; kind < plexion::kKindCount; ++kind) {
        if (document.GroupAt(kind)->Count() > 0) {
            archive.WriteString("");
            document.GroupAt(kind)->Serialize(archive, document.Prototype(kind));
        }
    }
}

void WriteOldHeaderSeeds(const std::filesystem::path& folder) {
    CVKT_ResourceContainer document;
    for (const CSeedFiller& filler : SeedFillers()) {
        filler.fill(document);
    }
    for (bool yes : {true, false}) {
        WriteComposedSeed(folder / (yes ? "version2_yes" : "version2_no"), yes,
                          [&](CArchive& archive) {
                              WriteHeader(archive, 2);
                              WriteGroups(archive, document);
                          });
    }
    WriteComposedSeed(folder / "wrong_magic", false, [](CArchive& archive) {
        archive.WriteString("VKR_REZ");
        archive.WriteInt32(0);
        archive.WriteInt32(3);
    });
}

void WriteRepeatedChunkSeed(const std::filesystem::path& folder) {
    WriteComposedSeed(folder / "repeated_chunk", false, [](CArchive& archive) {
        WriteHeader(archive, 3);
        for (std::uint32_t color : {0x123456u, 0xABCDEFu}) {
            CVKT_ResourceContainer document;
            document.GetAt<plexion::CVKT_Color>(document.New<plexion::CVKT_Color>("c"))
                ->SetColor(color);
            WriteGroups(archive, document);
        }
    });
    WriteComposedSeed(folder / "unknown_chunk", false, [](CArchive& archive) {
        WriteHeader(archive, 3);
        archive.WriteString("");
        archive.WriteScrambledString("VKRNONE");
        archive.WriteInt32(0);
    });
}

// One bitmap record: `kind` 6 is followed by `extra` as region data, kind 9
// by `extra` as the picture's file bytes.
void WriteBitmap(CArchive& archive, std::int32_t version, std::int32_t kind,
                 const std::vector<std::int32_t>& extra) {
    WriteItemStart(archive, "bitmap");
    archive.WriteInt32(0);
    archive.WriteInt32(version);
    archive.WriteInt32(kind);
    for (const char* text : {"bitmap", "picture.png", "comment"}) {
        if (version >= 2) {
            archive.WriteScrambledString(text);
        } else {
            archive.WriteString(text);
        }
    }
    for (double value : {64.0, 32.0}) {
        archive.WriteFloat64(value);
    }
    archive.WriteInt32(32);
    archive.WriteInt32(1);
    for (double value : {-1.5, 2.0}) {
        archive.WriteFloat64(value);
    }
    if (kind == 6 || kind == 9) {
        archive.WriteInt32(static_cast<std::int32_t>(extra.size() * 4));
        archive.WriteRaw(extra.data(), extra.size() * 4);
    }
}

void WriteBitmapSeed(const std::filesystem::path& folder) {
    WriteComposedSeed(folder / "bitmap_kinds", false, [](CArchive& archive) {
        WriteHeader(archive, 3);
        WriteChunkStart(archive, plexion::kKindBitmaps, 8);
        WriteBitmap(archive, 2, 0, {});
        WriteBitmap(archive, 2, 4, {});
        WriteBitmap(archive, 1, 2, {});
        WriteBitmap(archive, 2, 23, {});
        WriteBitmap(archive, 2, 9, {0x474E5089, 0x0A1A0A0D, 0, 0x52444849});
        // Header claims three rectangles, two are present, one is empty.
        WriteBitmap(archive, 2, 6, {32, 1, 3, 48, 0, 0, 9, 9, 0, 0, 4, 4, 1, 1, 1, 9});
        // A count whose byte size passes 32 bits.
        WriteBitmap(archive, 2, 6, {32, 1, 0x10000001, 16, 0, 0, 9, 9, 0, 0, 4, 4});
        // Region data shorter than its header.
        WriteBitmap(archive, 1, 6, {32, 1, 0, 0});
    });
}

void WriteOldTrajectorySeed(const std::filesystem::path& folder) {
    WriteComposedSeed(folder / "trajectory_v1", false, [](CArchive& archive) {
        WriteHeader(archive, 3);
        WriteChunkStart(archive, plexion::kKindTrajectories, 1);
        WriteItemStart(archive, "old path");
        for (std::int32_t word : {0, 1, 1, 2, 5, -5}) {
            archive.WriteInt32(word);
        }
        archive.WriteInt32(3);
        for (double value : {0.0, 0.0, 10.0, 0.0, 10.0, 10.0}) {
            archive.WriteFloat64(value);
        }
    });
}

// Short texts in the long length forms: 0xFF then 16 bits, and 0xFF 0xFFFF
// then 32 bits.
void WriteLongFormLengthSeed(const std::filesystem::path& folder) {
    WriteComposedSeed(folder / "long_form_lengths", false, [](CArchive& archive) {
        WriteHeader(archive, 3);
        WriteChunkStart(archive, plexion::kKindTexts, 2);
        for (bool veryLong : {false, true}) {
            WriteItemStart(archive, veryLong ? "u32" : "u16");
            for (std::int32_t word : {0, 1, 9}) {
                archive.WriteInt32(word);
            }
            const std::string text = plexion::ScrambleText("short");
            archive.WriteByte(0xFF);
            if (veryLong) {
                archive.WriteUInt16(0xFFFF);
                archive.WriteUInt32(static_cast<std::uint32_t>(text.size()));
            } else {
                archive.WriteUInt16(static_cast<std::uint16_t>(text.size()));
            }
            archive.WriteRaw(text.data(), text.size());
        }
    });
}

}  // namespace

void WriteComposedSeeds(const std::filesystem::path& folder) {
    WriteOldHeaderSeeds(folder);
    WriteRepeatedChunkSeed(folder);
    WriteBitmapSeed(folder);
    WriteOldTrajectorySeed(folder);
    WriteLongFormLengthSeed(folder);
}

}  // namespace plexion_fuzz
