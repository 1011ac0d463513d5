// plexion_dat.hpp: reads Plexion resource documents (".dat") into plain
// structs, for games. One header, C++17 and the standard library only; the
// caller never needs to catch anything.
//
//     #include "plexion_dat.hpp"
//     plexion_dat::SReadResult result = plexion_dat::ReadDocumentFile("game.dat");
//     if (!result.Ok()) { std::fprintf(stderr, "%s\n", result.message.c_str()); }
//     const plexion_dat::SText* greeting = result.document.FindText("greeting");
//
// A damaged file gives the items read before the damage and a message saying
// what was wrong, worded as the editor words it. The byte layout is described
// in docs/FORMAT.md of the Plexion sources.
#ifndef PLEXION_DAT_HPP
#define PLEXION_DAT_HPP

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace plexion_dat {

// ---------------------------------------------------------------------------
// What a document holds.

struct SItem {
    std::string id;
    std::string comments;
};

struct SText : SItem {
    std::int32_t value = 0;
    // Unscrambled bytes, exactly as stored (no character set is implied).
    std::string text;
};

struct SColor : SItem {
    std::int32_t value = 0;
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    // Not stored in the file: every color reads as opaque.
    std::uint8_t alpha = 255;
};

struct SBinaryFile : SItem {
    // 0 when the bytes were stored scrambled; they are always given plain here.
    std::int32_t plain = 0;
    std::string source;
    std::vector<std::uint8_t> data;
};

// Excludes its right and bottom edges.
struct SRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const SRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

struct SBitmap : SItem {
    enum EKind : std::int32_t { kEmpty = 0, kRegion = 6, kPicture = 9 };
    // 0 empty, 1-4 an empty drawing buffer of that kind, 6 a region, 9 an
    // encoded picture. Other stored kinds read as 0.
    std::int32_t kind = kEmpty;
    // The size the writer saw; a picture's real size is in its encoded bytes.
    double width = 0.0;
    double height = 0.0;
    // Added to the drawing position.
    double offsetX = 0.0;
    double offsetY = 0.0;
    std::string source;
    // Kind 9: the complete image file (PNG, JPEG, BMP, GIF, ...).
    std::vector<std::uint8_t> picture;
    // Kind 6: the region as y-then-x sorted, non-overlapping bands.
    std::vector<SRect> rects;

    // The region's bounding box (all 0 when it is empty).
    SRect RegionBounds() const {
        if (rects.empty()) {
            return {};
        }
        SRect box = rects.front();
        for (const SRect& r : rects) {
            box.left = std::min(box.left, r.left);
            box.top = std::min(box.top, r.top);
            box.right = std::max(box.right, r.right);
            box.bottom = std::max(box.bottom, r.bottom);
        }
        return box;
    }
};

struct SSound : SItem {
    enum EStorage : std::int32_t { kPcm = 0, kOgg = 1 };
    EStorage storage = kPcm;
    // PCM: 8 bits unsigned, 16 bits signed little-endian, 32 bits float.
    std::int32_t bits = 32;
    std::int32_t channels = 2;
    std::int32_t rate = 44100;
    std::int32_t frames = 0;
    std::vector<std::uint8_t> pcm;
    // The complete Ogg Vorbis file; its format is in its own headers
    // (ReadOggStreamInfo).
    std::vector<std::uint8_t> ogg;
};

struct SFrame {
    std::int32_t bitmap = 0;
    // In game steps; a delay below 1 plays as 1.
    std::int32_t delay = 1;
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
};

enum EPlayMode : std::int32_t {
    kForwardOnce = 0,
    kForwardLoop = 1,
    kForwardBackwardOnce = 2,
    kForwardBackwardLoop = 3,
    kBackwardOnce = 4,
    kBackwardLoop = 5,
    kBackwardForwardOnce = 6,
    kBackwardForwardLoop = 7,
};

struct SAnimation : SItem {
    static constexpr std::int32_t kTypeBitmaps = 1;
    std::int32_t type = kTypeBitmaps;
    std::int32_t playMode = kForwardLoop;
    std::vector<SFrame> frames;
};

struct SPoint {
    double x = 0.0;
    double y = 0.0;
};

struct STrajectory : SItem {
    // 0 Simple Points, 1 Polygon to CRgn, 2 Collision Test.
    std::int32_t type = 0;
    std::int32_t playMode = kForwardLoop;
    std::int32_t closed = 0;
    std::int32_t offsetX = 0;
    std::int32_t offsetY = 0;
    SPoint center;
    // Without the offset.
    std::vector<SPoint> points;
};

struct SMap : SItem {
    std::int32_t type = 0;
    std::int32_t columns = 0;
    std::int32_t lines = 0;
    std::int32_t sizeX = 32;
    std::int32_t sizeY = 32;
    // Column by column: all lines of column 0, then column 1, ...
    std::vector<std::int16_t> cells;

    // The bitmap index of a cell as the editor draws it (65535: empty); 0
    // outside the map.
    std::uint16_t Cell(std::int32_t column, std::int32_t line) const {
        if (column < 0 || column >= columns || line < 0 || line >= lines) {
            return 0;
        }
        return static_cast<std::uint16_t>(
            cells[static_cast<std::size_t>(column) * static_cast<std::size_t>(lines) +
                  static_cast<std::size_t>(line)]);
    }
};

namespace detail {
template <typename T>
const T* FindById(const std::vector<T>& items, const std::string& id) {
    for (const T& item : items) {
        if (item.id == id) {
            return &item;
        }
    }
    return nullptr;
}
}  // namespace detail

struct SDocument {
    std::string name = "No Name";
    std::string comments = "No Comments";
    std::vector<SText> texts;
    std::vector<SBitmap> bitmaps;
    std::vector<SSound> sounds;
    std::vector<SAnimation> animations;
    std::vector<STrajectory> trajectories;
    std::vector<SMap> maps;
    std::vector<SColor> colors;
    std::vector<SBinaryFile> files;

    // IDs are not unique: each lookup gives the first item with the ID.
    const SText* FindText(const std::string& id) const { return detail::FindById(texts, id); }
    const SBitmap* FindBitmap(const std::string& id) const {
        return detail::FindById(bitmaps, id);
    }
    const SSound* FindSound(const std::string& id) const { return detail::FindById(sounds, id); }
    const SAnimation* FindAnimation(const std::string& id) const {
        return detail::FindById(animations, id);
    }
    const STrajectory* FindTrajectory(const std::string& id) const {
        return detail::FindById(trajectories, id);
    }
    const SMap* FindMap(const std::string& id) const { return detail::FindById(maps, id); }
    const SColor* FindColor(const std::string& id) const { return detail::FindById(colors, id); }
    const SBinaryFile* FindFile(const std::string& id) const {
        return detail::FindById(files, id);
    }
};

// ---------------------------------------------------------------------------
// Reading.

enum class EStatus {
    kOk,
    kCannotOpen,
    kWrongType,
    // A file of another version, and the options did not accept it.
    kOldVersion,
    kTruncated,
    kOversized,
    kUnknownChunk,
};

inline const char* StatusMessage(EStatus status) {
    switch (status) {
        case EStatus::kOk:
            return "";
        case EStatus::kCannotOpen:
            return "the file cannot be opened";
        case EStatus::kWrongType:
            return "Wrong file type !";
        case EStatus::kOldVersion:
            return "Older or wrong file version !\n\nDo you still want to load this file ?";
        case EStatus::kTruncated:
            return "Error: the file ends inside a record, file broken.";
        case EStatus::kOversized:
            return "Error: a record claims more data than the file holds, file broken.";
        case EStatus::kUnknownChunk:
            return "Error: an unknown data type has been found, file broken.";
    }
    return "";
}

struct SReadOptions {
    // Files of an older version hold no name and comments; a game reads its
    // own files, so they are read unless this is false.
    bool acceptOldVersion = true;
};

struct SReadResult {
    EStatus status = EStatus::kOk;
    // StatusMessage(status).
    std::string message;
    // The file is of an older version: it has no name and comments.
    bool oldVersion = false;
    // Complete even on damage: the items read before it.
    SDocument document;
    bool Ok() const { return status == EStatus::kOk; }
};

namespace detail {

constexpr std::uint8_t kTextXor = 0x5C;
constexpr std::uint8_t kTextOffset = 0x21;
constexpr std::uint8_t kBlockOffset = 0x37;
constexpr std::uint8_t kBlockXor = 0xA9;
constexpr std::uint32_t kColorMask = 0x9E3779B9u;
constexpr std::int32_t kVersion = 3;
constexpr std::size_t kFileBuffer = std::size_t{1} << 16;
// The smallest stored item: three header words and two empty texts.
constexpr std::uint64_t kSmallestItem = 14;
// Far beyond any picture, and near enough that no width or height overflows.
constexpr std::int32_t kCoordinateLimit = std::int32_t{1} << 29;

inline void UnscrambleText(std::string& text) {
    for (char& c : text) {
        const auto s = static_cast<std::uint8_t>(c);
        c = static_cast<char>(static_cast<std::uint8_t>(s + kTextOffset) ^ kTextXor);
    }
}

inline void UnscrambleBlock(std::vector<std::uint8_t>& data) {
    for (std::uint8_t& b : data) {
        b = static_cast<std::uint8_t>((b ^ kBlockXor) + kBlockOffset);
    }
}

template <std::size_t Size>
struct SUnsignedOf;
template <>
struct SUnsignedOf<1> {
    using Type = std::uint8_t;
};
template <>
struct SUnsignedOf<2> {
    using Type = std::uint16_t;
};
template <>
struct SUnsignedOf<4> {
    using Type = std::uint32_t;
};
template <>
struct SUnsignedOf<8> {
    using Type = std::uint64_t;
};

// The value whose little-endian bytes `value` holds as it lies in memory,
// whatever the byte order of the machine.
template <typename T>
T FromLittleEndian(T value) {
    using U = typename SUnsignedOf<sizeof(T)>::Type;
    std::uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    U bits = 0;
    for (std::size_t i = sizeof(T); i-- > 0;) {
        bits = static_cast<U>((static_cast<std::uint64_t>(bits) << 8) | bytes[i]);
    }
    T result;
    std::memcpy(&result, &bits, sizeof(T));
    return result;
}

// Reading stops at the first problem; every later read is a no-op, so the
// item readers check once at their end instead of after every field.
class CSource {
public:
    CSource(const std::uint8_t* bytes, std::uint64_t size)
        : window_(bytes), windowSize_(static_cast<std::size_t>(size)), length_(size) {}
    CSource(std::FILE* file, std::uint64_t length)
        : file_(file), buffer_(kFileBuffer), length_(length) {}

    bool Failed() const { return status_ != EStatus::kOk; }
    EStatus Status() const { return status_; }
    void Fail(EStatus status) {
        if (!Failed()) {
            status_ = status;
        }
    }
    std::uint64_t Position() const { return windowStart_ + windowPos_; }
    std::uint64_t Length() const { return length_; }
    std::uint64_t Left() const {
        const std::uint64_t at = Position();
        return at < length_ ? length_ - at : 0;
    }

    // A claim of `count` records of `recordSize` bytes, checked before
    // anything is allocated for it; counts of 0 or less claim nothing.
    bool Claim(std::int64_t count, std::uint64_t recordSize = 1) {
        if (Failed()) {
            return false;
        }
        if (count > 0 && static_cast<std::uint64_t>(count) > Left() / recordSize) {
            Fail(EStatus::kOversized);
            return false;
        }
        return true;
    }

    void Read(void* destination, std::size_t size) {
        if (Failed()) {
            std::memset(destination, 0, size);
            return;
        }
        if (size > Left()) {
            std::memset(destination, 0, size);
            Fail(EStatus::kTruncated);
            return;
        }
        auto* out = static_cast<std::uint8_t*>(destination);
        while (size > 0) {
            const std::size_t available = windowSize_ - windowPos_;
            if (available > 0) {
                const std::size_t n = std::min(available, size);
                std::memcpy(out, window_ + windowPos_, n);
                windowPos_ += n;
                out += n;
                size -= n;
                continue;
            }
            windowStart_ += windowSize_;
            windowSize_ = 0;
            windowPos_ = 0;
            if (!file_) {
                Fail(EStatus::kTruncated);
                return;
            }
            if (size >= buffer_.size()) {
                // A large block goes straight from the file.
                const std::size_t got = std::fread(out, 1, size, file_);
                windowStart_ += got;
                if (got != size) {
                    Fail(EStatus::kTruncated);
                }
                return;
            }
            const std::uint64_t left = length_ - std::min(length_, windowStart_);
            window_ = buffer_.data();
            windowSize_ = std::fread(buffer_.data(), 1,
                                     static_cast<std::size_t>(
                                         std::min<std::uint64_t>(buffer_.size(), left)),
                                     file_);
            if (windowSize_ == 0) {
                Fail(EStatus::kTruncated);
                return;
            }
        }
    }

    void Skip(std::uint64_t size) {
        std::uint8_t scratch[16];
        while (size > 0 && !Failed()) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(size, 16));
            Read(scratch, n);
            size -= n;
        }
    }

    template <typename T>
    T Value() {
        T value{};
        if (windowSize_ - windowPos_ >= sizeof(T) && !Failed()) {
            std::memcpy(&value, window_ + windowPos_, sizeof(T));
            windowPos_ += sizeof(T);
            return FromLittleEndian(value);
        }
        Read(&value, sizeof(T));
        return FromLittleEndian(value);
    }
    std::int32_t Int32() { return Value<std::int32_t>(); }
    double Float64() { return Value<double>(); }

    std::uint32_t StringLength() {
        std::uint32_t length = Value<std::uint8_t>();
        if (length == 0xFF) {
            length = Value<std::uint16_t>();
            if (length == 0xFFFF) {
                length = Value<std::uint32_t>();
            }
        }
        return length;
    }
    std::string String() {
        const std::uint32_t length = StringLength();
        if (!Claim(length)) {
            return std::string();
        }
        std::string text(length, '\0');
        Read(&text[0], length);
        return text;
    }
    std::string ScrambledString() {
        std::string text = String();
        UnscrambleText(text);
        return text;
    }
    void Block(std::vector<std::uint8_t>& out, std::int64_t size) {
        if (size <= 0 || !Claim(size)) {
            return;
        }
        out.resize(static_cast<std::size_t>(size));
        Read(out.data(), out.size());
    }

private:
    std::FILE* file_ = nullptr;
    std::vector<std::uint8_t> buffer_;
    const std::uint8_t* window_ = nullptr;
    std::size_t windowSize_ = 0;
    std::size_t windowPos_ = 0;
    std::uint64_t windowStart_ = 0;
    std::uint64_t length_ = 0;
    EStatus status_ = EStatus::kOk;
};


