#include "synthetic_document.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "binary_file_item.h"
#include "color_item.h"
#include "index_list_item.h"
#include "map_item.h"
#include "resource_container.h"
#include "text_item.h"
#include "trajectory_item.h"
#include "wav_memory.h"

namespace plexion_bench {
namespace {

using namespace plexion;

constexpr int kTexts = 40000;
constexpr int kFiles = 3000;
constexpr int kTrajectories = 16;
constexpr int kTrajectoryPoints = 100000;
constexpr int kMaps = 12;
constexpr int kMapSide = 1000;
constexpr int kColors = 5000;
constexpr int kAnimations = 2000;
constexpr int kAnimationFrames = 40;
constexpr int kSounds = 60;
constexpr std::int32_t kSoundFrames = 44100;

// xorshift64: fast, and the same bytes on every run.
class CRandom {
public:
    std::uint64_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    int Below(int bound) { return static_cast<int>(Next() % static_cast<std::uint64_t>(bound)); }
    void Fill(std::uint8_t* out, std::size_t size) {
        for (std::size_t i = 0; i < size; i += 8) {
            const std::uint64_t word = Next();
            std::memcpy(out + i, &word, std::min<std::size_t>(8, size - i));
        }
    }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

template <typename T>
T& Add(CVKT_ResourceContainer& document, const std::string& id) {
    return *document.GetAt<T>(document.New<T>(id));
}

// Mostly short, every 100th past the one-byte length, every 1000th past the
// 16-bit one.
std::size_t TextLength(int i, CRandom& random) {
    if (i % 1000 == 0) {
        return 70000 + static_cast<std::size_t>(random.Below(30000));
    }
    if (i % 100 == 0) {
        return 256 + static_cast<std::size_t>(random.Below(4000));
    }
    return 4 + static_cast<std::size_t>(random.Below(200));
}

void AddTexts(CVKT_ResourceContainer& document, CRandom& random) {
    for (int i = 0; i < kTexts; ++i) {
        auto& text = Add<CVKT_Text>(document, "text_" + std::to_string(i));
        std::string value(TextLength(i, random), '\0');
        for (char& c : value) {
            c = static_cast<char>('a' + random.Below(26));
        }
        text.SetText(std::move(value));
        text.SetValue(i);
    }
}

// About 128 MiB: sizes spread from a few bytes to a few hundred KiB.
void AddFiles(CVKT_ResourceContainer& document, CRandom& random) {
    for (int i = 0; i < kFiles; ++i) {
        auto& file = Add<CVKT_BinaryFile>(document, "file_" + std::to_string(i));
        const int size = i % 10 == 0 ? random.Below(400000) : random.Below(60000);
        file.Data().SetSize(size);
        random.Fill(file.Data().Data(), static_cast<std::size_t>(size));
        file.SetPlainFlag(i % 8 == 0 ? 1 : 0);
        file.SetSourceFilename("assets/file_" + std::to_string(i) + ".bin");
    }
}

void AddTrajectories(CVKT_ResourceContainer& document) {
    for (int i = 0; i < kTrajectories; ++i) {
        auto& path = Add<CVKT_Trajectory>(document, "path_" + std::to_string(i));
        for (int p = 0; p < kTrajectoryPoints; ++p) {
            path.AddPoint(p * 0.5, (p % 977) * 1.25 + i);
        }
    }
}

void AddMaps(CVKT_ResourceContainer& document) {
    for (int i = 0; i < kMaps; ++i) {
        auto& map = Add<CVKT_Map>(document, "map_" + std::to_string(i));
        while (map.Lines() < kMapSide) {
            map.InsertLine(map.Lines());
        }
        while (map.Columns() < kMapSide) {
            map.InsertColumn(map.Columns());
        }
        for (int c = 0; c < kMapSide; ++c) {
            for (int l = 0; l < kMapSide; ++l) {
                map.SetCell(c, l, static_cast<std::int16_t>((c * 31 + l * 7 + i) % 500));
            }
        }
    }
}

void AddColors(CVKT_ResourceContainer& document, CRandom& random) {
    for (int i = 0; i < kColors; ++i) {
        Add<CVKT_Color>(document, "color_" + std::to_string(i))
            .SetColor(static_cast<std::uint32_t>(random.Next()) & 0xFFFFFF);
    }
}

void AddAnimations(CVKT_ResourceContainer& document) {
    for (int i = 0; i < kAnimations; ++i) {
        auto& animation = Add<CVKT_IndexList>(document, "anim_" + std::to_string(i));
        for (int f = 0; f < kAnimationFrames; ++f) {
            animation.AddFrame({f, 1 + f % 4, f, -f});
        }
    }
}

void AddSounds(CVKT_ResourceContainer& document, CRandom& random) {
    constexpr std::int32_t kBits = 16;
    constexpr std::int32_t kChannels = 2;
    for (int i = 0; i < kSounds; ++i) {
        std::vector<std::uint8_t> samples(kSoundFrames * kChannels * kBits / 8);
        random.Fill(samples.data(), samples.size());
        Add<CVKT_WavMemory>(document, "sound_" + std::to_string(i))
            .SetPcm(kBits, kChannels, 44100, kSoundFrames, std::move(samples));
    }
}

}  // namespace

void FillSyntheticDocument(CVKT_ResourceContainer& document) {
    CRandom random;
    AddTexts(document, random);
    AddFiles(document, random);
    AddTrajectories(document);
    AddMaps(document);
    AddColors(document, random);
    AddAnimations(document);
    AddSounds(document, random);
}

}  // namespace plexion_bench
