#include "colors_panel.h"

#include <QPainter>

#include "color_band_preview.h"
#include "color_item.h"
#include "empty_edit_menu.h"
#include "kind_panel_cells.h"
#include "kind_panel_items.h"

namespace plexion {
namespace {

constexpr const char* kNewId = "New ID";
constexpr std::uint32_t kComponentRange = 255;
constexpr std::uint32_t kColorBits = 0xFFFFFF;

// The colour and the alpha travel together.
CCellStore<CVKT_Color> ColorStore() {
    const auto store = [](CVKT_Color& item, ColorRef color, int alpha) {
        if (item.Color() == color && item.Alpha() == alpha) {
            return false;
        }
        item.SetColor(color);
        item.SetAlpha(alpha);
        return true;
    };
    return {[store](CVKT_Color& item, const CGridCell& edited) {
                const std::optional<CGridColor> value = edited.GetColor();
                return value.has_value() && store(item, value->color & kColorBits, value->alpha);
            },
            [store](CVKT_Color& target, const CVKT_Color& source) {
                return store(target, source.Color(), source.Alpha());
            }};
}

}  // namespace

std::uint32_t RandomItemColor(std::mt19937& engine) {
    const int blue = static_cast<int>(engine() % kComponentRange);
    const int green = static_cast<int>(engine() % kComponentRange);
    const int red = static_cast<int>(engine() % kComponentRange);
    return CVKT_Color::FromRgb(red, green, blue);
}

CColorsPanel::CColorsPanel(QWidget* parent)
    : CKindPanel(QStringLiteral("Colors"), parent), random_(std::random_device{}()) {
    SetColumns({IndexColumn<CVKT_Color>(),
                IdColumn<CVKT_Color>(),
                {.header = "Color",
                 .fill =
                     [](CGridCell& cell, const CVKT_Color& item) {
                         cell.SetType(GridCellType::Color);
                         cell.SetColor(item.Color() & kColorBits,
                                       static_cast<std::uint8_t>(item.Alpha()));
                         cell.SetEditable(true);
                     },
                 .store = ColorStore(),
                 // The specifications spell the colour out.
                 .taken = [this](int row) { RefreshItemCell(kSpecificationsColumn, row); }},
                SpecificationsColumn<CVKT_Color>(),
                CommentsColumn<CVKT_Color>()});
}

bool CColorsPanel::InsertItems() {
    const std::uint32_t color = RandomItemColor(random_);
    return InsertKindItem<CVKT_Color>(*this, kNewId,
                                      [color](CVKT_Color& item) { item.SetColor(color); });
}

bool CColorsPanel::AddEditCommands(QMenu* menu, int /*firstId*/) {
    AddEmptyEditEntry(menu);
    return true;
}

void CColorsPanel::DrawPreview(QPainter& painter, const QRect& preview) {
    CResourcePanel::DrawPreview(painter, preview);
    const std::vector<int> items = GetAffectedItems(true, true);
    const int count = static_cast<int>(items.size());
    for (int band = 0; band < count; ++band) {
        const CVKT_Color* item = Item(items[static_cast<size_t>(band)]);
        if (item != nullptr) {
            DrawColorBand(painter, BandRect(preview, band, count), item->Color() & kColorBits,
                          FromStored(item->ID()));
        }
    }
}

}  // namespace plexion