// The union of `rects` as y-then-x sorted bands of non-overlapping
// rectangles: each band is a maximal run of pixel rows with the same spans,
// each span a maximal run of pixels, which is how the editor keeps regions.
inline std::vector<SRect> BandedUnion(std::vector<SRect> rects) {
    std::vector<SRect> bands;
    if (rects.empty()) {
        return bands;
    }
    std::vector<std::int32_t> edges;
    edges.reserve(rects.size() * 2);
    for (const SRect& r : rects) {
        edges.push_back(r.top);
        edges.push_back(r.bottom);
    }
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
    std::sort(rects.begin(), rects.end(),
              [](const SRect& a, const SRect& b) { return a.top < b.top; });
    std::vector<SRect> active;
    std::vector<std::pair<std::int32_t, std::int32_t>> spans;
    std::vector<std::pair<std::int32_t, std::int32_t>> previous;
    std::size_t next = 0;
    std::size_t previousStart = 0;
    std::int32_t previousBottom = 0;
    for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
        const std::int32_t top = edges[e];
        const std::int32_t bottom = edges[e + 1];
        active.erase(std::remove_if(active.begin(), active.end(),
                                    [top](const SRect& r) { return r.bottom <= top; }),
                     active.end());
        while (next < rects.size() && rects[next].top <= top) {
            active.push_back(rects[next++]);
        }
        spans.clear();
        for (const SRect& r : active) {
            spans.emplace_back(r.left, r.right);
        }
        std::sort(spans.begin(), spans.end());
        std::size_t merged = 0;
        for (std::size_t i = 0; i < spans.size(); ++i) {
            if (merged > 0 && spans[i].first <= spans[merged - 1].second) {
                spans[merged - 1].second = std::max(spans[merged - 1].second, spans[i].second);
            } else {
                spans[merged++] = spans[i];
            }
        }
        spans.resize(merged);
        if (spans.empty()) {
            continue;
        }
        if (!previous.empty() && previousBottom == top && spans == previous) {
            for (std::size_t i = previousStart; i < bands.size(); ++i) {
                bands[i].bottom = bottom;
            }
        } else {
            previousStart = bands.size();
            for (const auto& span : spans) {
                bands.push_back({span.first, top, span.second, bottom});
            }
            previous = spans;
        }
        previousBottom = bottom;
    }
    return bands;
}

