#include "bitmap_item.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "archive.h"

namespace plexion {
namespace {

constexpr std::uint32_t kRegionHeaderSize = 32;
constexpr std::uint32_t kRegionRectSize = 16;
constexpr std::uint32_t kRegionTypeRectangles = 1;

constexpr std::array<const char*, CVKT_Bitmap::kStorageKindCount> kKindNames = {
    "Empty",
    "GDI Bitmap",
    "DIB Bitmap 8 Bits",
    "DIB Bitmap 16 Bits",
    "DIB Bitmap 32 Bits",
    "DIB Bitmap 1 Bit - Mask",
    "MFC CRgn - Painting Region",
    "Refer to Map",
    "Refer to Animation",
    "GDI+ Image",
    "Icon",
    "Cursor",
    "IDirectDrawSurface7 - DirectX",
    "DirectX (Reserved)",
    "DirectX (Reserved)",
    "DirectX (Reserved)",
    "DirectX (Reserved)",
    "DirectX (Reserved)",
    "DirectX (Reserved)",
    "Display Buffer",
    "Game Display Buffer",
    "DirectX Display Buffer",
    "OpenGL Display Buffer",
    "Refer to Another",
};

bool IsPixelStorageKind(int kind) {
    return kind >= 1 && kind <= 4;
}

}  // namespace

std::unique_ptr<CVKT_Resource> CVKT_Bitmap::NewOfSameKind() const {
    return std::make_unique<CVKT_Bitmap>();
}

std::string CVKT_Bitmap::KindName(int kind) {
    return kind >= 0 && kind < kStorageKindCount ? kKindNames[kind] : "Unknown";
}

void CVKT_Bitmap::Reset() {
    region_.clear();
    displayWidth_ = 0.0;
    displayHeight_ = 0.0;
    kind_ = kKindEmpty;
    ClearSource();
}

void CVKT_Bitmap::ClearSource() {
    sourceFileName_.clear();
    sourceBytes_.clear();
    sourceBytes_.shrink_to_fit();
}

CRegionRect CVKT_Bitmap::RegionBounds() const {
    if (region_.empty()) {
        return {};
    }
    CRegionRect bounds = region_.front();
    for (const CRegionRect& r : region_) {
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.right);
        bounds.bottom = std::max(bounds.bottom, r.bottom);
    }
    return bounds;
}

double CVKT_Bitmap::StorageWidth() const {
    if (kind_ == kKindRegion) {
        const CRegionRect bounds = RegionBounds();
        return static_cast<double>(bounds.right) - bounds.left;
    }
    return kind_ == kKindImage ? displayWidth_ : 0.0;
}

double CVKT_Bitmap::StorageHeight() const {
    if (kind_ == kKindRegion) {
        const CRegionRect bounds = RegionBounds();
        return static_cast<double>(bounds.bottom) - bounds.top;
    }
    return kind_ == kKindImage ? displayHeight_ : 0.0;
}

double CVKT_Bitmap::DisplayWidth() const {
    return kind_ == kKindImage ? displayWidth_ : StorageWidth();
}

double CVKT_Bitmap::DisplayHeight() const {
    return kind_ == kKindImage ? displayHeight_ : StorageHeight();
}

std::int32_t CVKT_Bitmap::RegionDataSize() const {
    return static_cast<std::int32_t>(kRegionHeaderSize + kRegionRectSize * region_.size());
}

std::int32_t CVKT_Bitmap::UsedGameMemory() const {
    if (kind_ == kKindRegion) {
        return RegionDataSize();
    }
    const double bytes = std::trunc(StorageHeight()) * std::trunc(StorageWidth()) * 4.0;
    return bytes > std::numeric_limits<std::int32_t>::max()
               ? std::numeric_limits<std::int32_t>::max()
               : static_cast<std::int32_t>(bytes);
}

void CVKT_Bitmap::SetRegion(std::vector<CRegionRect> rects) {
    Reset();
    std::erase_if(rects,
                  [](const CRegionRect& r) { return r.right <= r.left || r.bottom <= r.top; });
    region_ = std::move(rects);
    kind_ = kKindRegion;
}

std::string CVKT_Bitmap::Specifications() const {
    char text[64];
    std::snprintf(text, sizeof text, "%d Bits, %d Frames", BitsPerPixel(), FrameCount());
    return text;
}

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
    archive.WriteFloat64(stored ? StorageWidth() : 0.0);
    archive.WriteFloat64(stored ? StorageHeight() : 0.0);
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
    const CRegionRect bounds = RegionBounds();
    archive.WriteInt32(RegionDataSize());
    archive.WriteUInt32(kRegionHeaderSize);
    archive.WriteUInt32(kRegionTypeRectangles);
    archive.WriteUInt32(static_cast<std::uint32_t>(region_.size()));
    archive.WriteUInt32(static_cast<std::uint32_t>(kRegionRectSize * region_.size()));
    for (std::int32_t v : {bounds.left, bounds.top, bounds.right, bounds.bottom}) {
        archive.WriteInt32(v);
    }
    for (const CRegionRect& r : region_) {
        for (std::int32_t v : {r.left, r.top, r.right, r.bottom}) {
            archive.WriteInt32(v);
        }
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
    const double width = archive.ReadFloat64();
    const double height = archive.ReadFloat64();
    archive.Skip(8);
    offsetX_ = archive.ReadFloat64();
    offsetY_ = archive.ReadFloat64();
    SetID(std::move(id));
    SetComments(std::move(comments));
    if (IsPixelStorageKind(kind)) {
        // An empty pixel storage: nothing of its content is stored.
        kind_ = kind;
    } else if (kind == kKindRegion) {
        ReadRegion(archive);
    } else if (kind == kKindImage) {
        const std::int32_t size = archive.ReadInt32();
        archive.CheckClaim(size);
        sourceBytes_.resize(static_cast<std::size_t>(std::max(0, size)));
        archive.ReadRaw(sourceBytes_.data(), sourceBytes_.size());
        sourceFileName_ = std::move(sourceName);
        displayWidth_ = width;
        displayHeight_ = height;
        kind_ = kKindImage;
    } else {
        sourceFileName_ = std::move(sourceName);
        displayWidth_ = width;
        displayHeight_ = height;
    }
}

void CVKT_Bitmap::ReadRegion(CArchive& archive) {
    const std::int32_t size = archive.ReadInt32();
    std::vector<CRegionRect> rects;
    if (size > 0) {
        archive.CheckClaim(size);
        std::vector<std::int32_t> words(static_cast<std::size_t>(size) / 4);
        archive.ReadRaw(words.data(), words.size() * 4);
        archive.Skip(static_cast<std::uint64_t>(size) % 4);
        constexpr std::size_t kHeaderWords = kRegionHeaderSize / 4;
        if (words.size() >= kHeaderWords) {
            const auto claimed = static_cast<std::uint32_t>(words[2]);
            const std::size_t present = (words.size() - kHeaderWords) / 4;
            const std::size_t count = std::min<std::size_t>(claimed, present);
            rects.reserve(count);
            for (std::size_t i = 0; i < count; ++i) {
                const std::int32_t* r = &words[kHeaderWords + 4 * i];
                rects.push_back({r[0], r[1], r[2], r[3]});
            }
        }
    }
    SetRegion(std::move(rects));
}

}  // namespace plexion
