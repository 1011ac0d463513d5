#include "game_scene.h"

#include <algorithm>
#include <cmath>

namespace plexion_game {
namespace {

template <typename T>
const T* Pick(const std::vector<T>& group, const std::string& id, const char* what,
              std::string& problem) {
    if (id.empty()) {
        return group.empty() ? nullptr : &group.front();
    }
    for (const T& item : group) {
        if (item.id == id) {
            return &item;
        }
    }
    problem = std::string("the document has no ") + what + " \"" + id + "\"";
    return nullptr;
}

// Room kept for the object beyond the path's points.
constexpr int kObjectRoom = 32;
constexpr int kMinimumSide = 64;
constexpr int kMaximumSide = 4096;

}  // namespace

bool CGameScene::Start(const plexion_dat::SDocument& document, const SGameOptions& options,
                       std::string& problem) {
    document_ = &document;
    problem.clear();
    map_ = Pick(document.maps, options.map, "map", problem);
    animation_ = Pick(document.animations, options.animation, "animation", problem);
    trajectory_ = Pick(document.trajectories, options.trajectory, "trajectory", problem);
    if (!problem.empty()) {
        return false;
    }
    cursor_.Start(animation_);
    parameter_ = 0.0;
    speed_ = options.speed;
    Measure();
    return true;
}

void CGameScene::Measure() {
    double right = kMinimumSide;
    double bottom = kMinimumSide;
    if (map_ && map_->type == 0) {
        right = std::max(right, static_cast<double>(map_->columns) * map_->sizeX);
        bottom = std::max(bottom, static_cast<double>(map_->lines) * map_->sizeY);
    }
    if (trajectory_) {
        for (const plexion_dat::SPoint& p : trajectory_->points) {
            if (std::isfinite(p.x) && std::isfinite(p.y)) {
                right = std::max(right, trajectory_->offsetX + p.x + kObjectRoom);
                bottom = std::max(bottom, trajectory_->offsetY + p.y + kObjectRoom);
            }
        }
    }
    width_ = static_cast<int>(std::min<double>(std::ceil(right), kMaximumSide));
    height_ = static_cast<int>(std::min<double>(std::ceil(bottom), kMaximumSide));
}

void CGameScene::Step() {
    cursor_.Advance(1.0);
    if (trajectory_) {
        parameter_ = plexion_dat::NextParameter(*trajectory_, parameter_, speed_);
    }
}

plexion_dat::SPoint CGameScene::ObjectPosition() const {
    return trajectory_ ? plexion_dat::PositionAt(*trajectory_, parameter_) : plexion_dat::SPoint{};
}

const plexion_dat::SBitmap* CGameScene::ObjectBitmap(double& x, double& y) const {
    // Only animations of bitmaps are drawn, as in the editor.
    const plexion_dat::SFrame* frame = cursor_.Frame();
    if (!frame || animation_->type != plexion_dat::SAnimation::kTypeBitmaps || frame->bitmap < 0 ||
        static_cast<std::size_t>(frame->bitmap) >= document_->bitmaps.size()) {
        return nullptr;
    }
    const plexion_dat::SBitmap& bitmap = document_->bitmaps[static_cast<std::size_t>(frame->bitmap)];
    const plexion_dat::SPoint at = ObjectPosition();
    x = at.x + frame->offsetX + bitmap.offsetX;
    y = at.y + frame->offsetY + bitmap.offsetY;
    return &bitmap;
}

void CGameScene::Background(unsigned char& red, unsigned char& green, unsigned char& blue) const {
    red = green = blue = 0;
    if (!document_->colors.empty()) {
        red = document_->colors.front().red;
        green = document_->colors.front().green;
        blue = document_->colors.front().blue;
    }
}

}  // namespace plexion_game
