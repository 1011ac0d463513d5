#include "seed_documents.h"

#include <QRegion>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "binary_file_item.h"
#include "bitmap_item.h"
#include "color_item.h"
#include "index_list_item.h"
#include "map_item.h"
#include "resource_container.h"
#include "text_item.h"
#include "trajectory_item.h"
#include "wav_memory.h"

namespace plexion_fuzz {
namespace {

using namespace plexion;

template <typename T>
T& Add(CVKT_ResourceContainer& document, std::string id) {
    return *document.GetAt<T>(document.New<T>(std::move(id)));
}

std::vector<std::uint8_t> Pattern(std::size_t size, std::uint8_t seed) {
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
    }
    return bytes;
}

void FillTexts(CVKT_ResourceContainer& document) {
    Add<CVKT_Text>(document, "empty");
    auto& greeting = Add<CVKT_Text>(document, "greeting");
    greeting.SetText("Hello [name], score [score]");
    greeting.SetComments("shown at start");
    greeting.SetValue(-7);
    Add<CVKT_Text>(document, "name").SetText("Player\xC3\xA9\xFF");
    Add<CVKT_Text>(document, "score").SetText(" 42");
    // Lengths around each switch of the length prefix.
    for (std::size_t length : {254u, 255u, 256u, 30000u}) {
        Add<CVKT_Text>(document, std::string(length == 255 ? 255 : 1, 'i'))
            .SetText(std::string(length, 'x'));
    }
    Add<CVKT_Text>(document, "loop").SetText("[loop]");
}

void FillColors(CVKT_ResourceContainer& document) {
    Add<CVKT_Color>(document, "black");
    auto& sky = Add<CVKT_Color>(document, "sky");
    sky.SetColor(CVKT_Color::FromRgb(40, 120, 250));
    sky.SetValue(3);
    Add<CVKT_Color>(document, "high bits").SetColor(0xFFFFFFFFu);
}

void FillFiles(CVKT_ResourceContainer& document) {
    Add<CVKT_BinaryFile>(document, "empty");
    for (std::int32_t plain : {0, 1, -5}) {
        auto& file = Add<CVKT_BinaryFile>(document, "data" + std::to_string(plain));
        file.SetPlainFlag(plain);
        file.SetSourceFilename("C:\\games\\level.bin");
        file.Data().SetSize(300);
        const std::vector<std::uint8_t> bytes = Pattern(300, static_cast<std::uint8_t>(plain));
        std::copy(bytes.begin(), bytes.end(), file.Data().Data());
    }
}

void FillSounds(CVKT_ResourceContainer& document) {
    Add<CVKT_WavMemory>(document, "silence");
    Add<CVKT_WavMemory>(document, "beep").SetPcm(16, 2, 22050, 100, Pattern(400, 1));
    Add<CVKT_WavMemory>(document, "mono8").SetPcm(8, 1, 8000, 33, Pattern(33, 2));
    COggStreamInfo info;
    info.channels = 2;
    info.rate = 44100;
    Add<CVKT_WavMemory>(document, "music").SetOgg(Pattern(200, 3), info);
    Add<CVKT_WavMemory>(document, "empty ogg").SetOgg({}, info);
}

void FillAnimations(CVKT_ResourceContainer& document) {
    Add<CVKT_IndexList>(document, "idle");
    auto& walk = Add<CVKT_IndexList>(document, "walk");
    walk.SetPlayMode(7);
    for (std::int32_t i = 0; i < 6; ++i) {
        walk.AddFrame({i, i - 2, -i, i * 3});
    }
}

void FillTrajectories(CVKT_ResourceContainer& document) {
    Add<CVKT_Trajectory>(document, "none");
    auto& path = Add<CVKT_Trajectory>(document, "path");
    for (int i = 0; i < 20; ++i) {
        path.AddPoint(i * 1.5, -i * 0.25);
    }
    path.SetType(CVKT_Trajectory::kTypeCollisionTest);
    path.SetClosedShape(1);
    path.SetOffsetX(-10);
    path.UpdateCenterOfMass();
}

void FillMaps(CVKT_ResourceContainer& document) {
    Add<CVKT_Map>(document, "default");
    auto& level = Add<CVKT_Map>(document, "level");
    level.InsertColumn(3);
    level.InsertLine(0);
    level.SetSizeX(16);
    for (int c = 0; c < level.Columns(); ++c) {
        level.SetCell(c, c % level.Lines(), static_cast<std::int16_t>(c - 5));
    }
    auto& empty = Add<CVKT_Map>(document, "empty");
    while (empty.Columns() > 0) {
        empty.RemoveColumn(0);
    }
}

void FillRegions(CVKT_ResourceContainer& document) {
    Add<CVKT_Bitmap>(document, "nothing");
    Add<CVKT_Bitmap>(document, "region").SetRegion(QRegion(0, 0, 10, 10).united(QRect(-5, 20, 10, 10)));
    Add<CVKT_Bitmap>(document, "empty region").SetRegion(QRegion());
}

constexpr std::array kFillers = {
    CSeedFiller{"texts", &FillTexts},
    CSeedFiller{"colors", &FillColors},
    CSeedFiller{"files", &FillFiles},
    CSeedFiller{"sounds", &FillSounds},
    CSeedFiller{"animations", &FillAnimations},
    CSeedFiller{"trajectories", &FillTrajectories},
    CSeedFiller{"maps", &FillMaps},
    CSeedFiller{"regions", &FillRegions},
};

}  // namespace

std::span<const CSeedFiller> SeedFillers() {
    return kFillers;
}

}  // namespace plexion_fuzz
