#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include "modal_answer.h"
#include "panel_user.h"
#include "sounds_panel_fixture.h"

namespace plexion {
namespace {

using test::AnswerModal;
using test::ChooseMenuEntry;

constexpr int kStop = 0;
constexpr int kPlay = 1;
constexpr int kLoop = 2;

class SoundsPanelCells : public test::CSoundsPanelTest {
protected:
    // As the user picking `state` from the menu of the "Play" cell of `row`.
    void ChoosePlayState(int row, int state) {
        ChooseMenuEntry(state);
        test::EditWithReturn(Panel(), Column::kPlayColumn, row);
    }
};

TEST_F(SoundsPanelCells, ListsTheSoundsUnderTheirHeaders) {
    EXPECT_EQ(Panel().Title(), "Music and Sounds");
    EXPECT_TRUE(Panel().AcceptsFiles());
    EXPECT_EQ(Panel().GetColumnCount(), 5);
    EXPECT_EQ(Sheet().RowCount(), 1);

    AddSound("door", 10);
    Resources().New<CVKT_WavMemory>("empty");
    Sound(0).SetComments("creaks\nloudly");
    Panel().Refresh(true);

    const QStringList headers = {"Index", "ID", "Play", "Specifications", "Comments"};
    for (int column = 0; column < Panel().GetColumnCount(); ++column) {
        EXPECT_EQ(Shown(column, 0), headers[column]);
    }
    EXPECT_EQ(Shown(Column::kIndexColumn, 2), "+1");
    EXPECT_EQ(Shown(Column::kIdColumn, 1), "door");
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Stop");
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 1),
              "WAV, 10 Data, 40 Bytes (16 Bits, 2 Channels, 44100 Hz)");
    EXPECT_EQ(Shown(Column::kSpecificationsColumn, 2), "WAV, Empty !");
    EXPECT_EQ(Shown(Column::kCommentsColumn, 1), "creaks\nloudly");
    EXPECT_EQ(Cell(Column::kCommentsColumn, 1).GetType(), GridCellType::MultiLineText);

    EXPECT_FALSE(Cell(Column::kIndexColumn, 1).GetEditable());
    EXPECT_TRUE(Cell(Column::kIdColumn, 1).GetEditable());
    EXPECT_TRUE(Cell(Column::kPlayColumn, 1).GetEditable());
    EXPECT_FALSE(Cell(Column::kSpecificationsColumn, 1).GetEditable());
    EXPECT_TRUE(Cell(Column::kCommentsColumn, 1).GetEditable());
}

TEST_F(SoundsPanelCells, IdsAndCommentsGoIntoTheEditedAndEveryMarkedSound) {
    AddSound("a", 1);
    AddSound("b", 1);
    AddSound("c", 1);
    Panel().Refresh(true);
    Panel().SetMarked(2, true, true, true);

    test::AnswerEditValue(QStringLiteral("bell"));
    test::EditWithReturn(Panel(), Column::kIdColumn, 1);
    EXPECT_EQ(Sound(0).ID(), "bell");
    EXPECT_EQ(Sound(1).ID(), "b");
    EXPECT_EQ(Sound(2).ID(), "bell");
    EXPECT_EQ(Shown(Column::kIdColumn, 3), "bell");
    EXPECT_TRUE(document_.IsModified());

    EditCellText(Column::kCommentsColumn, 2, QStringLiteral("two\nlines"));
    EXPECT_EQ(Sound(1).Comments(), "two\nlines");
    EXPECT_EQ(Sound(2).Comments(), "two\nlines");
    EXPECT_EQ(Sound(0).Comments(), "");
}

TEST_F(SoundsPanelCells, BytesThatAreNoUtf8SurviveAnEditThatChangesNothing) {
    AddSound("\xE9t\xE9", 1);
    Panel().Refresh(true);
    const QString shown = Shown(Column::kIdColumn, 1);
    EditCellText(Column::kIdColumn, 1, shown);
    EXPECT_EQ(Sound(0).ID(), "\xE9t\xE9");
    EXPECT_FALSE(document_.IsModified());
}

