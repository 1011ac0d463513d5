#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include <string>
#include <utility>
#include <vector>

#include "color_conversion.h"
#include "find_options.h"
#include "form_dialog.h"
#include "modal_answer.h"
#include "resource_grid.h"
#include "simple_panel_fixture.h"
#include "stored_text.h"
#include "text_item.h"
#include "texts_panel.h"

namespace plexion {
namespace {

using Column = CTextsPanel::Column;

class TextsPanel : public test::CSimplePanelTest<CTextsPanel> {
protected:
    int AddText(const std::string& id, const std::string& text, const std::string& comments = {}) {
        const int index = Resources().New<CVKT_Text>(id);
        CVKT_Text* item = Resources().GetAt<CVKT_Text>(index);
        item->SetText(text);
        item->SetComments(comments);
        return index;
    }
    CVKT_Text& Text(int index) { return *Resources().GetAt<CVKT_Text>(index); }
};

TEST_F(TextsPanel, ListsTheTextsUnderTheirHeaders) {
    AddText("hero", "Ann", "the heroine");
    AddText("greeting", "Hello [hero]\r\nwelcome!");
    Panel().Refresh(true);

    EXPECT_EQ(Panel().Title(), "Texts and Parameters");
    EXPECT_FALSE(Panel().AcceptsFiles());
    EXPECT_EQ(Panel().GetColumnCount(), 4);
    EXPECT_EQ(Panel().GetItemCount(), 2);
    EXPECT_EQ(Panel().GetGroup(), Resources().GroupAt(CVKT_Text::kKind));
    EXPECT_EQ(Sheet().RowCount(), 3);
    EXPECT_EQ(Shown(Column::kIndexColumn, 0), "Index");
    EXPECT_EQ(Shown(Column::kIdColumn, 0), "ID");
    EXPECT_EQ(Shown(Column::kTextColumn, 0), "Text");
    EXPECT_EQ(Shown(Column::kCommentsColumn, 0), "Comments");

    EXPECT_EQ(Shown(Column::kIndexColumn, 1), "+0");
    EXPECT_EQ(Shown(Column::kIndexColumn, 2), "+1");
    EXPECT_EQ(Shown(Column::kIdColumn, 1), "hero");
    EXPECT_EQ(Shown(Column::kTextColumn, 1), "Ann");
    EXPECT_EQ(Shown(Column::kCommentsColumn, 1), "the heroine");
    EXPECT_EQ(Shown(Column::kTextColumn, 2), "Hello [hero]\r\nwelcome!");

    EXPECT_FALSE(Cell(Column::kIndexColumn, 1).GetEditable());
    EXPECT_EQ(Cell(Column::kIndexColumn, 1).GetType(), GridCellType::RowNumber);
    EXPECT_TRUE(Cell(Column::kIdColumn, 1).GetEditable());
    EXPECT_EQ(Cell(Column::kIdColumn, 1).GetType(), GridCellType::Text);
    EXPECT_TRUE(Cell(Column::kTextColumn, 1).GetEditable());
    EXPECT_EQ(Cell(Column::kTextColumn, 1).GetType(), GridCellType::MultiLineText);
    EXPECT_EQ(Cell(Column::kCommentsColumn, 1).GetType(), GridCellType::MultiLineText);
}

TEST_F(TextsPanel, InsertingTwiceGivesTwoNewIdsAndPutsTheCursorOnTheLast) {
    EXPECT_TRUE(Panel().InsertItems());
    EXPECT_TRUE(Panel().InsertItems());
    ASSERT_EQ(Resources().Count<CVKT_Text>(), 2);
    EXPECT_EQ(Text(0).ID(), "New ID");
    EXPECT_EQ(Text(1).ID(), "New ID");
    EXPECT_EQ(Text(1).Text(), "");
    EXPECT_TRUE(document_.IsModified());
    EXPECT_EQ(Sheet().RowCount(), 3);
    EXPECT_EQ(Shown(Column::kIdColumn, 2), "New ID");
    EXPECT_EQ(Panel().GetCursorItem(), 1);
}

TEST_F(TextsPanel, AnEditedCellGoesIntoItsItemAndEveryMarkedItem) {
    AddText("a", "one");
    AddText("b", "two");
    AddText("c", "three");
    Panel().Refresh(true);
    Panel().SetMarked(2, false, true, false);

    EditCellText(Column::kTextColumn, 1, QStringLiteral("changed\nover two lines"));
    EXPECT_EQ(Text(0).Text(), "changed\nover two lines");
    EXPECT_EQ(Text(1).Text(), "two");
    EXPECT_EQ(Text(2).Text(), "changed\nover two lines");
    EXPECT_EQ(Shown(Column::kTextColumn, 3), "changed\nover two lines");
    EXPECT_TRUE(document_.IsModified());

    EditCellText(Column::kIdColumn, 2, QStringLiteral("renamed"));
    EXPECT_EQ(Text(1).ID(), "renamed");
    EXPECT_EQ(Text(2).ID(), "renamed");
    EXPECT_EQ(Text(0).ID(), "a");

    EditCellText(Column::kCommentsColumn, 1, QStringLiteral("noted"));
    EXPECT_EQ(Text(0).Comments(), "noted");
    EXPECT_EQ(Text(2).Comments(), "noted");
}

TEST_F(TextsPanel, CopiesFromAnotherRowAndRefusesColumnsAndRowsThatStoreNothing) {
    AddText("a", "one", "first");
    AddText("b", "two", "second");
    Panel().Refresh(true);
    const int fixed = Panel().FixedColumnCount();

    EXPECT_TRUE(
        Panel().ApplyCell(Column::kCommentsColumn + fixed, 2, Column::kCommentsColumn + fixed, 1));
    EXPECT_EQ(Text(1).Comments(), "first");
    EXPECT_EQ(Shown(Column::kCommentsColumn, 2), "first");

    document_.History().Stack().setClean();
    EXPECT_FALSE(
        Panel().ApplyCell(Column::kIndexColumn + fixed, 2, Column::kIndexColumn + fixed, 1));
    EXPECT_FALSE(Panel().ApplyCell(Column::kIdColumn + fixed, 0, Column::kIdColumn + fixed, 1));
    EXPECT_FALSE(Panel().ApplyCell(Column::kIdColumn + fixed, 1, Column::kIdColumn + fixed, 9));
    EXPECT_FALSE(Panel().ApplyCell(Column::kIdColumn + fixed, 3, Column::kIdColumn + fixed, 3));
    EXPECT_EQ(Text(0).ID(), "a");
    EXPECT_EQ(Text(1).ID(), "b");
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(TextsPanel, BytesThatAreNoUtf8SurviveAnEditThatChangesNothing) {
    const std::string latin1 = "caf\xE9 cr\xE8me";
    AddText("\xE9t\xE9", latin1, "\xFF");
    AddText("other", "plain");
    Panel().Refresh(true);
    Panel().SetMarked(1, false, true, false);

    EditCellText(Column::kTextColumn, 1, Cell(Column::kTextColumn, 1).GetText());
    EditCellText(Column::kIdColumn, 1, Cell(Column::kIdColumn, 1).GetText());
    EXPECT_EQ(Text(0).Text(), latin1);
    EXPECT_EQ(Text(0).ID(), "\xE9t\xE9");
    EXPECT_EQ(Text(0).Comments(), "\xFF");
    // The marked row takes the stored bytes, not the shown text.
    EXPECT_EQ(Text(1).Text(), latin1);
    EXPECT_EQ(Text(1).ID(), "\xE9t\xE9");
}

// Through the Edit Value dialog as the user opens it with Return: OK on an
// untouched comment stores nothing; a new line keeps the comment's "\r\n" and goes
// into the marked rows.
// Stored bytes are compared with a shown text in one pass while they are
// ASCII and decoded from the first byte past it.
TEST(StoredText, ShownAsComparesBytesWithTheTextTheyShow) {
    struct Case {
        const char* bytes;
        QString text;
        bool shown;
    };
    const Case cases[] = {
        {"", QString(), true},
        {"abc", QStringLiteral("abc"), true},
        {"abc", QStringLiteral("abd"), false},
        {"ab", QStringLiteral("abc"), false},
        {"abc", QStringLiteral("ab"), false},
        {"caf\xC3\xA9", QStringLiteral("caf\u00E9"), true},
        {"caf\xC3\xA9", QStringLiteral("cafe"), false},
        {"caf\xC3\xA9", QStringLiteral("caf"), false},
        {"x\xC3\xA9y", QStringLiteral("x\u00E9z"), false},
        {"a\xFF", QStringLiteral("a\uFFFD"), true},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(ShownAs(test.bytes, test.text), test.shown) << test.bytes;
        EXPECT_EQ(ShownAs(test.bytes, test.text), test.text == FromStored(test.bytes));
    }
}

TEST_F(TextsPanel, AnUntouchedMultiLineEditKeepsTheBytesAndTheDocumentUnmodified) {
    const std::string comments = "first\r\nsecond \xFF";
    AddText("a", "x", comments);
    AddText("b", "y", "other");
    Panel().Refresh(true);
    CResourceGrid* grid = Panel().Grid();
    grid->MoveCursorTo(Column::kCommentsColumn + Panel().FixedColumnCount(), 1);

    for (const bool edit : {false, true}) {
        QString shown;
        test::AnswerModal<CFormDialog>([edit, &shown](CFormDialog* dialog) {
            auto* lines = qobject_cast<QPlainTextEdit*>(dialog->focusWidget());
            ASSERT_NE(lines, nullptr);
            shown = lines->toPlainText();
            if (edit) {
                QTest::keyClick(lines, Qt::Key_End, Qt::ControlModifier);
                QTest::keyClick(lines, Qt::Key_Return);
                QTest::keyClicks(lines, QStringLiteral("third"));
            }
            dialog->accept();
        });
        QTest::keyClick(grid, Qt::Key_Return);
        EXPECT_EQ(shown, QString::fromUtf8("first\nsecond \xFF"));
        if (!edit) {
            EXPECT_EQ(Text(0).Comments(), comments);
            EXPECT_FALSE(document_.IsModified());
            Panel().SetMarked(1, false, true, false);
        }
    }
    const std::string edited = "first\r\nsecond \xEF\xBF\xBD\r\nthird";
    EXPECT_EQ(Text(0).Comments(), edited);
    EXPECT_EQ(Text(1).Comments(), edited);
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(TextsPanel, DeletesAndMovesThroughTheDocument) {
    AddText("a", "1");
    AddText("b", "2");
    AddText("c", "3");
    Panel().Refresh(true);

    EXPECT_TRUE(Panel().DoMoveItem(0, 2));
    EXPECT_EQ(Text(0).ID(), "b");
    EXPECT_EQ(Text(2).ID(), "a");
    EXPECT_TRUE(document_.IsModified());

    document_.History().Stack().setClean();
    EXPECT_TRUE(Panel().DoMoveItem(1, 1));
    EXPECT_FALSE(document_.IsModified());
    EXPECT_FALSE(Panel().DoMoveItem(5, 0));

    EXPECT_TRUE(Panel().DeleteItem(1));
    EXPECT_FALSE(Panel().DeleteItem(7));
    ASSERT_EQ(Resources().Count<CVKT_Text>(), 2);
    EXPECT_EQ(Text(0).ID(), "b");
    EXPECT_EQ(Text(1).ID(), "a");
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(TextsPanel, MovingDownWithTheKeyboardMovesTheItem) {
    AddText("a", "1");
    AddText("b", "2");
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    Panel().MoveItemsDown();
    EXPECT_EQ(Text(0).ID(), "b");
    EXPECT_EQ(Text(1).ID(), "a");
    EXPECT_EQ(Shown(Column::kIdColumn, 2), "a");
}

TEST_F(TextsPanel, EditMenuHoldsOneDisabledEmptyEntry) {
    QMenu menu;
    EXPECT_TRUE(Panel().AddEditCommands(&menu, CResourcePanel::kFirstEditCommand));
    ASSERT_EQ(menu.actions().size(), 1);
    QAction* entry = menu.actions().first();
    EXPECT_EQ(entry->text(), "Empty");
    EXPECT_EQ(entry->statusTip(), "Empty menu");
    EXPECT_FALSE(entry->isEnabled());
    EXPECT_FALSE(Panel().OnEditCommand(&menu, CResourcePanel::kFirstEditCommand,
                                       CResourcePanel::kFirstEditCommand));
    EXPECT_FALSE(Panel().AddFile(QStringLiteral("/etc/hostname")));
}

TEST_F(TextsPanel, PreviewShowsTheExpandedTextOfEachAffectedItem) {
    AddText("hero", "Ann");
    AddText("greeting", "Hello [hero]!");
    Panel().Refresh(true);
    Panel().SetMarked(0, false, true, false);
    Panel().SetMarked(1, false, true, false);

    // Two bands, each with the text drawn on the Window Face colour.
    const QRect preview(0, 0, 300, 200);
    const QImage image = PreviewImage(preview);
    const QColor face = InterfaceQColor(InterfaceColor::WindowFace);
    int bandsWithText = 0;
    for (const int top : {0, 100}) {
        bool found = false;
        for (int y = top; y < top + 100 && !found; ++y) {
            for (int x = 0; x < 300 && !found; ++x) {
                found = image.pixelColor(x, y) == face;
            }
        }
        bandsWithText += found ? 1 : 0;
    }
    EXPECT_EQ(bandsWithText, 2);
    EXPECT_EQ(image.pixelColor(0, 0), InterfaceQColor(InterfaceColor::DialogFace));
}

// Replace all stores the found texts of every column that keeps one, as
// one undo step whose undo and redo put every field back; the grid shows
// what was stored. Bytes that are no UTF-8 go only where a text changed.
TEST_F(TextsPanel, ReplaceAllIsOneStepThatUndoesAndRedoesEveryField) {
    struct Row {
        std::string id, text, comments;
        std::string replacedId, replacedText, replacedComments;
    };
    const std::vector<Row> rows = {
        {"cat", "a cat and a CAT", "cats", "lion", "a lion and a lion", "lions"},
        {"dog", "no match", "", "dog", "no match", ""},
        {"\xE9t\xE9", "caf\xE9 cat", "\xFF", "\xE9t\xE9", "caf\xEF\xBF\xBD lion", "\xFF"},
        {"\xC3\xA9", "\xC3\x87" "a Cat", "", "\xC3\xA9", "\xC3\x87" "a lion", ""},
    };
    for (const Row& row : rows) {
        AddText(row.id, row.text, row.comments);
    }
    Panel().Refresh(true);
    const auto expectRows = [&](bool replaced, bool shown) {
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            const Row& row = rows[static_cast<size_t>(i)];
            const std::vector<std::pair<int, std::string>> fields = {
                {Column::kIdColumn, replaced ? row.replacedId : row.id},
                {Column::kTextColumn, replaced ? row.replacedText : row.text},
                {Column::kCommentsColumn, replaced ? row.replacedComments : row.comments}};
            EXPECT_EQ(Text(i).ID(), fields[0].second) << i << replaced;
            EXPECT_EQ(Text(i).Text(), fields[1].second) << i << replaced;
            EXPECT_EQ(Text(i).Comments(), fields[2].second) << i << replaced;
            for (const auto& [column, stored] : fields) {
                EXPECT_TRUE(!shown || Shown(column, i + 1) == FromStored(stored)) << i << column;
            }
        }
    };
    CFindOptions options;
    options.text = QStringLiteral("cat");
    options.replace = true;
    options.askBeforeReplace = false;
    options.replacement = QStringLiteral("lion");
    Panel().Search(options);
    expectRows(true, true);
    EXPECT_EQ(document_.History().Stack().count(), 1);
    document_.Undo();
    expectRows(false, false);
    document_.Redo();
    expectRows(true, false);
}

}  // namespace
}  // namespace plexion
