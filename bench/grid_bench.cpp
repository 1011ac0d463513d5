// A resource grid of 100,000 rows by 13 columns of mixed cell types: filling
// the sheet and fitting every row and column to its cells, then painting one
// screen page, against a QTableView over a QStandardItemModel holding the
// same texts (resizeColumnsToContents and resizeRowsToContents), in one run.
#include <benchmark/benchmark.h>

#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>

#include <memory>

#include "resource_grid.h"

namespace {

constexpr int kRows = 100'000;
constexpr int kColumns = 13;
constexpr int kPageWidth = 1280;
constexpr int kPageHeight = 800;
// A page in the middle of the sheet, so that nothing near the start helps.
constexpr int kPageRow = kRows / 2;

const QStringList kPlayModes{"Once", "Loop", "Ping-pong", "Reverse", "Random"};

// One row of a typical panel: row number, mark, name, numbers, a colour, a
// choice and comments, some of them over several lines.
void FillRow(plexion::CGridSheet& sheet, int row) {
    using plexion::GridCellType;
    const auto cell = [&](int column, GridCellType type) {
        plexion::CGridCell* c = sheet.Cell(column, row);
        c->SetType(type);
        c->SetEditable(column > 0);
        return c;
    };
    cell(0, GridCellType::RowNumber);
    cell(1, GridCellType::YesNo)->SetBool(row % 3 == 0);
    cell(2, GridCellType::Text)->SetText(QString("sprite_%1_walk").arg(row));
    cell(3, GridCellType::Integer)->SetInt(row * 7 - 300);
    cell(4, GridCellType::Real)->SetDouble(row / 16.0);
    cell(5, GridCellType::Color)->SetColor(plexion::MakeColor(row, row * 3, row * 7));
    cell(6, GridCellType::ListChoice)->SetList(&kPlayModes, row % kPlayModes.size());
    cell(7, GridCellType::MultiLineText)
        ->SetText(row % 10 == 0 ? QString("first line\nsecond line of %1").arg(row)
                                : QString("note %1").arg(row % 50));
    cell(8, GridCellType::Integer)->SetInt(row % 640);
    cell(9, GridCellType::Integer)->SetInt(row % 480);
    cell(10, GridCellType::YesNo)->SetBool(row % 2 == 0);
    cell(11, GridCellType::Real)->SetDouble(1.0 + (row % 100) / 100.0);
    cell(12, GridCellType::Text)->SetText(row % 7 == 0 ? "looped" : "");
}

void FillSheet(plexion::CGridSheet& sheet) {
    sheet.SetColumnCount(kColumns);
    sheet.SetRowCount(kRows + 1);
    sheet.SetFixedColumnCount(1);
    sheet.SetFixedRowCount(1);
    for (int column = 0; column < kColumns; ++column) {
        plexion::CGridCell* title = sheet.Cell(column, 0);
        title->SetType(plexion::GridCellType::Text);
        title->SetText(QString("Column %1").arg(column));
    }
    for (int row = 1; row <= kRows; ++row) {
        FillRow(sheet, row);
    }
}

void FitSheet(plexion::CGridSheet& sheet) {
    sheet.FitColumns(0, sheet.ColumnCount() - 1);
    sheet.FitRows(0, sheet.RowCount() - 1);
}

// The same texts as a Qt item model.
std::unique_ptr<QStandardItemModel> MakeModel(const plexion::CGridSheet& sheet) {
    auto model = std::make_unique<QStandardItemModel>(sheet.RowCount() - 1, sheet.ColumnCount());
    for (int column = 0; column < sheet.ColumnCount(); ++column) {
        model->setHorizontalHeaderItem(column, new QStandardItem(sheet.DisplayText(column, 0)));
        for (int row = 1; row < sheet.RowCount(); ++row) {
            model->setItem(row - 1, column, new QStandardItem(sheet.DisplayText(column, row)));
        }
    }
    return model;
}

void BM_GridFillAndFit(benchmark::State& state) {
    for (auto _ : state) {
        plexion::CGridSheet sheet;
        FillSheet(sheet);
        FitSheet(sheet);
        benchmark::DoNotOptimize(sheet.RowTop(sheet.RowCount()));
    }
}
BENCHMARK(BM_GridFillAndFit)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_TableViewFillAndFit(benchmark::State& state) {
    plexion::CGridSheet texts;
    FillSheet(texts);
    for (auto _ : state) {
        auto model = MakeModel(texts);
        QTableView view;
        view.resize(kPageWidth, kPageHeight);
        view.setModel(model.get());
        view.resizeColumnsToContents();
        view.resizeRowsToContents();
        benchmark::DoNotOptimize(view.verticalHeader()->length());
    }
}
BENCHMARK(BM_TableViewFillAndFit)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GridPaintPage(benchmark::State& state) {
    plexion::CResourceGrid grid;
    grid.resize(kPageWidth, kPageHeight);
    FillSheet(grid.Sheet());
    FitSheet(grid.Sheet());
    grid.RecomputeScrollRanges();
    grid.MoveCursorTo(3, kPageRow);
    QImage page(grid.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&page);
        grid.render(&painter);
    }
}
BENCHMARK(BM_GridPaintPage)->Unit(benchmark::kMillisecond);

void BM_TableViewPaintPage(benchmark::State& state) {
    plexion::CGridSheet texts;
    FillSheet(texts);
    auto model = MakeModel(texts);
    QTableView view;
    view.resize(kPageWidth, kPageHeight);
    view.setModel(model.get());
    view.resizeColumnsToContents();
    view.resizeRowsToContents();
    view.scrollTo(model->index(kPageRow, 3), QAbstractItemView::PositionAtTop);
    QImage page(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&page);
        view.render(&painter);
    }
}
BENCHMARK(BM_TableViewPaintPage)->Unit(benchmark::kMillisecond);

}  // namespace
