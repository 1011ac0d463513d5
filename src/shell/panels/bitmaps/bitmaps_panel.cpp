#include "bitmaps_panel.h"

#include <QPainter>

#include "bitmap_item.h"
#include "graphic_panel_cells.h"
#include "kind_panel_items.h"
#include "value_cells.h"

namespace plexion {
namespace {

const QStringList& KindNames() {
    static const QStringList names = [] {
        QStringList list;
        for (int kind = 0; kind < CVKT_Bitmap::KindCount(); ++kind) {
            list << QString::fromStdString(CVKT_Bitmap::KindName(kind));
        }
        return list;
    }();
    return names;
}

}  // namespace

CBitmapsPanel::CBitmapsPanel(QWidget* parent)
    : CKindPanel(QStringLiteral("Bitmaps"), parent), pictureArea_(new CPictureArea(*this, this)) {
    using Bitmap = CVKT_Bitmap;
    SetColumns(
        {IndexColumn<Bitmap>(),
         IdColumn<Bitmap>(),
         {.header = "Type",
          .fill =
              [](CGridCell& cell, const Bitmap& bitmap) {
                  // Shown, never chosen: pictures only ever enter as decoded images.
                  FillListCell(cell, &KindNames(), bitmap.GetKind());
                  cell.SetEditable(false);
              }},
         {.header = "Width",
          .fill = [](CGridCell& cell,
                     const Bitmap& bitmap) { FillRealCell(cell, bitmap.DisplayWidth(), false); }},
         {.header = "Height",
          .fill = [](CGridCell& cell,
                     const Bitmap& bitmap) { FillRealCell(cell, bitmap.DisplayHeight(), false); }},
         {.header = "Offset X",
          // A drag in progress shows where it takes the offset.
          .fill =
              [this](CGridCell& cell, const Bitmap& bitmap) {
                  FillRealCell(cell, bitmap.OffsetX() + DraggedBy(bitmap).x(), true);
              },
          .store =
              NumberStore<Bitmap, double>([](const Bitmap& bitmap) { return bitmap.OffsetX(); },
                                          [](Bitmap& bitmap, double x) { bitmap.SetOffsetX(x); })},
         {.header = "Offset Y",
          // A drag in progress shows where it takes the offset.
          .fill =
              [this](CGridCell& cell, const Bitmap& bitmap) {
                  FillRealCell(cell, bitmap.OffsetY() + DraggedBy(bitmap).y(), true);
              },
          .store =
              NumberStore<Bitmap, double>([](const Bitmap& bitmap) { return bitmap.OffsetY(); },
                                          [](Bitmap& bitmap, double y) { bitmap.SetOffsetY(y); })},
         {.header = "Extra Attributes",
          .fill = [](CGridCell& cell, const Bitmap&) { FillInformationCell(cell, "None"); }},
         // Only a name: the picture is not loaded again.
         StoredTextColumn<Bitmap>(
             "Source Filename", GridCellType::Text,
             [](const Bitmap& bitmap) -> const std::string& { return bitmap.SourceFileName(); },
             [](Bitmap& bitmap, std::string_view name) {
                 bitmap.SetSourceFileName(std::string(name));
             }),
         {.header = "Source Nb Bytes",
          .fill =
              [](CGridCell& cell, const Bitmap& bitmap) {
                  FillCountCell(cell, static_cast<long long>(bitmap.SourceBytes().size()));
              }},
         {.header = "Used Game Memory",
          .fill = [](CGridCell& cell,
                     const Bitmap& bitmap) { FillCountCell(cell, bitmap.UsedGameMemory()); }},
         SpecificationsColumn<Bitmap>(),
         CommentsColumn<Bitmap>()});
    SetAcceptsFiles(true);
    connect(pictureArea_, &CPictureArea::dragged, this, &CBitmapsPanel::DragOffsets);
    connect(pictureArea_, &CPictureArea::dragFinished, this, [this] { EndOffsetDrag(false); });
    connect(pictureArea_, &CPictureArea::dragCancelled, this, [this] { EndOffsetDrag(true); });
}

bool CBitmapsPanel::DeleteItem(int item) {
    return DeleteKindItem<CVKT_Bitmap>(*this, item);
}

bool CBitmapsPanel::DoMoveItem(int from, int to) {
    return MoveKindItem<CVKT_Bitmap>(*this, from, to);
}

}  // namespace plexion
