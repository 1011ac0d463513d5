// The sounds panel's preview: a band per affected sound with its waveform
// and ID, the channel swap command, the playing-position line on the game
// clock, Ogg waveforms decoded in the background, and the Play column
// widening for "Loop Play".
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "audio_test_support.h"
#include "color_conversion.h"
#include "panel_user.h"
#include "sound_play_state.h"
#include "sound_preview_cache.h"
#include "sounds_panel_fixture.h"

namespace plexion {
namespace {

// Two bands of 100 pixels: separators at y 0 and 100, centre lines at 50
// and 150.
const QRect kPreview(0, 0, 300, 200);

QColor Face() { return InterfaceQColor(InterfaceColor::DialogFace); }
QColor First() { return InterfaceQColor(InterfaceColor::DialogText); }
QColor Second() { return InterfaceQColor(InterfaceColor::DialogSpottedFace); }
QColor Line() { return InterfaceQColor(InterfaceColor::FocusedArea); }

// The x of the playing-position lines in row y.
std::vector<int> LinesIn(const QImage& image, int y) {
    std::vector<int> xs;
    for (int x = 0; x < image.width(); ++x) {
        if (image.pixelColor(x, y) == Line()) {
            xs.push_back(x);
        }
    }
    return xs;
}

class SoundsPanelPreview : public test::CSoundsPanelTest {
protected:
    // A stereo sound: the left channel at -0.5, the right at +0.5.
    int AddSpreadSound(const std::string& id, std::int32_t frames) {
        std::vector<std::int16_t> values(static_cast<std::size_t>(frames) * 2);
        for (std::size_t i = 0; i < values.size(); ++i) {
            values[i] = i % 2 == 0 ? -16384 : 16384;
        }
        const int index = Resources().New<CVKT_WavMemory>(id);
        Sound(index).SetPcm(16, 2, 44100, frames, test::Int16Bytes(values));
        return index;
    }
    QAction* EditEntry(const QString& text, std::unique_ptr<QMenu>& owner) {
        QMenu* edit = test::EditSubmenu(Panel(), owner);
        for (QAction* action : edit->actions()) {
            if (action->text() == text) {
                return action;
            }
        }
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }
    void PlayBuffers(int count) {
        for (int i = 0; i < count; ++i) {
            device_.CompleteOne();
        }
    }
};

TEST_F(SoundsPanelPreview, BandsShowSeparatorWaveformAndId) {
    AddSpreadSound("door", 600);
    Resources().New<CVKT_WavMemory>("empty");
    Panel().Refresh(true);
    Panel().SetAllMarked(false, true, false);
    const QImage image = PreviewImage(kPreview);
    for (const int separator : {0, 100}) {
        EXPECT_EQ(image.pixelColor(150, separator), First()) << separator;
    }
    // Band 0 runs from y 1 to 99: centre 50, a half of 49; -0.5 is y 26.
    EXPECT_EQ(image.pixelColor(200, 26), First());
    EXPECT_EQ(image.pixelColor(200, 74), Second());
    // The empty sound shows its ID and nothing else.
    EXPECT_EQ(image.pixelColor(200, 150), Face());
    int idPixels = 0;
    for (int y = 1; y < 20; ++y) {
        for (int x = 0; x < 60; ++x) {
            idPixels += image.pixelColor(x, 100 + y).lightness() > 200 ? 1 : 0;
        }
    }
    EXPECT_GT(idPixels, 5);
}

TEST_F(SoundsPanelPreview, SwapBringsTheOtherChannelToTheFront) {
    std::unique_ptr<QMenu> owner;
    QAction* swap = EditEntry(QStringLiteral("S&wap Display Channels Priority"), owner);
    ASSERT_NE(swap, nullptr);
    EXPECT_TRUE(swap->isEnabled());  // even without sounds
    EXPECT_EQ(swap->statusTip(),
              QStringLiteral("Bring the left or right audio channel to the foreground"));

    AddSound("tone", 300);  // both channels near 0: the bars overlap on the centre line
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    // The band runs from y 1 to 101 below its separator: its centre is 51.
    const QRect one(0, 0, 300, 102);
    EXPECT_EQ(PreviewImage(one).pixelColor(150, 51), Second());
    Panel().OnEditCommand(nullptr, 10000, swap->data().toInt());
    EXPECT_EQ(PreviewImage(one).pixelColor(150, 51), First());
    Panel().OnEditCommand(nullptr, 10000, swap->data().toInt());
    EXPECT_EQ(PreviewImage(one).pixelColor(150, 51), Second());
}

TEST_F(SoundsPanelPreview, PlayingPositionMovesOnTheGameClock) {
    AddSound("long", 441000);  // ten seconds
    Panel().Refresh(true);
    Panel().SetCursorItem(0);
    EXPECT_FALSE(Panel().PreviewAnimates());
    ApplyPlayState(audio_.get(), &Sound(0), kSoundLooping);
    const QRect one(0, 0, 300, 101);
    EXPECT_TRUE(LinesIn(PreviewImage(one), 80).size() == 1);
    EXPECT_TRUE(Panel().PreviewAnimates());

    PlayBuffers(30);  // 0.9 s of sound, 0.12 s of it still queued
    ASSERT_TRUE(Panel().StepTime());
    Panel().RedrawPreview();
    const std::vector<int> first = LinesIn(PreviewImage(one), 80);
    PlayBuffers(40);
    ASSERT_TRUE(Panel().StepTime());
    Panel().RedrawPreview();
    const std::vector<int> second = LinesIn(PreviewImage(one), 80);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(first[0], 300 * 26 * 1323 / 441000);
    EXPECT_EQ(second[0], 300 * 66 * 1323 / 441000);

    audio_->StopSound(&Sound(0));
    Panel().RedrawPreview();
    EXPECT_FALSE(Panel().StepTime());
    EXPECT_FALSE(Panel().PreviewAnimates());
    EXPECT_TRUE(LinesIn(PreviewImage(one), 80).empty());
}

TEST_F(SoundsPanelPreview, PlayColumnWidensForLoopPlay) {
    AddSound("a", 100);
    Panel().Refresh(true);
    const int column = CSoundsPanel::kPlayColumn + Panel().FixedColumnCount();
    const double before = Sheet().ColumnWidth(column);
    test::ChooseMenuEntry(kSoundLooping);
    test::EditWithReturn(Panel(), CSoundsPanel::kPlayColumn, 1);
    ASSERT_EQ(Shown(CSoundsPanel::kPlayColumn, 1), "Loop Play");
    EXPECT_GT(Sheet().ColumnWidth(column), before);
    EXPECT_GE(Sheet().ColumnWidth(column), Sheet().MeasureCell(column, 1).width());
}

}  // namespace
}  // namespace plexion
