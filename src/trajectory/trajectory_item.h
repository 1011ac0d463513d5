#pragma once

#include <cstdint>
#include <string>

#include "growable_array.h"
#include "resource.h"

namespace plexion {

struct CPathPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const CPathPoint&) const = default;
};

// A path or shape: points in world pixels (never including the offset), with
// a cached bounding box and a center of mass recomputed only on demand.
class CVKT_Trajectory : public CVKT_Resource {
public:
    static constexpr int kKind = 4;
    static constexpr std::int32_t kPayloadVersion = 2;
    static constexpr std::int32_t kTypeCollisionTest = 2;
    static constexpr int kTypeCount = 3;

    int Serialize(CArchive& archive) override;
    // "%d Points, %d Bytes" (and the center of mass for collision shapes).
    std::string Specifications() const override;

    static std::string TypeName(int type);

    int Count() const { return points_.Size(); }
    bool RemoveAllPoints();
    bool AddPoint(double x, double y);
    bool SetPoint(int index, double x, double y);
    CPathPoint GetPoint(int index) const;

    // Mean of the points; (0, 0) without points.
    bool UpdateCenterOfMass();
    bool SetCenterOfMass(double x, double y);
    CPathPoint CenterOfMass() const { return center_; }

    // Refreshes the cached bounds: (0, 0, 1, 1) without points.
    bool UpdateBounds();
    double MinX() const { return minX_; }
    double MaxX() const { return maxX_; }
    double MinY() const { return minY_; }
    double MaxY() const { return maxY_; }

    std::int32_t OffsetX() const { return offsetX_; }
    std::int32_t OffsetY() const { return offsetY_; }
    void SetOffsetX(std::int32_t x) { offsetX_ = x; }
    void SetOffsetY(std::int32_t y) { offsetY_ = y; }
    std::int32_t ClosedShape() const { return closed_; }
    bool SetClosedShape(std::int32_t closed);
    std::int32_t Type() const { return type_; }
    bool SetType(std::int32_t type);
    std::int32_t PlayMode() const { return playMode_; }
    bool SetPlayMode(std::int32_t mode);

protected:
    std::unique_ptr<CVKT_Resource> NewOfSameKind() const override;

private:
    std::int32_t offsetX_ = 0;
    std::int32_t offsetY_ = 0;
    CPathPoint center_;
    std::int32_t closed_ = 0;
    std::int32_t type_ = 0;
    std::int32_t playMode_ = 0;
    double minX_ = 0.0;
    double maxX_ = 0.0;
    double minY_ = 1.0;
    double maxY_ = 1.0;
    CGrowableArray<CPathPoint> points_;
};

}  // namespace plexion
