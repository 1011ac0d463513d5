#include "resource_panel.h"

#include <QMessageBox>
#include <QStringMatcher>

#include <algorithm>
#include <climits>
#include <optional>

#include "find_text_dialog.h"
#include "long_work_progress.h"
#include "message_box_presenter.h"
#include "resource_grid.h"

namespace plexion {

// The text looked for: one matcher serves every cell of a walk, as
// QString's replace makes one for each call, and its length is kept beside
// it, as the matcher gives its pattern only as a new copy.
struct CSearchNeedle {
    CSearchNeedle(const QString& text, Qt::CaseSensitivity sensitivity)
        : matcher(text, sensitivity), length(text.size()) {}

    QStringMatcher matcher;
    qsizetype length;
};

namespace {

constexpr int kCellsAhead = 16;
constexpr int kTextsAhead = 4;

bool IsWordEdge(QStringView text, qsizetype at) {
    return at < 0 || at >= text.size() || text[at] == QLatin1Char(' ');
}

// Where the text is found in the cell, -1 when it is not. Only the first
// occurrence counts: with whole words on, a later one that stands alone is
// not looked for.
qsizetype FoundAt(QStringView cellText, const CSearchNeedle& needle, bool wholeWord) {
    const qsizetype at = needle.matcher.indexIn(cellText);
    if (at < 0 || !wholeWord ||
        (IsWordEdge(cellText, at - 1) && IsWordEdge(cellText, at + needle.length))) {
        return at;
    }
    return -1;
}

// The cell's text with every occurrence of `needle` from `first` (the first
// one) on replaced, made in one string rather than as a copy replaced in
// place: a replace over a whole large sheet makes one for each found cell.
QString ReplacedText(QStringView cellText, qsizetype first, const CSearchNeedle& needle,
                     QStringView replacement) {
    const qsizetype length = needle.length;
    QString replaced;
    replaced.reserve(cellText.size() + std::max<qsizetype>(replacement.size() - length, 0));
    qsizetype from = 0;
    for (qsizetype at = first; at >= 0; at = needle.matcher.indexIn(cellText, from)) {
        replaced.append(cellText.sliced(from, at - from)).append(replacement);
        from = at + length;
    }
    replaced.append(cellText.sliced(from));
    return replaced;
}

// The same made in `text` itself: in its own room when it is not shared
// and the replacement is as long as what it replaces, as a whole large
// sheet of texts changed in place needs no new string. Whether it changed.
bool ReplaceOccurrences(QString& text, qsizetype first, const CSearchNeedle& needle,
                        QStringView replacement) {
    const qsizetype length = needle.length;
    if (replacement.size() != length) {
        text = ReplacedText(text, first, needle, replacement);
        return true;
    }
    bool changed = false;
    for (qsizetype at = first; at >= 0; at = needle.matcher.indexIn(text, at + length)) {
        if (QStringView(text).sliced(at, length) != replacement) {
            std::copy(replacement.begin(), replacement.end(), text.data() + at);
            changed = true;
        }
    }
    return changed;
}

// Whether `text` can be found in a cell showing a whole number, which holds
// only digits and signs: other texts need not have the number written out.
bool MayBeInNumber(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || c == u'+' || c == u'-';
    });
}

