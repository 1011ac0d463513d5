#include "document_json.h"

#include <cstdio>
#include <initializer_list>
#include <span>

#include "json_writer.h"
#include "sha256.h"

namespace plexion::dat_dump {
namespace {

using plexion::tool::CJsonWriter;

void Int(CJsonWriter& json, const char* key, std::int64_t value) {
    json.Key(key);
    json.Int(value);
}

void Real(CJsonWriter& json, const char* key, double value) {
    json.Key(key);
    json.Real(value);
}

void Text(CJsonWriter& json, const char* key, std::string_view value) {
    json.Key(key);
    json.Text(value);
}

void Digest(CJsonWriter& json, const char* key, const std::vector<std::uint8_t>& bytes) {
    Text(json, key, plexion::tool::Sha256Hex(std::span(bytes.data(), bytes.size())));
}

void IntArray(CJsonWriter& json, std::initializer_list<std::int64_t> values) {
    json.BeginArray();
    for (const std::int64_t v : values) {
        json.Int(v);
    }
    json.EndArray();
}

void RealPair(CJsonWriter& json, const plexion_dat::SPoint& point) {
    json.BeginArray();
    json.Real(point.x);
    json.Real(point.y);
    json.EndArray();
}

void Fields(CJsonWriter& json, const plexion_dat::SText& text) {
    Int(json, "value", text.value);
    Text(json, "text", text.text);
}

void Fields(CJsonWriter& json, const plexion_dat::SBitmap& bitmap) {
    Int(json, "kind", bitmap.kind);
    const plexion_dat::SRect box = bitmap.RegionBounds();
    const bool picture = bitmap.kind == plexion_dat::SBitmap::kPicture;
    const bool region = bitmap.kind == plexion_dat::SBitmap::kRegion;
    Real(json, "width", picture ? bitmap.width : region ? box.right - box.left : 0.0);
    Real(json, "height", picture ? bitmap.height : region ? box.bottom - box.top : 0.0);
    Real(json, "offset_x", bitmap.offsetX);
    Real(json, "offset_y", bitmap.offsetY);
    Text(json, "source", bitmap.source);
    Int(json, "source_size", static_cast<std::int64_t>(bitmap.picture.size()));
    Digest(json, "source_sha256", bitmap.picture);
    if (region) {
        json.Key("rects");
        json.BeginArray();
        for (const plexion_dat::SRect& r : bitmap.rects) {
            IntArray(json, {r.left, r.top, r.right, r.bottom});
        }
        json.EndArray();
    }
}

void Fields(CJsonWriter& json, const plexion_dat::SSound& sound) {
    const bool ogg = sound.storage == plexion_dat::SSound::kOgg;
    Text(json, "storage", ogg ? "ogg" : "pcm");
    Int(json, "bits", sound.bits);
    Int(json, "channels", sound.channels);
    Int(json, "rate", sound.rate);
    Int(json, "frames", sound.frames);
    Int(json, "data_size", static_cast<std::int64_t>(sound.pcm.size()));
    Digest(json, "data_sha256", sound.pcm);
    if (!ogg) {
        return;
    }
    Int(json, "ogg_size", static_cast<std::int64_t>(sound.ogg.size()));
    Digest(json, "ogg_sha256", sound.ogg);
    const plexion_dat::SOggStreamInfo info = plexion_dat::ReadOggStreamInfo(sound.ogg);
    json.Key("stream");
    json.BeginObject();
    Int(json, "version", info.version);
    Int(json, "channels", info.channels);
    Int(json, "rate", info.rate);
    Int(json, "bitrate_upper", info.bitrateUpper);
    Int(json, "bitrate_nominal", info.bitrateNominal);
    Int(json, "bitrate_lower", info.bitrateLower);
    Int(json, "bitrate_window", info.bitrateWindow);
    json.EndObject();
}

void Fields(CJsonWriter& json, const plexion_dat::SAnimation& animation) {
    Int(json, "type", animation.type);
    Int(json, "play_mode", animation.playMode);
    json.Key("frames");
    json.BeginArray();
    for (const plexion_dat::SFrame& f : animation.frames) {
        IntArray(json, {f.bitmap, f.delay, f.offsetX, f.offsetY});
    }
    json.EndArray();
}

void Fields(CJsonWriter& json, const plexion_dat::STrajectory& path) {
    Int(json, "type", path.type);
    Int(json, "play_mode", path.playMode);
    Int(json, "closed", path.closed);
    json.Key("offset");
    IntArray(json, {path.offsetX, path.offsetY});
    json.Key("center");
    RealPair(json, path.center);
    json.Key("points");
    json.BeginArray();
    for (const plexion_dat::SPoint& p : path.points) {
        RealPair(json, p);
    }
    json.EndArray();
}

void Fields(CJsonWriter& json, const plexion_dat::SMap& map) {
    Int(json, "type", map.type);
    Int(json, "columns", map.columns);
    Int(json, "lines", map.lines);
    Int(json, "size_x", map.sizeX);
    Int(json, "size_y", map.sizeY);
    json.Key("cells");
    json.BeginArray();
    for (std::int32_t column = 0; column < map.columns; ++column) {
        json.BeginArray();
        for (std::int32_t line = 0; line < map.lines; ++line) {
            json.Int(static_cast<std::int16_t>(map.Cell(column, line)));
        }
        json.EndArray();
    }
    json.EndArray();
}

void Fields(CJsonWriter& json, const plexion_dat::SColor& color) {
    Int(json, "value", color.value);
    char rgb[8];
    std::snprintf(rgb, sizeof rgb, "%02X%02X%02X", color.red, color.green, color.blue);
    Text(json, "color", rgb);
    Int(json, "alpha", color.alpha);
}

void Fields(CJsonWriter& json, const plexion_dat::SBinaryFile& file) {
    Int(json, "plain", file.plain);
    Text(json, "source", file.source);
    Int(json, "size", static_cast<std::int64_t>(file.data.size()));
    Digest(json, "sha256", file.data);
}

template <typename T>
void Group(CJsonWriter& json, const char* name, const std::vector<T>& items) {
    json.Key(name);
    json.BeginArray();
    for (const T& item : items) {
        json.BeginObject();
        Text(json, "id", item.id);
        Text(json, "comments", item.comments);
        Fields(json, item);
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace

std::string DocumentJson(const plexion_dat::SDocument& document) {
    CJsonWriter json;
    json.BeginObject();
    Text(json, "name", document.name);
    Text(json, "comments", document.comments);
    Group(json, "texts", document.texts);
    Group(json, "bitmaps", document.bitmaps);
    Group(json, "sounds", document.sounds);
    Group(json, "animations", document.animations);
    Group(json, "trajectories", document.trajectories);
    Group(json, "maps", document.maps);
    Group(json, "colors", document.colors);
    Group(json, "files", document.files);
    json.EndObject();
    return json.Result();
}

}  // namespace plexion::dat_dump
