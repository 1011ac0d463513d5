#include <gtest/gtest.h>

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>

#include <cstdint>
#include <string>
#include <vector>

#include "child_process.h"
#include "modal_answer.h"
#include "sounds_panel_fixture.h"
#include "temp_dir.h"
#include "wav_file_writer.h"

namespace plexion {
namespace {

using test::AnswerModal;

class SoundsPanelFiles : public test::CSoundsPanelTest {
protected:
    // A 16-bit stereo WAV file of `frames` frames.
    QString MakeWav(const std::string& name, std::int32_t frames) {
        const std::vector<std::uint8_t> samples(static_cast<std::size_t>(frames) * 4, 7);
        const auto bytes = MakeWavFile(16, 2, 44100, samples);
        EXPECT_TRUE(bytes.has_value());
        return MakeFile(name, bytes.value_or(std::vector<std::uint8_t>{}));
    }
    QString MakeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = folder_.File(name);
        test::WriteFileBytes(path, bytes);
        return QString::fromStdString(path);
    }
    QString Folder() const { return QString::fromStdString(folder_.Path().string()); }

    // Answers the next file dialog with `files` of the folder (none: Cancel),
    // remembering what it showed.
    void AnswerFileDialog(const QStringList& files) {
        AnswerModal<QFileDialog>([this, files](QFileDialog* chooser) {
            title_ = chooser->windowTitle();
            filters_ = chooser->nameFilters();
            mode_ = chooser->fileMode();
            startFolder_ = chooser->directory().absolutePath();
            if (files.isEmpty()) {
                chooser->reject();
                return;
            }
            chooser->setDirectory(Folder());
            chooser->selectFile(files.size() == 1 ? files.first()
                                                  : "\"" + files.join("\" \"") + "\"");
            static_cast<QDialog*>(chooser)->accept();
        });
    }
    // Answers the next message box with OK, remembering its text.
    void AnswerMessage() {
        AnswerModal<QMessageBox>([this](QMessageBox* box) {
            messages_ << box->text();
            box->accept();
        });
    }
    bool LoadIntoCursorItem() { return Panel().LoadIntoCursorItem(); }

    test::CTempDir folder_;
    QString title_;
    QStringList filters_;
    QFileDialog::FileMode mode_ = QFileDialog::AnyFile;
    QString startFolder_;
    QStringList messages_;
};

TEST_F(SoundsPanelFiles, AFileBecomesASoundNamedAfterItsTitle) {
    ASSERT_TRUE(Panel().AddFile(MakeWav("door.open.wav", 250)));
    ASSERT_EQ(Resources().Count<CVKT_WavMemory>(), 1);
    EXPECT_EQ(Sound(0).ID(), "door.open");
    EXPECT_EQ(Sound(0).FrameCount(), 250);
    EXPECT_EQ(Shown(Column::kIdColumn, 1), "door.open");
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 1),
              "WAV, 250 Data, 1000 Bytes (16 Bits, 2 Channels, 44100 Hz)");
    EXPECT_EQ(Panel().GetCursorItem(), 0);
    EXPECT_TRUE(document_.IsModified());
}

TEST_F(SoundsPanelFiles, AFileThatDoesNotLoadIsReportedAndLeavesNothing) {
    const QString missing = Folder() + "/missing.wav";
    AnswerMessage();
    EXPECT_FALSE(Panel().AddFile(missing));
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_EQ(messages_[0], "The sound file could not be loaded:\n" + missing);
    EXPECT_EQ(Resources().Count<CVKT_WavMemory>(), 0);
    EXPECT_EQ(Sheet().RowCount(), 1);
    EXPECT_FALSE(document_.IsModified());

    // Raw samples need at least one byte.
    AnswerMessage();
    EXPECT_FALSE(Panel().AddFile(MakeFile("silence.pcm", {})));
    EXPECT_EQ(Resources().Count<CVKT_WavMemory>(), 0);

    // Dropped files: the one that does not load is left out, the others come
    // in order.
    AnswerMessage();
    Panel().DropFiles({MakeWav("first.wav", 3), missing, MakeWav("second.WAV", 5)});
    EXPECT_EQ(messages_.size(), 3);
    ASSERT_EQ(Resources().Count<CVKT_WavMemory>(), 2);
    EXPECT_EQ(Sound(0).ID(), "first");
    EXPECT_EQ(Sound(1).ID(), "second");
    EXPECT_EQ(Sound(1).FrameCount(), 5);
    EXPECT_EQ(Sheet().RowCount(), 3);
}

TEST_F(SoundsPanelFiles, InsertAsksForSoundFilesAndAddsEachInOrder) {
    MakeWav("b.wav", 10);
    MakeWav("a.wav", 20);
    Panel().SetLastFolder(Folder());
    AnswerFileDialog({"b.wav", "a.wav"});
    EXPECT_TRUE(Panel().InsertItems());
    EXPECT_EQ(title_, "Insert Sound(s) Filename(s)");
    EXPECT_EQ(filters_,
              (QStringList{"Supported Sounds Files (*.wav *.ogg *.pcm)",
                           "Windows Sounds Files (*.wav)", "OGG Vorbis (*.ogg)",
                           "Cool Edit Pro RAW 32 Bits Stereo Files (*.pcm)", "All Files (*)"}));
    EXPECT_EQ(mode_, QFileDialog::ExistingFiles);
    EXPECT_EQ(startFolder_, Folder());
    ASSERT_EQ(Resources().Count<CVKT_WavMemory>(), 2);
    EXPECT_EQ(Sound(0).FrameCount() + Sound(1).FrameCount(), 30);
    EXPECT_EQ(Sheet().RowCount(), 3);

    AnswerFileDialog({});
    EXPECT_FALSE(Panel().InsertItems());
    EXPECT_EQ(Resources().Count<CVKT_WavMemory>(), 2);
}