inline std::int32_t ClampedCoordinate(std::int32_t value) {
    return std::min(std::max(value, -kCoordinateLimit), kCoordinateLimit);
}

inline void ReadItemHeader(CSource& in, SItem& item) {
    in.Skip(12);
    item.id = in.ScrambledString();
    item.comments = in.ScrambledString();
}

inline void ReadPayload(CSource& in, SText& text) {
    in.Skip(8);
    text.value = in.Int32();
    text.text = in.ScrambledString();
}

inline void ReadPayload(CSource& in, SColor& color) {
    in.Skip(8);
    color.value = in.Int32();
    const std::uint32_t rgb = in.Value<std::uint32_t>() ^ kColorMask;
    color.red = static_cast<std::uint8_t>(rgb);
    color.green = static_cast<std::uint8_t>(rgb >> 8);
    color.blue = static_cast<std::uint8_t>(rgb >> 16);
    color.alpha = 255;
}

inline void ReadPayload(CSource& in, SBinaryFile& file) {
    in.Skip(8);
    file.plain = in.Int32();
    file.source = in.ScrambledString();
    const std::int32_t size = in.Int32();
    if (size < 0) {
        in.Fail(EStatus::kOversized);
        return;
    }
    in.Block(file.data, size);
    if (file.plain == 0) {
        UnscrambleBlock(file.data);
    }
}

