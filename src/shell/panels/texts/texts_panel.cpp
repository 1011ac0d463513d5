#include "texts_panel.h"

#include "captioned_text_preview.h"
#include "empty_edit_menu.h"
#include "kind_panel_cell_edits.h"
#include "kind_panel_cells.h"
#include "kind_panel_items.h"
#include "text_item.h"

namespace plexion {
namespace {

constexpr const char* kNewId = "New ID";

const char* const kHeaders[CTextsPanel::kColumnCount] = {"Index", "ID", "Text", "Comments"};

CCellStore<CVKT_Text> TextStore() {
    return StoredTextStore<CVKT_Text>(
        [](const CVKT_Text& item) -> const std::string& { return item.Text(); },
        [](CVKT_Text& item, std::string text) { item.SetText(std::move(text)); });
}

}  // namespace

CTextsPanel::CTextsPanel(QWidget* parent)
    : CKindPanel(QStringLiteral("Texts and Parameters"), parent) {}

int CTextsPanel::GetColumnCount() const {
    return kColumnCount;
}

void CTextsPanel::FillItemCell(int kindColumn, int row) {
    CGridCell* cell = KindCell(kindColumn, row);
    if (cell == nullptr || kindColumn < 0 || kindColumn >= kColumnCount) {
        return;
    }
    if (row == 0) {
        FillHeaderCell(*cell, QString::fromLatin1(kHeaders[kindColumn]));
        return;
    }
    const CVKT_Text* item = Item(ItemOfRow(row));
    if (item == nullptr) {
        return;
    }
    switch (kindColumn) {
        case kIndexColumn:
            FillIndexCell(*cell);
            break;
        case kIdColumn:
            FillStoredTextCell(*cell, item->ID(), GridCellType::Text, true);
            break;
        case kTextColumn:
            FillStoredTextCell(*cell, item->Text(), GridCellType::MultiLineText, true);
            break;
        case kCommentsColumn:
            FillStoredTextCell(*cell, item->Comments(), GridCellType::MultiLineText, true);
            break;
    }
}

bool CTextsPanel::ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow) {
    CCellStore<CVKT_Text> store;
    switch (KindColumnOf(dstColumn)) {
        case kIdColumn:
            store = IdStore<CVKT_Text>();
            break;
        case kTextColumn:
            store = TextStore();
            break;
        case kCommentsColumn:
            store = CommentsStore<CVKT_Text>();
            break;
        default:
            return false;
    }
    return ApplyItemCell(*this, store, dstColumn, dstRow, srcColumn, srcRow);
}

bool CTextsPanel::InsertItems() {
    return InsertKindItem<CVKT_Text>(*this, kNewId);
}

bool CTextsPanel::DeleteItem(int item) {
    return DeleteKindItem<CVKT_Text>(*this, item);
}

bool CTextsPanel::DoMoveItem(int from, int to) {
    return MoveKindItem<CVKT_Text>(*this, from, to);
}

bool CTextsPanel::AddEditCommands(QMenu* menu, int /*firstId*/) {
    AddEmptyEditEntry(menu);
    return true;
}

void CTextsPanel::DrawPreview(QPainter& painter, const QRect& preview) {
    DrawTiledPreview(painter, preview);
}

void CTextsPanel::DrawItemPreview(QPainter& painter, QRect& band, int item) {
    const CVKT_Text* text = Item(item);
    if (text == nullptr) {
        return;
    }
    DrawCaptionedTextPreview(painter, band, FromStored(text->ID()),
                             FromStored(text->ExpandedText(*Container())));
}

}  // namespace plexion
