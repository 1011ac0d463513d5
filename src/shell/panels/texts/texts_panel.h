#pragma once

#include "kind_panel.h"
#include "text_item.h"

namespace plexion {

// The "Texts and Parameters" panel: game texts and the document's
// parameters, with a preview of their texts as the game shows them, the
// references to other texts replaced.
class CTextsPanel : public CKindPanel<CVKT_Text> {
    Q_OBJECT
public:
    enum Column { kIndexColumn, kIdColumn, kTextColumn, kCommentsColumn, kColumnCount };

    explicit CTextsPanel(QWidget* parent = nullptr);

    int GetColumnCount() const override;
    void FillItemCell(int kindColumn, int row) override;
    bool ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow) override;
    // A new text "New ID" at the end of the group.
    bool InsertItems() override;
    bool DeleteItem(int item) override;
    bool DoMoveItem(int from, int to) override;
    bool AddEditCommands(QMenu* menu, int firstId) override;
    void DrawPreview(QPainter& painter, const QRect& preview) override;
    void DrawItemPreview(QPainter& painter, QRect& band, int item) override;
};

}  // namespace plexion