TEST_F(SoundsPanelCells, ThePlayCellPlaysLoopsAndStops) {
    AddSound("drum", 100000);
    Panel().Refresh(true);

    ChoosePlayState(1, kPlay);
    EXPECT_EQ(PlayingVoices(Sound(0)), 1);
    EXPECT_EQ(PlayingVoices(Sound(0), true), 0);
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Play");
    EXPECT_TRUE(device_.IsOpen());
    // Playing is no change of the document.
    EXPECT_FALSE(document_.IsModified());

    ChoosePlayState(1, kStop);
    EXPECT_EQ(PlayingVoices(Sound(0)), 0);
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Stop");

    ChoosePlayState(1, kLoop);
    EXPECT_EQ(PlayingVoices(Sound(0), true), 1);
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Loop Play");

    // Played again, the sound plays on a second voice too.
    ChoosePlayState(1, kPlay);
    EXPECT_EQ(PlayingVoices(Sound(0)), 2);
    ChoosePlayState(1, kStop);
    EXPECT_EQ(PlayingVoices(Sound(0)), 0);
}

TEST_F(SoundsPanelCells, MarkedSoundsPlayAsTheEditedOne) {
    AddSound("a", 100000);
    AddSound("b", 100000);
    AddSound("c", 100000);
    Panel().Refresh(true);
    Panel().SetMarked(0, true, true, true);
    Panel().SetMarked(2, true, true, true);

    ChoosePlayState(2, kLoop);
    EXPECT_EQ(PlayingVoices(Sound(0), true), 1);
    EXPECT_EQ(PlayingVoices(Sound(1), true), 1);
    EXPECT_EQ(PlayingVoices(Sound(2), true), 1);
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Loop Play");
    EXPECT_EQ(Shown(Column::kPlayColumn, 3), "Loop Play");

    ChoosePlayState(2, kStop);
    for (int index = 0; index < 3; ++index) {
        EXPECT_EQ(PlayingVoices(Sound(index)), 0) << index;
    }
    EXPECT_EQ(Shown(Column::kPlayColumn, 3), "Stop");

    // Copied from another row, the cell plays as the voices play the
    // source; a source that plays nothing stops the destination.
    Panel().SetAllMarked(true, false, true);
    const int play = Column::kPlayColumn + Panel().FixedColumnCount();
    ChoosePlayState(1, kLoop);
    EXPECT_TRUE(Panel().ApplyCell(play, 2, play, 1));
    EXPECT_EQ(PlayingVoices(Sound(1), true), 1);
    EXPECT_EQ(Shown(Column::kPlayColumn, 2), "Loop Play");
    EXPECT_TRUE(Panel().ApplyCell(play, 1, play, 3));
    EXPECT_EQ(PlayingVoices(Sound(0)), 0);
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Stop");
    EXPECT_EQ(PlayingVoices(Sound(1), true), 1);
}

TEST_F(SoundsPanelCells, NothingPlaysWithoutAnOutputAndThatIsSaidOnce) {
    AddSound("a", 1000);
    Panel().Refresh(true);
    device_.refuseOpen = true;
    QStringList said;
    AnswerModal<QMessageBox>([&said](QMessageBox* box) {
        said << box->text();
        box->accept();
    });
    ChoosePlayState(1, kPlay);
    EXPECT_EQ(PlayingVoices(Sound(0)), 0);
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Stop");
    EXPECT_EQ(said, QStringList({"No audio output device could be opened: sounds cannot be "
                                 "played."}));
    // The second Play of the run says nothing: a message box would block.
    ChoosePlayState(1, kLoop);
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Stop");

    SetApplicationAudio(nullptr);
    ChoosePlayState(1, kLoop);
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Stop");
}

TEST_F(SoundsPanelCells, ASoundThatEndsByItselfShowsPlayUntilItsRowIsRefilled) {
    AddSound("click", 100);
    Panel().Refresh(true);
    ChoosePlayState(1, kPlay);
    ASSERT_EQ(PlayingVoices(Sound(0)), 1);
    // One buffer heard: the next one holds the whole sound, and its end.
    ASSERT_TRUE(device_.CompleteOne());
    EXPECT_EQ(PlayingVoices(Sound(0)), 0);
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Play");
    Panel().Refresh(true);
    EXPECT_EQ(Shown(Column::kPlayColumn, 1), "Stop");
}

