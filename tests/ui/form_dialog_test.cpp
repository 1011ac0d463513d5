#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "color_conversion.h"
#include "color_field.h"
#include "form_dialog.h"
#include "modal_answer.h"
#include "storable_line_text.h"

namespace plexion {
namespace {

using test::AnswerModal;

QPushButton* DialogButton(CFormDialog& dialog, QDialogButtonBox::StandardButton which) {
    return dialog.findChild<QDialogButtonBox*>()->button(which);
}

void ShowAndWait(CFormDialog& dialog) {
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
}

void Press(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

void ReplaceText(QWidget* edit, const QString& text) {
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
}

QString MakeFile(const QTemporaryDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    return path;
}

TEST(FormDialog, ShowsItsCaptionAndCanBeResized) {
    CFormDialog dialog(QStringLiteral("Document Properties"));
    EXPECT_EQ(dialog.windowTitle(), "Document Properties");
    EXPECT_TRUE(dialog.isSizeGripEnabled());
    EXPECT_EQ(dialog.palette().color(QPalette::Window),
              InterfaceQColor(InterfaceColor::DialogFace));
    EXPECT_EQ(dialog.palette().color(QPalette::WindowText),
              InterfaceQColor(InterfaceColor::DialogText));
    QLabel* title = dialog.AddTitle(QStringLiteral("Text Fields"));
    EXPECT_EQ(title->text(), "Text Fields");
    EXPECT_EQ(title->palette().color(QPalette::Window),
              InterfaceQColor(InterfaceColor::DialogSpottedFace));
}

TEST(FormDialog, TextFieldsShowTheirValuesAndOkStoresThem) {
    QString name = QStringLiteral("Old name");
    QString comments = QStringLiteral("line one\nline two");
    CFormDialog dialog(QStringLiteral("Document Properties"));
    dialog.AddTitle(QStringLiteral("Text Fields"));
    QLineEdit* nameEdit = dialog.AddText(QStringLiteral("Document's &ID"), name);
    QPlainTextEdit* commentsEdit =
        dialog.AddMultiLineText(QStringLiteral("Document's &Comments"), comments);
    ShowAndWait(dialog);
    EXPECT_EQ(nameEdit->text(), "Old name");
    EXPECT_EQ(commentsEdit->toPlainText(), "line one\nline two");

    ReplaceText(nameEdit, QStringLiteral("New name"));
    ReplaceText(commentsEdit, QStringLiteral("first"));
    QTest::keyClick(commentsEdit, Qt::Key_Return);  // a new line, not OK
    QTest::keyClicks(commentsEdit, QStringLiteral("second"));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(name, "Old name");  // nothing is stored before OK

    Press(DialogButton(dialog, QDialogButtonBox::Ok));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(name, "New name");
    EXPECT_EQ(comments, "first\nsecond");
}

// The field shows plain line breaks; OK gives an untouched text back as it
// came and an edited one with the line break the text used.
TEST(FormDialog, MultiLineTextKeepsItsLineBreaks) {
    struct CCase {
        const char* name;
        QString value;
        QString shown;
        QString untouched;  // after OK with nothing changed
        QString edited;     // after a new last line "z"
    };
    const QString notUtf8 = QString::fromUtf8("caf\xE9\r\nx");
    const QString replaced = QString::fromUtf8("caf\xE9");
    for (const CCase& form : {
             CCase{"CRLF", "a\r\nb", "a\nb", "a\r\nb", "a\r\nb\r\nz"},
             CCase{"LF", "a\nb", "a\nb", "a\nb", "a\nb\nz"},
             CCase{"mixed, CRLF first", "a\r\nb\nc", "a\nb\nc", "a\r\nb\nc", "a\r\nb\r\nc\r\nz"},
             CCase{"lone CR", "a\rb", "a\nb", "a\rb", "a\rb\rz"},
             CCase{"one line", "a", "a", "a", "a\nz"},
             CCase{"no-break space", QString::fromUtf8("a\u00A0b"), "a b",
                   QString::fromUtf8("a\u00A0b"), "a b\nz"},
             CCase{"not UTF-8", notUtf8, replaced + "\nx", notUtf8, replaced + "\r\nx\r\nz"},
         }) {
        SCOPED_TRACE(form.name);
        for (const bool edit : {false, true}) {
            QString value = form.value;
            CFormDialog dialog(QStringLiteral("Form"));
            QPlainTextEdit* lines = dialog.AddMultiLineText(QStringLiteral("&Lines"), value);
            ShowAndWait(dialog);
            EXPECT_EQ(lines->toPlainText(), form.shown);
            if (edit) {
                QTest::keyClick(lines, Qt::Key_End, Qt::ControlModifier);
                QTest::keyClick(lines, Qt::Key_Return);
                QTest::keyClick(lines, Qt::Key_Z);
            }
            Press(DialogButton(dialog, QDialogButtonBox::Ok));
            EXPECT_EQ(value, edit ? form.edited : form.untouched);
        }
    }
}

TEST(FormDialog, CancelAndEscapeStoreNothing) {
    QString text = QStringLiteral("kept");
    bool flag = false;
    int number = 7;
    for (const bool escape : {false, true}) {
        CFormDialog dialog(QStringLiteral("Form"));
        QLineEdit* edit = dialog.AddText(QStringLiteral("&Text"), text);
        QCheckBox* box = dialog.AddBool(QStringLiteral("&Flag"), flag);
        QSpinBox* spin = dialog.AddInteger(QStringLiteral("&Number"), number, 0, 100);
        ShowAndWait(dialog);
        ReplaceText(edit, QStringLiteral("changed"));
        box->setChecked(true);
        spin->setValue(42);
        if (escape) {
            QTest::keyClick(edit, Qt::Key_Escape);
        } else {
            Press(DialogButton(dialog, QDialogButtonBox::Cancel));
        }
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(text, "kept");
    EXPECT_FALSE(flag);
    EXPECT_EQ(number, 7);
}

TEST(FormDialog, ReturnInASingleLineFieldIsOk) {
    QString text;
    CFormDialog dialog(QStringLiteral("Form"));
    QLineEdit* edit = dialog.AddText(QStringLiteral("&Text"), text);
    ShowAndWait(dialog);
    QTest::keyClicks(edit, QStringLiteral("typed"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(text, "typed");
}

TEST(FormDialog, LabelsLeadToTheirFields) {
    QString first;
    QString second;
    CFormDialog dialog(QStringLiteral("Form"));
    QLineEdit* firstEdit = dialog.AddText(QStringLiteral("&First"), first);
    QLineEdit* secondEdit = dialog.AddText(QStringLiteral("&Second"), second);
    int labels = 0;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == "&First") {
            EXPECT_EQ(label->buddy(), firstEdit);
            ++labels;
        } else if (label->text() == "&Second") {
            EXPECT_EQ(label->buddy(), secondEdit);
            ++labels;
        }
    }
    EXPECT_EQ(labels, 2);
}

TEST(FormDialog, IntegerFieldStaysBetweenItsLimits) {
    int rate = 25;
    int clampedHigh = 5000;
    int clampedLow = -3;
    int reversedLimits = 50;
    CFormDialog dialog(QStringLiteral("Convert Images Files to AVI File"));
    QSpinBox* spin =
        dialog.AddInteger(QStringLiteral("&Frame Rate In Frame Per Second"), rate, 1, 1000);
    QSpinBox* high = dialog.AddInteger(QStringLiteral("&High"), clampedHigh, 1, 1000);
    QSpinBox* low = dialog.AddInteger(QStringLiteral("&Low"), clampedLow, 1, 1000);
    QSpinBox* reversed = dialog.AddInteger(QStringLiteral("&Reversed"), reversedLimits, 100, 10);
    ShowAndWait(dialog);
    EXPECT_EQ(spin->value(), 25);
    EXPECT_EQ(high->value(), 1000);
    EXPECT_EQ(low->value(), 1);
    EXPECT_EQ(reversed->minimum(), 10);
    EXPECT_EQ(reversed->maximum(), 100);
    EXPECT_EQ(reversed->value(), 50);

    // A digit that would pass the maximum is refused.
    spin->setFocus();
    ReplaceText(spin, QStringLiteral("5000"));
    EXPECT_EQ(spin->value(), 500);
    QTest::keyClick(high, Qt::Key_Up);
    EXPECT_EQ(high->value(), 1000);
    QTest::keyClick(low, Qt::Key_Down);
    EXPECT_EQ(low->value(), 1);
    QTest::keyClick(low, Qt::Key_Up);

    Press(DialogButton(dialog, QDialogButtonBox::Ok));
    EXPECT_EQ(rate, 500);
    EXPECT_EQ(clampedHigh, 1000);
    EXPECT_EQ(clampedLow, 2);
    EXPECT_EQ(reversedLimits, 50);
}

TEST(FormDialog, IntegerPairsAndChoicesStoreOnOk) {
    int width = 32;
    int height = 5000;
    int chosen = 7;
    CFormDialog dialog(QStringLiteral("Pairs"));
    const auto [first, second] =
        dialog.AddIntegerPair(QStringLiteral("&Size:"), width, height, 1, 1000);
    QComboBox* choice = dialog.AddChoice(
        QStringLiteral("&Picture"), chosen,
        {QStringLiteral("0 - grass"), QStringLiteral("1 - water"), QStringLiteral("2 - sand")});
    ShowAndWait(dialog);
    EXPECT_EQ(first->value(), 32);
    EXPECT_EQ(second->value(), 1000);
    EXPECT_EQ(choice->currentIndex(), 0);
    // The label leads to the first number.
    const auto labels = dialog.findChildren<QLabel*>();
    const auto label =
        std::find_if(labels.begin(), labels.end(), [](QLabel* l) { return l->text() == "&Size:"; });
    ASSERT_NE(label, labels.end());
    EXPECT_EQ((*label)->buddy(), first);
    first->setFocus();
    ReplaceText(first, QStringLiteral("16"));
    choice->setCurrentIndex(2);
    Press(DialogButton(dialog, QDialogButtonBox::Ok));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 1000);
    EXPECT_EQ(chosen, 2);
}

TEST(FormDialog, YesNoFieldIsACheckBox) {
    bool extract = true;
    bool other = false;
    CFormDialog dialog(QStringLiteral("Convert AVI File to Images Files"));
    QCheckBox* box = dialog.AddBool(QStringLiteral("Extract &Alpha Channel"), extract);
    QCheckBox* otherBox = dialog.AddBool(QStringLiteral("&Other"), other);
    ShowAndWait(dialog);
    EXPECT_EQ(box->text(), "Extract &Alpha Channel");
    EXPECT_TRUE(box->isChecked());
    EXPECT_FALSE(otherBox->isChecked());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    QTest::keyClick(otherBox, Qt::Key_Space);
    Press(DialogButton(dialog, QDialogButtonBox::Ok));
    EXPECT_FALSE(extract);
    EXPECT_TRUE(other);
}

TEST(FormDialog, ListFieldChoosesOneEntryByKeysOrADoubleClick) {
    const QStringList entries = {QStringLiteral("NONE"), QStringLiteral("1 - hero"),
                                 QStringLiteral("2 - wall")};
    int chosen = 2;
    int outside = 7;
    CFormDialog dialog(QStringLiteral("Bitmaps"));
    QListWidget* list = dialog.AddList(QStringLiteral("&Background"), entries, chosen);
    QListWidget* other = dialog.AddList(QStringLiteral("&Object"), entries, outside);
    ShowAndWait(dialog);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(other->currentRow(), 0);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Up);
    Press(DialogButton(dialog, QDialogButtonBox::Ok));
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(outside, 0);

    CFormDialog again(QStringLiteral("Bitmaps"));
    QListWidget* field = again.AddList(QStringLiteral("&Background"), entries, chosen);
    ShowAndWait(again);
    const QRect last = field->visualItemRect(field->item(2));
    QTest::mouseClick(field->viewport(), Qt::LeftButton, {}, last.center());
    QTest::mouseDClick(field->viewport(), Qt::LeftButton, {}, last.center());
    EXPECT_FALSE(again.isVisible());
    EXPECT_EQ(chosen, 2);
}

TEST(FormDialog, ColourFieldOpensTheChooserAndKeepsTheAlpha) {
    QColor color(10, 20, 30, 200);
    CFormDialog dialog(QStringLiteral("Graphical User Interface Colors"));
    dialog.AddTitle(QStringLiteral("Focus Colors"));
    CColorField* field = dialog.AddColor(QStringLiteral("Focused Area"), color);
    ShowAndWait(dialog);
    EXPECT_EQ(field->Color(), color);

    QColor seen;
    AnswerModal<QColorDialog>([&seen](QColorDialog* chooser) {
        seen = chooser->currentColor();
        chooser->setCurrentColor(QColor(250, 0, 0));
        static_cast<QDialog*>(chooser)->accept();
    });
    Press(field);
    EXPECT_EQ(seen.rgb(), QColor(10, 20, 30).rgb());
    EXPECT_EQ(field->Color(), QColor(250, 0, 0, 200));

    AnswerModal<QColorDialog>([](QColorDialog* chooser) {
        chooser->setCurrentColor(QColor(0, 0, 255));
        chooser->reject();
    });
    Press(field);
    EXPECT_EQ(field->Color(), QColor(250, 0, 0, 200));
    EXPECT_EQ(color, QColor(10, 20, 30, 200));

    Press(DialogButton(dialog, QDialogButtonBox::Ok));
    EXPECT_EQ(color, QColor(250, 0, 0, 200));
}

TEST(FormDialog, ColourFieldShowsTheColourAndItsBytes) {
    QColor color(255, 0, 0);
    CFormDialog dialog(QStringLiteral("Colors"));
    CColorField* field = dialog.AddColor(QStringLiteral("Dialog Face"), color);
    ShowAndWait(dialog);
    const QImage picture = field->grab().toImage();
    EXPECT_EQ(picture.pixelColor(8, picture.height() / 2 - 1), QColor(255, 0, 0));
}

TEST(FormDialog, FileNameFieldChoosesAnExistingFileThroughTheFilter) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString movie = MakeFile(folder, QStringLiteral("clip.avi"));
    QString source;
    CFormDialog dialog(QStringLiteral("Convert AVI File to Images Files"));
    CFileNameField* field = dialog.AddFileName(
        QStringLiteral("&Source AVI Filename"), source, FileNameMode::Open,
        QStringLiteral("Windows AVI Video File (*.avi)\n*.avi\nAll Files (*.*)\n*.*\n\n"));
    ShowAndWait(dialog);

