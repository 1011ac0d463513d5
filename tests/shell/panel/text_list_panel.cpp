#include "text_list_panel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QTest>

#include "resource_grid.h"
#include "stored_text.h"
#include "text_item.h"

namespace plexion::test {

CTextListPanel::CTextListPanel(const CVKT_ResourceContainer* container)
    : CResourcePanel(QStringLiteral("Texts and Parameters")) {
    SetResourceContainer(container);
}

const CVKT_ResourceGroup* CTextListPanel::GetGroup() const {
    return Container()->GroupAt(CVKT_Text::kKind);
}

int CTextListPanel::GetItemCount() const {
    return Container()->Count<CVKT_Text>();
}

void CTextListPanel::FillItemCell(int kindColumn, int row) {
    CGridCell* cell = KindCell(kindColumn, row);
    if (row == 0) {
        static const QStringList titles = {"ID", "Text", "Value"};
        cell->SetType(GridCellType::Text);
        cell->SetText(titles[kindColumn]);
        return;
    }
    const CVKT_Text* text = Container()->GetAt<CVKT_Text>(ItemOfRow(row));
    cell->SetEditable(true);
    switch (kindColumn) {
        case kIdColumn:
            cell->SetType(GridCellType::Text);
            cell->SetText(FromStored(text->ID()));
            break;
        case kTextColumn:
            cell->SetType(GridCellType::Text);
            cell->SetText(FromStored(text->Text()));
            break;
        default:
            cell->SetType(GridCellType::Integer);
            cell->SetInt(text->Value());
            break;
    }
}

bool CTextListPanel::ApplyCell(int dstColumn, int dstRow, int srcColumn, int srcRow) {
    const int kindColumn = KindColumnOf(dstColumn);
    const int destination = ItemOfRow(dstRow);
    const int source = ItemOfRow(srcRow);
    if (kindColumn < 0 || destination < 0 || source < 0 || srcColumn != dstColumn) {
        return false;
    }
    const CGridCell* cell = KindCell(kindColumn, srcRow);
    const bool same = destination == source;
    const bool changed = EditDocument(QStringLiteral("Edit"), [&](CVKT_ResourceContainer& container) {
        CVKT_Text* to = container.GetAt<CVKT_Text>(destination);
        const CVKT_Text* from = container.GetAt<CVKT_Text>(source);
        switch (kindColumn) {
            case kIdColumn:
                return to->SetID(same ? ToStored(cell->GetText()) : from->ID()) != 0;
            case kTextColumn:
                to->SetText(same ? ToStored(cell->GetText()) : from->Text());
                return true;
            default:
                to->SetValue(same ? cell->GetInt() : from->Value());
                return true;
        }
    });
    if (!same) {
        RefreshItemCell(kindColumn, dstRow);
    }
    return changed;
}

bool CTextListPanel::DoMoveItem(int from, int to) {
    if (refuseMoves) {
        return false;
    }
    return EditDocument(QStringLiteral("Edit"), [from, to](CVKT_ResourceContainer& container) {
        return container.Move<CVKT_Text>(from, to) != 0;
    });
}

bool CTextListPanel::DeleteItem(int item) {
    deleted.push_back(item);
    return EditDocument(QStringLiteral("Edit"), [item](CVKT_ResourceContainer& container) {
        return container.Delete<CVKT_Text>(item) != 0;
    });
}

bool CTextListPanel::InsertItems() {
    int added = -1;
    EditDocument(QStringLiteral("Edit"), [&added](CVKT_ResourceContainer& container) {
        added = container.New<CVKT_Text>("New ID");
        return added >= 0;
    });
    RefreshRow(added);
    return added >= 0;
}

bool CTextListPanel::AddFile(const QString& path) {
    addedFiles << path;
    return true;
}

int CTextListPanel::FindBrokenReference(QString& message) const {
    if (brokenReference >= 0) {
        message = QStringLiteral("Item %1 names nothing.").arg(brokenReference + 1);
    }
    return brokenReference;
}

void CTextListPanel::DrawPreview(QPainter& painter, const QRect& preview) {
    previewBands.clear();
    DrawTiledPreview(painter, preview);
}

void CTextListPanel::DrawItemPreview(QPainter& painter, QRect& band, int item) {
    previewBands.push_back(band);
    DrawBandSeparator(painter, band);
    DrawBandTextLine(painter, band, ItemName(item), Qt::white);
}

std::unique_ptr<CPlexionDoc> MakeTexts(const QStringList& ids) {
    auto document = std::make_unique<CPlexionDoc>();
    CVKT_ResourceContainer& container = Loaded(*document);
    for (int i = 0; i < ids.size(); ++i) {
        const int index = container.New<CVKT_Text>(ToStored(ids[i]));
        CVKT_Text* text = container.GetAt<CVKT_Text>(index);
        text->SetText(ToStored(QStringLiteral("text ") + ids[i]));
        text->SetValue(i);
    }
    return document;
}

CVKT_ResourceContainer& Loaded(CPlexionDoc& document) {
    return const_cast<CVKT_ResourceContainer&>(document.Resources());
}

QStringList TextIds(const CPlexionDoc& document) {
    const CVKT_ResourceContainer& container = document.Resources();
    QStringList ids;
    for (int i = 0; i < container.Count<CVKT_Text>(); ++i) {
        ids << FromStored(container.GetAt<CVKT_Text>(i)->ID());
    }
    return ids;
}

std::unique_ptr<CTextListPanel> ShowPanel(CPlexionDoc* document) {
    auto panel = std::make_unique<CTextListPanel>(&document->Resources());
    panel->SetDocument(document, nullptr);
    panel->CreatePanel(nullptr, QRect(0, 0, 600, 400));
    panel->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(panel.get()));
    panel->Grid()->setFocus();
    return panel;
}

QStringList Numbers(int count) {
    QStringList numbers;
    for (int i = 0; i < count; ++i) {
        numbers << QString::number(i);
    }
    return numbers;
}

}  // namespace plexion::test
