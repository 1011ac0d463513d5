// plexion-game: a small game on SDL2 that plays a resource document through
// the game-side reader alone (engine/plexion_dat.hpp): it draws the map, moves
// the animation along the trajectory at the document's game step and plays
// a sound on Space. With --frames N --out DIR it renders N game steps to PNG
// files instead, without a display.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <string>

#include "game_options.h"
#include "game_scene.h"
#include "plexion_dat.hpp"
#include "scene_drawing.h"
#include "sound_playback.h"

namespace {

using plexion_game::CGameScene;
using plexion_game::CSceneDrawing;

int Fail(const std::string& message) {
    std::fprintf(stderr, "plexion-game: %s\n", message.c_str());
    return 1;
}

// Frame i shows the scene after i game steps.
int RenderFrames(CGameScene& scene, int frames, const std::string& folder) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, scene.Width(), scene.Height(), 32, SDL_PIXELFORMAT_RGBA32);
    SDL_Renderer* renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
    if (!renderer) {
        if (surface) {
            SDL_FreeSurface(surface);
        }
        return Fail(std::string("cannot draw: ") + SDL_GetError());
    }
    int code = 0;
    {
        CSceneDrawing drawing(renderer);
        for (int i = 0; i < frames && code == 0; ++i) {
            drawing.Draw(scene);
            SDL_RenderPresent(renderer);
            char name[32];
            std::snprintf(name, sizeof name, "/frame_%04d.png", i);
            if (IMG_SavePNG(surface, (folder + name).c_str()) != 0) {
                code = Fail("cannot write " + folder + name + ": " + IMG_GetError());
            }
            const plexion_dat::SPoint at = scene.ObjectPosition();
            std::printf("frame %d: object at %.17g %.17g\n", i, at.x, at.y);
            scene.Step();
        }
    }
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
    return code;
}

void PlaySound(const plexion_dat::SDocument& document, const std::string& id,
               plexion_game::CSoundPlayback& playback) {
    const plexion_dat::SSound* sound =
        id.empty() ? (document.sounds.empty() ? nullptr : &document.sounds.front())
                   : document.FindSound(id);
    std::string problem;
    if (!sound) {
        std::fprintf(stderr, "plexion-game: the document has no sound to play\n");
    } else if (!playback.Play(*sound, problem)) {
        std::fprintf(stderr, "plexion-game: sound \"%s\" not played: %s\n", sound->id.c_str(),
                     problem.c_str());
    }
}

// Game steps run at the document's period, whatever the frame rate.
int RunWindow(CGameScene& scene, const plexion_game::SGameOptions& options) {
    constexpr int kZoom = 4;
    SDL_Window* window = SDL_CreateWindow(
        ("Plexion game - " + scene.Document().name).c_str(), SDL_WINDOWPOS_CENTERED,
        SDL_WINDOWPOS_CENTERED, scene.Width() * kZoom, scene.Height() * kZoom,
        SDL_WINDOW_RESIZABLE);
    SDL_Renderer* renderer =
        window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC) : nullptr;
    if (!renderer) {
        if (window) {
            SDL_DestroyWindow(window);
        }
        return Fail(std::string("cannot open a window: ") + SDL_GetError());
    }
    SDL_RenderSetLogicalSize(renderer, scene.Width(), scene.Height());
    {
        CSceneDrawing drawing(renderer);
        plexion_game::CSoundPlayback playback;
        const Uint64 period = static_cast<Uint64>(plexion_dat::GameStepMilliseconds(scene.Document()));
        Uint64 next = SDL_GetTicks64();
        for (bool running = true; running;) {
            SDL_Event event;
            while (SDL_PollEvent(&event)) {
                if (event.type == SDL_QUIT ||
                    (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)) {
                    running = false;
                } else if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_SPACE &&
                           event.key.repeat == 0) {
                    PlaySound(scene.Document(), options.sound, playback);
                }
            }
            // After a long stall the game goes on from now rather than racing.
            const Uint64 now = SDL_GetTicks64();
            if (now > next + 1000) {
                next = now;
            }
            for (; next <= now; next += period) {
                scene.Step();
            }
            drawing.Draw(scene);
            SDL_RenderPresent(renderer);
            SDL_Delay(1);
        }
    }
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    plexion_game::SGameOptions options;
    const std::string problem = plexion_game::ParseGameOptions(argc, argv, options);
    if (!problem.empty()) {
        std::fprintf(stderr, "plexion-game: %s\n%s", problem.c_str(), plexion_game::kGameUsage);
        return 1;
    }
    if (options.help) {
        std::fputs(plexion_game::kGameUsage, stdout);
        return 0;
    }
    const plexion_dat::SReadResult read = plexion_dat::ReadDocumentFile(options.document.c_str());
    if (read.status == plexion_dat::EStatus::kCannotOpen) {
        return Fail("cannot open \"" + options.document + "\"");
    }
    if (!read.Ok()) {
        // A damaged document still plays what was read before the damage.
        std::fprintf(stderr, "plexion-game: %s\n", read.message.c_str());
    }
    CGameScene scene;
    std::string missing;
    if (!scene.Start(read.document, options, missing)) {
        return Fail(missing);
    }
    const bool headless = options.frames > 0;
    if (SDL_Init(headless ? 0 : SDL_INIT_VIDEO) != 0) {
        return Fail(std::string("SDL cannot start: ") + SDL_GetError());
    }
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG | IMG_INIT_TIF);
    const int code =
        headless ? RenderFrames(scene, options.frames, options.out) : RunWindow(scene, options);
    IMG_Quit();
    SDL_Quit();
    return code;
}
