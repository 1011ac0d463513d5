#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTest>

#include <string>

#include "find_options.h"
#include "form_dialog.h"
#include "modal_answer.h"
#include "plexion_doc.h"
#include "resource_grid.h"
#include "stored_text.h"
#include "text_item.h"
#include "text_list_panel.h"

namespace plexion::test {
namespace {

using Items = std::vector<int>;
constexpr int kTextGridColumn = 3;

// A panel whose texts read `texts`, the cursor on the header's first cell.
struct CTextsPanel {
    explicit CTextsPanel(const QStringList& texts) : container(MakeTexts(Numbers(texts.size()))) {
        for (int i = 0; i < texts.size(); ++i) {
            Loaded(*container).GetAt<CVKT_Text>(i)->SetText(ToStored(texts[i]));
        }
        panel = ShowPanel(container.get());
        panel->Grid()->MoveCursorTo(0, 0);
    }
    QString Text(int item) const { return FromStored(container->Resources().GetAt<CVKT_Text>(item)->Text()); }
    QPoint Cursor() const { return panel->Grid()->Sheet().Cursor(); }

    std::unique_ptr<CPlexionDoc> container;
    std::unique_ptr<CTextListPanel> panel;
};

CFindOptions Find(const QString& text) {
    CFindOptions options;
    options.text = text;
    return options;
}

TEST(PanelSearch, WholeWordTestsOnlyTheFirstOccurrence) {
    CTextsPanel texts({"cats", "concat cat", "a cat b", "cat"});
    CFindOptions options = Find("cat");
    options.wholeWord = true;
    EXPECT_TRUE(texts.panel->Search(options));
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 3));
    EXPECT_EQ(texts.panel->GetCursorItem(), 2);
    EXPECT_TRUE(texts.panel->Search(options));
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 4));
    // The walk wraps to the top and finds the first again.
    EXPECT_TRUE(texts.panel->Search(options));
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 3));
    // Without whole words the first cell holding the text is found.
    EXPECT_TRUE(texts.panel->Search(Find("cat")));
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 4));
    EXPECT_TRUE(texts.panel->Search(Find("cat")));
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 1));
}

TEST(PanelSearch, CaseAndDirection) {
    CTextsPanel texts({"Alpha", "beta", "ALPHA"});
    CFindOptions options = Find("alpha");
    options.matchCase = true;
    EXPECT_FALSE(texts.panel->Search(options));
    EXPECT_EQ(texts.Cursor(), QPoint(0, 0));
    options.matchCase = false;
    options.backward = true;
    // Backward from the top-left cell wraps to the last row first.
    EXPECT_TRUE(texts.panel->Search(options));
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 3));
    EXPECT_TRUE(texts.panel->Search(options));
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 1));
    // An empty text finds nothing.
    EXPECT_FALSE(texts.panel->Search(Find("")));
}

TEST(PanelSearch, TheStartingCellIsTestedLast) {
    CTextsPanel texts({"x", "needle", "y"});
    texts.panel->Grid()->MoveCursorTo(kTextGridColumn, 2);
    EXPECT_TRUE(texts.panel->Search(Find("needle")));
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 2));
}

TEST(PanelSearch, HeaderAndSelectCellsTakePart) {
    CTextsPanel texts({"a", "b", "c", "d"});
    texts.panel->SetMarked(2, false, true, true);
    CFindOptions yes = Find("Yes");
    yes.matchCase = true;
    EXPECT_TRUE(texts.panel->Search(yes));
    EXPECT_EQ(texts.Cursor(), QPoint(CResourcePanel::kSelectColumn, 3));
    texts.panel->Grid()->MoveCursorTo(4, 4);
    EXPECT_TRUE(texts.panel->Search(Find("Value")));
    EXPECT_EQ(texts.Cursor(), QPoint(4, 0));
    EXPECT_EQ(texts.panel->GetCursorItem(), -1);
}

