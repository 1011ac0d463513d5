#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

#include "plexion_doc.h"
#include "resource_container.h"
#include "resource_panel.h"

namespace plexion::test {

// A kind panel as small as the base allows, over the texts of a container:
// an "ID" text column, a "Text" text column and a "Value" integer column,
// all editable. It records what the base asks of it.
class CTextListPanel : public CResourcePanel {
public:
    static constexpr int kIdColumn = 0;
    static constexpr int kTextColumn = 1;
    static constexpr int kValueColumn = 2;

    explicit CTextListPanel(const CVKT_ResourceContainer* container);

    const CVKT_ResourceGroup* GetGroup() const override;
    int GetItemCount() const override;
    int GetColumnCount() const override { return 3; }
    void FillItemCell(int kindColumn, int row) override;
    bool ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow) override;
    bool DoMoveItem(int from, int to) override;
    bool DeleteItem(int item) override;
    bool InsertItems() override;
    bool AddFile(const QString& path) override;
    void SelectionChanged() override { ++selectionChanges; }
    int FindBrokenReference(QString& message) const override;
    void DrawPreview(QPainter& painter, const QRect& preview) override;
    void DrawItemPreview(QPainter& painter, QRect& band, int item) override;

    void AcceptFiles(bool accepts) { SetAcceptsFiles(accepts); }

    int selectionChanges = 0;
    std::vector<int> deleted;
    QStringList addedFiles;
    bool refuseMoves = false;
    int brokenReference = -1;
    std::vector<QRect> previewBands;
};

// A document holding texts with the given IDs; text i is "text <id>" and
// its value i. It starts unmodified, as if read from a file.
std::unique_ptr<CPlexionDoc> MakeTexts(const QStringList& ids);

// The document's items for a set-up that writes them directly, as a load
// would (or another program behind the panel's back); what the panel
// changes goes through the editing path.
CVKT_ResourceContainer& Loaded(CPlexionDoc& document);

// The IDs of the document's texts, in order.
QStringList TextIds(const CPlexionDoc& document);

// A created, shown panel editing `document`, 600 × 400, its grid focused.
std::unique_ptr<CTextListPanel> ShowPanel(CPlexionDoc* document);

// "0", "1", … "count - 1".
QStringList Numbers(int count);

}  // namespace plexion::test
