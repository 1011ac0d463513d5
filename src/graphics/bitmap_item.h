#pragma once

#include <QImage>
#include <QRegion>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "decoded_picture.h"
#include "color_ref.h"
#include "resource.h"

class QPainter;
class QPaintDevice;

namespace plexion {

class CVKT_Map;
class CBitmapPainter;

// A picture of the bitmaps group, and the system's general picture object:
// drawing buffers (kinds 1-4), painting regions (kind 6), a map (kind 7) and
// decoded pictures (kind 9). A stored picture also keeps the encoded file it
// came from, which is what the document stores.
class CVKT_Bitmap : public CVKT_Resource {
public:
    static constexpr int kKind = 1;
    static constexpr int kKindEmpty = 0;
    static constexpr int kKindGdi = 1;
    static constexpr int kKindDib8 = 2;
    static constexpr int kKindDib16 = 3;
    static constexpr int kKindDib32 = 4;
    static constexpr int kKindRegion = 6;
    static constexpr int kKindMap = 7;
    static constexpr int kKindImage = 9;
    static constexpr int kStorageKindCount = 24;
    static constexpr std::int32_t kPayloadVersion = 2;
    // What GetPixel answers outside the storage.
    static constexpr ColorRef kInvalidColor = 0xFFFFFFFF;

    CVKT_Bitmap();
    ~CVKT_Bitmap() override;

    int Serialize(CArchive& archive) override;
    // "%d Bits, %d Frames"
    std::string Specifications() const override;
    void ReleaseSourceData() override { ClearSource(); }
    std::string ReadDamage() const override { return readDamage_; }
    CItemStatePtr SaveState(CStateMemory& memory) const override;
    bool Holds(const CItemState& state) const override;
    void ExchangeState(CItemState& state) override;

    static std::string KindName(int kind);
    static int KindCount() { return kStorageKindCount; }
    // Kinds whose content refers to something else.
    static bool IsReferenceKind(int kind);

    // Storage.
    int GetKind() const { return kind_; }
    bool HasStorage() const { return kind_ != kKindEmpty; }
    // Drops the picture, keeping the offsets.
    void Reset();
    void ClearSource();
    bool CreateStorage(int kind);
    // A blank storage of the given size; kind 9 needs a window to be
    // compatible with and fails without one.
    bool CreateBlank(int kind, int width, int height, const QPaintDevice* window = nullptr);
    // Replaces the picture by a kind-9 copy of `image`; source untouched.
    void TakeImage(const QImage& image);
    bool ConvertToKind(int kind);

    // The colour regions are filled with, at half alpha: the editor gives its
    // dialog text colour whenever the interface colours change.
    static void SetRegionColor(ColorRef color);
    static ColorRef RegionColor();
    // Drawing. Positions are shifted by the bitmap's offsets.
    bool Draw(QPainter& painter, double x, double y) const;
    bool DrawScaled(QPainter& painter, double x, double y, double width, double height) const;
    bool DrawOnto(CVKT_Bitmap& target, double x, double y) const;
    // A painter on the storage (kinds 1-4 and 9), or an empty one.
    CBitmapPainter GetDrawingContext();
    bool Fill(ColorRef color, double alpha);
    bool FillOpaque(ColorRef color);
    ColorRef GetPixel(int x, int y) const;
    bool SetPixel(int x, int y, ColorRef color);

    // Sizes.
    double StorageWidth() const;
    double StorageHeight() const;
    double DisplayWidth() const;
    double DisplayHeight() const;
    int BitsPerPixel() const { return kind_ == kKindRegion ? 1 : 32; }
    int FrameCount() const { return 1; }
    std::int32_t UsedGameMemory() const;

    // Regions (kind 6).
    void SetRegion(const QRegion& region);
    const QRegion* Region() const;
    bool PointInRegion(int x, int y) const;

    // The picture of kind 9 and the pixels of kinds 1-4; null otherwise.
    const QImage* Image() const;
    // The map of kind 7; null otherwise.
    CVKT_Map* Map() const { return map_.get(); }

