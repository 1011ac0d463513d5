// How a bitmap is stored in a document.
#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "archive.h"
#include "bitmap_item.h"

namespace plexion {
namespace {

constexpr std::uint32_t kRegionHeaderSize = 32;
constexpr std::uint32_t kRegionRectSize = 16;
constexpr std::uint32_t kRegionTypeRectangles = 1;

// Far beyond any picture, and near enough that no width or height overflows.
constexpr int kCoordinateLimit = 1 << 29;

int ClampedCoordinate(std::int32_t value) {
    return std::clamp<int>(value, -kCoordinateLimit, kCoordinateLimit);
}

// Stored rectangles may overlap and come in any order; they are united in
// pairs so that many rectangles do not cost a union each over the whole.
QRegion UnionOf(const std::vector<QRect>& rects) {
    std::vector<QRegion> regions(rects.begin(), rects.end());
    while (regions.size() > 1) {
        std::vector<QRegion> merged;
        merged.reserve((regions.size() + 1) / 2);
        for (std::size_t i = 0; i + 1 < regions.size(); i += 2) {
            merged.push_back(regions[i].united(regions[i + 1]));
        }
        if (regions.size() % 2 == 1) {
            merged.push_back(std::move(regions.back()));
        }
        regions = std::move(merged);
    }
    return regions.empty() ? QRegion() : regions.front();
}

bool IsPixelStorageKind(int kind) {
    return kind >= CVKT_Bitmap::kKindGdi && kind <= CVKT_Bitmap::kKindDib32;
}

}  // namespace

int CVKT_Bitmap::Serialize(CArchive& archive) {
    if (!CVKT_Resource::Serialize(archive)) {
        return 0;
    }
    if (archive.IsStoring()) {
        Write(archive);
    } else {
        Read(archive);
    }
    return 1;
}

void CVKT_Bitmap::Write(CArchive& archive) const {
    // Only regions and pictures carry their content in the file; any other
    // kind is stored as an empty bitmap so that the file always reads back.
    const bool stored = kind_ == kKindRegion || kind_ == kKindImage;
    const int kind = stored ? kind_ : kKindEmpty;
    archive.WriteInt32(0);
    archive.WriteInt32(kPayloadVersion);
    archive.WriteInt32(kind);
    archive.WriteScrambledString(ID());
    archive.WriteScrambledString(sourceFileName_);
    archive.WriteScrambledString(Comments());
    // A picture not decoded yet keeps the size the file gave it.
    archive.WriteFloat64(!stored ? 0.0 : pendingDecode_ ? displayWidth_ : StorageWidth());
    archive.WriteFloat64(!stored ? 0.0 : pendingDecode_ ? displayHeight_ : StorageHeight());
    archive.WriteInt32(kind == kKindRegion ? 1 : 32);
    archive.WriteInt32(1);
    archive.WriteFloat64(offsetX_);
    archive.WriteFloat64(offsetY_);
    if (kind == kKindRegion) {
        WriteRegion(archive);
    } else if (kind == kKindImage) {
        if (sourceBytes_.size() >
            static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
            throw CArchiveError(CArchiveError::Reason::Io,
                                "bitmap \"" + ID() + "\" is larger than the format can store");
        }
        archive.WriteInt32(static_cast<std::int32_t>(sourceBytes_.size()));
        archive.WriteRaw(sourceBytes_.data(), sourceBytes_.size());
    }
}

void CVKT_Bitmap::WriteRegion(CArchive& archive) const {
    const QRect bounds = region_.boundingRect();
    archive.WriteInt32(RegionDataSize());
    archive.WriteUInt32(kRegionHeaderSize);
    archive.WriteUInt32(kRegionTypeRectangles);
    archive.WriteUInt32(static_cast<std::uint32_t>(region_.rectCount()));
    archive.WriteUInt32(static_cast<std::uint32_t>(kRegionRectSize * region_.rectCount()));
    const auto writeRect = [&archive](const QRect& r) {
        // Stored rectangles end one past their last pixel.
        for (int v : {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}) {
            archive.WriteInt32(v);
        }
    };
    writeRect(region_.isEmpty() ? QRect() : bounds);
    for (const QRect& r : region_) {
        writeRect(r);
    }
}

void CVKT_Bitmap::Read(CArchive& archive) {
    Reset();
    archive.Skip(4);
    const std::int32_t version = archive.ReadInt32();
    const std::int32_t kind = archive.ReadInt32();
    std::string id = archive.ReadString();
    std::string sourceName = archive.ReadString();
    std::string comments = archive.ReadString();
    if (version >= 2) {
        id = Unscramble(std::move(id));
        sourceName = Unscramble(std::move(sourceName));
        comments = Unscramble(std::move(comments));
    }
    // The width and height follow from the content; a picture keeps them
    // until it is decoded.
    const double width = archive.ReadFloat64();
    const double height = archive.ReadFloat64();
    archive.Skip(8);
    offsetX_ = archive.ReadFloat64();
    offsetY_ = archive.ReadFloat64();
    SetID(std::move(id));
    SetComments(std::move(comments));
    if (IsPixelStorageKind(kind)) {
        // An empty pixel storage: nothing of its content is stored.
        CreateStorage(kind);
    } else if (kind == kKindRegion) {
        ReadRegion(archive);
    } else if (kind == kKindImage) {
        const std::int32_t size = archive.ReadInt32();
        archive.CheckClaim(size);
        sourceBytes_.resize(static_cast<std::size_t>(std::max(0, size)));
        archive.ReadRaw(sourceBytes_.data(), sourceBytes_.size());
        sourceFileName_ = std::move(sourceName);
        // Decoded once the whole document is read, on every core.
        kind_ = kKindImage;
        pendingDecode_ = true;
        displayWidth_ = width;
        displayHeight_ = height;
    } else {
        sourceFileName_ = std::move(sourceName);
    }
}

void CVKT_Bitmap::ReadRegion(CArchive& archive) {
    const std::int32_t size = archive.ReadInt32();
    std::vector<QRect> rects;
    std::string damage;
    if (size > 0) {
        archive.CheckClaim(size);
        std::vector<std::int32_t> words(static_cast<std::size_t>(size) / 4);
        archive.ReadRaw(words.data(), words.size() * 4);
        archive.Skip(static_cast<std::uint64_t>(size) % 4);
        constexpr std::size_t kHeaderWords = kRegionHeaderSize / 4;
        if (words.size() < kHeaderWords) {
            damage = std::to_string(size) + " bytes cannot hold its 32-byte header";
        } else {
            const auto claimed = static_cast<std::uint32_t>(words[2]);
            const std::size_t present = (words.size() - kHeaderWords) / 4;
            const std::size_t count = std::min<std::size_t>(claimed, present);
            if (std::uint64_t{kRegionRectSize} * claimed > std::numeric_limits<std::uint32_t>::max()) {
                damage = "its count of " + std::to_string(claimed) +
                         " rectangles needs more bytes than a region can hold";
            } else if (claimed > present) {
                damage = "it claims " + std::to_string(claimed) + " rectangles but holds " +
                         std::to_string(present);
            }
            rects.reserve(count);
            for (std::size_t i = 0; i < count; ++i) {
                const std::int32_t* r = &words[kHeaderWords + 4 * i];
                const int left = ClampedCoordinate(r[0]);
                const int top = ClampedCoordinate(r[1]);
                const int right = ClampedCoordinate(r[2]);
                const int bottom = ClampedCoordinate(r[3]);
                if (right > left && bottom > top) {
                    rects.emplace_back(left, top, right - left, bottom - top);
                }
            }
        }
    }
    SetRegion(UnionOf(rects));
    if (!damage.empty()) {
        readDamage_ = "bitmap \"" + ID() + "\" has damaged region data: " + damage;
    }
}

}  // namespace plexion
