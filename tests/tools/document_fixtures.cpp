#include "document_fixtures.h"

#include <QRegion>

#include <fcntl.h>
#include <unistd.h>

#include <stdexcept>

#include "all_kinds.h"
#include "archive.h"
#include "binary_file_item.h"
#include "bitmap_item.h"
#include "color_item.h"
#include "index_list_item.h"
#include "map_item.h"
#include "plexion_doc_core.h"
#include "resource_container.h"
#include "text_item.h"
#include "trajectory_item.h"
#include "wav_memory.h"

namespace plexion::test {
namespace {

// Runs `write` on an archive appending to (or, with `truncate`, replacing)
// the file at `path`.
template <typename Write>
void WriteThroughArchive(const std::string& path, bool truncate, Write write) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | (truncate ? O_TRUNC : O_APPEND), 0600);
    if (fd < 0) {
        throw std::runtime_error("cannot open " + path);
    }
    CArchive archive = CArchive::WriterTo(fd);
    write(archive);
    archive.Flush();
    ::close(fd);
}

void SaveOrThrow(CVKT_ResourceContainer& resources, const std::string& path) {
    if (!resources.Save(path)) {
        throw std::runtime_error("cannot save " + path + ": " + resources.LastSaveError());
    }
}

void AddSounds(CVKT_ResourceContainer& resources) {
    auto* step = resources.GetAt<CVKT_WavMemory>(resources.New<CVKT_WavMemory>("step"));
    step->SetPcm(16, 2, 22050, 3, StepSamples());
    auto* beep = resources.GetAt<CVKT_WavMemory>(resources.New<CVKT_WavMemory>("beep"));
    beep->SetPcm(8, 1, 8000, 3, {0x80, 0xFF, 0x00});
    const std::vector<std::uint8_t> floats = {0, 0, 0x80, 0x3F, 0, 0, 0x80, 0xBF};
    auto* hum = resources.GetAt<CVKT_WavMemory>(resources.New<CVKT_WavMemory>("hum"));
    hum->SetPcm(32, 1, 48000, 2, floats);
    auto* music = resources.GetAt<CVKT_WavMemory>(resources.New<CVKT_WavMemory>("music"));
    music->SetOgg({'O', 'g', 'g', 'S', 0, 2, 9}, COggStreamInfo{0, 2, 44100, -1, 128000, -1, 0});
    resources.New<CVKT_WavMemory>("silence");
}

void AddGraphics(CVKT_ResourceContainer& resources) {
    auto* region = resources.GetAt<CVKT_Bitmap>(resources.New<CVKT_Bitmap>("zone"));
    region->SetRegion(QRegion(0, 0, 4, 2).united(QRect(1, 2, 2, 4)));
    region->SetOffsetX(-0.0);
    region->SetOffsetY(0.1);
    auto* walk = resources.GetAt<CVKT_IndexList>(resources.New<CVKT_IndexList>("walk"));
    walk->AddFrame({0, 3, -1, 2});
    walk->AddFrame({1, 5, 0, 0});
    walk->SetPlayMode(2);
    auto* room = resources.GetAt<CVKT_Map>(resources.New<CVKT_Map>("room"));
    room->SetCell(2, 7, -5);
    room->SetSizeX(16);
}

void AddShape(CVKT_ResourceContainer& resources) {
    auto* shape = resources.GetAt<CVKT_Trajectory>(resources.New<CVKT_Trajectory>("hull"));
    shape->SetType(CVKT_Trajectory::kTypeCollisionTest);
    shape->SetClosedShape(1);
    shape->SetOffsetX(7);
    shape->SetOffsetY(-3);
    shape->AddPoint(0.1, 1e300);
    shape->AddPoint(-2.5, 5e-324);
    shape->SetCenterOfMass(1.0 / 3.0, 2.0);
}

}  // namespace

std::vector<std::uint8_t> EveryByteValue() {
    std::vector<std::uint8_t> bytes(256);
    for (int i = 0; i < 256; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i);
    }
    return bytes;
}

std::vector<std::uint8_t> StepSamples() {
    return {1, 0, 2, 0, 3, 0, 4, 0, 0xFF, 0x7F, 0x00, 0x80};
}

void AppendImageBitmaps(const std::string& path, const std::vector<CImageBitmap>& bitmaps) {
    const CVKT_Bitmap scrambler;
    WriteThroughArchive(path, false, [&](CArchive& archive) {
        archive.WriteString("");
        archive.WriteScrambledString(CVKT_ResourceContainer::kChunkTags[CVKT_Bitmap::kKind]);
        for (const std::int32_t word : {0, 1, 0, static_cast<std::int32_t>(bitmaps.size())}) {
            archive.WriteInt32(word);
        }
        for (const CImageBitmap& bitmap : bitmaps) {
            for (const std::int32_t word : {0, 1, 0}) {
                archive.WriteInt32(word);
            }
            archive.WriteScrambledString(bitmap.id);
            archive.WriteScrambledString("");
            archive.WriteInt32(0);
            archive.WriteInt32(CVKT_Bitmap::kPayloadVersion);
            archive.WriteInt32(CVKT_Bitmap::kKindImage);
            archive.WriteScrambledString(bitmap.id);
            archive.WriteScrambledString(bitmap.sourceName);
            archive.WriteScrambledString("");
            archive.WriteFloat64(bitmap.width);
            archive.WriteFloat64(bitmap.height);
            archive.WriteInt32(32);
            archive.WriteInt32(1);
            archive.WriteFloat64(0.0);
            archive.WriteFloat64(0.0);
            archive.WriteInt32(static_cast<std::int32_t>(bitmap.bytes.size()));
            archive.WriteRaw(bitmap.bytes.data(), bitmap.bytes.size());
        }
    });
}

void WriteHeaderOnly(const std::string& path, std::int32_t version) {
    WriteThroughArchive(path, true, [&](CArchive& archive) {
        archive.WriteString("VKR_RES");
        archive.WriteInt32(0);
        archive.WriteInt32(version);
        if (version == 3) {
            archive.WriteInt32(version);
            archive.WriteScrambledString(CVKT_ResourceContainer::kDefaultName);
            archive.WriteScrambledString(CVKT_ResourceContainer::kDefaultComments);
        }
    });
}

void WritePasswordDocument(const std::string& path, const std::string& password) {
    RegisterAllResourceKinds();
    CVKT_ResourceContainer resources;
    const int index = resources.New<CVKT_Text>(CPlexionDocCore::kPasswordId);
    resources.GetAt<CVKT_Text>(index)->SetText(password);
    SaveOrThrow(resources, path);
}

void WriteEveryKindDocument(const std::string& path) {
    RegisterAllResourceKinds();
    CVKT_ResourceContainer resources;
    resources.SetName("Every kind");
    auto* text = resources.GetAt<CVKT_Text>(resources.New<CVKT_Text>("hello"));
    text->SetText("Hi");
    text->SetValue(-42);
    AddSounds(resources);
    AddGraphics(resources);
    AddShape(resources);
    auto* color = resources.GetAt<CVKT_Color>(resources.New<CVKT_Color>("sky"));
    color->SetColor(CVKT_Color::FromRgb(0x12, 0xAB, 0xEF));
    color->SetValue(9);
    auto* file = resources.GetAt<CVKT_BinaryFile>(resources.New<CVKT_BinaryFile>("blob"));
    const std::vector<std::uint8_t> bytes = EveryByteValue();
    file->Data().SetSize(static_cast<std::int64_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), file->Data().Data());
    file->SetSourceFilename("C:\\data\\blob.bin");
    SaveOrThrow(resources, path);
}

}  // namespace plexion::test
