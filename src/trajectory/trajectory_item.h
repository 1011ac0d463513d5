#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "growable_array.h"
#include "resource.h"

namespace plexion {

struct CPathPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const CPathPoint&) const = default;
};

// The extent of a path: (0, 0, 1, 1) for minimum X, maximum X, minimum Y
// and maximum Y when there are no points.
struct CPathBounds {
    double minX = 0.0;
    double maxX = 0.0;
    double minY = 1.0;
    double maxY = 1.0;
};
CPathBounds BoundsOf(std::span<const CPathPoint> points);

// A path or shape: points in world pixels (never including the offset), with
// a cached bounding box and a center of mass recomputed only on demand.
class CVKT_Trajectory : public CVKT_Resource {
public:
    static constexpr int kKind = 4;
    static constexpr std::int32_t kPayloadVersion = 2;
    static constexpr std::int32_t kTypeSimplePoints = 0;
    static constexpr std::int32_t kTypePolygon = 1;
    static constexpr std::int32_t kTypeCollisionTest = 2;
    static constexpr int kTypeCount = 3;

    int Serialize(CArchive& archive) override;
    // "%d Points, %d Bytes" (and the center of mass for collision shapes).
    std::string Specifications() const override;

    static std::string TypeName(int type);

    int Count() const { return points_.Size(); }
    std::span<const CPathPoint> Points() const {
        return {points_.Data(), static_cast<std::size_t>(Count())};
    }
    bool RemoveAllPoints();
    bool AddPoint(double x, double y);
    bool SetPoint(int index, double x, double y);
    // False, changing nothing, for an index outside the points.
    bool RemovePoint(int index);
    CPathPoint GetPoint(int index) const;

    // Mean of the points; (0, 0) without points.
    bool UpdateCenterOfMass();
    bool SetCenterOfMass(double x, double y);
    CPathPoint CenterOfMass() const { return center_; }

    // Refreshes the cached bounds: (0, 0, 1, 1) without points.
    bool UpdateBounds();
    double MinX() const { return bounds_.minX; }
    double MaxX() const { return bounds_.maxX; }
    double MinY() const { return bounds_.minY; }
    double MaxY() const { return bounds_.maxY; }

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

    // Positions along the path, parameterised by the point index: whole
    // parameters are points, fractions lie on the segment to the next point,
    // a parameter between -1 and 0 extends the first segment backwards, and
    // the path holds its ends beyond that and from count - 1 on. Raw
    // positions leave the offset out.
    CPathPoint RawPositionAt(double parameter) const;
    double RawXAt(double parameter) const { return RawPositionAt(parameter).x; }
    double RawYAt(double parameter) const { return RawPositionAt(parameter).y; }
    double XAt(double parameter) const { return offsetX_ + RawXAt(parameter); }
    double YAt(double parameter) const { return offsetY_ + RawYAt(parameter); }

    // The raw X (or Y) at the parameter placed in [low, high] as it lies
    // between the cached minimum and maximum; the middle of the range when
    // the bounds have no extent. Never outside the range.
    double XInRange(double parameter, double low, double high) const;
    double YInRange(double parameter, double low, double high) const;

    // The path operations; each clamps its value into its range first
    // (path_operations.h). Noise moves every point by 0 to level toward +X
    // and +Y; the first form seeds with the time in seconds.
    bool AddNoise(double level);
    bool AddNoise(double level, std::uint32_t seed);
    bool Quantify(double gridSize);
    bool Smooth(std::int32_t range);
    // False, leaving the points as they were, when the result would hold
    // more than kMaxResampledPoints points.
    bool Resample(double distance);

protected:
    std::unique_ptr<CVKT_Resource> NewOfSameKind() const override;

private:
    std::int32_t offsetX_ = 0;
    std::int32_t offsetY_ = 0;
    CPathPoint center_;
    std::int32_t closed_ = 0;
    std::int32_t type_ = 0;
    std::int32_t playMode_ = 0;
    CPathBounds bounds_;
    CGrowableArray<CPathPoint> points_;
};

}  // namespace plexion
