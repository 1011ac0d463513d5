#include "trajectory_item.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "archive.h"

namespace plexion {
namespace {

constexpr std::uint64_t kPointBytes = 16;
constexpr std::array<const char*, CVKT_Trajectory::kTypeCount> kTypeNames = {
    "Simple Points", "Polygon to CRgn", "Collision Test"};

}  // namespace

std::unique_ptr<CVKT_Resource> CVKT_Trajectory::NewOfSameKind() const {
    return std::make_unique<CVKT_Trajectory>();
}

std::string CVKT_Trajectory::TypeName(int type) {
    return type >= 0 && type < kTypeCount ? kTypeNames[type] : std::string();
}

bool CVKT_Trajectory::RemoveAllPoints() {
    points_.RemoveAll();
    return true;
}

bool CVKT_Trajectory::AddPoint(double x, double y) {
    points_.Add({x, y});
    return true;
}

bool CVKT_Trajectory::SetPoint(int index, double x, double y) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    points_[index] = {x, y};
    return true;
}

bool CVKT_Trajectory::RemovePoint(int index) {
    if (index < 0 || index >= Count()) {
        return false;
    }
    points_.RemoveAt(index);
    return true;
}

CPathPoint CVKT_Trajectory::GetPoint(int index) const {
    return index >= 0 && index < Count() ? points_[index] : CPathPoint{};
}

bool CVKT_Trajectory::UpdateCenterOfMass() {
    CPathPoint sum;
    for (const CPathPoint& p : points_) {
        sum.x += p.x;
        sum.y += p.y;
    }
    const double count = Count();
    return Count() > 0 ? SetCenterOfMass(sum.x / count, sum.y / count) : SetCenterOfMass(0.0, 0.0);
}

bool CVKT_Trajectory::SetCenterOfMass(double x, double y) {
    center_ = {x, y};
    return true;
}

CPathBounds BoundsOf(std::span<const CPathPoint> points) {
    if (points.empty()) {
        return {};
    }
    CPathBounds bounds{points[0].x, points[0].x, points[0].y, points[0].y};
    for (const CPathPoint& p : points) {
        bounds.minX = std::min(bounds.minX, p.x);
        bounds.maxX = std::max(bounds.maxX, p.x);
        bounds.minY = std::min(bounds.minY, p.y);
        bounds.maxY = std::max(bounds.maxY, p.y);
    }
    return bounds;
}

bool CVKT_Trajectory::UpdateBounds() {
    bounds_ = BoundsOf(Points());
    return true;
}

bool CVKT_Trajectory::SetClosedShape(std::int32_t closed) {
    closed_ = closed;
    return true;
}

bool CVKT_Trajectory::SetType(std::int32_t type) {
    type_ = type;
    return true;
}

bool CVKT_Trajectory::SetPlayMode(std::int32_t mode) {
    playMode_ = mode;
    return true;
}

std::string CVKT_Trajectory::Specifications() const {
    char text[160];
    const long long bytes = static_cast<long long>(Count()) * static_cast<long long>(kPointBytes);
    if (type_ == kTypeCollisionTest) {
        std::snprintf(text, sizeof text, "%d Points, %lld Bytes, Mass Center[ %.3f, %.3f ]",
                      Count(), bytes, center_.x, center_.y);
    } else {
        std::snprintf(text, sizeof text, "%d Points, %lld Bytes", Count(), bytes);
    }
    return text;
}

int CVKT_Trajectory::Serialize(CArchive& archive) {
    if (!CVKT_Resource::Serialize(archive)) {
        return 0;
    }
    if (archive.IsStoring()) {
        archive.WriteInt32(0);
        archive.WriteInt32(kPayloadVersion);
        archive.WriteInt32(type_);
        archive.WriteInt32(playMode_);
        archive.WriteInt32(offsetX_);
        archive.WriteInt32(offsetY_);
        archive.WriteInt32(closed_);
        archive.WriteFloat64(center_.x);
        archive.WriteFloat64(center_.y);
        archive.WriteInt32(Count());
        static_assert(sizeof(CPathPoint) == kPointBytes, "points are stored as they lie in memory");
        archive.WriteRaw(points_.Data(), static_cast<std::size_t>(Count()) * kPointBytes);
        return 1;
    }
    RemoveAllPoints();
    archive.Skip(4);
    const std::int32_t version = archive.ReadInt32();
    type_ = archive.ReadInt32();
    playMode_ = archive.ReadInt32();
    offsetX_ = archive.ReadInt32();
    offsetY_ = archive.ReadInt32();
    if (version >= 2) {
        closed_ = archive.ReadInt32();
        center_.x = archive.ReadFloat64();
        center_.y = archive.ReadFloat64();
    } else {
        closed_ = 0;
    }
    const std::int32_t count = archive.ReadInt32();
    archive.CheckClaim(count, kPointBytes);
    points_.SetSize(std::max(0, count));
    archive.ReadRaw(points_.Data(), static_cast<std::size_t>(Count()) * kPointBytes);
    UpdateBounds();
    if (version < 2) {
        UpdateCenterOfMass();
    }
    return 1;
}

}  // namespace plexion
