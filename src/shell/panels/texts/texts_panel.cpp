#include "texts_panel.h"

#include "captioned_text_preview.h"
#include "empty_edit_menu.h"
#include "kind_panel_items.h"
#include "text_item.h"

namespace plexion {
namespace {

constexpr const char* kNewId = "New ID";

}  // namespace

CTextsPanel::CTextsPanel(QWidget* parent)
    : CKindPanel(QStringLiteral("Texts and Parameters"), parent) {
    SetColumns({IndexColumn<CVKT_Text>(), IdColumn<CVKT_Text>(),
                StoredTextColumn<CVKT_Text>(
                    "Text", GridCellType::MultiLineText,
                    [](const CVKT_Text& item) -> const std::string& { return item.Text(); },
                    [](CVKT_Text& item, std::string_view text) { item.SetText(text); }),
                CommentsColumn<CVKT_Text>()});
}

bool CTextsPanel::InsertItems() {
    return InsertKindItem<CVKT_Text>(*this, kNewId);
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