inline void ReadRegion(CSource& in, SBitmap& bitmap) {
    const std::int32_t size = in.Int32();
    if (size <= 0 || !in.Claim(size)) {
        return;
    }
    constexpr std::size_t kHeaderWords = 8;
    std::vector<std::int32_t> words(static_cast<std::size_t>(size) / 4);
    in.Read(words.data(), words.size() * 4);
    in.Skip(static_cast<std::uint64_t>(size) % 4);
    if (in.Failed() || words.size() < kHeaderWords) {
        return;
    }
    const auto claimed = static_cast<std::uint32_t>(FromLittleEndian(words[2]));
    const std::size_t present = (words.size() - kHeaderWords) / 4;
    const std::size_t count = std::min<std::size_t>(claimed, present);
    std::vector<SRect> rects;
    rects.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t* w = &words[kHeaderWords + 4 * i];
        const SRect r = {ClampedCoordinate(FromLittleEndian(w[0])),
                         ClampedCoordinate(FromLittleEndian(w[1])),
                         ClampedCoordinate(FromLittleEndian(w[2])),
                         ClampedCoordinate(FromLittleEndian(w[3]))};
        if (r.right > r.left && r.bottom > r.top) {
            rects.push_back(r);
        }
    }
    bitmap.rects = BandedUnion(std::move(rects));
}

inline void ReadPayload(CSource& in, SBitmap& bitmap) {
    in.Skip(4);
    const std::int32_t version = in.Int32();
    const std::int32_t kind = in.Int32();
    std::string id = in.String();
    std::string source = in.String();
    std::string comments = in.String();
    if (version >= 2) {
        UnscrambleText(id);
        UnscrambleText(source);
        UnscrambleText(comments);
    }
    bitmap.width = in.Float64();
    bitmap.height = in.Float64();
    in.Skip(8);
    bitmap.offsetX = in.Float64();
    bitmap.offsetY = in.Float64();
    // The payload's ID and comments win over the common header's.
    bitmap.id = std::move(id);
    bitmap.comments = std::move(comments);
    if (kind >= 1 && kind <= 4) {
        // An empty drawing buffer: nothing of it is stored, its source
        // name is not kept.
        bitmap.kind = kind;
    } else if (kind == SBitmap::kRegion) {
        bitmap.kind = kind;
        ReadRegion(in, bitmap);
    } else if (kind == SBitmap::kPicture) {
        bitmap.kind = kind;
        bitmap.source = std::move(source);
        in.Block(bitmap.picture, in.Int32());
    } else {
        bitmap.kind = SBitmap::kEmpty;
        bitmap.source = std::move(source);
    }
}

// channels × frames × bits / 8 (rounded toward zero), or -1 when that is
// beyond 64 bits.
inline std::int64_t PcmByteCount(std::int32_t channels, std::int32_t frames, std::int32_t bits) {
    const std::int64_t first = static_cast<std::int64_t>(channels) * frames;
    if (bits != 0 && first != 0) {
        const std::uint64_t a = first < 0 ? 0 - static_cast<std::uint64_t>(first)
                                          : static_cast<std::uint64_t>(first);
        const std::uint64_t b = bits < 0 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(bits))
                                         : static_cast<std::uint64_t>(bits);
        if (a > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) / b) {
            return -1;
        }
    }
    return first * bits / 8;
}

inline void ReadPayload(CSource& in, SSound& sound) {
    in.Skip(8);
    if (in.Int32() == SSound::kOgg) {
        sound.storage = SSound::kOgg;
        in.Block(sound.ogg, in.Int32());
        return;
    }
    sound.frames = in.Int32();
    sound.bits = in.Int32();
    sound.channels = in.Int32();
    sound.rate = in.Int32();
    if (sound.frames <= 0 || in.Failed()) {
        return;
    }
    const std::int64_t size = PcmByteCount(sound.channels, sound.frames, sound.bits);
    if (size < 0 || size > std::numeric_limits<std::int32_t>::max()) {
        in.Fail(EStatus::kOversized);
        return;
    }
    in.Block(sound.pcm, size);
}

inline void ReadPayload(CSource& in, SAnimation& animation) {
    in.Skip(8);
    animation.type = in.Int32();
    const std::int32_t count = in.Int32();
    if (!in.Claim(count, 16)) {
        return;
    }
    animation.frames.resize(static_cast<std::size_t>(std::max(0, count)));
    for (SFrame& frame : animation.frames) {
        frame.bitmap = in.Int32();
        frame.delay = in.Int32();
        frame.offsetX = in.Int32();
        frame.offsetY = in.Int32();
    }
    animation.playMode = in.Int32();
}

