#include "bitmap_item.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <utility>

#include "archive.h"
#include "bitmap_palette.h"
#include "map_item.h"

namespace plexion {
namespace {

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
    return kind >= CVKT_Bitmap::kKindGdi && kind <= CVKT_Bitmap::kKindDib32;
}

bool IsDisplayBufferKind(int kind) {
    return kind >= 19 && kind <= 22;
}

// Larger storages are refused rather than asked of the allocator.
constexpr std::int64_t kMaxStoragePixels = std::int64_t{1} << 28;

bool IsAllowedSize(int width, int height) {
    return static_cast<std::int64_t>(width) * height <= kMaxStoragePixels;
}

int RoundedUpToFour(int width) {
    return (width + 3) / 4 * 4;
}

}  // namespace

CVKT_Bitmap::CVKT_Bitmap() = default;
CVKT_Bitmap::~CVKT_Bitmap() = default;

std::unique_ptr<CVKT_Resource> CVKT_Bitmap::NewOfSameKind() const {
    return std::make_unique<CVKT_Bitmap>();
}

std::string CVKT_Bitmap::KindName(int kind) {
    return kind >= 0 && kind < kStorageKindCount ? kKindNames[kind] : "Unknown";
}

bool CVKT_Bitmap::IsReferenceKind(int kind) {
    return kind == 7 || kind == 8 || kind == 9 || kind == 10 || kind == 11 || kind == 23;
}

void CVKT_Bitmap::Reset() {
    image_ = QImage();
    mask_ = QImage();
    requestedWidth_ = 0;
    region_ = QRegion();
    map_.reset();
    pendingDecode_ = false;
    displayWidth_ = 0.0;
    displayHeight_ = 0.0;
    kind_ = kKindEmpty;
    readDamage_.clear();
    ClearSource();
}

void CVKT_Bitmap::ClearSource() {
    sourceFileName_.clear();
    sourceBytes_.clear();
    sourceBytes_.shrink_to_fit();
}

bool CVKT_Bitmap::CreateStorage(int kind) {
    Reset();
    switch (kind) {
        case kKindGdi:
        case kKindDib8:
        case kKindDib16:
        case kKindDib32:
        case kKindRegion:
            kind_ = kind;
            return true;
        case kKindMap:
            map_ = std::make_unique<CVKT_Map>();
            kind_ = kind;
            return true;
        default:
            return kind == kKindEmpty;
    }
}

bool CVKT_Bitmap::SizeStorage(int width, int height) {
    switch (kind_) {
        case kKindGdi:
        case kKindDib32:
            image_ = QImage(width, height, QImage::Format_RGB32);
            image_.fill(Qt::black);
            break;
        case kKindDib8:
            image_ = QImage(RoundedUpToFour(width), height, QImage::Format_Indexed8);
            image_.setColorTable(StandardPalette());
            image_.fill(0);
            requestedWidth_ = width;
            break;
        case kKindDib16:
            image_ = QImage(RoundedUpToFour(width), height, QImage::Format_RGB555);
            image_.fill(Qt::black);
            requestedWidth_ = width;
            break;
        default:
            return false;
    }
    return !image_.isNull();
}

bool CVKT_Bitmap::CreateBlank(int kind, int width, int height, const QPaintDevice* window) {
    if (IsDisplayBufferKind(kind)) {
        kind = kKindDib32;
    }
    if (kind == kind_ && HasStorage() && StorageWidth() == width && StorageHeight() == height) {
        return true;
    }
    Reset();
    width = std::max(width, 1);
    height = std::max(height, 1);
    if (!IsAllowedSize(width, height)) {
        return false;
    }
    if (IsPixelStorageKind(kind)) {
        if (CreateStorage(kind) && SizeStorage(width, height)) {
            return true;
        }
        Reset();
        return false;
    }
    if (kind == kKindImage && window) {
        QImage blank(width, height, QImage::Format_ARGB32_Premultiplied);
        if (blank.isNull()) {
            return false;
        }
        blank.fill(Qt::transparent);
        TakeImage(blank);
        return true;
    }
    return false;
}

