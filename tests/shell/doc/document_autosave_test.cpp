#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include "document_autosave.h"
#include "plexion_doc.h"
#include "recovery_folder.h"
#include "temp_dir.h"
#include "text_item.h"

namespace plexion {
namespace {

using namespace std::chrono_literals;

class DocumentAutosaveTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(folder_.Open(dir_.File("recovery"))); }

    std::unique_ptr<CPlexionDoc> NewDocument() {
        auto document = std::make_unique<CPlexionDoc>();
        document->OnNewDocument();
        document->KeepRecoveryCopies(folder_, 1s);
        return document;
    }

    static void EditText(CPlexionDoc& document, const std::string& text) {
        document.Edit(QStringLiteral("Edit Text"), [&](CVKT_ResourceContainer& c) {
            c.GetAt<CVKT_Text>(0)->SetText(text);
            return true;
        });
    }

    // Waits for the copy after an edit; its path.
    std::string WaitForCopy(CPlexionDoc& document) {
        QSignalSpy written(document.Autosave(), &CDocumentAutosave::written);
        EXPECT_TRUE(written.wait(10000));
        return document.Autosave()->Entry() < 0 ? std::string()
                                                : folder_.DataPath(document.Autosave()->Entry());
    }

    std::size_t FilesInFolder() const {
        const auto listing = std::filesystem::directory_iterator(folder_.Path());
        return static_cast<std::size_t>(
            std::distance(std::filesystem::begin(listing), std::filesystem::end(listing)));
    }

    test::CTempDir dir_;
    CRecoveryFolder folder_;
};

TEST_F(DocumentAutosaveTest, OnlyAModifiedDocumentHasACopyAndEveryWayBackToCleanRemovesIt) {
    auto document = NewDocument();
    QTest::qWait(1500);
    EXPECT_EQ(FilesInFolder(), 1u) << "only the lock: the document is unmodified";

    const std::string saved = dir_.File("game.dat");
    const std::function<void()> cleanWays[] = {
        [&] { ASSERT_TRUE(document->OnSaveDocument(QString::fromStdString(saved))); },
        [&] { document->Undo(); },
        [&] { document.reset(); },
    };
    int round = 0;
    for (const auto& backToClean : cleanWays) {
        EditText(*document, "round " + std::to_string(++round));
        const std::string copy = WaitForCopy(*document);
        ASSERT_FALSE(copy.empty());
        CVKT_ResourceContainer read;
        ASSERT_EQ(read.Load(copy), 1);
        EXPECT_EQ(read.GetAt<CVKT_Text>(0)->Text(), "round " + std::to_string(round));
        EXPECT_EQ(FilesInFolder(), 3u) << "the lock, the copy and its info";
        backToClean();
        EXPECT_EQ(FilesInFolder(), 1u) << "round " << round;
    }
}

TEST_F(DocumentAutosaveTest, ACopyCarriesTheDocumentsFileTitleAndTime) {
    auto document = NewDocument();
    const QString path = QString::fromStdString(dir_.File("level.dat"));
    ASSERT_TRUE(document->OnSaveDocument(path));
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    EditText(*document, "unsaved");
    const std::string copy = WaitForCopy(*document);
    std::ifstream in(copy.substr(0, copy.size() - 4) + ".info");
    const auto info = DecodeRecoveryInfo(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->originalPath, path.toStdString());
    EXPECT_EQ(info->title, "level.dat");
    EXPECT_GE(info->writtenAt, before);
    ASSERT_TRUE(info->originalStamp.has_value());
    EXPECT_EQ(info->originalStamp->size, std::filesystem::file_size(path.toStdString()));

    CPlexionDoc recovered;
    ASSERT_EQ(recovered.OnOpenRecoveryCopy(QString::fromStdString(copy), *info),
              CPlexionDocCore::OpenOutcome::Opened);
    EXPECT_TRUE(recovered.IsModified());
    EXPECT_EQ(recovered.PathName(), path);
    EXPECT_EQ(recovered.Title(), "level.dat");
    recovered.Undo();
    EXPECT_TRUE(recovered.IsModified()) << "nothing here was ever saved";
    ASSERT_TRUE(recovered.DoFileSave());
    EXPECT_FALSE(recovered.IsModified());
    CVKT_ResourceContainer read;
    ASSERT_EQ(read.Load(path.toStdString()), 1);
    EXPECT_EQ(read.GetAt<CVKT_Text>(0)->Text(), "unsaved");
}

}  // namespace
}  // namespace plexion