inline void ReadPayload(CSource& in, STrajectory& path) {
    in.Skip(4);
    const std::int32_t version = in.Int32();
    path.type = in.Int32();
    path.playMode = in.Int32();
    path.offsetX = in.Int32();
    path.offsetY = in.Int32();
    if (version >= 2) {
        path.closed = in.Int32();
        path.center.x = in.Float64();
        path.center.y = in.Float64();
    }
    const std::int32_t count = in.Int32();
    if (!in.Claim(count, 16)) {
        return;
    }
    path.points.resize(static_cast<std::size_t>(std::max(0, count)));
    for (SPoint& p : path.points) {
        p.x = in.Float64();
        p.y = in.Float64();
    }
    if (version < 2) {
        SPoint sum;
        for (const SPoint& p : path.points) {
            sum.x += p.x;
            sum.y += p.y;
        }
        const double n = static_cast<double>(path.points.size());
        path.center = path.points.empty() ? SPoint{} : SPoint{sum.x / n, sum.y / n};
    }
}

inline void ReadPayload(CSource& in, SMap& map) {
    in.Skip(8);
    map.type = in.Int32();
    const std::int32_t columns = in.Int32();
    const std::int32_t lines = in.Int32();
    const std::int32_t sizeY = in.Int32();
    const std::int32_t sizeX = in.Int32();
    if (columns <= 0 || lines <= 0 || !in.Claim(std::int64_t{columns} * lines, 2)) {
        return;
    }
    map.columns = columns;
    map.lines = lines;
    map.sizeX = sizeX;
    map.sizeY = sizeY;
    map.cells.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(lines));
    in.Read(map.cells.data(), map.cells.size() * 2);
    for (std::int16_t& cell : map.cells) {
        cell = FromLittleEndian(cell);
    }
}

// Reads a chunk's items into `group` (emptied first); an item the file ends
// in, or that claims too much, is not kept.
template <typename T>
void ReadGroup(CSource& in, std::vector<T>& group) {
    group.clear();
    in.Skip(12);
    const std::int32_t count = in.Int32();
    if (!in.Claim(count, kSmallestItem)) {
        return;
    }
    group.reserve(static_cast<std::size_t>(std::max(0, count)));
    for (std::int32_t i = 0; i < count; ++i) {
        T item;
        ReadItemHeader(in, item);
        ReadPayload(in, item);
        if (in.Failed()) {
            return;
        }
        group.push_back(std::move(item));
    }
}

inline bool ReadChunk(CSource& in, SDocument& document) {
    static const char* const kTags[] = {"VKRTXT",  "VKRBMPG", "VKRWVMR", "VKRIXLS",
                                        "VKRTRAJ", "VKRMAP",  "VKRCOL",  "VKRFIL"};
    const std::string tag = in.ScrambledString();
    if (in.Failed()) {
        return false;
    }
    int kind = 0;
    while (kind < 8 && tag != kTags[kind]) {
        ++kind;
    }
    switch (kind) {
        case 0:
            ReadGroup(in, document.texts);
            return true;
        case 1:
            ReadGroup(in, document.bitmaps);
            return true;
        case 2:
            ReadGroup(in, document.sounds);
            return true;
        case 3:
            ReadGroup(in, document.animations);
            return true;
        case 4:
            ReadGroup(in, document.trajectories);
            return true;
        case 5:
            ReadGroup(in, document.maps);
            return true;
        case 6:
            ReadGroup(in, document.colors);
            return true;
        case 7:
            ReadGroup(in, document.files);
            return true;
        default:
            in.Fail(EStatus::kUnknownChunk);
            return false;
    }
}

inline SReadResult ReadFrom(CSource& in, const SReadOptions& options) {
    SReadResult result;
    const std::string magic = in.String();
    in.Skip(4);
    const std::int32_t version = in.Int32();
    if (version == kVersion) {
        in.Skip(4);
        std::string name = in.ScrambledString();
        std::string comments = in.ScrambledString();
        if (!in.Failed()) {
            result.document.name = std::move(name);
            result.document.comments = std::move(comments);
        }
    }
    if (magic != "VKR_RES") {
        result.status = EStatus::kWrongType;
    } else if (in.Failed()) {
        result.status = in.Status();
    } else if (version != kVersion && !options.acceptOldVersion) {
        result.oldVersion = true;
        result.status = EStatus::kOldVersion;
    } else {
        result.oldVersion = version != kVersion;
        while (in.Position() < in.Length() && !in.Failed()) {
            in.String();
            ReadChunk(in, result.document);
        }
        result.status = in.Status();
    }
    result.message = StatusMessage(result.status);
    return result;
}

}  // namespace detail

// Reads a document from memory.
inline SReadResult ReadDocument(const void* bytes, std::size_t size,
                                const SReadOptions& options = SReadOptions()) {
    static const std::uint8_t kNothing = 0;
    detail::CSource in(bytes ? static_cast<const std::uint8_t*>(bytes) : &kNothing,
                       bytes ? size : 0);
    return detail::ReadFrom(in, options);
}

// Reads a document from a file; the file is read front to back once, large
// blocks straight into the items.
inline SReadResult ReadDocumentFile(const char* path,
                                    const SReadOptions& options = SReadOptions()) {
    SReadResult result;
    std::FILE* file = std::fopen(path, "rb");
    // A folder opens but cannot be read.
    const int first = file ? std::fgetc(file) : EOF;
    if (file && first == EOF && std::ferror(file)) {
        std::fclose(file);
        file = nullptr;
    } else if (file && first != EOF) {
        std::ungetc(first, file);
    }
    long length = -1;
    if (file && std::fseek(file, 0, SEEK_END) == 0) {
        length = std::ftell(file);
    }
    if (file && length >= 0 && std::fseek(file, 0, SEEK_SET) == 0) {
        detail::CSource in(file, static_cast<std::uint64_t>(length));
        result = detail::ReadFrom(in, options);
    } else if (file) {
        // A pipe has no length to read against: all of it first.
        std::vector<std::uint8_t> bytes;
        std::uint8_t piece[1 << 16];
        std::size_t got = 0;
        while ((got = std::fread(piece, 1, sizeof piece, file)) > 0) {
            bytes.insert(bytes.end(), piece, piece + got);
        }
        result = ReadDocument(bytes.data(), bytes.size(), options);
    } else {
        result.status = EStatus::kCannotOpen;
        result.message = StatusMessage(result.status);
    }
    if (file) {
        std::fclose(file);
    }
    return result;
}

