#pragma once

#include <SDL.h>

#include <vector>

#include "game_scene.h"

namespace plexion_game {

// Draws a scene with an SDL renderer: a window's, or a software renderer on
// a surface when there is no display. Pictures are decoded once, when first
// drawn; one that SDL_image cannot decode is not drawn.
class CSceneDrawing {
public:
    explicit CSceneDrawing(SDL_Renderer* renderer) : renderer_(renderer) {}
    CSceneDrawing(const CSceneDrawing&) = delete;
    CSceneDrawing& operator=(const CSceneDrawing&) = delete;
    ~CSceneDrawing();

    void Draw(const CGameScene& scene);

private:
    SDL_Texture* Texture(const plexion_dat::SDocument& document, std::size_t bitmap);
    void DrawBitmap(const plexion_dat::SDocument& document, std::size_t bitmap, double x, double y);

    SDL_Renderer* renderer_;
    std::vector<SDL_Texture*> textures_;
    std::vector<bool> tried_;
};

}  // namespace plexion_game
