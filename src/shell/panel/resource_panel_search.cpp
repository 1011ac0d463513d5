#include "resource_panel.h"

#include <QMessageBox>

#include <algorithm>
#include <climits>
#include <optional>
#include <set>

#include "find_text_dialog.h"
#include "long_work_progress.h"
#include "message_box_presenter.h"
#include "resource_grid.h"

namespace plexion {
namespace {

bool IsWordEdge(const QString& text, qsizetype at) {
    return at < 0 || at >= text.size() || text[at] == QLatin1Char(' ');
}

// Only the first occurrence counts: with whole words on, a later one that
// stands alone is not looked for.
bool ContainsText(const QString& cellText, const QString& needle, Qt::CaseSensitivity sensitivity,
                  bool wholeWord) {
    const qsizetype at = cellText.indexOf(needle, 0, sensitivity);
    if (at < 0) {
        return false;
    }
    return !wholeWord || (IsWordEdge(cellText, at - 1) && IsWordEdge(cellText, at + needle.size()));
}

}  // namespace

bool CResourcePanel::ShowFindDialog() {
    CFindOptions& remembered = RememberedFindOptions();
    if (!AskFindOptions(this, remembered)) {
        return false;
    }
    return Search(remembered);
}

bool CResourcePanel::FindNext() {
    return FindAgain(false);
}

bool CResourcePanel::FindPrevious() {
    return FindAgain(true);
}

bool CResourcePanel::FindAgain(bool backward) {
    const CFindOptions& remembered = RememberedFindOptions();
    CFindOptions options;
    options.text = remembered.text;
    options.matchCase = remembered.matchCase;
    options.wholeWord = remembered.wholeWord;
    options.inSelected = remembered.inSelected;
    options.backward = backward;
    options.selectItems = false;
    options.unselectPrevious = false;
    options.replace = false;
    return Search(options);
}

bool CResourcePanel::Search(const CFindOptions& options) {
    // An empty text would be found in every cell, and replacing it would
    // write the replacement between every two letters of every cell.
    if (grid_ == nullptr || options.text.isEmpty()) {
        return false;
    }
    const CGridSheet& sheet = grid_->Sheet();
    if (sheet.RowCount() == 0 || sheet.ColumnCount() == 0) {
        return false;
    }
    return SearchWalk(options);
}

bool CResourcePanel::SearchWalk(const CFindOptions& options) {
    CGridSheet& sheet = grid_->Sheet();
    const int columns = sheet.ColumnCount();
    const int rows = sheet.RowCount();
    const Qt::CaseSensitivity sensitivity =
        options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QString question =
        QStringLiteral("Replace \"%1\" with \"%2\" ?")
            .arg(options.matchCase ? options.text : options.text.toUpper(), options.replacement);
    int column = sheet.CursorColumn();
    int row = sheet.CursorRow();
    int lowestFound = INT_MAX;
    int highestFound = -1;
    std::optional<QPoint> lastFound;
    std::vector<int> foundRows;
    std::vector<CCellReplacement> replacements;
    bool stopped = false;
    // Every cell once, the starting cell last; counted rather than compared
    // with the start, so a kind that reshapes the grid cannot make it endless.
    const qint64 cellCount = static_cast<qint64>(columns) * rows;
    CLongWorkProgress progress(this, QStringLiteral("Replacing..."), cellCount, progressDelayMs_);
    for (qint64 step = 0; step < cellCount; ++step) {
        if (options.replace && progress.Cancelled(step)) {
            stopped = true;
            break;
        }
        if (options.backward) {
            if (--column < 0) {
                column = columns - 1;
                row = row > 0 ? row - 1 : rows - 1;
            }
        } else if (++column >= columns) {
            column = 0;
            row = row + 1 < rows ? row + 1 : 0;
        }
        const QString cellText = sheet.DisplayText(column, row);
        if (!ContainsText(cellText, options.text, sensitivity, options.wholeWord)) {
            continue;
        }
        const int item = ItemOfRow(row);
        if (options.inSelected && (item < 0 || !IsMarked(item))) {
            continue;
        }
        lowestFound = std::min(lowestFound, row);
        highestFound = std::max(highestFound, row);
        if (options.selectItems) {
            foundRows.push_back(row);
            continue;
        }
        lastFound = QPoint(column, row);
        if (!options.replace || options.askBeforeReplace) {
            ShowFoundCell(column, row);
        }
        if (!options.replace) {
            return true;
        }
        // Only a value an edit could change is replaced: the row numbers,
        // the headers and the cells the kind keeps fixed are found but left.
        CGridCell* cell = sheet.Cell(column, row);
        if (item < 0 || column < FixedColumnCount() || cell == nullptr || !cell->GetEditable()) {
            continue;
        }
        if (options.askBeforeReplace) {
            QMessageBox box(QMessageBox::Question, MessageBoxTitle(), question,
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
            const int answer = box.exec();
            if (answer == QMessageBox::Cancel) {
                stopped = true;
                break;
            }
            if (answer != QMessageBox::Yes) {
                continue;
            }
        }
        QString replaced = cellText;
        replaced.replace(options.text, options.replacement, sensitivity);
        if (replaced != cellText) {
            replacements.push_back({column, row, item, std::move(replaced)});
        }
    }
    if (options.replace) {
        if (lastFound && !options.askBeforeReplace) {
            ShowFoundCell(lastFound->x(), lastFound->y());
        }
        ApplyReplacements(replacements);
    }
    if (stopped) {
        return true;
    }
    if (options.selectItems) {
        MarkFoundRows(options, foundRows, lowestFound, highestFound);
    }
    return false;
}

void CResourcePanel::ShowFoundCell(int column, int row) {
    SetCursorItem(ItemOfRow(row));
    grid_->MoveCursorTo(column, row);
    rememberedCursorRow_ = row;
}

// One change of the document for the whole run, so one undo step; the
// cells change in place and their columns are fitted once, rather than a
// row refresh for each.
void CResourcePanel::ApplyReplacements(const std::vector<CCellReplacement>& replacements) {
    if (replacements.empty()) {
        return;
    }
    CGridSheet& sheet = grid_->Sheet();
    std::set<int> columns;
    const bool changed = EditDocument(QStringLiteral("Replace"), [&](CVKT_ResourceContainer&) {
        // The kind's own cell edits join this one change.
        batchChanged_ = false;
        for (const CCellReplacement& replacement : replacements) {
            CGridCell* cell = sheet.Cell(replacement.column, replacement.row);
            // A cell whose row now lists another item was not the one found.
            if (cell == nullptr || ItemOfRow(replacement.row) != replacement.item ||
                !cell->SetText(replacement.text)) {
                continue;
            }
            if (!ApplyCell(replacement.column, replacement.row, replacement.column,
                           replacement.row)) {
                FillCell(replacement.column, replacement.row, false);
            }
            columns.insert(replacement.column);
        }
        return batchChanged_;
    });
    for (const int column : columns) {
        sheet.FitColumns(column, column);
    }
    grid_->RecomputeScrollRanges();
    if (changed) {
        RedrawPreviewArea();
        emit itemsEdited();
    }
}

void CResourcePanel::MarkFoundRows(const CFindOptions& options, const std::vector<int>& rows,
                                   int lowest, int highest) {
    if (options.unselectPrevious) {
        SetAllMarked(true, false, true);
    }
    for (const int row : rows) {
        const int item = ItemOfRow(row);
        if (item >= 0) {
            SetMarked(item, false, true, true);
        }
    }
    if (rows.empty()) {
        return;
    }
    const int column = grid_->Sheet().CursorColumn();
    grid_->ScrollCellIntoView(column, highest);
    SetCursorItem(ItemOfRow(lowest));
    grid_->MoveCursorTo(column, lowest);
    rememberedCursorRow_ = grid_->Sheet().CursorRow();
    NotifySelection();
}

}  // namespace plexion