// The text of the first "settings_password" text; empty when there is none.
// It is an access gate of the editor, not encryption: everything above was
// read without it.
inline std::string DocumentPassword(const SDocument& document) {
    const SText* password = document.FindText("settings_password");
    return password ? password->text : std::string();
}

// The text of the first text with `id` as a whole number (leading blanks
// and a sign allowed, reading stops at the first other character,
// clamped to int), or `fallback` when there is no such text.
inline int TextAsInteger(const SDocument& document, const std::string& id, int fallback) {
    const SText* item = document.FindText(id);
    if (!item) {
        return fallback;
    }
    const std::string& text = item->text;
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i++] == '-';
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL + INT_MAX);
    }
    value = negative ? -value : value;
    return static_cast<int>(std::min<long long>(std::max<long long>(value, INT_MIN), INT_MAX));
}

// The game step in milliseconds: the text "settings_one_game_step_delay",
// 8 when missing, at least 1.
inline int GameStepMilliseconds(const SDocument& document) {
    return std::max(1, TextAsInteger(document, "settings_one_game_step_delay", 8));
}

// ---------------------------------------------------------------------------
// Texts referring to texts: "[id]" is replaced by the text with that ID
// (the first one), an unknown ID by nothing, until no reference is left. The
// result grows to at most 64 times the text (at least 1 MiB); a cycle stops
// with the text as it stands.

namespace detail {

// Brent's cycle detection over the texts the passes produce.
class CCycleWatch {
public:
    explicit CCycleWatch(const std::string& first) : kept_(first) {}
    bool Repeats(const std::string& text) {
        if (text == kept_) {
            return true;
        }
        if (++steps_ == power_) {
            kept_ = text;
            power_ *= 2;
            steps_ = 0;
        }
        return false;
    }

private:
    std::string kept_;
    std::size_t power_ = 1;
    std::size_t steps_ = 0;
};

inline std::size_t CountFrom(const std::string& text, const std::string& part, std::size_t from) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part, from); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

}  // namespace detail

inline std::string ExpandText(const SDocument& document, std::string text) {
    constexpr std::size_t kMinSizeLimit = std::size_t{1} << 20;
    constexpr std::size_t kGrowthFactor = 64;
    constexpr std::size_t kWorkFactor = 16;
    const std::size_t sizeLimit = std::max(kMinSizeLimit, text.size() * kGrowthFactor);
    const std::size_t workLimit = sizeLimit * kWorkFactor;
    std::unordered_map<std::string, const std::string*> table;
    for (const SText& item : document.texts) {
        table.emplace(item.id, &item.text);
    }
    std::size_t work = 0;
    detail::CCycleWatch cycle(text);
    for (;;) {
        const std::size_t open = text.find('[');
        const std::size_t close = open == std::string::npos ? open : text.find(']', open + 1);
        if (close == std::string::npos) {
            break;
        }
        const auto found = table.find(text.substr(open + 1, close - open - 1));
        const std::string empty;
        const std::string& replacement = found == table.end() ? empty : *found->second;
        const std::string pattern = text.substr(open, close - open + 1);
        const std::size_t count = detail::CountFrom(text, pattern, open);
        const std::size_t kept = text.size() - count * pattern.size();
        if (!replacement.empty() && count > (sizeLimit - kept) / replacement.size()) {
            break;
        }
        const std::size_t size = kept + count * replacement.size();
        work += size;
        if (work > workLimit) {
            break;
        }
        std::string next;
        next.reserve(size);
        std::size_t from = 0;
        for (std::size_t at = text.find(pattern); at != std::string::npos;
             at = text.find(pattern, from)) {
            next.append(text, from, at - from).append(replacement);
            from = at + pattern.size();
        }
        next.append(text, from, std::string::npos);
        if (cycle.Repeats(next)) {
            break;
        }
        text = std::move(next);
    }
    return text;
}

inline std::string ExpandedText(const SDocument& document, const SText& text) {
    return ExpandText(document, text.text);
}

// ---------------------------------------------------------------------------
// Playing animations as the editor previews them: one Advance(1.0) per game
// step; a frame with delay n shows for n steps.

class CAnimationCursor {
public:
    CAnimationCursor() = default;
    explicit CAnimationCursor(const SAnimation* animation) { Start(animation); }

    // To the start frame of the play mode (the last frame for modes 4-7)
    // and playing.
    void Start(const SAnimation* animation) {
        animation_ = animation;
        playing_ = true;
        Reset();
    }
    bool IsPlaying() const { return playing_; }
    std::int32_t FrameIndex() const { return frame_; }
    bool Forward() const { return forward_; }
    // The current frame, or null when there is none.
    const SFrame* Frame() const {
        if (!animation_ || frame_ < 0 ||
            static_cast<std::size_t>(frame_) >= animation_->frames.size()) {
            return nullptr;
        }
        return &animation_->frames[static_cast<std::size_t>(frame_)];
    }

    // Runs `elapsed` game steps; false once the animation has stopped.
    bool Advance(double elapsed) {
        if (!playing_) {
            return false;
        }
        if (!std::isfinite(remaining_)) {
            remaining_ = 0.0;
        }
        while (!(remaining_ > 0.0)) {
            if (!Step()) {
                return false;
            }
        }
        remaining_ -= elapsed;
        return true;
    }

private:
    static std::int32_t Delay(const SAnimation& animation, std::int32_t frame) {
        if (frame < 0 || static_cast<std::size_t>(frame) >= animation.frames.size()) {
            return 1;
        }
        return std::max(1, animation.frames[static_cast<std::size_t>(frame)].delay);
    }
    std::int32_t Count() const {
        return animation_ ? static_cast<std::int32_t>(animation_->frames.size()) : 0;
    }