void CVKT_Bitmap::TakeImage(const QImage& image) {
    // Shared until either side is painted on; painting detaches.
    image_ = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    mask_ = QImage();
    region_ = QRegion();
    map_.reset();
    pendingDecode_ = false;
    kind_ = kKindImage;
    displayWidth_ = image_.width();
    displayHeight_ = image_.height();
}

bool CVKT_Bitmap::ConvertToKind(int kind) {
    if (kind == kind_) {
        return true;
    }
    const std::string fileName = sourceFileName_;
    const double displayWidth = displayWidth_;
    const double displayHeight = displayHeight_;
    const int width = static_cast<int>(StorageWidth());
    const int height = static_cast<int>(StorageHeight());
    CVKT_Bitmap converted;
    if (kind == kKindImage) {
        QImage blank(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
        if (blank.isNull()) {
            return false;
        }
        blank.fill(Qt::transparent);
        converted.TakeImage(blank);
    } else if (IsPixelStorageKind(kind)) {
        if (!converted.CreateBlank(kind, width, height)) {
            return false;
        }
    } else if (kind == kKindMap) {
        converted.CreateStorage(kKindMap);
    } else if (kind != kKindEmpty) {
        return false;
    }
    if (converted.Image()) {
        // The picture's top-left pixel lands on the new storage's origin.
        if (CBitmapPainter painter = converted.GetDrawingContext()) {
            Draw(*painter, -offsetX_, -offsetY_);
        }
    }
    TakePictureFrom(converted);
    sourceFileName_ = fileName;
    if (kind_ != kKindEmpty) {
        displayWidth_ = displayWidth;
        displayHeight_ = displayHeight;
    }
    return true;
}

void CVKT_Bitmap::TakePictureFrom(CVKT_Bitmap& other) {
    kind_ = std::exchange(other.kind_, kKindEmpty);
    image_ = std::move(other.image_);
    mask_ = std::move(other.mask_);
    requestedWidth_ = other.requestedWidth_;
    region_ = std::move(other.region_);
    map_ = std::move(other.map_);
    pendingDecode_ = other.pendingDecode_;
    sourceBytes_ = std::move(other.sourceBytes_);
    sourceFileName_ = std::move(other.sourceFileName_);
    displayWidth_ = other.displayWidth_;
    displayHeight_ = other.displayHeight_;
    other.Reset();
}

double CVKT_Bitmap::StorageWidth() const {
    switch (kind_) {
        case kKindGdi:
        case kKindDib32:
        case kKindImage:
            return image_.width();
        case kKindDib8:
        case kKindDib16:
            return requestedWidth_;
        case kKindRegion:
            return region_.boundingRect().width();
        default:
            return 0.0;
    }
}

double CVKT_Bitmap::StorageHeight() const {
    switch (kind_) {
        case kKindGdi:
        case kKindDib8:
        case kKindDib16:
        case kKindDib32:
        case kKindImage:
            return image_.height();
        case kKindRegion:
            return region_.boundingRect().height();
        default:
            return 0.0;
    }
}

double CVKT_Bitmap::DisplayWidth() const {
    return kind_ == kKindImage ? displayWidth_ : StorageWidth();
}

double CVKT_Bitmap::DisplayHeight() const {
    return kind_ == kKindImage ? displayHeight_ : StorageHeight();
}

std::int32_t CVKT_Bitmap::RegionDataSize() const {
    return static_cast<std::int32_t>(32 + 16 * static_cast<std::int64_t>(region_.rectCount()));
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

const QImage* CVKT_Bitmap::Image() const {
    return IsPixelStorageKind(kind_) || kind_ == kKindImage ? &image_ : nullptr;
}

std::string CVKT_Bitmap::Specifications() const {
    char text[64];
    std::snprintf(text, sizeof text, "%d Bits, %d Frames", BitsPerPixel(), FrameCount());
    return text;
}

}  // namespace plexion
