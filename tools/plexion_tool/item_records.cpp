#include "item_records.h"

#include <algorithm>
#include <limits>

#include "argument_values.h"
#include "bitmap_item.h"
#include "kind_registry.h"
#include "scramble.h"
#include "sound_import.h"
#include "tool_failure.h"
#include "wav_file_info.h"
#include "wav_memory.h"

namespace plexion::tool {
namespace {

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

void WriteHeader(CArchive& record, const std::string& id, const std::string& comments) {
    record.WriteInt32(0);
    record.WriteInt32(1);
    record.WriteInt32(0);
    record.WriteScrambledString(id);
    record.WriteScrambledString(comments);
}

void WriteCommonHeader(CJsonFields& fields, CArchive& record) {
    const std::string id = fields.Text("id");
    WriteHeader(record, id, fields.Text("comments"));
}

void CopyWhole(CJsonFields& fields, const CFolderPayloads::CFile& file, CArchive& record,
               CArchive::BlockTransform transform = nullptr) {
    if (!file.CopyInto(record, 0, file.Size(), transform)) {
        fields.Fail(fields.Get("file"), "the file \"" + file.Path().string() +
                                            "\" changed or could not be read while it was copied");
    }
}

void WriteText(CJsonFields& fields, CArchive& record) {
    WriteCommonHeader(fields, record);
    record.WriteInt32(0);
    record.WriteInt32(1);
    record.WriteInt32(fields.Int32("value"));
    record.WriteScrambledString(fields.Text("text"));
}

void WriteColor(CJsonFields& fields, CArchive& record) {
    WriteCommonHeader(fields, record);
    record.WriteInt32(0);
    record.WriteInt32(1);
    record.WriteInt32(fields.Int32("value"));
    const CJsonValue& color = fields.Get("color");
    std::uint32_t rgb = 0;
    try {
        rgb = ParseColor(fields.TextOf(color, "\"color\""));
    } catch (const CToolFailure&) {
        fields.Fail(color, "\"color\" must be six hex digits RRGGBB");
    }
    record.WriteUInt32(MaskColor(rgb));
}

void WriteBinaryFile(CJsonFields& fields, const CFolderPayloads& payloads, CArchive& record) {
    WriteCommonHeader(fields, record);
    const std::int32_t plain = fields.Int32("plain");
    record.WriteInt32(0);
    record.WriteInt32(1);
    record.WriteInt32(plain);
    record.WriteScrambledString(fields.Text("source"));
    const CFolderPayloads::CFile file = payloads.Open(fields);
    record.WriteInt32(static_cast<std::int32_t>(file.Size()));
    CopyWhole(fields, file, record, plain == 0 ? ScrambleBlock : nullptr);
}

void WriteRegion(CJsonFields& fields, CArchive& record) {
    const CJsonValue& rects = fields.Array("rects");
    constexpr std::size_t kMaxRects = (kInt32Max - 32) / 16;
    if (rects.items.size() > kMaxRects) {
        fields.Fail(rects, "\"rects\" holds more rectangles than a document can store");
    }
    std::vector<std::int32_t> words;
    words.reserve(rects.items.size() * 4);
    for (const CJsonValue& rect : rects.items) {
        fields.CheckLength(rect, 4, "a rectangle of \"rects\"");
        for (const CJsonValue& value : rect.items) {
            words.push_back(static_cast<std::int32_t>(
                fields.IntOf(value, kInt32Min, kInt32Max, "a rectangle coordinate")));
        }
    }
    const auto count = static_cast<std::uint32_t>(rects.items.size());
    record.WriteInt32(static_cast<std::int32_t>(32 + 16 * count));
    record.WriteUInt32(32);
    record.WriteUInt32(1);
    record.WriteUInt32(count);
    record.WriteUInt32(16 * count);
    std::int32_t box[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < words.size(); i += 4) {
        for (int corner = 0; corner < 4; ++corner) {
            const std::int32_t v = words[i + corner];
            box[corner] = i == 0       ? v
                          : corner < 2 ? std::min(box[corner], v)
                                       : std::max(box[corner], v);
        }
    }
    for (const std::int32_t v : box) {
        record.WriteInt32(v);
    }
    for (const std::int32_t v : words) {
        record.WriteInt32(v);
    }
}

void WriteBitmap(CJsonFields& fields, const CFolderPayloads& payloads, CArchive& record) {
    const std::string id = fields.Text("id");
    const std::string comments = fields.Text("comments");
    WriteHeader(record, id, comments);
    const CJsonValue& kindValue = fields.Get("kind");
    const auto kind = static_cast<int>(fields.IntOf(kindValue, 0, 9, "\"kind\""));
    const bool known = kind <= CVKT_Bitmap::kKindDib32 || kind == CVKT_Bitmap::kKindRegion ||
                       kind == CVKT_Bitmap::kKindImage;
    if (!known) {
        fields.Fail(kindValue, "\"kind\" must be 0 to 4 (empty), 6 (region) or 9 (picture)");
    }
    record.WriteInt32(0);
    record.WriteInt32(CVKT_Bitmap::kPayloadVersion);
    record.WriteInt32(kind);
    record.WriteScrambledString(id);
    record.WriteScrambledString(fields.Text("source"));
    record.WriteScrambledString(comments);
    record.WriteFloat64(fields.Real("width"));
    record.WriteFloat64(fields.Real("height"));
    record.WriteInt32(kind == CVKT_Bitmap::kKindRegion ? 1 : 32);
    record.WriteInt32(1);
    record.WriteFloat64(fields.Real("offset_x"));
    record.WriteFloat64(fields.Real("offset_y"));
    if (kind == CVKT_Bitmap::kKindRegion) {
        WriteRegion(fields, record);
    } else if (kind == CVKT_Bitmap::kKindImage) {
        const CFolderPayloads::CFile file = payloads.Open(fields);
        record.WriteInt32(static_cast<std::int32_t>(file.Size()));
        CopyWhole(fields, file, record);
    }
}

// Sample codings that a sound stores as the WAV file holds them; any other
// WAV file is converted as an import converts it.
bool IsStoredAsItIs(const CWavFileInfo& wav) {
    const bool integer = wav.encoding == CWavFileInfo::Encoding::Integer &&
                         (wav.bitsPerSample == 8 || wav.bitsPerSample == 16);
    const bool real = wav.encoding == CWavFileInfo::Encoding::Float && wav.bitsPerSample == 32;
    return (integer || real) && wav.channels >= 1 && wav.sampleRate >= 1 &&
           wav.blockAlign == wav.channels * wav.bitsPerSample / 8 &&
           wav.dataBytes % wav.blockAlign == 0 &&
           wav.dataBytes / wav.blockAlign <= static_cast<std::uint64_t>(kInt32Max);
}

void WritePcmFromRaw(CJsonFields& fields, const CFolderPayloads& payloads, CArchive& record) {
    const std::int32_t bits = fields.Int32("bits");
    const std::int32_t channels = fields.Int32("channels");
    const std::int32_t rate = fields.Int32("rate");
    const std::int32_t frames = fields.Int32("frames");
    const CFolderPayloads::CFile file = payloads.Open(fields);
    const std::int64_t needed =
        frames > 0 ? CVKT_WavMemory::PcmByteCount(channels, frames, bits) : 0;
    if (needed < 0 || static_cast<std::uint64_t>(needed) != file.Size()) {
        fields.Fail(fields.Get("file"),
                    "the file \"" + file.Path().string() + "\" holds " +
                        std::to_string(file.Size()) + " bytes of samples, but " +
                        std::to_string(frames) + " frames of " + std::to_string(channels) +
                        " channels of " + std::to_string(bits) + " bits need " +
                        (needed < 0 ? std::string("an impossible size") : std::to_string(needed)));
    }
    record.WriteInt32(frames);
    record.WriteInt32(bits);
    record.WriteInt32(channels);
    record.WriteInt32(rate);
    CopyWhole(fields, file, record);
}

void WriteConvertedSound(CJsonFields& fields, const CFolderPayloads::CFile& file,
                         const std::string& id, const std::string& comments, CArchive& record) {
    CVKT_WavMemory sound;
    std::string why;
    if (!LoadSoundForImport(sound, file.Path().string(), why)) {
        fields.Fail(fields.Get("file"),
                    "the file \"" + file.Path().string() + "\" is not a usable sound: " + why);
    }
    if (sound.StorageKind() != CVKT_WavMemory::kStoragePcm) {
        fields.Fail(fields.Get("file"), "the file \"" + file.Path().string() +
                                            "\" holds no PCM sound, but \"storage\" says \"pcm\"");
    }
    sound.SetID(id);
    sound.SetComments(comments);
    sound.Serialize(record);
}

void WriteSound(CJsonFields& fields, const CFolderPayloads& payloads, CArchive& record) {
    const std::string id = fields.Text("id");
    const std::string comments = fields.Text("comments");
    const CJsonValue& storageValue = fields.Get("storage");
    const std::string storage = fields.TextOf(storageValue, "\"storage\"");
    if (storage != "pcm" && storage != "ogg") {
        fields.Fail(storageValue, "\"storage\" must be \"pcm\" or \"ogg\"");
    }
    if (storage == "pcm" && !fields.Has("bits")) {
        // The WAV file says the format.
        const CFolderPayloads::CFile file = payloads.Open(fields);
        CWavFileInfo wav;
        wav.Inspect(file.Path().string());
        if (!wav.recognised || !IsStoredAsItIs(wav)) {
            return WriteConvertedSound(fields, file, id, comments, record);
        }
        WriteHeader(record, id, comments);
        record.WriteInt32(0);
        record.WriteInt32(1);
        record.WriteInt32(CVKT_WavMemory::kStoragePcm);
        record.WriteInt32(static_cast<std::int32_t>(wav.dataBytes / wav.blockAlign));
        record.WriteInt32(wav.bitsPerSample);
        record.WriteInt32(wav.channels);
        record.WriteInt32(wav.sampleRate);
        if (!file.CopyInto(record, wav.dataOffset, wav.dataBytes)) {
            fields.Fail(fields.Get("file"),
                        "the file \"" + file.Path().string() + "\" changed or could not be read");
        }
        return;
    }
    WriteHeader(record, id, comments);
    record.WriteInt32(0);
    record.WriteInt32(1);
    if (storage == "pcm") {
        record.WriteInt32(CVKT_WavMemory::kStoragePcm);
        return WritePcmFromRaw(fields, payloads, record);
    }
    record.WriteInt32(CVKT_WavMemory::kStorageOgg);
    const CFolderPayloads::CFile file = payloads.Open(fields);
    record.WriteInt32(static_cast<std::int32_t>(file.Size()));
    CopyWhole(fields, file, record);
}

void WriteAnimation(CJsonFields& fields, CArchive& record) {
    WriteCommonHeader(fields, record);
    record.WriteInt32(0);
    record.WriteInt32(1);
    record.WriteInt32(fields.Int32("type"));
    const CJsonValue& frames = fields.Array("frames");
    if (frames.items.size() > static_cast<std::size_t>(kInt32Max)) {
        fields.Fail(frames, "\"frames\" holds too many frames");
    }
    record.WriteInt32(static_cast<std::int32_t>(frames.items.size()));
    for (const CJsonValue& frame : frames.items) {
        fields.CheckLength(frame, 4, "a frame [bitmap, delay, offset x, offset y]");
        for (const CJsonValue& value : frame.items) {
            record.WriteInt32(static_cast<std::int32_t>(
                fields.IntOf(value, kInt32Min, kInt32Max, "a frame value")));
        }
    }
    record.WriteInt32(fields.Int32("play_mode"));
}

void WriteTrajectory(CJsonFields& fields, CArchive& record) {
    WriteCommonHeader(fields, record);
    record.WriteInt32(0);
    record.WriteInt32(2);
    record.WriteInt32(fields.Int32("type"));
    record.WriteInt32(fields.Int32("play_mode"));
    const std::int32_t closed = fields.Int32("closed");
    const CJsonValue& offset = fields.Get("offset");
    fields.CheckLength(offset, 2, "\"offset\"");
    for (const CJsonValue& value : offset.items) {
        record.WriteInt32(
            static_cast<std::int32_t>(fields.IntOf(value, kInt32Min, kInt32Max, "\"offset\"")));
    }
    record.WriteInt32(closed);
    const CJsonValue& center = fields.Get("center");
    fields.CheckLength(center, 2, "\"center\"");
    for (const CJsonValue& value : center.items) {
        record.WriteFloat64(fields.RealOf(value, "\"center\""));
    }
    const CJsonValue& points = fields.Array("points");
    if (points.items.size() > static_cast<std::size_t>(kInt32Max)) {
        fields.Fail(points, "\"points\" holds too many points");
    }
    record.WriteInt32(static_cast<std::int32_t>(points.items.size()));
    for (const CJsonValue& point : points.items) {
        fields.CheckLength(point, 2, "a point [x, y]");
        for (const CJsonValue& value : point.items) {
            record.WriteFloat64(fields.RealOf(value, "a point coordinate"));
        }
    }
}

void WriteMap(CJsonFields& fields, CArchive& record) {
    WriteCommonHeader(fields, record);
    record.WriteInt32(0);
    record.WriteInt32(1);
    record.WriteInt32(fields.Int32("type"));
    const auto columns = static_cast<std::int32_t>(fields.Int("columns", 0, kInt32Max));
    const auto lines = static_cast<std::int32_t>(fields.Int("lines", 0, kInt32Max));
    record.WriteInt32(columns);
    record.WriteInt32(lines);
    record.WriteInt32(fields.Int32("size_y"));
    record.WriteInt32(fields.Int32("size_x"));
    // Given line by line, stored column by column.
    const CJsonValue& rows = fields.Array("rows");
    const bool hasCells = columns > 0 && lines > 0;
    fields.CheckLength(rows, hasCells ? static_cast<std::size_t>(lines) : 0,
                       "\"rows\" (one array per line)");
    const auto width = static_cast<std::size_t>(columns);
    std::vector<std::int16_t> cells(hasCells ? width * rows.items.size() : 0);
    for (std::size_t line = 0; line < rows.items.size(); ++line) {
        const CJsonValue& row = rows.items[line];
        fields.CheckLength(row, width, "a line of \"rows\"");
        for (std::size_t column = 0; column < width; ++column) {
            cells[column * rows.items.size() + line] = static_cast<std::int16_t>(
                fields.IntOf(row.items[column], std::numeric_limits<std::int16_t>::min(),
                             std::numeric_limits<std::int16_t>::max(), "a cell"));
        }
    }
    for (const std::int16_t cell : cells) {
        record.WriteUInt16(static_cast<std::uint16_t>(cell));
    }
}

}  // namespace

void WriteItemRecord(int kind, CJsonFields& fields, const CFolderPayloads& payloads,
                     CArchive& record) {
    switch (kind) {
        case kKindTexts:
            WriteText(fields, record);
            break;
        case kKindBitmaps:
            WriteBitmap(fields, payloads, record);
            break;
        case kKindSounds:
            WriteSound(fields, payloads, record);
            break;
        case kKindIndexLists:
            WriteAnimation(fields, record);
            break;
        case kKindTrajectories:
            WriteTrajectory(fields, record);
            break;
        case kKindMaps:
            WriteMap(fields, record);
            break;
        case kKindColors:
            WriteColor(fields, record);
            break;
        default:
            WriteBinaryFile(fields, payloads, record);
    }
    fields.CheckAllRead();
}

}  // namespace plexion::tool
