#include "item_json.h"

#include <cstdio>
#include <span>

#include "binary_file_item.h"
#include "bitmap_item.h"
#include "color_item.h"
#include "index_list_item.h"
#include "kind_registry.h"
#include "map_item.h"
#include "sha256.h"
#include "text_item.h"
#include "trajectory_item.h"
#include "wav_memory.h"

namespace plexion::tool {
namespace {

void WriteText(CJsonWriter& json, const CVKT_Text& text) {
    IntMember(json, "value", text.Value());
    TextMember(json, "text", text.Text());
}

// The alpha is the editor's alone: no document stores it.
void WriteColor(CJsonWriter& json, const CVKT_Color& color, const CItemForm& form) {
    IntMember(json, "value", color.Value());
    char rgb[8];
    std::snprintf(rgb, sizeof rgb, "%02X%02X%02X", color.Red(), color.Green(), color.Blue());
    TextMember(json, "color", rgb);
    if (!form.folder) {
        IntMember(json, "alpha", color.Alpha());
    }
}

void WriteBinaryFile(CJsonWriter& json, const CVKT_BinaryFile& file, const CItemForm& form) {
    IntMember(json, "plain", file.PlainFlag());
    TextMember(json, "source", file.SourceFilename());
    if (form.folder) {
        TextMember(json, "file", form.file);
        return;
    }
    const auto size = static_cast<std::size_t>(file.Data().Size());
    IntMember(json, "size", file.Data().Size());
    const std::uint8_t* data = file.Data().Data();
    TextMember(json, "sha256", Sha256Hex(std::span(data, data ? size : 0)));
}

void WriteBitmap(CJsonWriter& json, const CVKT_Bitmap& bitmap, const CItemForm& form) {
    IntMember(json, "kind", bitmap.GetKind());
    RealMember(json, "width", bitmap.DisplayWidth());
    RealMember(json, "height", bitmap.DisplayHeight());
    RealMember(json, "offset_x", bitmap.OffsetX());
    RealMember(json, "offset_y", bitmap.OffsetY());
    TextMember(json, "source", bitmap.SourceFileName());
    if (!form.folder) {
        IntMember(json, "source_size", static_cast<std::int64_t>(bitmap.SourceBytes().size()));
        TextMember(json, "source_sha256", Sha256Hex(bitmap.SourceBytes()));
    } else if (!form.file.empty()) {
        TextMember(json, "file", form.file);
    }
    if (bitmap.GetKind() == CVKT_Bitmap::kKindRegion) {
        json.Key("rects");
        json.BeginArray();
        // As stored: each rectangle ends one past its last pixel.
        for (const QRect& r : *bitmap.Region()) {
            IntArray(json, {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
        }
        json.EndArray();
    }
}

void WriteOggStream(CJsonWriter& json, const COggStreamInfo& info) {
    json.Key("stream");
    json.BeginObject();
    IntMember(json, "version", info.version);
    IntMember(json, "channels", info.channels);
    IntMember(json, "rate", info.rate);
    IntMember(json, "bitrate_upper", info.bitrateUpper);
    IntMember(json, "bitrate_nominal", info.bitrateNominal);
    IntMember(json, "bitrate_lower", info.bitrateLower);
    IntMember(json, "bitrate_window", info.bitrateWindow);
    json.EndObject();
}

void WriteSound(CJsonWriter& json, const CVKT_WavMemory& sound, const CItemForm& form) {
    const bool ogg = sound.StorageKind() == CVKT_WavMemory::kStorageOgg;
    TextMember(json, "storage", ogg ? "ogg" : "pcm");
    if (!form.folder || !form.fileHoldsFormat) {
        IntMember(json, "bits", sound.BitsPerSample());
        IntMember(json, "channels", sound.Channels());
        IntMember(json, "rate", sound.SampleRate());
        IntMember(json, "frames", sound.FrameCount());
    }
    if (form.folder) {
        TextMember(json, "file", form.file);
        return;
    }
    IntMember(json, "data_size", static_cast<std::int64_t>(sound.SampleData().size()));
    TextMember(json, "data_sha256", Sha256Hex(sound.SampleData()));
    if (ogg) {
        IntMember(json, "ogg_size", static_cast<std::int64_t>(sound.Ogg().Bytes().size()));
        TextMember(json, "ogg_sha256", Sha256Hex(sound.Ogg().Bytes()));
        WriteOggStream(json, sound.Ogg().StreamInfo());
    }
}

void WriteAnimation(CJsonWriter& json, const CVKT_IndexList& animation) {
    IntMember(json, "type", animation.Type());
    IntMember(json, "play_mode", animation.PlayMode());
    json.Key("frames");
    json.BeginArray();
    for (int i = 0; i < animation.FrameCount(); ++i) {
        const CAnimationFrame frame = animation.Frame(i);
        IntArray(json, {frame.bitmap, frame.delay, frame.offsetX, frame.offsetY});
    }
    json.EndArray();
}

void WriteTrajectory(CJsonWriter& json, const CVKT_Trajectory& path) {
    IntMember(json, "type", path.Type());
    IntMember(json, "play_mode", path.PlayMode());
    IntMember(json, "closed", path.ClosedShape());
    json.Key("offset");
    IntArray(json, {path.OffsetX(), path.OffsetY()});
    json.Key("center");
    RealPair(json, path.CenterOfMass().x, path.CenterOfMass().y);
    json.Key("points");
    json.BeginArray();
    for (int i = 0; i < path.Count(); ++i) {
        RealPair(json, path.GetPoint(i).x, path.GetPoint(i).y);
    }
    json.EndArray();
}

// dump lists the cells column by column as the document stores them; the
// folder form lists them line by line, so that the text looks like the map.
void WriteMap(CJsonWriter& json, const CVKT_Map& map, const CItemForm& form) {
    IntMember(json, "type", map.Type());
    IntMember(json, "columns", map.Columns());
    IntMember(json, "lines", map.Lines());
    IntMember(json, "size_x", map.SizeX());
    IntMember(json, "size_y", map.SizeY());
    json.Key(form.folder ? "rows" : "cells");
    json.BeginArray();
    const int outer = form.folder ? map.Lines() : map.Columns();
    const int inner = form.folder ? map.Columns() : map.Lines();
    for (int i = 0; i < outer; ++i) {
        json.BeginArray(true);
        for (int k = 0; k < inner; ++k) {
            json.Int(form.folder ? map.GetCell(k, i) : map.GetCell(i, k));
        }
        json.EndArray();
    }
    json.EndArray();
}

}  // namespace

void WriteItemFields(CJsonWriter& json, int kind, const CVKT_Resource& item,
                     const CItemForm& form) {
    switch (kind) {
        case kKindTexts:
            return WriteText(json, static_cast<const CVKT_Text&>(item));
        case kKindBitmaps:
            return WriteBitmap(json, static_cast<const CVKT_Bitmap&>(item), form);
        case kKindSounds:
            return WriteSound(json, static_cast<const CVKT_WavMemory&>(item), form);
        case kKindIndexLists:
            return WriteAnimation(json, static_cast<const CVKT_IndexList&>(item));
        case kKindTrajectories:
            return WriteTrajectory(json, static_cast<const CVKT_Trajectory&>(item));
        case kKindMaps:
            return WriteMap(json, static_cast<const CVKT_Map&>(item), form);
        case kKindColors:
            return WriteColor(json, static_cast<const CVKT_Color&>(item), form);
        default:
            return WriteBinaryFile(json, static_cast<const CVKT_BinaryFile&>(item), form);
    }
}

}  // namespace plexion::tool
