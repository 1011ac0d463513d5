#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>

namespace plexion {

class CVKT_Map;

// Cell values waiting to be written into a map, as a stroke of the map
// display paints them: drawing shows them over the map's own values, and
// the whole stroke is written at once when it ends.
class CMapCellOverlay {
public:
    void Set(int column, int line, std::int16_t value) { values_[Key(column, line)] = value; }
    // The waiting value of a cell, if it has one.
    std::optional<std::int16_t> Find(int column, int line) const {
        const auto found = values_.find(Key(column, line));
        return found == values_.end() ? std::nullopt : std::optional(found->second);
    }
    bool Empty() const { return values_.empty(); }
    void Clear() { values_.clear(); }

    // Writes the waiting values that lie on `map` into it; true when a cell
    // changed.
    bool ApplyTo(CVKT_Map& map) const;

private:
    static std::uint64_t Key(int column, int line) {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(column)) << 32 |
               static_cast<std::uint32_t>(line);
    }

    std::unordered_map<std::uint64_t, std::int16_t> values_;
};

}  // namespace plexion