    QStringList filters;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptSave;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QString title;
    AnswerModal<QFileDialog>([&](QFileDialog* chooser) {
        filters = chooser->nameFilters();
        acceptMode = chooser->acceptMode();
        fileMode = chooser->fileMode();
        title = chooser->windowTitle();
        chooser->setDirectory(folder.path());
        chooser->selectFile(movie);
        static_cast<QDialog*>(chooser)->accept();
    });
    QTest::mouseClick(field->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(filters, QStringList({"Windows AVI Video File (*.avi)", "All Files (*)"}));
    EXPECT_EQ(acceptMode, QFileDialog::AcceptOpen);
    EXPECT_EQ(fileMode, QFileDialog::ExistingFile);
    EXPECT_EQ(title, "Source AVI Filename");
    EXPECT_EQ(field->FileName(), movie);

    Press(DialogButton(dialog, QDialogButtonBox::Ok));
    EXPECT_EQ(source, movie);
}

TEST(FormDialog, FileNameFieldForSavingAndTyping) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QString destination = QStringLiteral("start.bmp");
    CFormDialog dialog(QStringLiteral("Convert AVI File to Images Files"));
    CFileNameField* field = dialog.AddFileName(
        QStringLiteral("&Destination Images Filenames"), destination, FileNameMode::Save,
        QStringLiteral("Windows BMP Images Files (*.bmp)\n*.bmp\nAll Files (*.*)\n*.*\n\n"));
    ShowAndWait(dialog);
    EXPECT_EQ(field->Edit()->text(), "start.bmp");

    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    const QString target = folder.filePath(QStringLiteral("frame.bmp"));
    AnswerModal<QFileDialog>([&](QFileDialog* chooser) {
        acceptMode = chooser->acceptMode();
        chooser->selectFile(target);
        static_cast<QDialog*>(chooser)->accept();
    });
    QTest::mouseClick(field->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(acceptMode, QFileDialog::AcceptSave);
    EXPECT_EQ(field->FileName(), target);

    // A chooser closed with Cancel leaves the name; a typed name counts.
    AnswerModal<QFileDialog>([](QFileDialog* chooser) { chooser->reject(); });
    QTest::mouseClick(field->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(field->FileName(), target);
    ReplaceText(field->Edit(), QStringLiteral("typed.bmp"));
    Press(DialogButton(dialog, QDialogButtonBox::Ok));
    EXPECT_EQ(destination, "typed.bmp");
}

TEST(FormDialog, FileNamesFieldListsEveryChosenFile) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString one = MakeFile(folder, QStringLiteral("one.png"));
    const QString two = MakeFile(folder, QStringLiteral("two.bmp"));
    MakeFile(folder, QStringLiteral("notes.txt"));
    QStringList sources = {QStringLiteral("/old/a.png")};
    CFormDialog dialog(QStringLiteral("Convert Images Files to AVI File"));
    CFileNamesField* field = dialog.AddFileNames(
        QStringLiteral("&Source Images Filenames"), sources,
        QStringLiteral("Windows Images Files "
                       "(*.bmp;*.jpg;*.png;*.tif;*.gif;*.exif;*.ico;*.wmf;*.emf)\n*.bmp;*.jpg;*."
                       "png;*.tif;*.gif;*.exif;*.ico;*.wmf;*.emf\nAll Files (*.*)\n*.*\n\n"));
    ShowAndWait(dialog);
    EXPECT_EQ(field->FileNames(), QStringList({"/old/a.png"}));

    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    QStringList filters;
    AnswerModal<QFileDialog>([&](QFileDialog* chooser) {
        fileMode = chooser->fileMode();
        filters = chooser->nameFilters();
        chooser->setDirectory(folder.path());
        chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QStringLiteral("\"one.png\" \"two.bmp\""));
        static_cast<QDialog*>(chooser)->accept();
    });
    QTest::mouseClick(field->BrowseButton(), Qt::LeftButton);
    EXPECT_EQ(fileMode, QFileDialog::ExistingFiles);
    EXPECT_EQ(filters, QStringList({"Windows Images Files (*.bmp *.jpg *.png *.tif *.gif *.exif "
                                    "*.ico *.wmf *.emf)",
                                    "All Files (*)"}));
    EXPECT_EQ(field->List()->count(), 2);
    EXPECT_EQ(sources, QStringList({"/old/a.png"}));

