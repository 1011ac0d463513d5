#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>

#include <memory>

#include "grid_cell.h"
#include "plexion_doc.h"
#include "resource_grid.h"
#include "resource_panel.h"

namespace plexion::test {

// A panel of kind P shown in a window, listing the items of a document of
// its own.
template <typename P>
class CSimplePanelTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 900;
    static constexpr int kHeight = 400;

    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        window_->resize(kWidth, kHeight);
        panel_ = new P;
        panel_->SetDocument(&document_, nullptr);
        panel_->SetResourceContainer(&document_.Resources());
        ASSERT_TRUE(panel_->CreatePanel(window_.get(), QRect(0, 0, kWidth, kHeight)));
        window_->show();
    }

    // Set-up writes the document directly, as loading a file would; what
    // the panels change goes through the editing path.
    CVKT_ResourceContainer& Resources() {
        return const_cast<CVKT_ResourceContainer&>(document_.Resources());
    }
    P& Panel() { return *panel_; }
    CGridSheet& Sheet() { return panel_->Grid()->Sheet(); }

    // What the grid shows in a kind column; row 0 is the header.
    QString Shown(int kindColumn, int row) {
        return Sheet().DisplayText(kindColumn + panel_->FixedColumnCount(), row);
    }
    CGridCell& Cell(int kindColumn, int row) {
        CGridCell* cell = panel_->KindCell(kindColumn, row);
        EXPECT_NE(cell, nullptr);
        return *cell;
    }

    // As the user editing the cell in `kindColumn` of `row` to `text` would:
    // the cursor on the cell, its new value, then the grid's notification.
    void EditCellText(int kindColumn, int row, const QString& text) {
        Cell(kindColumn, row).SetText(text);
        NotifyEdited(kindColumn, row);
    }
    void NotifyEdited(int kindColumn, int row) {
        CResourceGrid* grid = panel_->Grid();
        grid->MoveCursorTo(kindColumn + panel_->FixedColumnCount(), row);
        emit grid->cellEdited(grid);
    }

    // The panel's preview as it paints it.
    QImage PreviewImage(const QRect& preview) {
        QImage image(preview.right() + 1, preview.bottom() + 1, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        panel_->DrawPreview(painter, preview);
        return image;
    }

    CPlexionDoc document_;
    std::unique_ptr<QWidget> window_;
    P* panel_ = nullptr;
};

}  // namespace plexion::test
