#include "item_content.h"

#include <array>
#include <string_view>

#include "binary_file_item.h"
#include "bitmap_item.h"
#include "paths.h"
#include "tool_failure.h"
#include "wav_file_writer.h"
#include "wav_memory.h"

namespace plexion::tool {
namespace {

struct CMagic {
    std::string_view bytes;
    const char* extension;
};

// The picture formats the editor imports, recognised by their first bytes.
constexpr std::array<CMagic, 7> kPictureMagics = {{
    {std::string_view("\x89PNG\r\n\x1a\n", 8), "png"},
    {std::string_view("\xFF\xD8\xFF", 3), "jpg"},
    {std::string_view("GIF87a", 6), "gif"},
    {std::string_view("GIF89a", 6), "gif"},
    {std::string_view("II*\0", 4), "tif"},
    {std::string_view("MM\0*", 4), "tif"},
    {std::string_view("BM", 2), "bmp"},
}};

std::string SniffPictureExtension(const std::vector<std::uint8_t>& bytes) {
    const std::string_view head(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const CMagic& magic : kPictureMagics) {
        if (head.starts_with(magic.bytes)) {
            return magic.extension;
        }
    }
    return "bin";
}

CItemContent BitmapContent(const CVKT_Bitmap& bitmap) {
    return {bitmap.SourceBytes(), BitmapExtension(bitmap)};
}

CItemContent SoundContent(const CVKT_WavMemory& sound) {
    if (sound.StorageKind() == CVKT_WavMemory::kStorageOgg) {
        return {sound.Ogg().Bytes(), "ogg"};
    }
    std::string why;
    auto wav = MakeWavFile(sound.BitsPerSample(), sound.Channels(), sound.SampleRate(),
                           sound.SampleData(), &why);
    if (!wav) {
        throw CToolFailure(kExitFileProblem,
                           "cannot write the sound \"" + sound.ID() + "\" as a WAV file: " + why);
    }
    return {std::move(*wav), "wav"};
}

CItemContent FileContent(const CVKT_BinaryFile& file) {
    const auto* data = file.Data().Data();
    const auto size = static_cast<std::size_t>(file.Data().Size());
    return {std::vector<std::uint8_t>(data, data + (data ? size : 0)),
            ExtensionOf(file.SourceFilename())};
}

}  // namespace

std::string BitmapExtension(const CVKT_Bitmap& bitmap) {
    std::string extension = ExtensionOf(bitmap.SourceFileName());
    if (extension.empty()) {
        extension = SniffPictureExtension(bitmap.SourceBytes());
    }
    return extension;
}

bool IsExtractableKind(int kind) {
    return kind == kKindBinaryFiles || kind == kKindBitmaps || kind == kKindSounds;
}

bool HasNoContent(const CVKT_ResourceContainer& resources, int kind, int index) {
    if (kind == kKindBinaryFiles) {
        return resources.GetAt<CVKT_BinaryFile>(index)->Data().Size() == 0;
    }
    if (kind == kKindBitmaps) {
        return resources.GetAt<CVKT_Bitmap>(index)->SourceBytes().empty();
    }
    const CVKT_WavMemory& sound = *resources.GetAt<CVKT_WavMemory>(index);
    return sound.StorageKind() == CVKT_WavMemory::kStorageOgg ? sound.Ogg().Empty()
                                                              : sound.SampleData().empty();
}

CItemContent ContentOf(const CVKT_ResourceContainer& resources, int kind, int index) {
    if (kind == kKindBinaryFiles) {
        return FileContent(*resources.GetAt<CVKT_BinaryFile>(index));
    }
    if (kind == kKindBitmaps) {
        return BitmapContent(*resources.GetAt<CVKT_Bitmap>(index));
    }
    return SoundContent(*resources.GetAt<CVKT_WavMemory>(index));
}

}  // namespace plexion::tool