    // Source of stored pictures.
    const std::vector<std::uint8_t>& SourceBytes() const { return sourceBytes_; }
    void SetSourceBytes(std::vector<std::uint8_t> bytes) { sourceBytes_ = std::move(bytes); }
    const std::string& SourceFileName() const { return sourceFileName_; }
    void SetSourceFileName(std::string name) { sourceFileName_ = std::move(name); }
    bool SaveSourceBytesToFile(const std::string& path) const;

    // Import and processing of pictures. `problem`, when given, tells why a
    // picture was not decoded; a metafile that asks for too much work fails
    // the load.
    bool LoadFromFile(int kind, const std::string& path, EDecodeProblem* problem = nullptr);
    // Reload Image Source: loads `path` with the current kind; ID, comments
    // and offsets stay. A failed reload leaves the bitmap as it was.
    bool ReloadSource(const std::string& path);
    // Decodes the source bytes as the picture (kind 9); a picture the codecs
    // cannot read leaves a 0 x 0 picture that keeps its bytes. Why it could
    // not be read, or None.
    EDecodeProblem DecodeSource();
    void TakeDecoded(const QImage& decoded);
    bool NeedsDecoding() const { return kind_ == kKindImage && pendingDecode_; }
    bool SaveImageToFile(const std::string& path, const std::string& mimeType) const;
    bool ReencodeAsPng();
    bool CropToAlpha(bool adjustOffsets);
    bool SetAlphaToColor(ColorRef color);
    bool ChangeColor(int sourceRed, int sourceGreen, int sourceBlue, int sourceAlpha, int targetRed,
                     int targetGreen, int targetBlue, int targetAlpha, int hueTolerance,
                     int darkTolerance, int brightTolerance);

    double OffsetX() const { return offsetX_; }
    double OffsetY() const { return offsetY_; }
    void SetOffsetX(double x) { offsetX_ = x; }
    void SetOffsetY(double y) { offsetY_ = y; }

    std::int32_t LinkValue(int which) const { return links_.at(which); }
    void SetLinkValue(int which, std::int32_t value) { links_.at(which) = value; }

protected:
    std::unique_ptr<CVKT_Resource> NewOfSameKind() const override;

private:
    friend class CBitmapPainter;

    bool SizeStorage(int width, int height);
    // Takes over `other`'s picture and source; ID, comments, offsets and
    // link values stay this bitmap's own.
    void TakePictureFrom(CVKT_Bitmap& other);
    bool LoadBmpInto(int kind, const std::vector<std::uint8_t>& bytes);
    QPoint DrawOrigin(double x, double y) const;
    void Write(CArchive& archive) const;
    void Read(CArchive& archive);
    void WriteRegion(CArchive& archive) const;
    void ReadRegion(CArchive& archive);
    std::int32_t RegionDataSize() const;

    int kind_ = kKindEmpty;
    // Kinds 1-4 and 9.
    QImage image_;
    // Kind 1: the optional 1-bit mask.
    QImage mask_;
    // Kinds 2 and 3 round their rows up to 4 pixels; the width asked for.
    int requestedWidth_ = 0;
    QRegion region_;
    std::unique_ptr<CVKT_Map> map_;
    bool pendingDecode_ = false;
    std::vector<std::uint8_t> sourceBytes_;
    std::string sourceFileName_;
    double offsetX_ = 0.0;
    double offsetY_ = 0.0;
    double displayWidth_ = 0.0;
    double displayHeight_ = 0.0;
    std::array<std::int32_t, 3> links_ = {0, -1, -1};
    std::string readDamage_;
};

// A painter on a bitmap's storage for as long as it lives. Palettized
// storages cannot be painted on directly: they are painted through a 32-bit
// copy that goes back into the palette when the painter ends.
class CBitmapPainter {
public:
    CBitmapPainter() = default;
    explicit CBitmapPainter(CVKT_Bitmap& bitmap);
    CBitmapPainter(CBitmapPainter&& other) noexcept;
    CBitmapPainter& operator=(CBitmapPainter&&) = delete;
    CBitmapPainter(const CBitmapPainter&) = delete;
    ~CBitmapPainter();

    explicit operator bool() const { return painter_ != nullptr; }
    QPainter* operator->() const { return painter_.get(); }
    QPainter& operator*() const { return *painter_; }

private:
    CVKT_Bitmap* bitmap_ = nullptr;
    QImage palettized_;
    std::unique_ptr<QPainter> painter_;
};

}  // namespace plexion
