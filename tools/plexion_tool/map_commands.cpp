#include "map_commands.h"

#include <QPainter>
#include <cstdio>
#include <vector>

#include "argument_values.h"
#include "bitmap_item.h"
#include "document_session.h"
#include "map_arguments.h"
#include "map_item.h"
#include "map_resize.h"
#include "map_split.h"
#include "message_presenter.h"
#include "named_item.h"
#include "render_output.h"
#include "standard_output.h"
#include "text_escape.h"
#include "tool_failure.h"

namespace plexion::tool {
namespace {

int MapWithId(const CVKT_ResourceContainer& resources, const std::string& id) {
    return NamedItem<CVKT_Map>(resources, id, "map");
}

int Dimension(const CToolOptions& options, const char* option, int fallback) {
    const auto text = options.Value(option);
    return text ? ParseIndex(*text, option) : fallback;
}

void RequireAllowed(int columns, int lines) {
    if (!map_size::Allowed(columns, lines)) {
        throw UsageError("a map of " + std::to_string(columns) + " columns and " +
                         std::to_string(lines) + " lines is not possible (at most " +
                         std::to_string(map_size::kMaxSide) + " of each and " +
                         std::to_string(map_size::kMaxCells) + " cells)");
    }
}

// Answers the size-reduction question as the command line says: Yes with
// --yes; otherwise No, shown on standard error the way the tool shows the
// core's other questions.
class CResizeAnswer final : public IMessagePresenter {
public:
    explicit CResizeAnswer(bool yes) : yes_(yes) {}
    MessageAnswer Show(const std::string& text, MessageIcon, MessageButtons) override {
        if (yes_) {
            return MessageAnswer::Yes;
        }
        std::fprintf(stderr, "%s No (--yes answers Yes)\n", FoldLines(text).c_str());
        return MessageAnswer::No;
    }

private:
    bool yes_;
};

}  // namespace

int RunAddMap(const CToolOptions& options) {
    const int columns = Dimension(options, "--columns", CVKT_Map::kNewMapColumns);
    const int lines = Dimension(options, "--lines", CVKT_Map::kNewMapLines);
    RequireAllowed(columns, lines);
    const std::int32_t sizeX =
        ParseCellSize(options.Value("--size-x").value_or("32"), "the cell width --size-x");
    const std::int32_t sizeY =
        ParseCellSize(options.Value("--size-y").value_or("32"), "the cell height --size-y");
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    session.Core().Edit("New Map", [&](CVKT_ResourceContainer& resources) {
        auto* map = resources.GetAt<CVKT_Map>(resources.New<CVKT_Map>(options.arguments.at(1)));
        // A new map has no cells worth asking about.
        return map && map_size::SetDimensions(*map, columns, lines) && map->SetSizeX(sizeX) &&
               map->SetSizeY(sizeY);
    });
    session.Save();
    return kExitOk;
}

int RunSetCells(const CToolOptions& options) {
    std::vector<CCellAssignment> cells;
    for (std::size_t i = 2; i < options.arguments.size(); ++i) {
        cells.push_back(ParseCellAssignment(options.arguments[i]));
    }
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const int index = MapWithId(session.Resources(), options.arguments.at(1));
    const CVKT_Map& map = *session.Resources().GetAt<CVKT_Map>(index);
    // Every cell is checked before any is set: all or nothing.
    for (const CCellAssignment& cell : cells) {
        if (cell.column < 0 || cell.column >= map.Columns() || cell.line < 0 ||
            cell.line >= map.Lines()) {
            throw CToolFailure(kExitNoSuchItem, "no cell " + std::to_string(cell.column) + "," +
                                                    std::to_string(cell.line) + " in the map \"" +
                                                    EscapeField(map.ID()) + "\" of " +
                                                    std::to_string(map.Columns()) +
                                                    " columns and " + std::to_string(map.Lines()) +
                                                    " lines");
        }
    }
    session.Core().Edit("Set Cells", [&](CVKT_ResourceContainer& resources) {
        CVKT_Map* edited = resources.GetAt<CVKT_Map>(index);
        for (const CCellAssignment& cell : cells) {
            edited->SetCell(cell.column, cell.line, cell.value);
        }
        return true;
    });
    session.Save();
    return kExitOk;
}

int RunResizeMap(const CToolOptions& options) {
    const int columns = ParseIndex(options.arguments.at(2), "the number of columns");
    const int lines = ParseIndex(options.arguments.at(3), "the number of lines");
    RequireAllowed(columns, lines);
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    const int index = MapWithId(session.Resources(), options.arguments.at(1));
    const CVKT_Map& map = *session.Resources().GetAt<CVKT_Map>(index);
    if (map.Columns() == columns && map.Lines() == lines) {
        return kExitOk;
    }
    CResizeAnswer answer(options.Has("--yes"));
    const bool resized =
        session.Core().Edit("Resize Map", [&](CVKT_ResourceContainer& resources) {
            return map_size::Resize(*resources.GetAt<CVKT_Map>(index), columns, lines, &answer);
        });
    if (!resized) {
        // The question and its answer are on standard error already.
        throw CToolFailure(kExitUsage, "");
    }
    session.Save();
    return kExitOk;
}

int RunRenderMap(const CToolOptions& options) {
    const auto output = options.Value("-o");
    if (!output) {
        throw UsageError("render-map needs -o OUT.png");
    }
    CDocumentSession session(options);
    session.Open(options.arguments.at(0));
    session.DecodePictures();
    const CVKT_ResourceContainer& resources = session.Resources();
    const CVKT_Map& map = *resources.GetAt<CVKT_Map>(MapWithId(resources, options.arguments.at(1)));
    const std::int64_t width = std::int64_t{map.SizeX()} * map.Columns();
    const std::int64_t height = std::int64_t{map.SizeY()} * map.Lines();
    QImage canvas = TransparentCanvas(width, height, "the map \"" + EscapeField(map.ID()) + "\"");
    {
        QPainter painter(&canvas);
        map.Draw(resources, painter, 0, 0, 0, 0, 0, 0, canvas.width(), canvas.height());
    }
    SavePng(canvas, *output);
    return kExitOk;
}

int RunSplitToMap(const CToolOptions& options) {
    const int tileWidth = ParseCellSize(options.arguments.at(2), "the tile width");
    const int tileHeight = ParseCellSize(options.arguments.at(3), "the tile height");
    CDocumentSession session(options);
    session.OpenForChange(options.arguments.at(0));
    session.DecodePictures();
    const std::string& pictureId = options.arguments.at(1);
    const CVKT_Bitmap& picture = *session.Resources().GetAt<CVKT_Bitmap>(
        NamedItem<CVKT_Bitmap>(session.Resources(), pictureId, "bitmap"));
    const QImage* pixels = picture.Image();
    map_split::CSplit split;
    const map_split::Outcome outcome =
        map_split::Cut(pixels ? *pixels : QImage(), tileWidth, tileHeight, split);
    if (outcome != map_split::Outcome::Done) {
        throw UsageError(map_split::OutcomeText(outcome));
    }
    const std::string mapId = options.Value("--map-id").value_or(pictureId);
    const bool added = session.Core().Edit("Split Picture", [&](CVKT_ResourceContainer& resources) {
        return map_split::AddToDocument(resources, pictureId, mapId, split) >= 0;
    });
    if (!added) {
        throw UsageError(map_split::OutcomeText(map_split::Outcome::TooManyTiles));
    }
    session.Save();
    PrintLine(std::to_string(split.tiles.size()) + " distinct tiles, map of " +
              std::to_string(split.columns) + " x " + std::to_string(split.lines) + " cells");
    return kExitOk;
}

}  // namespace plexion::tool
