#include "map_resize.h"

#include "map_item.h"
#include "message_presenter.h"

namespace plexion::map_size {

bool Allowed(int columns, int lines) {
    return columns >= 0 && lines >= 0 && columns <= kMaxSide && lines <= kMaxSide &&
           static_cast<std::int64_t>(columns) * lines <= kMaxCells;
}

bool EditAllowed(int columns, int lines) {
    return columns >= 1 && lines >= 1 && Allowed(columns, lines);
}

std::pair<int, int> WithColumns(const CVKT_Map& map, int columns) {
    return {columns, map.Lines() > 0 ? map.Lines() : 1};
}

std::pair<int, int> WithLines(const CVKT_Map& map, int lines) {
    return {map.Columns() > 0 ? map.Columns() : 1, lines};
}

bool SetDimensions(CVKT_Map& map, int columns, int lines) {
    if (!Allowed(columns, lines)) {
        return false;
    }
    while (map.Columns() > columns) {
        map.RemoveColumn(map.Columns() - 1);
    }
    while (map.Columns() < columns) {
        map.InsertColumn(map.Columns());
    }
    while (map.Lines() > lines) {
        map.RemoveLine(map.Lines() - 1);
    }
    while (map.Lines() < lines) {
        map.InsertLine(map.Lines());
    }
    return true;
}

bool Resize(CVKT_Map& map, int columns, int lines, IMessagePresenter* presenter) {
    if (columns == map.Columns() && lines == map.Lines()) {
        return true;
    }
    if (!Allowed(columns, lines)) {
        return false;
    }
    if (columns < map.Columns() || lines < map.Lines()) {
        const MessageAnswer answer =
            presenter
                ? presenter->Show(kReductionQuestion, MessageIcon::Question, MessageButtons::YesNo)
                : MessageAnswer::No;
        if (answer != MessageAnswer::Yes) {
            return false;
        }
    }
    return SetDimensions(map, columns, lines);
}

}  // namespace plexion::map_size