    Press(DialogButton(dialog, QDialogButtonBox::Ok));
    EXPECT_EQ(sources, QStringList({one, two}));
}

TEST(FormDialog, InformationIsReadOnlyPlainText) {
    CFormDialog dialog(QStringLiteral("Contributors List"));
    QLabel* information = dialog.AddInformation(QStringLiteral("<b>None</b>\nsecond line"));
    EXPECT_EQ(information->text(), "<b>None</b>\nsecond line");
    EXPECT_EQ(information->textFormat(), Qt::PlainText);
    EXPECT_FALSE(information->textInteractionFlags() & Qt::TextEditable);
    EXPECT_TRUE(information->wordWrap());
}

TEST(FormDialog, IndentedFieldsFollowTheirCheckBox) {
    bool select = false;
    bool unselect = true;
    bool replace = true;
    QString replacement = QStringLiteral("new");
    bool ask = true;
    CFormDialog dialog(QStringLiteral("Find Text"));
    QCheckBox* selectBox = dialog.AddBool(QStringLiteral("&Select Items"), select);
    dialog.BeginIndent(selectBox);
    QCheckBox* unselectBox =
        dialog.AddBool(QStringLiteral("&Unselect Previously Selected Items"), unselect);
    dialog.EndIndent();
    QCheckBox* replaceBox = dialog.AddBool(QStringLiteral("&Replace"), replace);
    dialog.BeginIndent(replaceBox);
    QLineEdit* replacementEdit =
        dialog.AddText(QStringLiteral("Replacecement S&tring"), replacement);
    QCheckBox* askBox = dialog.AddBool(QStringLiteral("Ask Before Replace"), ask);
    dialog.EndIndent();
    dialog.EndIndent();  // one too many closes nothing
    bool last = false;
    QCheckBox* lastBox = dialog.AddBool(QStringLiteral("&Last"), last);
    ShowAndWait(dialog);

    const auto left = [&dialog](QWidget* widget) { return widget->mapTo(&dialog, QPoint()).x(); };
    EXPECT_GT(left(unselectBox), left(selectBox));
    EXPECT_GT(left(replacementEdit), left(replaceBox));
    EXPECT_EQ(left(askBox), left(replacementEdit));
    EXPECT_EQ(left(lastBox), left(selectBox));

    EXPECT_FALSE(unselectBox->isEnabled());
    EXPECT_TRUE(replacementEdit->isEnabled());
    EXPECT_TRUE(askBox->isEnabled());
    selectBox->click();
    replaceBox->click();
    EXPECT_TRUE(unselectBox->isEnabled());
    EXPECT_FALSE(replacementEdit->isEnabled());
    EXPECT_FALSE(askBox->isEnabled());

    Press(DialogButton(dialog, QDialogButtonBox::Ok));
    EXPECT_TRUE(select);
    EXPECT_TRUE(unselect);
    EXPECT_FALSE(replace);
    EXPECT_EQ(replacement, "new");
    EXPECT_TRUE(ask);
}

TEST(FormDialog, OnlyGrowingFieldsTakeTheExtraHeight) {
    QString text;
    QString lines;
    CFormDialog dialog(QStringLiteral("Form"));
    QLineEdit* edit = dialog.AddText(QStringLiteral("&Text"), text);
    QPlainTextEdit* multi = dialog.AddMultiLineText(QStringLiteral("&Lines"), lines);
    ShowAndWait(dialog);
    const int editHeight = edit->height();
    const int multiHeight = multi->height();
    dialog.resize(dialog.width() + 100, dialog.height() + 200);
    QApplication::processEvents();
    EXPECT_EQ(edit->height(), editHeight);
    EXPECT_GE(multi->height(), multiHeight + 150);
    EXPECT_GE(edit->width(), 100);
}

// Typing right after the dialog opens goes into its first field, over its
// text; Return then presses OK, and Tab runs through the fields before the
// buttons.
TEST(FormDialog, OpensWithTheKeyboardInItsFirstField) {
    struct CCase {
        const char* name;
        bool titleFirst;
        bool checkBoxFirst;
    };
    for (const CCase& form :
         {CCase{"title, then text", true, false}, CCase{"check box first", false, true}}) {
        QString text = QStringLiteral("remembered");
        QString other = QStringLiteral("other");
        bool flag = false;
        CFormDialog dialog(QStringLiteral("Form"));
        if (form.titleFirst) {
            dialog.AddTitle(QStringLiteral("Section"));
        }
        QCheckBox* box = nullptr;
        if (form.checkBoxFirst) {
            box = dialog.AddBool(QStringLiteral("&Flag"), flag);
        }
        QLineEdit* edit = dialog.AddText(QStringLiteral("&Text"), text);
        QLineEdit* otherEdit = dialog.AddText(QStringLiteral("&Other"), other);
        ShowAndWait(dialog);
        QWidget* first = box != nullptr ? static_cast<QWidget*>(box) : edit;
        ASSERT_EQ(QApplication::focusWidget(), first) << form.name;
        if (box == nullptr) {
            EXPECT_EQ(edit->selectedText(), "remembered") << form.name;
        }
        otherEdit->setFocus(Qt::TabFocusReason);
        QTest::keyClick(otherEdit, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), DialogButton(dialog, QDialogButtonBox::Ok))
            << form.name;
        first->setFocus(Qt::TabFocusReason);
        if (box == nullptr) {
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Level 1"));
            EXPECT_TRUE(dialog.isVisible()) << form.name;
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            EXPECT_EQ(dialog.result(), QDialog::Accepted) << form.name;
            EXPECT_EQ(text, "Level 1") << form.name;
        }
    }
}

