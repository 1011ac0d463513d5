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

    // A new text "New ID" at the end of the group.
    bool InsertItems() override;
    bool AddEditCommands(QMenu* menu, int firstId) override;
    void DrawPreview(QPainter& painter, const QRect& preview) override;
    void DrawItemPreview(QPainter& painter, QRect& band, int item) override;
};

}  // namespace plexion
