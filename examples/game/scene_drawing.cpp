#include "scene_drawing.h"

#include <SDL_image.h>

#include <cmath>

namespace plexion_game {

CSceneDrawing::~CSceneDrawing() {
    for (SDL_Texture* texture : textures_) {
        if (texture) {
            SDL_DestroyTexture(texture);
        }
    }
}

SDL_Texture* CSceneDrawing::Texture(const plexion_dat::SDocument& document, std::size_t bitmap) {
    if (textures_.size() != document.bitmaps.size()) {
        textures_.assign(document.bitmaps.size(), nullptr);
        tried_.assign(document.bitmaps.size(), false);
    }
    if (bitmap >= textures_.size()) {
        return nullptr;
    }
    if (!tried_[bitmap]) {
        tried_[bitmap] = true;
        const plexion_dat::SBitmap& item = document.bitmaps[bitmap];
        if (item.kind == plexion_dat::SBitmap::kPicture && !item.picture.empty()) {
            SDL_RWops* bytes = SDL_RWFromConstMem(item.picture.data(),
                                                  static_cast<int>(item.picture.size()));
            if (SDL_Surface* surface = IMG_Load_RW(bytes, 1)) {
                textures_[bitmap] = SDL_CreateTextureFromSurface(renderer_, surface);
                SDL_FreeSurface(surface);
            }
        }
    }
    return textures_[bitmap];
}

void CSceneDrawing::DrawBitmap(const plexion_dat::SDocument& document, std::size_t bitmap,
                               double x, double y) {
    SDL_Texture* texture = Texture(document, bitmap);
    if (!texture || !std::isfinite(x) || !std::isfinite(y) || std::fabs(x) > 1e6 ||
        std::fabs(y) > 1e6) {
        return;
    }
    int width = 0;
    int height = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &width, &height);
    const SDL_Rect target = {static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)),
                             width, height};
    SDL_RenderCopy(renderer_, texture, nullptr, &target);
}

void CSceneDrawing::Draw(const CGameScene& scene) {
    const plexion_dat::SDocument& document = scene.Document();
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
    scene.Background(red, green, blue);
    SDL_SetRenderDrawColor(renderer_, red, green, blue, 255);
    SDL_RenderClear(renderer_);
    // As the editor draws maps: line by line, each cell's bitmap scaled into
    // the cell with its corner on the cell's corner. A cell names a bitmap as
    // an unsigned 16-bit number; 65535, or any number past the bitmaps, is
    // an empty cell.
    const plexion_dat::SMap* map = scene.Map();
    if (map && map->type == 0 && map->sizeX >= 1 && map->sizeY >= 1) {
        // Cells beyond the scene are not drawn.
        for (std::int32_t line = 0; line < map->lines; ++line) {
            const std::int64_t y = std::int64_t{line} * map->sizeY;
            if (y >= scene.Height()) {
                break;
            }
            for (std::int32_t column = 0; column < map->columns; ++column) {
                const std::int64_t x = std::int64_t{column} * map->sizeX;
                if (x >= scene.Width()) {
                    break;
                }
                const SDL_Rect cell = {static_cast<int>(x), static_cast<int>(y), map->sizeX,
                                       map->sizeY};
                if (SDL_Texture* texture = Texture(document, map->Cell(column, line))) {
                    SDL_RenderCopy(renderer_, texture, nullptr, &cell);
                }
            }
        }
    }
    double x = 0.0;
    double y = 0.0;
    if (const plexion_dat::SBitmap* bitmap = scene.ObjectBitmap(x, y)) {
        DrawBitmap(document, static_cast<std::size_t>(bitmap - document.bitmaps.data()), x, y);
    }
}

}  // namespace plexion_game
