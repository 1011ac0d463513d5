#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
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

// The value field that can be edited, and the read-only previous value
// after the labels, as they read from top to bottom.
CSeen Look(CFormDialog* dialog) {
    CSeen seen;
    seen.caption = dialog->windowTitle();
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        seen.labels << label->text();
    }
    for (QPlainTextEdit* lines : dialog->findChildren<QPlainTextEdit*>()) {
        if (lines->isReadOnly()) {
            seen.labels << lines->toPlainText();
        } else {
            seen.field = lines->toPlainText();
            seen.multiLine = true;
        }
    }
    if (auto* edit = dialog->findChild<QLineEdit*>()) {
        seen.field = edit->text();
    }
    return seen;
}

QPlainTextEdit* ValueLines(CFormDialog* dialog) {
    for (QPlainTextEdit* lines : dialog->findChildren<QPlainTextEdit*>()) {
        if (!lines->isReadOnly()) {
            return lines;
        }
    }
    return nullptr;
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
        QPlainTextEdit* lines = ValueLines(dialog);
        lines->moveCursor(QTextCursor::End);
        QTest::keyClick(lines, Qt::Key_Return);
        QTest::keyClicks(lines, QStringLiteral("three"));
        dialog->accept();
    });
    CEditValueOptions options;
    options.sectionTitle = QStringLiteral("Item");
    options.multiLine = true;
    const std::optional<QString> result =
        EditValueDialog(nullptr, QStringLiteral("Rename"), QStringLiteral("one\r\ntwo"), options);
    EXPECT_EQ(seen.caption, "Rename");
    EXPECT_TRUE(seen.multiLine);
    EXPECT_EQ(seen.field, "one\ntwo");
    EXPECT_EQ(seen.labels, QStringList({"Item", "&Value", "Previous Value:\none\ntwo"}));
    EXPECT_EQ(result, QString("one\r\ntwo\r\nthree"));
}

// A text begun by typing replaces the previous one and keeps its line break.
TEST(EditValueDialog, TypedMultiLineTextKeepsThePreviousLineBreak) {
    AnswerModal<CFormDialog>([](CFormDialog* dialog) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
        QTest::keyClicks(dialog->focusWidget(), QStringLiteral("x"));
        dialog->accept();
    });
    const std::optional<QString> result =
        EditValueDialog(nullptr, QStringLiteral("Edit Value"), QStringLiteral("a\r\nb"),
                        {.start = QStringLiteral("n"), .multiLine = true});
    EXPECT_EQ(result, QString("n\r\nx"));
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

// A long previous value scrolls in its own box; the value field keeps at
// least half of the dialog, however the dialog is sized.
TEST(EditValueDialog, LongPreviousValueLeavesTheFieldItsRoom) {
    QStringList manyLines;
    for (int i = 0; i < 300; ++i) {
        manyLines << QStringLiteral("line %1 of a long previous value").arg(i);
    }
    const QString previous = manyLines.join(u'\n');
    for (const QSize grown : {QSize(0, 0), QSize(200, 400)}) {
        int fieldHeight = 0;
        int dialogHeight = 0;
        bool previousScrolls = false;
        AnswerModal<CFormDialog>([&](CFormDialog* dialog) {
            dialog->resize(dialog->size() + grown);
            QApplication::processEvents();
            fieldHeight = ValueLines(dialog)->height();
            dialogHeight = dialog->height();
            for (QPlainTextEdit* lines : dialog->findChildren<QPlainTextEdit*>()) {
                if (lines->isReadOnly()) {
                    previousScrolls = lines->verticalScrollBar()->maximum() > 0;
                }
            }
            dialog->reject();
        });
        CEditValueOptions options;
        options.multiLine = true;
        EditValueDialog(nullptr, QStringLiteral("Edit Value"), previous, options);
        EXPECT_GE(fieldHeight * 2, dialogHeight) << grown.height();
        EXPECT_TRUE(previousScrolls);
    }
}

}  // namespace
}  // namespace plexion
