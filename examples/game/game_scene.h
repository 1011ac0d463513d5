#pragma once

#include <string>

#include "game_options.h"
#include "plexion_dat.hpp"

namespace plexion_game {

// What the game shows, without any drawing: the map, and the animation
// moving along the trajectory one game step at a time, played by the same
// rules as the editor's preview.
class CGameScene {
public:
    // False, with the reason in `problem`, when an item asked for is missing.
    bool Start(const plexion_dat::SDocument& document, const SGameOptions& options,
               std::string& problem);

    // One game step: the animation advances once, the object moves on.
    void Step();

    const plexion_dat::SDocument& Document() const { return *document_; }
    const plexion_dat::SMap* Map() const { return map_; }
    // The bitmap of the animation's current frame and where its top-left
    // corner goes (the bitmap's own offsets included); null when nothing is
    // shown.
    const plexion_dat::SBitmap* ObjectBitmap(double& x, double& y) const;
    // Where the object stands on its path.
    plexion_dat::SPoint ObjectPosition() const;
    // Covers the map and the whole path with room for the object.
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The background: the document's first color, or black.
    void Background(unsigned char& red, unsigned char& green, unsigned char& blue) const;

private:
    void Measure();

    const plexion_dat::SDocument* document_ = nullptr;
    const plexion_dat::SMap* map_ = nullptr;
    const plexion_dat::STrajectory* trajectory_ = nullptr;
    const plexion_dat::SAnimation* animation_ = nullptr;
    plexion_dat::CAnimationCursor cursor_;
    double parameter_ = 0.0;
    double speed_ = 1.0;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace plexion_game
