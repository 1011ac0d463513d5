#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "resource_grid.h"

namespace plexion::test {
namespace {

// Plays the user: polls until `answer` has dealt with the window it waits
// for (it returns true then). Call before the code that opens the window.
void WhenShown(std::function<bool()> answer) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, answer = std::move(answer)] {
        if (answer()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

// Answers the Edit Value dialog: remembers what its field held, then types
// `text` and presses OK (or Cancel when `accept` is false).
void AnswerEditValue(QString* shown, const QString& text, bool accept = true) {
    WhenShown([=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return false;
        }
        EXPECT_EQ(dialog->windowTitle(), "Edit Value");
        if (auto* line = dialog->findChild<QLineEdit*>()) {
            *shown = line->text();
            line->setText(text);
        } else if (auto* plain = dialog->findChild<QPlainTextEdit*>()) {
            *shown = "multi-line:" + plain->toPlainText();
            plain->setPlainText(text);
        } else if (auto* rich = dialog->findChild<QTextEdit*>()) {
            *shown = "multi-line:" + rich->toPlainText();
            rich->setPlainText(text);
        }
        accept ? dialog->accept() : dialog->reject();
        return true;
    });
}

const QStringList kFruits{"Apple", "Pear", "Plum"};

// One editable cell under the cursor of a small grid, with the edit
// notifications recorded.
class GridEditing : public ::testing::Test {
protected:
    void SetUp() override {
        grid_.Sheet().SetColumnCount(3);
        grid_.Sheet().SetRowCount(3);
        grid_.resize(400, 200);
        grid_.RecomputeScrollRanges();
        cell_ = grid_.Sheet().Cell(1, 1);
        cell_->SetEditable(true);
        grid_.MoveCursorTo(1, 1);
        QObject::connect(&grid_, &CResourceGrid::editRequested,
                         [this](CResourceGrid*, CGridEditRequest* request) {
                             EXPECT_EQ(request->cell, cell_);
                             log_.push_back("request " + request->typed.toStdString());
                         });
        QObject::connect(&grid_, &CResourceGrid::cellEdited,
                         [this](CResourceGrid*) { log_.push_back("edited"); });
    }
    void Type(const QString& text) { QTest::keyClicks(&grid_, text); }
    void Return() { QTest::keyClick(&grid_, Qt::Key_Return); }

    CResourceGrid grid_;
    CGridCell* cell_ = nullptr;
    std::vector<std::string> log_;
};

using Log = std::vector<std::string>;

TEST_F(GridEditing, ATypedCharacterOpensTheDialogWithThatCharacter) {
    cell_->SetType(GridCellType::Text);
    cell_->SetText("old");
    QString shown;
    AnswerEditValue(&shown, "new text");
    Type("q");
    EXPECT_EQ(shown, "q");
    EXPECT_EQ(cell_->GetText(), "new text");
    EXPECT_EQ(log_, (Log{"request q", "edited"}));
}

TEST_F(GridEditing, ReturnOpensTheDialogWithTheCurrentText) {
    cell_->SetType(GridCellType::Integer);
    cell_->SetInt(5);
    QString shown;
    AnswerEditValue(&shown, "12 px");
    Return();
    EXPECT_EQ(shown, "+5");
    EXPECT_EQ(cell_->GetInt(), 12);
}

TEST_F(GridEditing, TheDialogShowsThePreviousValue) {
    cell_->SetType(GridCellType::Real);
    cell_->SetDouble(0.5);
    QString previous;
    WhenShown([&previous] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return false;
        }
        for (const QWidget* child : dialog->findChildren<QWidget*>()) {
            for (const char* property : {"text", "plainText"}) {
                const QString text = child->property(property).toString();
                if (text.startsWith("Previous Value:")) {
                    previous = text;
                }
            }
        }
        dialog->reject();
        return true;
    });
    Type("7");
    EXPECT_EQ(previous, "Previous Value:\n+0.5");
}

TEST_F(GridEditing, CancelChangesNothing) {
    cell_->SetType(GridCellType::Integer);
    cell_->SetInt(5);
    QString shown;
    AnswerEditValue(&shown, "99", false);
    Type("9");
    EXPECT_EQ(cell_->GetInt(), 5);
    EXPECT_EQ(log_, (Log{"request 9"}));
}

TEST_F(GridEditing, AMultiLineCellIsEditedInAMultiLineField) {
    cell_->SetType(GridCellType::MultiLineText);
    cell_->SetText("a\nb");
    QString shown;
    AnswerEditValue(&shown, "c\nd");
    Return();
    EXPECT_EQ(shown, "multi-line:a\nb");
    EXPECT_EQ(cell_->GetText(), "c\nd");
}