TEST(PanelSearch, InSelectedLooksOnlyAtMarkedItems) {
    CTextsPanel texts({"dog", "dog", "cat", "dog"});
    texts.panel->SetMarked(3, false, true, true);
    CFindOptions options = Find("dog");
    options.inSelected = true;
    EXPECT_TRUE(texts.panel->Search(options));
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 4));
}

TEST(PanelSearch, SelectItemsMarksEveryFoundItem) {
    CTextsPanel texts({"dog", "cat", "hot dog", "cow", "dog"});
    texts.panel->SetMarked(1, false, true, true);
    CFindOptions options = Find("dog");
    options.selectItems = true;
    options.unselectPrevious = false;
    // A select run goes through the whole grid and reports no stop.
    EXPECT_FALSE(texts.panel->Search(options));
    EXPECT_EQ(texts.panel->GetAffectedItems(true, false), (Items{0, 1, 2, 4}));
    EXPECT_EQ(texts.panel->GetCursorItem(), 0);
    EXPECT_EQ(texts.panel->Grid()->StatusPrefix(), "Selected: 4");
    options.unselectPrevious = true;
    options.text = "cow";
    EXPECT_FALSE(texts.panel->Search(options));
    EXPECT_EQ(texts.panel->GetAffectedItems(true, false), (Items{3}));
    EXPECT_EQ(texts.panel->GetCursorItem(), 3);
}

TEST(PanelSearch, ReplaceAsksAndNoSkipsAndCancelStops) {
    CTextsPanel texts({"dog", "dog", "dog", "dog"});
    CFindOptions options = Find("dog");
    options.replace = true;
    options.replacement = "cat";
    QStringList questions;
    const std::vector<QMessageBox::StandardButton> answers = {QMessageBox::No, QMessageBox::Yes,
                                                              QMessageBox::Cancel};
    std::function<void(size_t)> answerNext = [&](size_t i) {
        AnswerModal<QMessageBox>([&, i](QMessageBox* box) {
            questions << box->text();
            if (i + 1 < answers.size()) {
                answerNext(i + 1);
            }
            box->button(answers[i])->click();
        });
    };
    answerNext(0);
    int edits = 0;
    QObject::connect(texts.panel.get(), &CResourcePanel::itemsEdited, [&edits] { ++edits; });
    EXPECT_TRUE(texts.panel->Search(options));
    EXPECT_EQ(questions, QStringList(3, "Replace \"DOG\" with \"cat\" ?"));
    EXPECT_EQ(texts.Text(0), "dog");
    EXPECT_EQ(texts.Text(1), "cat");
    EXPECT_EQ(texts.Text(2), "dog");
    EXPECT_EQ(texts.Text(3), "dog");
    EXPECT_EQ(texts.panel->Grid()->Sheet().DisplayText(kTextGridColumn, 2), "cat");
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 3));
    EXPECT_EQ(edits, 1);
}

// The question leaves the event loop running: a text another edit changed
// meanwhile is replaced as it shows when the answer comes.
TEST(PanelSearch, ATextChangedWhileAskedIsReplacedAsItShowsThen) {
    CTextsPanel texts({"dog", "cat"});
    CFindOptions options = Find("dog");
    options.replace = true;
    options.replacement = "cow";
    AnswerModal<QMessageBox>([&texts](QMessageBox* box) {
        texts.container->Edit(QStringLiteral("Edit Text"), [](CVKT_ResourceContainer& resources) {
            resources.GetAt<CVKT_Text>(0)->SetText("hot dog");
            return true;
        });
        texts.panel->Refresh(true);
        box->button(QMessageBox::Yes)->click();
    });
    texts.panel->Search(options);
    EXPECT_EQ(texts.Text(0), "hot cow");
    EXPECT_EQ(texts.panel->Grid()->Sheet().DisplayText(kTextGridColumn, 1), "hot cow");
    EXPECT_EQ(texts.Text(1), "cat");
}

