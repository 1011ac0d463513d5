#include "document_json.h"

#include <cstdio>
#include <span>

#include "sha256.h"

namespace plexion::dat_dump {
namespace {

using plexion::tool::CJsonWriter;
using plexion::tool::IntArray;
using plexion::tool::IntMember;
using plexion::tool::RealMember;
using plexion::tool::Sha256Hex;
using plexion::tool::TextMember;

void Digest(CJsonWriter& json, const char* key, const std::vector<std::uint8_t>& bytes) {
    TextMember(json, key, Sha256Hex(std::span(bytes.data(), bytes.size())));
}

void RealPair(CJsonWriter& json, const plexion_dat::SPoint& point) {
    plexion::tool::RealPair(json, point.x, point.y);
}

void Fields(CJsonWriter& json, const plexion_dat::SText& text) {
    IntMember(json, "value", text.value);
    TextMember(json, "text", text.text);
}

void Fields(CJsonWriter& json, const plexion_dat::SBitmap& bitmap) {
    IntMember(json, "kind", bitmap.kind);
    const plexion_dat::SRect box = bitmap.RegionBounds();
    const bool picture = bitmap.kind == plexion_dat::SBitmap::kPicture;
    const bool region = bitmap.kind == plexion_dat::SBitmap::kRegion;
    RealMember(json, "width", picture ? bitmap.width : region ? box.right - box.left : 0.0);
    RealMember(json, "height", picture ? bitmap.height : region ? box.bottom - box.top : 0.0);
    RealMember(json, "offset_x", bitmap.offsetX);
    RealMember(json, "offset_y", bitmap.offsetY);
    TextMember(json, "source", bitmap.source);
    IntMember(json, "source_size", static_cast<std::int64_t>(bitmap.picture.size()));
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
    TextMember(json, "storage", ogg ? "ogg" : "pcm");
    IntMember(json, "bits", sound.bits);
    IntMember(json, "channels", sound.channels);
    IntMember(json, "rate", sound.rate);
    IntMember(json, "frames", sound.frames);
    IntMember(json, "data_size", static_cast<std::int64_t>(sound.pcm.size()));
    Digest(json, "data_sha256", sound.pcm);
    if (!ogg) {
        return;
    }
    IntMember(json, "ogg_size", static_cast<std::int64_t>(sound.ogg.size()));
    Digest(json, "ogg_sha256", sound.ogg);
    const plexion_dat::SOggStreamInfo info = plexion_dat::ReadOggStreamInfo(sound.ogg);
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

void Fields(CJsonWriter& json, const plexion_dat::SAnimation& animation) {
    IntMember(json, "type", animation.type);
    IntMember(json, "play_mode", animation.playMode);
    json.Key("frames");
    json.BeginArray();
    for (const plexion_dat::SFrame& f : animation.frames) {
        IntArray(json, {f.bitmap, f.delay, f.offsetX, f.offsetY});
    }
    json.EndArray();
}

void Fields(CJsonWriter& json, const plexion_dat::STrajectory& path) {
    IntMember(json, "type", path.type);
    IntMember(json, "play_mode", path.playMode);
    IntMember(json, "closed", path.closed);
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
    IntMember(json, "type", map.type);
    IntMember(json, "columns", map.columns);
    IntMember(json, "lines", map.lines);
    IntMember(json, "size_x", map.sizeX);
    IntMember(json, "size_y", map.sizeY);
    json.Key("cells");
    json.BeginArray();
    for (std::int32_t column = 0; column < map.columns; ++column) {
        json.BeginArray(true);
        for (std::int32_t line = 0; line < map.lines; ++line) {
            json.Int(static_cast<std::int16_t>(map.Cell(column, line)));
        }
        json.EndArray();
    }
    json.EndArray();
}

void Fields(CJsonWriter& json, const plexion_dat::SColor& color) {
    IntMember(json, "value", color.value);
    char rgb[8];
    std::snprintf(rgb, sizeof rgb, "%02X%02X%02X", color.red, color.green, color.blue);
    TextMember(json, "color", rgb);
    IntMember(json, "alpha", color.alpha);
}

void Fields(CJsonWriter& json, const plexion_dat::SBinaryFile& file) {
    IntMember(json, "plain", file.plain);
    TextMember(json, "source", file.source);
    IntMember(json, "size", static_cast<std::int64_t>(file.data.size()));
    Digest(json, "sha256", file.data);
}

template <typename T>
void Group(CJsonWriter& json, const char* name, const std::vector<T>& items) {
    json.Key(name);
    json.BeginArray();
    for (const T& item : items) {
        json.BeginObject();
        TextMember(json, "id", item.id);
        TextMember(json, "comments", item.comments);
        Fields(json, item);
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace

std::string DocumentJson(const plexion_dat::SDocument& document, CJsonWriter::Layout layout) {
    CJsonWriter json(layout);
    json.BeginObject();
    TextMember(json, "name", document.name);
    TextMember(json, "comments", document.comments);
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