// A field given the keyboard before the dialog opens keeps it.
TEST(FormDialog, AFieldFocusedBeforeOpeningKeepsTheKeyboard) {
    QString first;
    QString second;
    CFormDialog dialog(QStringLiteral("Form"));
    dialog.AddText(QStringLiteral("&First"), first);
    QLineEdit* secondEdit = dialog.AddText(QStringLiteral("&Second"), second);
    secondEdit->setFocus();
    ShowAndWait(dialog);
    EXPECT_EQ(QApplication::focusWidget(), secondEdit);
}

// A one-line field takes a pasted text of any length it can store, and
// refuses a longer one whole, saying so.
TEST(FormDialog, OneLineFieldsTakeLongTextsAndRefuseWhatCannotBeStored) {
    const QString longText(40'000, u'x');
    QString value = QStringLiteral("start");
    CFormDialog dialog(QStringLiteral("Form"));
    QLineEdit* edit = dialog.AddText(QStringLiteral("&ID"), value);
    ShowAndWait(dialog);
    QApplication::clipboard()->setText(longText);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(edit->text().size(), longText.size());

    QString limited = QStringLiteral("short");
    CFormDialog small(QStringLiteral("Form"));
    QLineEdit* smallEdit = small.AddText(QStringLiteral("&ID"), limited);
    MakeStorableLineText(smallEdit, 12);
    ShowAndWait(small);
    QString message;
    AnswerModal<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    smallEdit->end(false);
    QApplication::clipboard()->setText(QStringLiteral("\u00e9\u00e9\u00e9\u00e9"));
    QTest::keyClick(smallEdit, Qt::Key_V, Qt::ControlModifier);
    QTRY_VERIFY(!message.isEmpty());
    EXPECT_EQ(smallEdit->text(), "short");
    EXPECT_TRUE(message.contains("12 bytes")) << message.toStdString();
    QApplication::clipboard()->setText(QStringLiteral("1234567"));
    QTest::keyClick(smallEdit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(smallEdit->text(), "short1234567");
}

}  // namespace
}  // namespace plexion