    void Reset() {
        if (Count() < 1) {
            remaining_ = 0.0;
            frame_ = 0;
            forward_ = true;
            return;
        }
        const bool backward = animation_->playMode >= 4 && animation_->playMode <= 7;
        frame_ = backward ? Count() - 1 : 0;
        forward_ = !backward;
        remaining_ = Delay(*animation_, frame_);
    }

    enum class EEnd { kStop, kWrap, kTurn, kTurnHere };

    // Applies the rule of the end the cursor ran past: `end` is that end
    // frame, `other` the opposite one, `inward` the way back into the frames.
    bool Apply(EEnd rule, std::int32_t end, std::int32_t other, bool inward) {
        switch (rule) {
            case EEnd::kStop:
                frame_ = end;
                forward_ = !inward;
                playing_ = false;
                return false;
            case EEnd::kWrap:
                frame_ = other;
                forward_ = !inward;
                return true;
            case EEnd::kTurn:
                frame_ = inward ? end + 1 : end - 1;
                forward_ = inward;
                return true;
            case EEnd::kTurnHere:
                frame_ = end;
                forward_ = inward;
                return true;
        }
        return false;
    }

    bool Step() {
        if (!playing_) {
            return false;
        }
        if (Count() < 2) {
            Reset();
            playing_ = false;
            return false;
        }
        static const EEnd kAfterLast[] = {EEnd::kStop, EEnd::kWrap,     EEnd::kTurn, EEnd::kTurn,
                                          EEnd::kStop, EEnd::kTurnHere, EEnd::kStop, EEnd::kTurn};
        static const EEnd kBeforeFirst[] = {EEnd::kStop, EEnd::kTurnHere, EEnd::kStop,
                                            EEnd::kTurn, EEnd::kStop,     EEnd::kWrap,
                                            EEnd::kTurn, EEnd::kTurn};
        const std::int32_t mode = animation_->playMode;
        if (mode >= 0 && mode < 8) {
            const std::int64_t next = std::int64_t{frame_} + (forward_ ? 1 : -1);
            const std::int32_t last = Count() - 1;
            bool moving = true;
            if (next > last) {
                moving = Apply(kAfterLast[mode], last, 0, false);
            } else if (next < 0) {
                moving = Apply(kBeforeFirst[mode], 0, last, true);
            } else {
                frame_ = static_cast<std::int32_t>(next);
            }
            if (!moving) {
                return false;
            }
        }
        remaining_ += Delay(*animation_, frame_);
        return true;
    }

    const SAnimation* animation_ = nullptr;
    std::int32_t frame_ = 0;
    bool forward_ = true;
    bool playing_ = false;
    double remaining_ = 0.0;
};

// ---------------------------------------------------------------------------
// Moving along trajectories as the editor previews them: a path parameter t
// runs over the point indexes, t = 2.5 lies half way from point 2 to point 3.

// The position at `t` without the offset: held at the first point for t not
// above -1, at the last for t from the last index on.
inline SPoint PathPositionAt(const STrajectory& path, double t) {
    const std::vector<SPoint>& p = path.points;
    if (p.empty()) {
        return {};
    }
    if (p.size() == 1 || !(t > -1.0)) {
        return p.front();
    }
    if (t >= static_cast<double>(p.size() - 1)) {
        return p.back();
    }
    const auto k = static_cast<std::size_t>(static_cast<long long>(t));
    const double f = t - static_cast<double>(static_cast<long long>(t));
    const SPoint& a = p[k];
    const SPoint& b = p[k + 1];
    return {a.x * (1 - f) + f * b.x, a.y * (1 - f) + f * b.y};
}

// Where the moving object is drawn: the offset plus the position at `t`.
inline SPoint PositionAt(const STrajectory& path, double t) {
    const SPoint raw = PathPositionAt(path, t);
    return {path.offsetX + raw.x, path.offsetY + raw.y};
}

// One game step on: t moved by `speed` (1.0 is one point per step, a
// negative speed runs backward), looping over the points.
inline double NextParameter(const STrajectory& path, double t, double speed) {
    const double count = static_cast<double>(path.points.size());
    if (path.points.empty()) {
        return 0.0;
    }
    double next = t + speed;
    if (!std::isfinite(next)) {
        return 0.0;
    }
    next = std::fmod(next, count);
    if (next < 0.0) {
        next += count;
    } else if (next == 0.0) {
        next = 0.0;
    }
    return next < count ? next : 0.0;
}

// ---------------------------------------------------------------------------
// Ogg Vorbis sounds: the values of the stream's identification header.

struct SOggStreamInfo {
    std::int32_t version = 0;
    std::int32_t channels = 0;
    std::int32_t rate = 0;
    std::int32_t bitrateUpper = 0;
    std::int32_t bitrateNominal = 0;
    std::int32_t bitrateLower = 0;
    std::int32_t bitrateWindow = 0;
};

namespace detail {

inline std::uint32_t OggCrc(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::uint32_t> table = [] {
        std::vector<std::uint32_t> t(256);
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t r = i << 24;
            for (int k = 0; k < 8; ++k) {
                r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
            }
            t[i] = r;
        }
        return t;
    }();
    std::uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = (i >= 22 && i < 26) ? 0 : data[i];
        crc = (crc << 8) ^ table[((crc >> 24) ^ b) & 0xFF];
    }
    return crc;
}

inline std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

