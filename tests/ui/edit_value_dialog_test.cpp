#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "edit_value_dialog.h"
#include "form_dialog.h"
#include "modal_answer.h"

namespace plexion {
namespace {

using test::AnswerModal;

// What the user saw in the dialog.
struct CSeen {
    QString caption;
    QStringList labels;
    QString field;
    bool multiLine = false;
};

CSeen Look(CFormDialog* dialog) {
    CSeen seen;
    seen.caption = dialog->windowTitle();
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        seen.labels << label->text();
    }
    if (auto* edit = dialog->findChild<QLineEdit*>()) {
        seen.field = edit->text();
    } else if (auto* lines = dialog->findChild<QPlainTextEdit*>()) {
        seen.field = lines->toPlainText();
        seen.multiLine = true;
    }
    return seen;
}

TEST(EditValueDialog, ShowsTitleFieldAndPreviousValueAndOkGivesTheText) {
    CSeen seen;
    AnswerModal<CFormDialog>([&seen](CFormDialog* dialog) {
        seen = Look(dialog);
        auto* edit = dialog->findChild<QLineEdit*>();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, QStringLiteral("5"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    const std::optional<QString> result =
        EditValueDialog(nullptr, QStringLiteral("Edit Value"), QStringLiteral("+12"));
    EXPECT_EQ(seen.caption, "Edit Value");
    EXPECT_EQ(seen.labels, QStringList({"Edit Cell(s) Value", "&Value", "Previous Value:\n+12"}));
    EXPECT_EQ(seen.field, "+12");
    EXPECT_FALSE(seen.multiLine);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, "5");
}

TEST(EditValueDialog, StartsFromTheTypedCharacter) {
    CSeen seen;
    AnswerModal<CFormDialog>([&seen](CFormDialog* dialog) {
        seen = Look(dialog);
        auto* edit = dialog->findChild<QLineEdit*>();
        QTest::keyClicks(edit, QStringLiteral("uit"));
        dialog->accept();
    });
    const std::optional<QString> result = EditValueDialog(nullptr, QStringLiteral("Edit Value"),
                                                          QStringLiteral("Old"), {.start = "q"});
    EXPECT_EQ(seen.field, "q");
    EXPECT_TRUE(seen.labels.contains("Previous Value:\nOld"));
    EXPECT_EQ(result, QString("quit"));
}

TEST(EditValueDialog, CancelGivesNothing) {
    AnswerModal<CFormDialog>([](CFormDialog* dialog) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(), QStringLiteral("changed"));
        dialog->reject();
    });
    EXPECT_FALSE(EditValueDialog(nullptr, QStringLiteral("Edit Value"), QStringLiteral("x")));
}

TEST(EditValueDialog, MultiLineValuesAndOwnSectionTitle) {
    CSeen seen;
    AnswerModal<CFormDialog>([&seen](CFormDialog* dialog) {
        seen = Look(dialog);
        auto* lines = dialog->findChild<QPlainTextEdit*>();
        lines->moveCursor(QTextCursor::End);
        QTest::keyClick(lines, Qt::Key_Return);
        QTest::keyClicks(lines, QStringLiteral("three"));
        dialog->accept();
    });
    CEditValueOptions options;
    options.sectionTitle = QStringLiteral("Item");
    options.multiLine = true;
    const std::optional<QString> result =
        EditValueDialog(nullptr, QStringLiteral("Rename"), QStringLiteral("one\ntwo"), options);
    EXPECT_EQ(seen.caption, "Rename");
    EXPECT_TRUE(seen.multiLine);
    EXPECT_EQ(seen.field, "one\ntwo");
    EXPECT_EQ(seen.labels, QStringList({"Item", "&Value", "Previous Value:\none\ntwo"}));
    EXPECT_EQ(result, QString("one\ntwo\nthree"));
}

// Keys typed right after the dialog opens reach the field: after the
// character that began the edit, or over the whole value after Return.
TEST(EditValueDialog, KeysGoToTheFieldAtOnce) {
    for (const bool multiLine : {false, true}) {
        for (const bool typed : {true, false}) {
            AnswerModal<CFormDialog>([](CFormDialog* dialog) {
                QTest::keyClicks(dialog->focusWidget(), QStringLiteral("ew"));
                dialog->accept();
            });
            CEditValueOptions options;
            options.multiLine = multiLine;
            if (typed) {
                options.start = QStringLiteral("n");
            }
            const std::optional<QString> result =
                EditValueDialog(nullptr, QStringLiteral("Edit Value"), QStringLiteral("old"), options);
            EXPECT_EQ(result, typed ? QString("new") : QString("ew")) << multiLine;
        }
    }
}

}  // namespace
}  // namespace plexion