TEST_F(GridEditing, ARowNumberCellEditsItsOffset) {
    cell_->SetType(GridCellType::RowNumber);
    QString shown;
    AnswerEditValue(&shown, "10");
    Return();
    EXPECT_EQ(shown, "+1");
    EXPECT_EQ(cell_->GetInt(), 10);
    EXPECT_EQ(grid_.Sheet().DisplayText(1, 1), "+11");
}

TEST_F(GridEditing, TheColourChooserStoresTheColourAndKeepsTheAlpha) {
    cell_->SetType(GridCellType::Color);
    cell_->SetColor(MakeColor(10, 20, 30), 0x40);
    QColor start;
    WhenShown([&start] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return false;
        }
        start = dialog->currentColor();
        dialog->setCurrentColor(QColor(0, 0, 255));
        dialog->accept();
        return true;
    });
    Type("x");
    EXPECT_EQ(start, QColor(10, 20, 30));
    EXPECT_EQ(cell_->GetColor(), (CGridColor{MakeColor(0, 0, 255), 0x40}));
    EXPECT_EQ(log_, (Log{"request x", "edited"}));
}

TEST_F(GridEditing, CancellingTheColourChooserChangesNothing) {
    cell_->SetType(GridCellType::Color);
    WhenShown([] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            return false;
        }
        dialog->setCurrentColor(QColor(0, 0, 255));
        dialog->reject();
        return true;
    });
    Return();
    EXPECT_EQ(cell_->GetColor(), (CGridColor{0, 255}));
    EXPECT_EQ(log_, (Log{"request "}));
}

class GridListEditing : public GridEditing {
protected:
    void SetUp() override {
        GridEditing::SetUp();
        cell_->SetType(GridCellType::ListChoice);
        cell_->SetList(&kFruits, 0);
    }
    // Waits for the menu; `choose` gets it and picks or dismisses.
    static void WhenMenuShown(std::function<void(QMenu*)> choose) {
        WhenShown([choose = std::move(choose)] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr || !menu->isVisible()) {
                return false;
            }
            choose(menu);
            return true;
        });
    }
};

TEST_F(GridListEditing, TheMenuListsTheEntriesWithTheCurrentOneChecked) {
    QStringList names;
    std::vector<bool> checked;
    QRect menuGeometry;
    WhenMenuShown([&](QMenu* menu) {
        for (const QAction* action : menu->actions()) {
            names.push_back(action->text());
            checked.push_back(action->isChecked());
        }
        menuGeometry = menu->geometry();
        menu->setActiveAction(menu->actions().at(2));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    Return();
    EXPECT_EQ(names, kFruits);
    EXPECT_EQ(checked, (std::vector<bool>{true, false, false}));
    const QRect cell = grid_.Sheet().CellRect(1, 1);
    EXPECT_EQ(menuGeometry.top(), grid_.mapToGlobal(QPoint(0, cell.bottom() + 1)).y());
    EXPECT_NEAR(menuGeometry.center().x(), grid_.mapToGlobal(cell.center()).x(), 1);
    EXPECT_EQ(cell_->GetInt(), 2);
    EXPECT_EQ(cell_->GetText(), "Plum");
    EXPECT_EQ(log_, (Log{"request ", "edited"}));
}

TEST_F(GridListEditing, ADismissedMenuOpensTheDialogWhereANameSelects) {
    QString shown;
    WhenMenuShown([&shown](QMenu* menu) {
        AnswerEditValue(&shown, "Pear");
        menu->close();
    });
    Type("P");
    EXPECT_EQ(shown, "P");
    EXPECT_EQ(cell_->GetInt(), 1);
    EXPECT_EQ(log_, (Log{"request P", "edited"}));
}

TEST_F(GridListEditing, ANameThatMatchesNothingLeavesTheCell) {
    QString shown;
    WhenMenuShown([&shown](QMenu* menu) {
        AnswerEditValue(&shown, "Banana");
        menu->close();
    });
    Return();
    EXPECT_EQ(shown, "Apple");
    EXPECT_EQ(cell_->GetInt(), 0);
    EXPECT_EQ(log_, (Log{"request "}));
}

TEST_F(GridListEditing, ACellWithoutAListGoesStraightToTheDialog) {
    cell_->SetList(nullptr, 0);
    QString shown;
    AnswerEditValue(&shown, "Plum");
    Return();
    EXPECT_EQ(shown, "");
    EXPECT_EQ(log_, (Log{"request "}));
}

TEST_F(GridEditing, AnOwnerThatRebuildsTheSheetDuringTheRequestGetsNoStaleEdit) {
    cell_->SetType(GridCellType::YesNo);
    QObject::connect(&grid_, &CResourceGrid::editRequested,
                     [this](CResourceGrid*, CGridEditRequest*) { grid_.Sheet().SetRowCount(1); });
    Return();
    EXPECT_EQ(log_, (Log{"request "}));
}

}  // namespace
}  // namespace plexion::test