struct SOggPage {
    std::size_t size = 0;
    std::uint8_t flags = 0;
    std::uint32_t serial = 0;
    // Packet pieces: offset in the bytes, length, whether the packet ends.
    std::vector<std::pair<std::size_t, std::size_t>> pieces;
    std::vector<bool> ends;
};

// The page at `at`, when a whole page with a good checksum starts there.
inline bool OggPageAt(const std::vector<std::uint8_t>& bytes, std::size_t at, SOggPage& page) {
    const std::size_t left = bytes.size() - at;
    const std::uint8_t* p = bytes.data() + at;
    if (left < 27 || std::memcmp(p, "OggS", 4) != 0 || p[4] != 0 || left < 27u + p[26]) {
        return false;
    }
    std::size_t body = 0;
    for (int i = 0; i < p[26]; ++i) {
        body += p[27 + i];
    }
    const std::size_t size = 27u + p[26] + body;
    if (left < size || OggCrc(p, size) != Le32(p + 22)) {
        return false;
    }
    page = SOggPage();
    page.size = size;
    page.flags = p[5];
    page.serial = Le32(p + 14);
    std::size_t offset = at + 27u + p[26];
    std::size_t length = 0;
    for (int i = 0; i < p[26]; ++i) {
        length += p[27 + i];
        if (p[27 + i] < 255 || i + 1 == p[26]) {
            page.pieces.emplace_back(offset, length);
            page.ends.push_back(p[27 + i] < 255);
            offset += length;
            length = 0;
        }
    }
    return true;
}

inline bool IsVorbisHeader(const std::vector<std::uint8_t>& packet, std::uint8_t type) {
    return packet.size() >= 7 && packet[0] == type && std::memcmp(&packet[1], "vorbis", 6) == 0;
}

// A comment header as a decoder takes it: the vendor text, the comments,
// each no longer than the bytes left, then the framing bit.
inline bool IsWholeCommentHeader(const std::vector<std::uint8_t>& packet) {
    std::size_t at = 7;
    const auto length = [&](std::size_t& value) {
        if (packet.size() - at < 4 || (packet[at + 3] & 0x80) != 0) {
            return false;
        }
        value = Le32(&packet[at]);
        at += 4;
        return true;
    };
    std::size_t vendor = 0;
    if (!length(vendor) || vendor > packet.size() - at) {
        return false;
    }
    at += vendor;
    std::size_t comments = 0;
    if (!length(comments) || comments > (packet.size() - at) / 4) {
        return false;
    }
    for (std::size_t i = 0; i < comments; ++i) {
        std::size_t size = 0;
        if (!length(size) || size > packet.size() - at) {
            return false;
        }
        at += size;
    }
    return at < packet.size() && (packet[at] & 1) != 0;
}

}  // namespace detail

// Reads the identification header and checks the comment header and the
// start of the setup header after it, as a player opening the stream does;
// all 0 when the bytes hold no Vorbis stream (the first page must start the
// bytes, be a beginning-of-stream page and fit in 100 bytes).
inline SOggStreamInfo ReadOggStreamInfo(const std::vector<std::uint8_t>& bytes) {
    constexpr std::size_t kFirstRead = 100;
    detail::SOggPage page;
    const std::vector<std::uint8_t> firstPart(
        bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), kFirstRead)));
    if (!detail::OggPageAt(firstPart, 0, page) || !(page.flags & 0x02) || page.pieces.empty() ||
        !page.ends[0]) {
        return {};
    }
    const std::uint8_t* id = bytes.data() + page.pieces[0].first;
    const std::vector<std::uint8_t> first(id, id + page.pieces[0].second);
    if (!detail::IsVorbisHeader(first, 1) || first.size() < 30) {
        return {};
    }
    const std::uint32_t version = detail::Le32(&first[7]);
    const int channels = first[11];
    const std::uint32_t rate = detail::Le32(&first[12]);
    const int small = 1 << (first[28] & 0x0F);
    const int large = 1 << (first[28] >> 4);
    if (version != 0 || channels < 1 || rate < 1 || small < 64 || large < small || large > 8192 ||
        !(first[29] & 1)) {
        return {};
    }
    // The comment and the setup header follow, in pages of the same stream.
    const std::uint32_t serial = page.serial;
    std::vector<std::vector<std::uint8_t>> packets;
    std::vector<std::uint8_t> current;
    std::size_t pieceIndex = 1;
    std::size_t at = 0;
    while (packets.size() < 2) {
        if (pieceIndex >= page.pieces.size()) {
            at += page.size;
            while (at < bytes.size() && !detail::OggPageAt(bytes, at, page)) {
                ++at;
            }
            if (at >= bytes.size()) {
                return {};
            }
            pieceIndex = 0;
            if (page.serial != serial) {
                pieceIndex = page.pieces.size();
                continue;
            }
        }
        const auto& piece = page.pieces[pieceIndex];
        current.insert(current.end(), bytes.begin() + static_cast<std::ptrdiff_t>(piece.first),
                       bytes.begin() + static_cast<std::ptrdiff_t>(piece.first + piece.second));
        if (page.ends[pieceIndex]) {
            packets.push_back(std::move(current));
            current.clear();
        }
        ++pieceIndex;
    }
    if (!detail::IsVorbisHeader(packets[0], 3) || !detail::IsWholeCommentHeader(packets[0]) ||
        !detail::IsVorbisHeader(packets[1], 5)) {
        return {};
    }
    SOggStreamInfo info;
    info.version = 0;
    info.channels = channels;
    info.rate = static_cast<std::int32_t>(rate);
    info.bitrateUpper = static_cast<std::int32_t>(detail::Le32(&first[16]));
    info.bitrateNominal = static_cast<std::int32_t>(detail::Le32(&first[20]));
    info.bitrateLower = static_cast<std::int32_t>(detail::Le32(&first[24]));
    return info;
}

}  // namespace plexion_dat

#endif  // PLEXION_DAT_HPP