bool ShowsWholeNumber(const CGridCell& cell) {
    const GridCellType type = cell.GetType();
    return type == GridCellType::Integer || type == GridCellType::ColumnNumber ||
           type == GridCellType::RowNumber;
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
    CReplacements replacements;
    const CSearchNeedle needle(options.text, sensitivity);
    const bool numbersMayMatch = MayBeInNumber(options.text);
    // Below the headers the index column shows row numbers and the select
    // column "Yes" or "No": their cells are not read when the text cannot
    // be in those, which spares a large sheet a third of its cells.
    const int headerRows = HeaderRowCount();
    const bool yesNoMayMatch = needle.matcher.indexIn(QStringView(u"Yes")) >= 0 ||
                               needle.matcher.indexIn(QStringView(u"No")) >= 0;
    CCellTextBuffer buffer;
    if (options.replace) {
        replacements.cells.reserve(static_cast<std::size_t>(rows));
    }
    bool stopped = false;
    // Every cell once, the starting cell last; counted rather than compared
    // with the start, so a kind that reshapes the grid cannot make it endless.
    const qint64 cellCount = static_cast<qint64>(columns) * rows;
    CLongWorkProgress progress(this, QStringLiteral("Replacing..."), cellCount, progressDelayMs_);
    const int ahead = options.backward ? -1 : 1;
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
        if (row >= headerRows && ((column == 0 && !numbersMayMatch) ||
                                  (column == kSelectColumn && !yesNoMayMatch))) {
            continue;
        }
        CGridCell* cell = sheet.Cell(column, row);
        // The cells of a large sheet and their texts are read from memory,
        // not from the cache: asked for some rows ahead (a cell before its
        // text, which the cell points to), they are there when needed.
        if (const CGridCell* far = sheet.Cell(column, row + ahead * kCellsAhead)) {
            __builtin_prefetch(far);
        }
        if (const CGridCell* near = sheet.Cell(column, row + ahead * kTextsAhead)) {
            if (const QString* text = near->Text()) {
                __builtin_prefetch(text->constData());
            }
        }
        if (cell == nullptr || (!numbersMayMatch && ShowsWholeNumber(*cell))) {
            continue;
        }
        const QStringView cellText = cell->DisplayTextView(sheet, column, row, buffer);
        // A matcher compares letter by letter, folded or not: a shorter
        // text cannot hold it.
        if (cellText.size() < options.text.size()) {
            continue;
        }
        const qsizetype foundAt = FoundAt(cellText, needle, options.wholeWord);
        if (foundAt < 0) {
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
        // Only a value an edit could change is replaced: the row numbers,
        // the headers and the cells the kind keeps fixed are found but left.
        const bool replaceable = options.replace && item >= 0 && column >= FixedColumnCount() &&
                                 cell != nullptr && cell->GetEditable();
        // A text cell without a question is changed now, in its own text,
        // and stored with the others when the walk is over. Moving the
        // cursor and the question run code that may refill cells: a text
        // asked about is held as found, so a refill is seen when the change
        // is made. Another cell's new text is made now, while its text is
        // surely as it was read.
        CCellReplacement replacement{column, row, item, -1, foundAt,
                                     CCellReplacement::How::Replaced};
        QString text;
        bool mayDiffer = false;
        if (replaceable) {
            if (cell->Text() == nullptr) {
                replacement.how = CCellReplacement::How::Made;
                text = ReplacedText(cellText, foundAt, needle, options.replacement);
                mayDiffer = text != cellText;
            } else if (options.askBeforeReplace) {
                replacement.how = CCellReplacement::How::Held;
                text = *cell->Text();
                mayDiffer = true;
            } else {
                mayDiffer = ReplaceOccurrences(*cell->EditableText(), foundAt, needle,
                                               options.replacement);
            }
        }
        if (!options.replace || options.askBeforeReplace) {
            ShowFoundCell(column, row);
        }
        if (!options.replace) {
            return true;
        }
        if (!replaceable) {
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
        if (mayDiffer) {
            if (replacement.how != CCellReplacement::How::Replaced) {
                replacement.text = static_cast<int>(replacements.texts.size());
                replacements.texts.push_back(std::move(text));
            }
            replacements.cells.push_back(replacement);
        }
    }
    if (options.replace) {
        if (lastFound && !options.askBeforeReplace) {
            ShowFoundCell(lastFound->x(), lastFound->y());
        }
        ApplyReplacements(replacements, needle, options);
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
// cells are stored without an edit and a repaint each, each measured while
// at hand, then their columns fitted and the grid repainted once.
void CResourcePanel::ApplyReplacements(CReplacements& replacements, const CSearchNeedle& needle,
                                       const CFindOptions& options) {
    if (replacements.cells.empty()) {
        return;
    }
    CGridSheet& sheet = grid_->Sheet();
    // Whether the cell changed. A text refilled since it was found is
    // replaced from the first occurrence it holds now, if any.
    const auto replaceIn = [&](CGridCell& cell, const CCellReplacement& replacement) {
        if (replacement.how == CCellReplacement::How::Replaced) {
            return true;
        }
        QString& text = replacements.texts[static_cast<std::size_t>(replacement.text)];
        if (replacement.how == CCellReplacement::How::Made) {
            return cell.SetText(text);
        }
        const QString* held = cell.Text();
        if (held == nullptr) {
            return false;
        }
        qsizetype first = replacement.foundAt;
        if (held->constData() != text.constData()) {
            first = FoundAt(*held, needle, options.wholeWord);
            if (first < 0) {
                return false;
            }
        }
        // Let go, so that the cell alone holds its text.
        text = QString();
        return ReplaceOccurrences(*cell.EditableText(), first, needle, options.replacement);
    };
    std::vector<bool> touched(static_cast<std::size_t>(sheet.ColumnCount()), false);
    const bool changed =
        EditDocument(QStringLiteral("Replace"), [&](CVKT_ResourceContainer& container) {
        bool stored = false;
        for (const CCellReplacement& replacement : replacements.cells) {
            CGridCell* cell = sheet.Cell(replacement.column, replacement.row);
            if (cell == nullptr) {
                continue;
            }
            // A cell whose row now lists another item was not the one found;
            // one the walk changed shows its item's value again.
            if (ItemOfRow(replacement.row) != replacement.item) {
                if (replacement.how == CCellReplacement::How::Replaced) {
                    FillCell(replacement.column, replacement.row, false);
                }
                continue;
            }
            if (!replaceIn(*cell, replacement)) {
                continue;
            }
            stored = StoreEditedCell(container, replacement.column, replacement.row) || stored;
            // Measured while at hand; the size is remembered, so the fit
            // below reads sizes.
            sheet.MeasureCell(replacement.column, replacement.row);
            touched[static_cast<std::size_t>(replacement.column)] = true;
        }
        return stored;
    });
    for (int column = 0; column < static_cast<int>(touched.size()); ++column) {
        if (touched[static_cast<std::size_t>(column)]) {
            sheet.FitColumns(column, column);
        }
    }
    grid_->RecomputeScrollRanges();
    grid_->update();
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
