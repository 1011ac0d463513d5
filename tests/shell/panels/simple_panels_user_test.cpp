#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QPlainTextEdit>

#include "binary_file_item.h"
#include "binary_files_panel.h"
#include "color_item.h"
#include "colors_panel.h"
#include "panel_user.h"
#include "simple_panel_fixture.h"
#include "text_item.h"
#include "texts_panel.h"

namespace plexion {
namespace {

using test::AnswerEditValue;
using test::WhenShown;

// Once the multi-line Edit Value dialog opens, puts `text` in its field and
// presses OK.
void AnswerMultiLineEditValue(const QString& text) {
    WhenShown([text] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return false;
        }
        auto* field = dialog->findChild<QPlainTextEdit*>();
        EXPECT_NE(field, nullptr);
        if (field != nullptr) {
            field->setPlainText(text);
        }
        dialog->accept();
        return true;
    });
}

class TextsPanelUser : public test::CSimplePanelTest<CTextsPanel> {
protected:
    void SetUp() override {
        test::CSimplePanelTest<CTextsPanel>::SetUp();
        for (const char* id : {"a", "b", "c"}) {
            Resources().GetAt<CVKT_Text>(Resources().New<CVKT_Text>(id))->SetText("text");
        }
        Panel().Refresh(true);
        ASSERT_TRUE(test::FocusGrid(Panel()));
    }
    CVKT_Text& Text(int index) { return *Resources().GetAt<CVKT_Text>(index); }
};

TEST_F(TextsPanelUser, ReturnOnAnIdEditsItAndTheMarkedItems) {
    Panel().SetMarked(2, true, true, true);
    AnswerEditValue(QStringLiteral("hero"));
    test::EditWithReturn(Panel(), CTextsPanel::kIdColumn, 1);
    EXPECT_EQ(Text(0).ID(), "hero");
    EXPECT_EQ(Text(1).ID(), "b");
    EXPECT_EQ(Text(2).ID(), "hero");
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(TextsPanelUser, TextsAreEditedOverSeveralLines) {
    AnswerMultiLineEditValue(QStringLiteral("first line\nsecond line"));
    test::EditWithReturn(Panel(), CTextsPanel::kTextColumn, 2);
    EXPECT_EQ(Text(1).Text(), "first line\nsecond line");
    EXPECT_EQ(Text(0).Text(), "text");
}

TEST_F(TextsPanelUser, InsertKeyAddsANewText) {
    test::PressOnGrid(Panel(), Qt::Key_Insert);
    ASSERT_EQ(Resources().Count<CVKT_Text>(), 4);
    EXPECT_EQ(Text(3).ID(), "New ID");
    EXPECT_EQ(Panel().GetCursorItem(), 3);
    EXPECT_EQ(Shown(CTextsPanel::kIdColumn, 4), "New ID");
}

TEST_F(TextsPanelUser, DeleteKeyRemovesTheAffectedTexts) {
    Panel().SetMarked(0, true, true, true);
    Panel().SetCursorItem(2);
    test::PressOnGrid(Panel(), Qt::Key_Delete);
    ASSERT_EQ(Resources().Count<CVKT_Text>(), 1);
    EXPECT_EQ(Text(0).ID(), "b");
    EXPECT_EQ(Sheet().RowCount(), 2);
}

using ColorsPanelUser = test::CSimplePanelTest<CColorsPanel>;

TEST_F(ColorsPanelUser, TheContextMenuInsertsAColor) {
    test::ChooseMenuEntry(0);
    EXPECT_TRUE(Panel().ShowContextMenu());
    ASSERT_EQ(Resources().Count<CVKT_Color>(), 1);
    EXPECT_EQ(Resources().GetAt<CVKT_Color>(0)->ID(), "New ID");
    EXPECT_EQ(Shown(CColorsPanel::kIdColumn, 1), "New ID");

    std::unique_ptr<QMenu> owner;
    QMenu* edit = test::EditSubmenu(Panel(), owner);
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->actions().size(), 1);
    EXPECT_EQ(edit->actions().first()->text(), "Empty");
    EXPECT_FALSE(edit->actions().first()->isEnabled());
}

using BinaryFilesPanelUser = test::CSimplePanelTest<CBinaryFilesPanel>;

TEST_F(BinaryFilesPanelUser, TheEditSubmenuOffersToSaveTheSource) {
    std::unique_ptr<QMenu> owner;
    QMenu* edit = test::EditSubmenu(Panel(), owner);
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->actions().size(), 1);
    QAction* save = edit->actions().first();
    EXPECT_EQ(save->text(), "&Save Binary File Source...");
    EXPECT_EQ(save->statusTip(), "Save the source file to a separate file");
    EXPECT_EQ(save->data().toInt(), CResourcePanel::kFirstEditCommand);
}

}  // namespace
}  // namespace plexion