TEST_F(SoundsPanelCells, DeletingPlayingSoundsLetsTheirVoicesGoFirst) {
    AddSound("a", 100000);
    AddSound("b", 100000);
    AddSound("c", 100000);
    Panel().Refresh(true);
    ASSERT_TRUE(test::FocusGrid(Panel()));
    ChoosePlayState(1, kLoop);
    ChoosePlayState(3, kPlay);
    Panel().SetMarked(0, true, true, true);
    CAudioVoice* looping = audio_->Voice(0);
    ASSERT_EQ(looping->GetItem(), &Sound(0));

    Panel().SetCursorItem(2);
    test::PressOnGrid(Panel(), Qt::Key_Delete);
    ASSERT_EQ(Resources().Count<CVKT_WavMemory>(), 1);
    EXPECT_EQ(Sound(0).ID(), "b");
    for (int index = 0; index < audio_->VoiceCount(); ++index) {
        EXPECT_EQ(audio_->Voice(index)->GetItem(), nullptr) << index;
    }
    EXPECT_FALSE(looping->IsPlaying());
    EXPECT_TRUE(document_.IsModified());
    // The engine goes on without them.
    EXPECT_TRUE(device_.CompleteOne());
}

TEST_F(SoundsPanelCells, BeforeTheDocumentClosesNoVoiceKeepsItsSounds) {
    AddSound("a", 100000);
    AddSound("b", 100);
    Panel().Refresh(true);
    ChoosePlayState(1, kLoop);
    ChoosePlayState(2, kPlay);
    // A sound that ended by itself is still held by its voice.
    ASSERT_TRUE(device_.CompleteOne());
    ASSERT_EQ(PlayingVoices(Sound(1)), 0);
    ASSERT_EQ(VoicesHolding(Sound(1)), 1);

    Panel().DetachAllSounds();
    EXPECT_EQ(VoicesHolding(Sound(0)), 0);
    EXPECT_EQ(VoicesHolding(Sound(1)), 0);
    EXPECT_TRUE(device_.CompleteOne());
}

TEST_F(SoundsPanelCells, MovesThroughTheDocument) {
    AddSound("a", 1);
    AddSound("b", 1);
    Panel().Refresh(true);
    ASSERT_TRUE(test::FocusGrid(Panel()));
    Panel().SetCursorItem(0);
    test::PressOnGrid(Panel(), Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Sound(0).ID(), "b");
    EXPECT_EQ(Sound(1).ID(), "a");
    EXPECT_EQ(Shown(Column::kIdColumn, 2), "a");
    EXPECT_TRUE(document_.IsModified());

    document_.History().Stack().setClean();
    EXPECT_TRUE(Panel().DoMoveItem(1, 1));
    EXPECT_FALSE(document_.IsModified());
    EXPECT_FALSE(Panel().DoMoveItem(4, 0));
    EXPECT_FALSE(Panel().DeleteItem(4));
}

TEST_F(SoundsPanelCells, TheEditMenuOffersLoadingOnlyWithAnItem) {
    std::unique_ptr<QMenu> owner;
    QMenu* edit = test::EditSubmenu(Panel(), owner);
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(edit->actions().size(), 2);  // and the channel swap
    QAction* load = edit->actions().first();
    EXPECT_EQ(load->text(), "&Load Wav/Ogg...");
    EXPECT_EQ(load->statusTip(), "Load Wav or Ogg into the selected CVKT_WavMemory");
    EXPECT_EQ(load->data().toInt(), CResourcePanel::kFirstEditCommand + 1);
    EXPECT_FALSE(load->isEnabled());

    AddSound("a", 1);
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    edit = test::EditSubmenu(Panel(), owner);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->actions().first()->isEnabled());
    EXPECT_FALSE(Panel().OnEditCommand(edit, CResourcePanel::kFirstEditCommand,
                                       CResourcePanel::kFirstEditCommand + 3));
}

}  // namespace
}  // namespace plexion
