#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegion>
#include <QSignalSpy>
#include <QTest>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "bitmap_item.h"
#include "form_dialog.h"
#include "modal_answer.h"
#include "plexion_doc.h"
#include "temp_dir.h"
#include "text_item.h"

namespace plexion {
namespace {

using test::AnswerModal;
using test::AnswerModalWidget;
using test::CTempDir;

// Writes a document whose first "settings_password" text is `password`.
std::string WriteProtectedDocument(const CTempDir& dir, const std::string& password) {
    CPlexionDocCore core;
    core.NewDocument();
    core.Edit("Fill", [&](CVKT_ResourceContainer& resources) {
        resources.GetAt<CVKT_Text>(resources.New<CVKT_Text>("settings_password"))->SetText(password);
        resources.GetAt<CVKT_Text>(resources.New<CVKT_Text>("settings_password"))
            ->SetText("second is never asked");
        return true;
    });
    const std::string path = dir.File("locked.dat");
    EXPECT_TRUE(core.SaveDocument(path));
    return path;
}

// Types `password` into the password dialog when it opens (or cancels it
// when `password` is null) and records what the next message box said.
void AnswerPasswordThenMessage(const char* password, QString* message) {
    AnswerModalWidget([password](QWidget* window) {
        auto* field = window->findChild<QLineEdit*>(QStringLiteral("1001"));
        if (field == nullptr) {
            return false;
        }
        EXPECT_EQ(window->windowTitle(), "Password Protection");
        // The dialog names the file it asks for.
        bool named = false;
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            named = named || label->text().contains("locked.dat");
        }
        EXPECT_TRUE(named);
        EXPECT_EQ(field->echoMode(), QLineEdit::Password);
        if (password == nullptr) {
            QTest::keyClick(window, Qt::Key_Escape);
        } else {
            QTest::keyClicks(field, QString::fromUtf8(password));
            QTest::keyClick(field, Qt::Key_Return);
        }
        return true;
    });
    if (message != nullptr) {
        AnswerModal<QMessageBox>([message](QMessageBox* box) {
            *message = box->text();
            box->accept();
        });
    }
}

TEST(DocumentLifecycle, NewDocumentHoldsTheGameStepParameterAndARunningName) {
    CPlexionDoc first;
    CPlexionDoc second;
    ASSERT_TRUE(first.OnNewDocument());
    ASSERT_TRUE(second.OnNewDocument());
    const QString number = first.Title().mid(6);
    EXPECT_TRUE(first.Title().startsWith("Plexio"));
    EXPECT_EQ(second.Title(), "Plexio" + QString::number(number.toInt() + 1));

    auto& resources = first.Resources();
    ASSERT_EQ(resources.Count<CVKT_Text>(), 1);
    const auto* delay = resources.GetAt<CVKT_Text>(0);
    EXPECT_EQ(delay->GetID(), "settings_one_game_step_delay");
    EXPECT_EQ(delay->Text(), "8");
    EXPECT_EQ(delay->GetComments(),
              "Delay between each game event.\r\n\r\n8 => 1000 / 8 = 125 fps (default)\r\n"
              "10 => 1000 / 10 = 100 fps");
    EXPECT_EQ(resources.GetName(), "No Name");
    EXPECT_EQ(resources.GetComments(), "No Comments");
    EXPECT_FALSE(first.IsModified());
    EXPECT_TRUE(first.PathName().isEmpty());
}

TEST(DocumentLifecycle, EditsMarkTheDocumentModifiedOnceAndOnlyWhenSomethingChanged) {
    CPlexionDoc doc;
    doc.OnNewDocument();
    QSignalSpy modified(&doc, &CPlexionDoc::modifiedChanged);
    QSignalSpy edited(&doc, &CPlexionDoc::changed);
    EXPECT_FALSE(doc.Edit(QStringLiteral("Edit"), [](CVKT_ResourceContainer&) { return false; }));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(doc.Edit(QStringLiteral("Edit"), [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("a") >= 0; }));
    EXPECT_TRUE(doc.Edit(QStringLiteral("Edit"), [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("b") >= 0; }));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(edited.count(), 2);
}

TEST(DocumentLifecycle, PasswordGatesOpeningByExactText) {
    CTempDir dir;
    const std::string path = WriteProtectedDocument(dir, "Secret");

    {
        CPlexionDoc doc;
        QString message;
        AnswerPasswordThenMessage("secret", &message);
        EXPECT_FALSE(doc.OnOpenDocument(QString::fromStdString(path)));
        EXPECT_EQ(message, "Error: unreadable file format !");
        EXPECT_EQ(doc.Resources().Count<CVKT_Text>(), 0);
    }
    {
        CPlexionDoc doc;
        QString message;
        AnswerPasswordThenMessage(nullptr, &message);
        EXPECT_FALSE(doc.OnOpenDocument(QString::fromStdString(path)));
        EXPECT_EQ(message, "Error: unreadable file format !");
    }
    {
        CPlexionDoc doc;
        QSignalSpy recent(&doc, &CPlexionDoc::pathNameSet);
        AnswerPasswordThenMessage("Secret", nullptr);
        ASSERT_TRUE(doc.OnOpenDocument(QString::fromStdString(path)));
        EXPECT_EQ(doc.Resources().Count<CVKT_Text>(), 3);
        EXPECT_EQ(doc.Title(), "locked.dat");
        EXPECT_EQ(recent.count(), 1);
        EXPECT_EQ(CurrentResourcePath(), path);
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST(DocumentLifecycle, AnEmptyPasswordOpensWithoutAPrompt) {
    CTempDir dir;
    const std::string path = WriteProtectedDocument(dir, "");
    CPlexionDoc doc;
    EXPECT_TRUE(doc.OnOpenDocument(QString::fromStdString(path)));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(DocumentLifecycle, AMissingFileOpensNothingAndSaysNothingItself) {
    CTempDir dir;
    CPlexionDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(QString::fromStdString(dir.File("absent.dat"))));
    EXPECT_TRUE(doc.PathName().isEmpty());
}

TEST(DocumentLifecycle, AFailedSaveKeepsThePathNameTheFileAndTheModifiedFlag) {
    CTempDir dir;
    CPlexionDoc doc;
    doc.OnNewDocument();
    const QString good = QString::fromStdString(dir.File("good.dat"));
    ASSERT_TRUE(doc.OnSaveDocument(good));
    const auto before = test::ReadFileBytes(good.toStdString());
    doc.Edit(QStringLiteral("Edit"), [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("unsaved") >= 0; });

    QString message;
    QString detail;
    AnswerModal<QMessageBox>([&message, &detail](QMessageBox* box) {
        message = box->text();
        detail = box->informativeText();
        box->accept();
    });
    EXPECT_FALSE(doc.OnSaveDocument(QString::fromStdString(dir.File("no/such/folder/x.dat"))));
    EXPECT_EQ(message, "Error occured while saving !");
    // The system's reason comes with it.
    EXPECT_TRUE(detail.contains("No such file or directory")) << detail.toStdString();
    EXPECT_EQ(doc.PathName(), good);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(test::ReadFileBytes(good.toStdString()), before);
}

TEST(DocumentLifecycle, ClosingAModifiedDocumentAsksToSaveIt) {
    CTempDir dir;
    CPlexionDoc doc;
    doc.OnNewDocument();
    EXPECT_TRUE(doc.SaveModified());  // nothing to ask yet
    doc.Edit(QStringLiteral("Edit"), [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("x") >= 0; });

    QString question;
    auto answerWith = [&question](QMessageBox::StandardButton button) {
        AnswerModal<QMessageBox>([&question, button](QMessageBox* box) {
            question = box->text();
            box->button(button)->click();
        });
    };
    answerWith(QMessageBox::Cancel);
    EXPECT_FALSE(doc.SaveModified());
    EXPECT_EQ(question, "Save changes to " + doc.Title() + "?");
    answerWith(QMessageBox::No);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(doc.IsModified());

    const QString path = QString::fromStdString(dir.File("kept.dat"));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    doc.Edit(QStringLiteral("Edit"), [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("y") >= 0; });
    answerWith(QMessageBox::Yes);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(question, "Save changes to " + path + "?");
    EXPECT_FALSE(doc.IsModified());
    CPlexionDocCore reread;
    ASSERT_EQ(reread.OpenDocument(path.toStdString(), {}), CPlexionDocCore::OpenOutcome::Opened);
    EXPECT_EQ(reread.Resources().Count<CVKT_Text>(), 3);
}

// Saving the part of a damaged file that was read over it would lose the
// rest: Save asks for a name instead, until the document was saved whole.
TEST(DocumentLifecycle, AFileReadIncompletelyIsSavedUnderANameTheUserGives) {
    CTempDir dir;
    const std::string path = dir.File("damaged.dat");
    {
        CPlexionDocCore core;
        core.NewDocument();
        core.Edit("Fill", [](CVKT_ResourceContainer& c) {
            return c.New<CVKT_Text>("kept") >= 0 && c.New<CVKT_Text>("cut off") >= 0;
        });
        ASSERT_TRUE(core.SaveDocument(path));
    }
    auto bytes = test::ReadFileBytes(path);
    bytes.resize(bytes.size() - 4);
    test::WriteFileBytes(path, bytes);

    CPlexionDoc doc;
    QString message;
    AnswerModal<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    ASSERT_TRUE(doc.OnOpenDocument(QString::fromStdString(path)));
    EXPECT_EQ(message, "Error: the file ends inside a record, file broken.");

    AnswerModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(test::ReadFileBytes(path), bytes);

    const QString repaired = QString::fromStdString(dir.File("repaired.dat"));
    AnswerModal<QFileDialog>([repaired](QFileDialog* dialog) {
        dialog->selectFile(repaired);
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(doc.DoFileSave());
    EXPECT_EQ(doc.PathName(), repaired);
    doc.Edit(QStringLiteral("Edit"), [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("later") >= 0; });
    EXPECT_TRUE(doc.DoFileSave());  // no dialog now: the file is whole
    EXPECT_FALSE(doc.IsModified());
}

TEST(DocumentLifecycle, PropertiesChangeTheDocumentNameThatIsSaved) {
    CTempDir dir;
    CPlexionDoc doc;
    doc.OnNewDocument();
    AnswerModal<CFormDialog>([](CFormDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), "Document Properties");
        auto* id = dialog->findChild<QLineEdit*>();
        id->selectAll();
        QTest::keyClicks(id, "Level 1");
        dialog->accept();
    });
    ASSERT_TRUE(doc.ShowProperties());
    EXPECT_TRUE(doc.IsModified());
    const std::string path = dir.File("level.dat");
    ASSERT_TRUE(doc.OnSaveDocument(QString::fromStdString(path)));
    CPlexionDocCore reread;
    ASSERT_EQ(reread.OpenDocument(path, {}), CPlexionDocCore::OpenOutcome::Opened);
    EXPECT_EQ(reread.Resources().GetName(), "Level 1");
    EXPECT_EQ(reread.Resources().GetComments(), "No Comments");
}

TEST(DocumentLifecycle, PropertiesLeaveBytesThatAreNotUtf8AsTheyAre) {
    CPlexionDoc doc;
    doc.OnNewDocument();
    doc.Edit(QStringLiteral("Properties"), [](CVKT_ResourceContainer& c) {
        return c.SetName("caf\xe9") != 0;
    });
    // As if the name had been read from a file.
    doc.History().Stack().setClean();
    AnswerModal<CFormDialog>([](CFormDialog* dialog) { dialog->accept(); });
    ASSERT_TRUE(doc.ShowProperties());
    EXPECT_EQ(doc.Resources().GetName(), "caf\xe9");
    EXPECT_FALSE(doc.IsModified());
}

// Another program adds a text to the document's file.
void ChangeElsewhere(const std::string& path, const std::string& id) {
    CPlexionDocCore theirs;
    ASSERT_EQ(theirs.OpenDocument(path, nullptr), CPlexionDocCore::OpenOutcome::Opened);
    theirs.Edit("Add Text", [&](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>(id) >= 0; });
    ASSERT_TRUE(theirs.SaveDocument(path));
}

bool FileHolds(const std::string& path, const std::string& id) {
    CVKT_ResourceContainer stored;
    stored.Load(path);
    return stored.Find<CVKT_Text>(id) >= 0;
}

// Presses the button of the next message box whose text starts with
// "&Overwrite", "&Reload", "&Yes"…, recording the box's text.
void Press(const QString& button, QString* text) {
    AnswerModal<QMessageBox>([button, text](QMessageBox* box) {
        *text = box->text();
        for (QAbstractButton* candidate : box->buttons()) {
            if (candidate->text() == button) {
                candidate->click();
                return;
            }
        }
        box->reject();
    });
}

TEST(DocumentLifecycle, AFileChangedByAnotherProgramIsNeverSavedOverWithoutAsking) {
    CTempDir dir;
    const std::string path = dir.File("shared.dat");
    {
        CPlexionDocCore first;
        first.NewDocument();
        ASSERT_TRUE(first.SaveDocument(path));
    }
    CPlexionDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(QString::fromStdString(path)));
    doc.Edit(QStringLiteral("Add Text"), [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("mine") >= 0; });
    ChangeElsewhere(path, "theirs");

    QString asked;
    Press(QStringLiteral("Cancel"), &asked);
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_EQ(asked, "The file " + doc.PathName() +
                         " was changed by another program. Overwrite it, or reload it and lose "
                         "your changes?");
    EXPECT_TRUE(FileHolds(path, "theirs"));
    EXPECT_TRUE(doc.IsModified());

    Press(QStringLiteral("&Overwrite"), &asked);
    EXPECT_TRUE(doc.DoFileSave());
    EXPECT_TRUE(FileHolds(path, "mine"));
    EXPECT_FALSE(FileHolds(path, "theirs"));

    doc.Edit(QStringLiteral("Add Text"), [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("lost") >= 0; });
    ChangeElsewhere(path, "kept");
    Press(QStringLiteral("&Reload"), &asked);
    EXPECT_FALSE(doc.DoFileSave());
    EXPECT_GE(doc.Resources().Find<CVKT_Text>("kept"), 0);
    EXPECT_LT(doc.Resources().Find<CVKT_Text>("lost"), 0);
    EXPECT_FALSE(doc.IsModified());
}

TEST(DocumentLifecycle, AnUnmodifiedDocumentOffersToReloadAnOutsideChange) {
    CTempDir dir;
    const std::string path = dir.File("watched.dat");
    {
        CPlexionDocCore first;
        first.NewDocument();
        ASSERT_TRUE(first.SaveDocument(path));
    }
    CPlexionDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(QString::fromStdString(path)));
    QSignalSpy reloads(&doc, &CPlexionDoc::reloaded);
    QString asked;
    Press(QStringLiteral("&Yes"), &asked);
    ChangeElsewhere(path, "outside");
    EXPECT_TRUE(QTest::qWaitFor([&] { return reloads.count() == 1; }, 10000));
    EXPECT_EQ(asked, "The file " + doc.PathName() + " was changed by another program. Reload it?");
    EXPECT_GE(doc.Resources().Find<CVKT_Text>("outside"), 0);
    // Its own save is no outside change.
    doc.Edit(QStringLiteral("Add Text"), [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("own") >= 0; });
    ASSERT_TRUE(doc.DoFileSave());
    QTest::qWait(500);
    EXPECT_EQ(reloads.count(), 1);
}

// Makes the first region of the file at `path` that holds two rectangles
// claim three, as damaged files do.
void ClaimAThirdRectangle(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    // The region header starts: its size (32), its type (1), the count and
    // the rectangles' bytes, little-endian.
    const std::uint32_t header[] = {32, 1, 2, 32};
    std::string pattern(sizeof header, '\0');
    std::memcpy(pattern.data(), header, sizeof header);
    const std::size_t at = bytes.find(pattern);
    ASSERT_NE(at, std::string::npos);
    bytes[at + 8] = 3;
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TEST(DocumentLifecycle, AReloadThatHadToMendTheFileLeavesTheDocumentAsItWas) {
    CTempDir dir;
    const std::string path = dir.File("mended.dat");
    {
        CPlexionDocCore first;
        first.NewDocument();
        first.Edit("Add Region", [](CVKT_ResourceContainer& c) {
            QRegion shape(0, 0, 4, 4);
            shape += QRect(5, 5, 4, 4);
            c.GetAt<CVKT_Bitmap>(c.New<CVKT_Bitmap>("shape"))->SetRegion(shape);
            return true;
        });
        ASSERT_TRUE(first.SaveDocument(path));
    }
    CPlexionDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(QString::fromStdString(path)));
    doc.Edit(QStringLiteral("Add Text"),
             [](CVKT_ResourceContainer& c) { return c.New<CVKT_Text>("mine") >= 0; });
    ClaimAThirdRectangle(path);

    QStringList shown;
    AnswerModal<QMessageBox>([&shown](QMessageBox* damage) {
        shown << damage->text();
        AnswerModal<QMessageBox>([&shown](QMessageBox* refusal) {
            shown << refusal->text();
            refusal->accept();
        });
        damage->accept();
    });
    EXPECT_FALSE(doc.ReloadFromDisk());
    EXPECT_EQ(shown, QStringList({"Error: bitmap \"shape\" has damaged region data: it claims 3 "
                                  "rectangles but holds 2, file broken.",
                                  "The file " + doc.PathName() +
                                      " could not be read again; the document stays as it was."}));
    EXPECT_GE(doc.Resources().Find<CVKT_Text>("mine"), 0);
    EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace plexion