TEST(PanelSearch, ReplaceWithoutAskingKeepsTheOtherLetters) {
    CTextsPanel texts({"Dog house DOG", "xdOgx", "cat"});
    CFindOptions options = Find("dog");
    options.replace = true;
    options.askBeforeReplace = false;
    options.replacement = "Cat";
    EXPECT_FALSE(texts.panel->Search(options));
    EXPECT_EQ(texts.Text(0), "Cat house Cat");
    EXPECT_EQ(texts.Text(1), "xCatx");
    EXPECT_EQ(texts.Text(2), "cat");
    // Match case replaces only what matches exactly.
    options.text = "Cat";
    options.matchCase = true;
    options.replacement = "Dog";
    EXPECT_FALSE(texts.panel->Search(options));
    EXPECT_EQ(texts.Text(0), "Dog house Dog");
    EXPECT_EQ(texts.Text(2), "cat");
}

// Replacements as long as what they replace are made in the cells' own
// texts, others anew, ASCII or not: each is what its item stores and what
// its cell shows, and one undo puts them all back.
TEST(PanelSearch, ReplacedTextsAreStoredAsShownAndUndoneAtOnce) {
    const QStringList before = {"dog dog", "grüner dog", "DOG", "hot-dog"};
    struct Case {
        const char* replacement;
        QStringList after;
    };
    const Case cases[] = {
        {"cat", {"cat cat", "grüner cat", "cat", "hot-cat"}},
        {"hünd", {"hünd hünd", "grüner hünd", "hünd", "hot-hünd"}},
        {"ox", {"ox ox", "grüner ox", "ox", "hot-ox"}},
        {"dog", {"dog dog", "grüner dog", "dog", "hot-dog"}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.replacement);
        CTextsPanel texts(before);
        CFindOptions options = Find("dog");
        options.replace = true;
        options.askBeforeReplace = false;
        options.replacement = QString::fromUtf8(test.replacement);
        EXPECT_FALSE(texts.panel->Search(options));
        const CGridSheet& sheet = texts.panel->Grid()->Sheet();
        for (int i = 0; i < before.size(); ++i) {
            EXPECT_EQ(texts.Text(i), test.after[i]);
            EXPECT_EQ(sheet.DisplayText(kTextGridColumn, i + 1), test.after[i]);
        }
        texts.container->Undo();
        // As the view has every panel showing texts do after a change.
        texts.panel->Refresh(true);
        for (int i = 0; i < before.size(); ++i) {
            EXPECT_EQ(texts.Text(i), before[i]);
            EXPECT_EQ(sheet.DisplayText(kTextGridColumn, i + 1), before[i]);
        }
    }
}

TEST(PanelSearch, ReplaceConvertsToTheCellTypeAndLeavesFixedCells) {
    CTextsPanel texts({"a", "b"});
    Loaded(*texts.container).GetAt<CVKT_Text>(0)->SetValue(12);
    texts.panel->Refresh(true);
    texts.panel->Grid()->MoveCursorTo(0, 0);
    CFindOptions options = Find("1");
    options.replace = true;
    options.askBeforeReplace = false;
    options.replacement = "7";
    EXPECT_FALSE(texts.panel->Search(options));
    // "+12" became "+72" and was read as a number; the row number cells
    // and the IDs' header stay as they were.
    EXPECT_EQ(texts.container->Resources().GetAt<CVKT_Text>(0)->Value(), 72);
    EXPECT_EQ(texts.container->Resources().GetAt<CVKT_Text>(1)->Value(), 7);
    EXPECT_EQ(texts.panel->Grid()->Sheet().DisplayText(0, 1), "1");
    EXPECT_EQ(FromStored(texts.container->Resources().GetAt<CVKT_Text>(1)->ID()), "7");
}

TEST(PanelSearch, FindNextAndPreviousUseTheRememberedText) {
    CTextsPanel texts({"red", "green", "red"});
    RememberedFindOptions() = Find("red");
    RememberedFindOptions().replace = true;
    RememberedFindOptions().selectItems = true;
    EXPECT_TRUE(texts.panel->FindNext());
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 1));
    EXPECT_TRUE(texts.panel->FindNext());
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 3));
    EXPECT_TRUE(texts.panel->FindPrevious());
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 1));
    EXPECT_EQ(texts.Text(0), "red");
    EXPECT_TRUE(texts.panel->GetAffectedItems(true, false).empty());
    RememberedFindOptions() = CFindOptions();
}

