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

    // A new color "New ID" of a random colour at the end of the group.
    bool InsertItems() override;
    bool AddEditCommands(QMenu* menu, int firstId) override;
    void DrawPreview(QPainter& painter, const QRect& preview) override;

private:
    // Seeded from the system's entropy source: new colours differ from run
    // to run.
    std::mt19937 random_;
};

}  // namespace plexion
