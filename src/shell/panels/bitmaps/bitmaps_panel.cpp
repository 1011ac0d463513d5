#include "bitmaps_panel.h"

#include <QPainter>
#include <QTimer>

#include "bitmap_item.h"
#include "color_conversion.h"
#include "empty_edit_menu.h"
#include "graphic_panel_cells.h"
#include "kind_panel_cells.h"
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

const char* ColumnTitle(int column) {
    static constexpr const char* kTitles[CBitmapsPanel::kColumnCount] = {"Index",
                                                                         "ID",
                                                                         "Type",
                                                                         "Width",
                                                                         "Height",
                                                                         "Offset X",
                                                                         "Offset Y",
                                                                         "Extra Attributes",
                                                                         "Source Filename",
                                                                         "Source Nb Bytes",
                                                                         "Used Game Memory",
                                                                         "Specifications",
                                                                         "Comments"};
    return kTitles[column];
}

// How the editable columns take a value. The source file name is only a
// name: the picture is not loaded again.
const CCellStore<CVKT_Bitmap>* StoreOf(int column) {
    using Bitmap = CVKT_Bitmap;
    static const CCellStore<Bitmap> id = IdStore<Bitmap>();
    static const CCellStore<Bitmap> comments = CommentsStore<Bitmap>();
    static const CCellStore<Bitmap> offsetX =
        NumberStore<Bitmap, double>([](const Bitmap& bitmap) { return bitmap.OffsetX(); },
                                    [](Bitmap& bitmap, double x) { bitmap.SetOffsetX(x); });
    static const CCellStore<Bitmap> offsetY =
        NumberStore<Bitmap, double>([](const Bitmap& bitmap) { return bitmap.OffsetY(); },
                                    [](Bitmap& bitmap, double y) { bitmap.SetOffsetY(y); });
    static const CCellStore<Bitmap> sourceFileName = StoredTextStore<Bitmap>(
        [](const Bitmap& bitmap) -> const std::string& { return bitmap.SourceFileName(); },
        [](Bitmap& bitmap, std::string name) { bitmap.SetSourceFileName(std::move(name)); });
    switch (column) {
        case CBitmapsPanel::kId:
            return &id;
        case CBitmapsPanel::kComments:
            return &comments;
        case CBitmapsPanel::kOffsetX:
            return &offsetX;
        case CBitmapsPanel::kOffsetY:
            return &offsetY;
        case CBitmapsPanel::kSourceFilename:
            return &sourceFileName;
        default:
            return nullptr;
    }
}

}  // namespace

CBitmapsPanel::CBitmapsPanel(QWidget* parent) : CKindPanel(QStringLiteral("Bitmaps"), parent) {
    SetAcceptsFiles(true);
}

int CBitmapsPanel::GetColumnCount() const {
    return kColumnCount;
}

void CBitmapsPanel::FillItemCell(int kindColumn, int row) {
    CGridCell* cell = KindCell(kindColumn, row);
    if (cell == nullptr || kindColumn < 0 || kindColumn >= kColumnCount) {
        return;
    }
    if (row == 0) {
        FillHeaderCell(*cell, QString::fromLatin1(ColumnTitle(kindColumn)));
        return;
    }
    const CVKT_Bitmap* bitmap = Item(ItemOfRow(row));
    if (bitmap == nullptr) {
        return;
    }
    switch (kindColumn) {
        case kIndex:
            FillIndexCell(*cell);
            break;
        case kId:
            FillStoredTextCell(*cell, bitmap->ID(), GridCellType::Text, true);
            break;
        case kType:
            // Shown, never chosen: pictures only ever enter as decoded images.
            FillListCell(*cell, &KindNames(), bitmap->GetKind());
            cell->SetEditable(false);
            break;
        case kWidth:
            FillRealCell(*cell, bitmap->DisplayWidth(), false);
            break;
        case kHeight:
            FillRealCell(*cell, bitmap->DisplayHeight(), false);
            break;
        case kOffsetX:
            FillRealCell(*cell, bitmap->OffsetX(), true);
            break;
        case kOffsetY:
            FillRealCell(*cell, bitmap->OffsetY(), true);
            break;
        case kExtraAttributes:
            FillInformationCell(*cell, "None");
            break;
        case kSourceFilename:
            FillStoredTextCell(*cell, bitmap->SourceFileName(), GridCellType::Text, true);
            break;
        case kSourceNbBytes:
            FillCountCell(*cell, static_cast<long long>(bitmap->SourceBytes().size()));
            break;
        case kUsedGameMemory:
            FillCountCell(*cell, bitmap->UsedGameMemory());
            break;
        case kSpecifications:
            FillInformationCell(*cell, bitmap->Specifications());
            break;
        case kComments:
            FillStoredTextCell(*cell, bitmap->Comments(), GridCellType::MultiLineText, true);
            break;
        default:
            break;
    }
}

bool CBitmapsPanel::ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow) {
    const int column = KindColumnOf(dstColumn);
    const CCellStore<CVKT_Bitmap>* store = StoreOf(column);
    if (store == nullptr) {
        return false;
    }
    if (column == kId || column == kOffsetX || column == kOffsetY) {
        return ApplyStoredCell(*this, *store, dstColumn, dstRow, srcColumn, srcRow,
                               [this] { TellOtherPanelsSoon(); });
    }
    return ApplyStoredCell(*this, *store, dstColumn, dstRow, srcColumn, srcRow);
}

bool CBitmapsPanel::AddEditCommands(QMenu* menu, int) {
    AddEmptyEditEntry(menu);
    return true;
}

bool CBitmapsPanel::DeleteItem(int item) {
    const bool deleted = DeleteKindItem<CVKT_Bitmap>(*this, item);
    if (deleted) {
        TellOtherPanelsSoon();
    }
    return deleted;
}

bool CBitmapsPanel::DoMoveItem(int from, int to) {
    const bool moved = MoveKindItem<CVKT_Bitmap>(*this, from, to);
    if (moved && from != to) {
        TellOtherPanelsSoon();
    }
    return moved;
}

void CBitmapsPanel::TellOtherPanelsSoon() {
    if (otherPanelsToBeTold_) {
        return;
    }
    otherPanelsToBeTold_ = true;
    QTimer::singleShot(0, this, [this] {
        otherPanelsToBeTold_ = false;
        NotifyOtherPanels();
    });
}

void CBitmapsPanel::DrawPreview(QPainter& painter, const QRect& preview) {
    painter.fillRect(preview, InterfaceQColor(InterfaceColor::DialogFace));
    const CVKT_Bitmap* bitmap = Item(GetCursorItem());
    if (bitmap == nullptr) {
        return;
    }
    painter.save();
    painter.setClipRect(preview);
    // The lines pass through the pixels just before the origin, so a picture
    // at offset 0, 0 starts right below and right of them.
    const QPoint origin = preview.topLeft() + QPoint(kPreviewOrigin, kPreviewOrigin);
    painter.setPen(InterfaceQColor(InterfaceColor::DialogText));
    painter.drawLine(origin.x() - 1, preview.top(), origin.x() - 1, preview.bottom());
    painter.drawLine(preview.left(), origin.y() - 1, preview.right(), origin.y() - 1);
    bitmap->Draw(painter, origin.x(), origin.y());
    painter.restore();
}

}  // namespace plexion