TEST(PanelSearch, FindDialogRemembersItsValuesOnOkOnly) {
    CTextsPanel texts({"one", "two", "three"});
    RememberedFindOptions() = CFindOptions();
    QStringList labels;
    AnswerModal<CFormDialog>([&labels](CFormDialog* dialog) {
        for (const QLabel* label : dialog->findChildren<QLabel*>()) {
            labels << label->text();
        }
        for (const QCheckBox* box : dialog->findChildren<QCheckBox*>()) {
            labels << box->text();
        }
        QTest::keyClicks(dialog->findChildren<QLineEdit*>().at(0), "two");
        dialog->accept();
    });
    EXPECT_TRUE(texts.panel->ShowFindDialog());
    EXPECT_EQ(texts.Cursor(), QPoint(kTextGridColumn, 2));
    EXPECT_EQ(RememberedFindOptions().text, "two");
    for (const char* label :
         {"Find Text", "&Text", "Match &Case", "Match &Whole Word Only", "Go &Backward",
          "Advanced", "&Find in Selected Items", "&Select Items",
          "&Unselect Previously Selected Items", "&Replace", "Replacecement S&tring",
          "Ask Before Replace"}) {
        EXPECT_TRUE(labels.contains(label)) << label;
    }
    AnswerModal<CFormDialog>([](CFormDialog* dialog) {
        QTest::keyClicks(dialog->findChildren<QLineEdit*>().at(0), "more");
        dialog->reject();
    });
    EXPECT_FALSE(texts.panel->ShowFindDialog());
    EXPECT_EQ(RememberedFindOptions().text, "two");
    RememberedFindOptions() = CFindOptions();
}

// A replace over many rows is one change of the document, told once; when
// it runs long enough to show its progress, Cancel keeps the rows replaced
// so far (in the order the walk visits them) and stops there.
TEST(PanelSearch, ReplaceAllIsOneChangeAndCancelKeepsWhatWasReplaced) {
    constexpr int kTexts = 10000;
    for (const bool cancel : {false, true}) {
        CPlexionDoc document;
        document.Edit(QStringLiteral("Add Texts"), [](CVKT_ResourceContainer& resources) {
            for (int i = 0; i < kTexts; ++i) {
                resources.GetAt<CVKT_Text>(resources.New<CVKT_Text>("id " + std::to_string(i)))
                    ->SetText("dog");
            }
            return true;
        });
        CTextListPanel panel(nullptr);
        panel.SetDocument(&document, nullptr);
        panel.SetResourceContainer(&document.Resources());
        panel.CreatePanel(nullptr, QRect(0, 0, 600, 400));
        panel.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
        panel.Grid()->MoveCursorTo(0, 0);
        int changes = 0;
        QObject::connect(&document, &CPlexionDoc::changed, [&changes] { ++changes; });
        if (cancel) {
            panel.SetProgressDelay(0);
            AnswerModal<QProgressDialog>([](QProgressDialog* progress) { progress->cancel(); });
        }
        CFindOptions options = Find("dog");
        options.replace = true;
        options.askBeforeReplace = false;
        options.replacement = "cat";
        EXPECT_EQ(panel.Search(options), cancel);
        int replaced = 0;
        for (int i = 0; i < kTexts; ++i) {
            const std::string& text = document.Resources().GetAt<CVKT_Text>(i)->Text();
            if (text == "cat") {
                EXPECT_EQ(replaced, i) << "a row was skipped before " << i;
                ++replaced;
            }
        }
        EXPECT_EQ(changes, replaced > 0 ? 1 : 0) << cancel;
        if (cancel) {
            EXPECT_LT(replaced, kTexts);
        } else {
            EXPECT_EQ(replaced, kTexts);
            EXPECT_EQ(panel.Grid()->Sheet().DisplayText(kTextGridColumn, kTexts), "cat");
        }
    }
}

}  // namespace
}  // namespace plexion::test
