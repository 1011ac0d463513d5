#include "trajectory_toolbar_images.h"

#include <array>
#include <cstring>

#include "toolbar_art.h"

namespace plexion {
namespace {

struct CNamedArt {
    const char* name;
    ToolbarIconRows rows;
};

constexpr std::array<CNamedArt, 10> kArt = {{
    {"ToolBarMoveToOrigin",
     {{
         "..k.............",
         ".kkk............",
         "..k.............",
         "..k.............",
         "..k......rrrr...",
         "..k.......rrr...",
         "..k......r.rr...",
         "..k.....r...r...",
         "..k....r........",
         "..k...r.........",
         "..k..r..........",
         "..k.............",
         "..kkkkkkkkkkkk..",
         "..k.........kkk.",
         "..............k.",
     }}},
    {"ToolBarMoveView",
     {{
         ".......k........",
         "......kkk.......",
         ".....kkkkk......",
         ".......k........",
         "...k...k...k....",
         "..kk...k...kk...",
         ".kkkkkkkkkkkkk..",
         "..kk...k...kk...",
         "...k...k...k....",
         ".......k........",
         ".....kkkkk......",
         "......kkk.......",
         ".......k........",
         "................",
         "................",
     }}},
    {"ToolBarMoveViewMode",
     {{
         "k...............",
         "kk..............",
         "kwk.............",
         "kwwk............",
         "kwwwk...........",
         "kwwwwk......b...",
         "kwwwwwk....bbb..",
         "kwwwkkkk..b.b.b.",
         "kwkwk.....bbbbb.",
         "kk.kwk....b.b.b.",
         "k...kwk....bbb..",
         "....kwk.....b...",
         ".....kwk........",
         ".....kk.........",
         "................",
     }}},
    {"ToolBarCenterContentsInView",
     {{
         "kkkk........kkkk",
         "k..............k",
         "k..............k",
         "k..............k",
         "......G.........",
         ".....GGk........",
         "......kk..k.....",
         ".......k.kk.....",
         "........k..rr...",
         "...........rr...",
         "................",
         "k..............k",
         "k..............k",
         "k..............k",
         "kkkk........kkkk",
     }}},
    {"ToolBarCenterObjectInView",
     {{
         ".......r........",
         ".......r........",
         ".....kkrkk......",
         "....k..r..k.....",
         "...k...r...k....",
         "..k..bbbbb..k...",
         "..k..bbbbb..k...",
         "rrrrrbbbbbrrrrr.",
         "..k..bbbbb..k...",
         "..k..bbbbb..k...",
         "...k...r...k....",
         "....k..r..k.....",
         ".....kkrkk......",
         ".......r........",
         ".......r........",
     }}},
    {"ToolBarHideTrajectory",
     {{
         "..............rr",
         ".GG..........rr.",
         ".GGk........rr..",
         "...k.......rr...",
         "....k.....rr....",
         ".....kk..rr.....",
         ".......krr......",
         "........rr......",
         ".......rrkk.....",
         "......rr...k....",
         ".....rr.....k...",
         "....rr.......krr",
         "...rr........krr",
         "..rr............",
         ".rr.............",
     }}},
    {"ToolBarPlayValue",
     {{
         ".......k........",
         "......kGk.......",
         ".....kGGGk......",
         "....kGGGGGk.....",
         "...kkkkkkkkk....",
         "................",
         "..kkkkkkkkkkk...",
         "..kwwwwwwwwwk...",
         "..kkkkkkkkkkk...",
         "................",
         "...kkkkkkkkk....",
         "....krrrrrk.....",
         ".....krrrk......",
         "......krk.......",
         ".......k........",
     }}},
    {"ToolBarPlay",
     {{
         "................",
         "...kk...........",
         "...kGk..........",
         "...kGGk.........",
         "...kGGGk........",
         "...kGGGGk.......",
         "...kGGGGGk......",
         "...kGGGGGGk.....",
         "...kGGGGGk......",
         "...kGGGGk.......",
         "...kGGGk........",
         "...kGGk.........",
         "...kGk..........",
         "...kk...........",
         "................",
     }}},
    {"ToolBarBackgroundBitmap",
     {{
         "kkkkkkkkkkkkkkkk",
         "kccccccccccccyyk",
         "kccccccccccccyyk",
         "kcccccccccccccck",
         "kcccccccckcccccc",
         "kccccccckgkcccck",
         "kcccccckgggkccck",
         "kccccckgggggkcck",
         "kcckcgggggggggck",
         "kckgkggggggggggk",
         "kGGGGGGGGGGGGGGk",
         "kGGGGGGGGGGGGGGk",
         "kDDDDDDDDDDDDDDk",
         "kDDDDDDDDDDDDDDk",
         "kkkkkkkkkkkkkkkk",
     }}},
    {"ToolBarObjectBitmap",
     {{
         "................",
         ".....kkkkk......",
         "....kyyyyyk.....",
         "...kyykyykyk....",
         "...kyykyykyk....",
         "...kyyyyyyyk....",
         "...kykyyykyk....",
         "...kyykkkyyk....",
         "....kyyyyyk.....",
         ".....kkkkk......",
         "......kbk.......",
         ".....kbbbk......",
         "....kbkbkbk.....",
         "......kbk.......",
         ".....kk.kk......",
     }}},
}};

static_assert(AllToolbarArtWellFormed(kArt));

}  // namespace

QPixmap TrajectoryToolbarImage(const char* name) {
    for (const CNamedArt& art : kArt) {
        if (std::strcmp(art.name, name) == 0) {
            // Two device pixels per pixel: crisp on either kind of screen.
            return ToolbarArtPixmap(art.rows, 2);
        }
    }
    return {};
}

}  // namespace plexion
