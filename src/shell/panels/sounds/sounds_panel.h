#pragma once

#include <QImage>

#include <atomic>
#include <functional>
#include <map>
#include <vector>

#include "kind_panel.h"
#include "sound_preview_cache.h"
#include "wav_memory.h"

namespace plexion {

// The "Music and Sounds" panel: the sounds of the document in the grid, a
// "Play" cell per sound that plays, loops and stops it on the application's
// audio system, the import of WAV, Ogg Vorbis and raw sound files, and a
// band per affected sound in the preview with its waveform (or its Ogg
// Vorbis stream) and a line where it is being heard.
class CSoundsPanel : public CKindPanel<CVKT_WavMemory> {
    Q_OBJECT
public:
    // Kind columns.
    enum Column {
        kIndexColumn = 0,
        kIdColumn = 1,
        kPlayColumn = 2,
        kSpecificationsColumn = 3,
        kCommentsColumn = 4,
        kColumnCount = 5,
    };
    // The entries of the "Edi&t" submenu, after the menu's first id.
    static constexpr int kLoadCommand = 1;
    static constexpr int kSwapCommand = 2;

    explicit CSoundsPanel(QWidget* parent = nullptr);

    bool DeleteItem(int item) override;
    bool AddFile(const QString& path) override;
    bool InsertItems() override;
    bool AddEditCommands(QMenu* menu, int firstId) override;
    bool OnEditCommand(QMenu* menu, int firstId, int id) override;
    void DrawPreview(QPainter& painter, const QRect& preview) override;
    void DrawItemPreview(QPainter& painter, QRect& band, int item) override;
    // Moves the playing-position lines: repaints the bands whose lines moved.
    void RedrawPreview() override;
    // Game-clock thread: whether a shown sound plays, so its line moves.
    bool StepTime() override;
    // A sound the preview shows is being played; any thread.
    bool PreviewAnimates() const override;
    // Brings the other channel of stereo waveforms to the front.
    void SwapDisplayChannels();

    // Asks for a sound file and loads it into the cursor item, after all
    // sound was stopped; an item still named "New ID" takes the file's title.
    bool LoadIntoCursorItem();
    // Lets every voice go of the sounds of the document, before it closes.
    void DetachAllSounds();

private:
    // Runs `change` on sound `item` through the document's editing path.
    bool EditSound(const QString& label, int item,
                   const std::function<bool(CVKT_WavMemory&)>& change);
    bool ApplyPlayCell(int dstRow, int srcRow);
    bool LoadFileIntoItem(int item, const QString& path);
    void DetachSound(const CVKT_WavMemory* sound) const;
    // The band's waveform or Ogg stream and the ID line, drawn once per
    // sound, size and look.
    const QImage& BandPicture(QPainter& painter, const QRect& band, const CVKT_WavMemory& sound);
    // The x of each place in `band` where `sound` is heard now.
    std::vector<int> PlayingLines(const CVKT_WavMemory& sound, const QRect& band);
    // What the last look at the shown sounds found; wakes the game clock
    // when a sound began to play.
    void SetAnimating(bool playing);

    bool swapChannels_ = false;
    CSoundPreviewCache previewCache_;
    std::atomic<bool> animating_{false};
    // What the last paint showed: the lines of each item, the sounds, and
    // whether one of them played.
    std::map<int, std::vector<int>> shownLines_;
    std::vector<const CVKT_WavMemory*> shownSounds_;
    bool playingShown_ = false;
};

}  // namespace plexion