TEST_F(SoundsPanelFiles, LoadingStopsAllSoundAndNamesANewItemAfterTheFile) {
    AddSound("other", 100000);
    Resources().New<CVKT_WavMemory>("New ID");
    Panel().Refresh(true);
    audio_->PlaySound(&Sound(0))->SetLoop(true);
    MakeWav("rain.wav", 40);

    // The "Edi&t" submenu's entry.
    Panel().SetCursorItem(1);
    AnswerFileDialog({"rain.wav"});
    QMenu menu;
    EXPECT_TRUE(Panel().OnEditCommand(&menu, CResourcePanel::kFirstEditCommand,
                                      CResourcePanel::kFirstEditCommand + 1));
    EXPECT_EQ(title_, "Load Wav Into Memory");
    EXPECT_EQ(mode_, QFileDialog::ExistingFile);
    EXPECT_EQ(filters_.size(), 5);
    EXPECT_EQ(PlayingVoices(Sound(0)), 0);
    EXPECT_FALSE(device_.IsOpen());
    EXPECT_EQ(Sound(1).ID(), "rain");
    EXPECT_EQ(Sound(1).FrameCount(), 40);
    EXPECT_EQ(Shown(Column::kIdColumn, 2), "rain");
    EXPECT_TRUE(document_.IsModified());

    // Any other ID stays.
    Panel().SetCursorItem(0);
    AnswerFileDialog({"rain.wav"});
    EXPECT_TRUE(LoadIntoCursorItem());
    EXPECT_EQ(Sound(0).ID(), "other");
    EXPECT_EQ(Sound(0).FrameCount(), 40);
}

TEST_F(SoundsPanelFiles, AFailedLoadKeepsTheSoundAsItWas) {
    AddSound("kept", 64);
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    audio_->PlaySound(&Sound(0));
    MakeFile("empty.pcm", {});

    AnswerFileDialog({"empty.pcm"});
    AnswerMessage();
    EXPECT_FALSE(LoadIntoCursorItem());
    ASSERT_EQ(messages_.size(), 1);
    EXPECT_TRUE(messages_[0].startsWith("The sound file could not be loaded:\n"));
    EXPECT_EQ(Sound(0).FrameCount(), 64);
    EXPECT_EQ(Sound(0).SampleData().size(), 256u);
    EXPECT_EQ(VoicesHolding(Sound(0)), 0);
    EXPECT_FALSE(document_.IsModified());

    // Cancelling loads nothing.
    AnswerFileDialog({});
    EXPECT_FALSE(LoadIntoCursorItem());
    EXPECT_EQ(Sound(0).FrameCount(), 64);
}

TEST_F(SoundsPanelFiles, RawSamplesKeepTheRateAndOggBytesStayCompressed) {
    Resources().New<CVKT_WavMemory>("raw");
    Sound(0).SetPcm(8, 1, 22050, 0, {});
    Resources().New<CVKT_WavMemory>("ogg");
    Panel().Refresh(true);
    MakeFile("noise.pcm", std::vector<std::uint8_t>(20, 0));
    MakeFile("junk.ogg", {'O', 'g', 'g', 'S', 1, 2, 3});
    const std::string wav = MakeWav("tone.wav", 4410).toStdString();
    const std::string ogg = (Folder() + "/stream.ogg").toStdString();
    ASSERT_EQ(test::RunChildProcess({"oggenc", "-Q", "-o", ogg, wav}), 0);

    Panel().SetCursorItem(0);
    AnswerFileDialog({"noise.pcm"});
    EXPECT_TRUE(LoadIntoCursorItem());
    EXPECT_EQ(Sound(0).FrameCount(), 2);
    EXPECT_EQ(Sound(0).SampleRate(), 22050);
    EXPECT_EQ(Sound(0).BitsPerSample(), 32);

    Panel().SetCursorItem(1);
    AnswerFileDialog({"stream.ogg"});
    EXPECT_TRUE(LoadIntoCursorItem());
    EXPECT_EQ(Sound(1).StorageKind(), CVKT_WavMemory::kStorageOgg);
    const QString oggSize = QString::number(QFileInfo(QString::fromStdString(ogg)).size());
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 2),
              "OGG, " + oggSize + " Bytes (2 Channels, 44100 Hz)");

    // A file named .ogg that holds no Vorbis stream is refused like an import.
    AnswerFileDialog({"junk.ogg"});
    AnswerMessage();
    EXPECT_FALSE(LoadIntoCursorItem());
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 2),
              "OGG, " + oggSize + " Bytes (2 Channels, 44100 Hz)");
}

TEST_F(SoundsPanelFiles, WithoutACursorItemNothingIsAsked) {
    EXPECT_FALSE(LoadIntoCursorItem());
    EXPECT_FALSE(document_.IsModified());
}

}  // namespace
}  // namespace plexion
