#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "resource.h"

namespace plexion {

struct CRegionRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    bool operator==(const CRegionRect&) const = default;
};

// A picture of the bitmaps group: its storage kind, the encoded image file it
// came from (kept as bytes), its drawing offsets and display size. Kind 6
// holds a painting region as a list of rectangles.
class CVKT_Bitmap : public CVKT_Resource {
public:
    static constexpr int kKind = 1;
    static constexpr int kKindEmpty = 0;
    static constexpr int kKindRegion = 6;
    static constexpr int kKindImage = 9;
    static constexpr int kStorageKindCount = 24;
    static constexpr std::int32_t kPayloadVersion = 2;

    int Serialize(CArchive& archive) override;
    // "%d Bits, %d Frames"
    std::string Specifications() const override;
    void ReleaseSourceData() override { ClearSource(); }

    static std::string KindName(int kind);
    static int KindCount() { return kStorageKindCount; }

    int GetKind() const { return kind_; }
    // Drops the picture, keeping the offsets.
    void Reset();
    void ClearSource();

    const std::vector<std::uint8_t>& SourceBytes() const { return sourceBytes_; }
    void SetSourceBytes(std::vector<std::uint8_t> bytes) { sourceBytes_ = std::move(bytes); }
    const std::string& SourceFileName() const { return sourceFileName_; }
    void SetSourceFileName(std::string name) { sourceFileName_ = std::move(name); }

    double OffsetX() const { return offsetX_; }
    double OffsetY() const { return offsetY_; }
    void SetOffsetX(double x) { offsetX_ = x; }
    void SetOffsetY(double y) { offsetY_ = y; }

    double StorageWidth() const;
    double StorageHeight() const;
    double DisplayWidth() const;
    double DisplayHeight() const;
    int BitsPerPixel() const { return kind_ == kKindRegion ? 1 : 32; }
    int FrameCount() const { return 1; }
    std::int32_t UsedGameMemory() const;

    // Kind 6: makes the bitmap a region made of `rects` (empty ones dropped).
    void SetRegion(std::vector<CRegionRect> rects);
    const std::vector<CRegionRect>& RegionRects() const { return region_; }

    std::int32_t LinkValue(int which) const { return links_.at(which); }
    void SetLinkValue(int which, std::int32_t value) { links_.at(which) = value; }

protected:
    std::unique_ptr<CVKT_Resource> NewOfSameKind() const override;

private:
    void Write(CArchive& archive) const;
    void Read(CArchive& archive);
    CRegionRect RegionBounds() const;
    std::int32_t RegionDataSize() const;
    void WriteRegion(CArchive& archive) const;
    void ReadRegion(CArchive& archive);

    int kind_ = kKindEmpty;
    std::vector<std::uint8_t> sourceBytes_;
    std::string sourceFileName_;
    double offsetX_ = 0.0;
    double offsetY_ = 0.0;
    // Kind 9 keeps the size of its picture here.
    double displayWidth_ = 0.0;
    double displayHeight_ = 0.0;
    std::vector<CRegionRect> region_;
    std::array<std::int32_t, 3> links_ = {0, -1, -1};
};

}  // namespace plexion
