#pragma once

#include <cstdint>
#include <random>

#include "color_item.h"
#include "kind_panel.h"

namespace plexion {

// The colour a new color item gets: blue, green and red in that order, each
// a draw of `engine` modulo 255, so no component is ever 255.
std::uint32_t RandomItemColor(std::mt19937& engine);

// The "Colors" panel: named colours with their alpha, each previewed as a
// band of the colour with samples of its shades.
class CColorsPanel : public CKindPanel<CVKT_Color> {
    Q_OBJECT
public:
    enum Column {
        kIndexColumn,
        kIdColumn,
        kColorColumn,
        kSpecificationsColumn,
        kCommentsColumn,
        kColumnCount
    };

    explicit CColorsPanel(QWidget* parent = nullptr);

    int GetColumnCount() const override;
    void FillItemCell(int kindColumn, int row) override;
    bool ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow) override;
    // A new color "New ID" of a random colour at the end of the group.
    bool InsertItems() override;
    bool DeleteItem(int item) override;
    bool DoMoveItem(int from, int to) override;
    bool AddEditCommands(QMenu* menu, int firstId) override;
    void DrawPreview(QPainter& painter, const QRect& preview) override;

private:
    // Seeded from the system's entropy source: new colours differ from run
    // to run.
    std::mt19937 random_;
};

}  // namespace plexion
