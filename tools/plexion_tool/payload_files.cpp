#include "payload_files.h"

#include "binary_file_item.h"
#include "bitmap_item.h"
#include "item_content.h"
#include "kind_registry.h"
#include "paths.h"
#include "wav_file_writer.h"
#include "wav_memory.h"

namespace plexion::tool {
namespace {

// The sample codings a WAV file gives back exactly as they are stored: a WAV
// file of 24-bit samples, say, is read as 32-bit floats.
bool HasExactWavForm(const CVKT_WavMemory& sound) {
    const int bits = sound.BitsPerSample();
    return (bits == 8 || bits == 16 || bits == 32) && sound.FrameCount() >= 0;
}

CPayloadFile SoundFile(const CVKT_WavMemory& sound) {
    if (sound.StorageKind() == CVKT_WavMemory::kStorageOgg) {
        return CPayloadFile::Viewing(sound.Ogg().Bytes(), "ogg", true);
    }
    if (HasExactWavForm(sound)) {
        auto wav = MakeWavFile(sound.BitsPerSample(), sound.Channels(), sound.SampleRate(),
                               sound.SampleData());
        if (wav) {
            return CPayloadFile::Owning(std::move(*wav), "wav");
        }
    }
    return CPayloadFile::Viewing(sound.SampleData(), "pcm", false);
}

}  // namespace

CPayloadFile CPayloadFile::Viewing(std::span<const std::uint8_t> bytes, std::string extension,
                                   bool holdsFormat) {
    CPayloadFile file;
    file.view_ = bytes;
    file.extension_ = std::move(extension);
    file.holdsFormat_ = holdsFormat;
    return file;
}

CPayloadFile CPayloadFile::Owning(std::vector<std::uint8_t> bytes, std::string extension) {
    CPayloadFile file;
    file.made_ = std::move(bytes);
    file.owned_ = true;
    file.extension_ = std::move(extension);
    return file;
}

bool HasPayloadFile(int kind, const CVKT_Resource& item) {
    if (kind == kKindBitmaps) {
        return static_cast<const CVKT_Bitmap&>(item).GetKind() == CVKT_Bitmap::kKindImage;
    }
    return kind == kKindSounds || kind == kKindBinaryFiles;
}

CPayloadFile PayloadFileOf(int kind, const CVKT_Resource& item) {
    if (kind == kKindBitmaps) {
        const auto& bitmap = static_cast<const CVKT_Bitmap&>(item);
        return CPayloadFile::Viewing(bitmap.SourceBytes(), BitmapExtension(bitmap), true);
    }
    if (kind == kKindSounds) {
        return SoundFile(static_cast<const CVKT_WavMemory&>(item));
    }
    const auto& file = static_cast<const CVKT_BinaryFile&>(item);
    const std::uint8_t* data = file.Data().Data();
    const auto size = static_cast<std::size_t>(file.Data().Size());
    return CPayloadFile::Viewing(std::span(data, data ? size : 0),
                                 ExtensionOf(file.SourceFilename()), true);
}

}  // namespace plexion::tool
