#include "toolbar_icon_art.h"

#include "command_ids.h"

namespace plexion {
namespace {

constexpr std::array<CToolbarPaletteEntry, 19> kPalette = {{
    {'k', 0, 0, 0},        // outlines
    {'w', 255, 255, 255},  // paper
    {'s', 192, 192, 192},  // metal, light body
    {'g', 128, 128, 128},  // shadowed body
    {'d', 72, 72, 72},     // text lines
    {'b', 0, 64, 200},     // ink
    {'B', 10, 36, 106},    // window title bars
    {'n', 40, 60, 120},    // first chain link
    {'c', 170, 220, 255},  // sky, glass
    {'y', 255, 220, 0},    // sun, sand
    {'f', 255, 214, 96},   // folder front
    {'F', 214, 160, 40},   // folder back
    {'o', 170, 110, 40},   // wood
    {'G', 0, 160, 0},      // grass, ticks, digits
    {'D', 0, 100, 0},      // ground
    {'r', 220, 0, 0},      // red marks
    {'m', 200, 0, 200},    // magenta swatch
    {'C', 0, 200, 200},    // cyan swatch
    {'R', 150, 20, 20},    // music note
}};

struct CCommandArt {
    int commandId;
    ToolbarIconRows rows;
};

constexpr std::array<CCommandArt, 20> kArt = {{
    {command::kFileNew,
     {{
         "................",
         "..kkkkkkkk......",
         "..kwwwwwwkk.....",
         "..kwwwwwwkwk....",
         "..kwwwwwwkkkk...",
         "..kwwwwwwwwwk...",
         "..kwddddddwwk...",
         "..kwwwwwwwwwk...",
         "..kwddddddwwk...",
         "..kwwwwwwwwwk...",
         "..kwddddwwwwk...",
         "..kwwwwwwwwwk...",
         "..kwwwwwwwwwk...",
         "..kkkkkkkkkkk...",
         "................",
     }}},
    {command::kFileOpen,
     {{
         "................",
         "................",
         ".kkkk...........",
         "kFFFFk..........",
         "kFFFFFkkkkkkk...",
         "kFFFFFFFFFFFk...",
         "kFFFFFFFFFFFk...",
         "kFFFkkkkkkkkkkkk",
         "kFFkffffffffffk.",
         "kFFkfffffffffk..",
         "kFkfffffffffk...",
         "kFkffffffffk....",
         "kkffffffffk.....",
         "kkkkkkkkkk......",
         "................",
     }}},
    {command::kFileSave,
     {{
         "................",
         ".kkkkkkkkkkkkkk.",
         ".kbkwwwwwwwwkbk.",
         ".kbkwwwwwwwwkbk.",
         ".kbkwddddddwkbk.",
         ".kbkwwwwwwwwkbk.",
         ".kbkwddddddwkbk.",
         ".kbbkkkkkkkkbbk.",
         ".kbbbbbbbbbbbbk.",
         ".kbbkkkkkkkkbbk.",
         ".kbbksskkssskbk.",
         ".kbbksskkssskbk.",
         ".kbbksskkssskbk.",
         ".kkkkkkkkkkkkkk.",
         "................",
     }}},
    {command::kEditCut,
     {{
         "................",
         "....k.....k.....",
         "....k.....k.....",
         "....kk...kk.....",
         ".....k...k......",
         ".....kk.kk......",
         "......k.k.......",
         ".......k........",
         "......b.b.......",
         ".....b...b......",
         "...bbbb.bbbb....",
         "..b...b.b...b...",
         "..b...b.b...b...",
         "..b...b.b...b...",
         "...bbb...bbb....",
     }}},
    {command::kEditCopy,
     {{
         "kkkkkkkkk.......",
         "kwwwwwwwk.......",
         "kwdddddwk.......",
         "kwwwwwwwk.......",
         "kwddddwwk.......",
         "kwwwwwkkkkkkkkk.",
         "kwddddkwwwwwwwk.",
         "kwwwwwkwdddddwk.",
         "kwddddkwwwwwwwk.",
         "kkkkkkkwdddddwk.",
         "......kwwwwwwwk.",
         "......kwdddddwk.",
         "......kwwwwwwwk.",
         "......kkkkkkkkk.",
         "................",
     }}},
    {command::kEditPaste,
     {{
         "....kkkkkk......",
         ".kkkkssssskkk...",
         ".kookkkkkkook...",
         ".koooooooooook..",
         ".koooooooooook..",
         ".kookkkkkkkkkk..",
         ".kookwwwwwwwwk..",
         ".kookwdddddwwk..",
         ".kookwwwwwwwwk..",
         ".kookwddddddwk..",
         ".kookwwwwwwwwk..",
         ".kookwdddddwwk..",
         ".kookwwwwwwwwk..",
         ".kkkkkkkkkkkkk..",
         "................",
     }}},
    // Bitmaps: a framed landscape.
    {command::kPanelCommands[0],
     {{
         "................",
         "kkkkkkkkkkkkkkkk",
         "kcccccccccyyycck",
         "kccccccccyyyyyck",
         "kcccccccccyyycck",
         "kccccGccccccccck",
         "kcccGGGcccccccck",
         "kccGGGGGccGcccck",
         "kcGGGGGGGGGGGcck",
         "kGGGGGGGGGGGGGck",
         "kGGGGGGGGGGGGGGk",
         "kDDDDDDDDDDDDDDk",
         "kDDDDDDDDDDDDDDk",
         "kkkkkkkkkkkkkkkk",
         "................",
     }}},
    // Animations: a film strip with a bouncing ball.
    {command::kPanelCommands[1],
     {{
         "................",
         "kkkkkkkkkkkkkkkk",
         "kwkkwkkwkkwkkwkk",
         "kkkkkkkkkkkkkkkk",
         "kcccckcccckcrrck",
         "kcccckcrrckcrrck",
         "kcrrckcrrckcccck",
         "kcrrckcccckcccck",
         "kcccckcccckcccck",
         "kGGGGkGGGGkGGGGk",
         "kkkkkkkkkkkkkkkk",
         "kwkkwkkwkkwkkwkk",
         "kkkkkkkkkkkkkkkk",
         "................",
         "................",
     }}},
    // Maps: a grid of tiles.
    {command::kPanelCommands[2],
     {{
         "................",
         ".kkkkkkkkkkkkk..",
         ".kGGGkbbbkGGGk..",
         ".kGGGkbbbkGGGk..",
         ".kGGGkbbbkGGGk..",
         ".kkkkkkkkkkkkk..",
         ".kbbbkGGGksssk..",
         ".kbbbkGGGksssk..",
         ".kbbbkGGGksssk..",
         ".kkkkkkkkkkkkk..",
         ".kyyykGGGkbbbk..",
         ".kyyykGGGkbbbk..",
         ".kyyykGGGkbbbk..",
         ".kkkkkkkkkkkkk..",
         "................",
     }}},
    // Texts and parameters: a capital T beside lines of text.
    {command::kPanelCommands[3],
     {{
         "................",
         ".BBBBBBBBB......",
         ".BBBBBBBBB......",
         ".BB.BBB.BB......",
         "....BBB.........",
         "....BBB...ddddd.",
         "....BBB.........",
         "....BBB...ddddd.",
         "....BBB.........",
         "...BBBBB..ddddd.",
         "................",
         ".dddddddddddddd.",
         "................",
         ".dddddddddd.....",
         "................",
     }}},
    // Music and sounds: two beamed notes.
    {command::kPanelCommands[4],
     {{
         "................",
         "......RRRRRRRR..",
         "......RRRRRRRR..",
         "......R......R..",
         "......R......R..",
         "......R......R..",
         "......R......R..",
         "......R......R..",
         "......R......R..",
         "......R...RRRR..",
         "...RRRR..RRRRR..",
         "..RRRRR..RRRR...",
         "..RRRR..........",
         "................",
         "................",
     }}},
    // Trajectories and shapes: a path through three points.
    {command::kPanelCommands[5],
     {{
         "................",
         "..............rr",
         "............bbrr",
         "...........b....",
         "...........b....",
         "..........b.....",
         ".........rr.....",
         ".........rr.....",
         "........b.......",
         "........b.......",
         ".......b........",
         ".......b........",
         ".rrbbbb.........",
         ".rr.............",
         "................",
     }}},
    // Binary files: bits on a dark screen.
    {command::kPanelCommands[6],
     {{
         "kkkkkkkkkkkkkkk.",
         "kkkkkkkkkkkkkkk.",
         "kkGGGkkGkkGGGkk.",
         "kkGkGkGGkkGkGkk.",
         "kkGkGkkGkkGkGkk.",
         "kkGkGkkGkkGkGkk.",
         "kkGGGkGGGkGGGkk.",
         "kkkkkkkkkkkkkkk.",
         "kkkGkkGGGkkGkkk.",
         "kkGGkkGkGkGGkkk.",
         "kkkGkkGkGkkGkkk.",
         "kkkGkkGkGkkGkkk.",
         "kkGGGkGGGkGGGkk.",
         "kkkkkkkkkkkkkkk.",
         "................",
     }}},
    // Colors: six swatches.
    {command::kPanelCommands[7],
     {{
         "................",
         "kkkkkkkkkkkkkkkk",
         "krrrrkGGGGkbbbbk",
         "krrrrkGGGGkbbbbk",
         "krrrrkGGGGkbbbbk",
         "krrrrkGGGGkbbbbk",
         "krrrrkGGGGkbbbbk",
         "kkkkkkkkkkkkkkkk",
         "kyyyykmmmmkCCCCk",
         "kyyyykmmmmkCCCCk",
         "kyyyykmmmmkCCCCk",
         "kyyyykmmmmkCCCCk",
         "kyyyykmmmmkCCCCk",
         "kkkkkkkkkkkkkkkk",
         "................",
     }}},
    // Maintain Relationships: two chain links.
    {command::kMaintainRelationships,
     {{
         "................",
         "................",
         "................",
         "..nnnnnn........",
         ".nnnnnnnn.......",
         ".nn....nn.......",
         ".nn....nnggggg..",
         ".nnnnnngggggggg.",
         "..nnnnngg....gg.",
         ".......gg....gg.",
         ".......gggggggg.",
         "........gggggg..",
         "................",
         "................",
         "................",
     }}},
    // Check Integrity: a magnifying glass over a tick.
    {command::kCheckIntegrity,
     {{
         "...kkkk.........",
         ".kkcccckk.......",
         ".kcccccck.......",
         "kccccccGGk......",
         "kcGcccGGck......",
         "kcGGcGGcck......",
         "kccGGGccck......",
         ".kccGccck.......",
         ".kkcccckko......",
         "...kkkk..oo.....",
         "..........ooo...",
         "...........ooo..",
         "............ooo.",
         ".............oo.",
         "................",
     }}},
    {command::kFilePrint,
     {{
         "................",
         "....kkkkkkkk....",
         "....kwwwwwwk....",
         "....kwddddwk....",
         "....kwwwwwwk....",
         ".kkkkkkkkkkkkkk.",
         "kssssssssssssssk",
         "ksssssssssssssGk",
         "kssssssssssssssk",
         "kggggggggggggggk",
         "kgkkkkkkkkkkkkgk",
         "kgggkwwwwwwkgggk",
         ".kkkkwddddwkkkk.",
         "....kwwwwwwk....",
         "....kkkkkkkk....",
     }}},
    {command::kAppAbout,
     {{
         "................",
         ".....bbbbb......",
         "....bbbbbbb.....",
         "...bbb...bbb....",
         "...bbb...bbb....",
         "........bbb.....",
         ".......bbb......",
         "......bbb.......",
         "......bbb.......",
         "......bbb.......",
         "................",
         "......bbb.......",
         "......bbb.......",
         "................",
         "................",
     }}},
    // Tile horizontally: two windows one above the other.
    {command::kWindowTileHorizontally,
     {{
         "................",
         ".kkkkkkkkkkkkkk.",
         ".kBBBBBBBBBBBBk.",
         ".kwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwk.",
         ".kkkkkkkkkkkkkk.",
         "................",
         ".kkkkkkkkkkkkkk.",
         ".kBBBBBBBBBBBBk.",
         ".kwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwk.",
         ".kwwwwwwwwwwwwk.",
         ".kkkkkkkkkkkkkk.",
         "................",
     }}},
    // Tile vertically: two windows side by side.
    {command::kWindowTileVertically,
     {{
         "................",
         "kkkkkkk.kkkkkkk.",
         "kBBBBBk.kBBBBBk.",
         "kwwwwwk.kwwwwwk.",
         "kwwwwwk.kwwwwwk.",
         "kwwwwwk.kwwwwwk.",
         "kwwwwwk.kwwwwwk.",
         "kwwwwwk.kwwwwwk.",
         "kwwwwwk.kwwwwwk.",
         "kwwwwwk.kwwwwwk.",
         "kwwwwwk.kwwwwwk.",
         "kwwwwwk.kwwwwwk.",
         "kwwwwwk.kwwwwwk.",
         "kkkkkkk.kkkkkkk.",
         "................",
     }}},
}};

constexpr const CToolbarPaletteEntry* FindPaletteEntry(char letter) {
    for (const CToolbarPaletteEntry& entry : kPalette) {
        if (entry.letter == letter) {
            return &entry;
        }
    }
    return nullptr;
}

// Every row is a full row and every letter names a palette colour, so a
// slip in a picture fails the build instead of reading past a row.
constexpr bool AllPicturesWellFormed() {
    for (const CCommandArt& art : kArt) {
        for (std::string_view row : art.rows) {
            if (row.size() != kToolbarIconWidth) {
                return false;
            }
            for (char letter : row) {
                if (letter != '.' && FindPaletteEntry(letter) == nullptr) {
                    return false;
                }
            }
        }
    }
    return true;
}

static_assert(AllPicturesWellFormed());

}  // namespace

const CToolbarPaletteEntry* ToolbarPaletteEntry(char letter) {
    return FindPaletteEntry(letter);
}

const ToolbarIconRows* ToolbarIconArt(int commandId) {
    for (const CCommandArt& art : kArt) {
        if (art.commandId == commandId) {
            return &art.rows;
        }
    }
    return nullptr;
}

}  // namespace plexion
