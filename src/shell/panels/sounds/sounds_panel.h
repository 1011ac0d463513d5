#pragma once

#include <functional>

#include "kind_panel.h"
#include "wav_memory.h"

namespace plexion {

// The "Music and Sounds" panel: the sounds of the document in the grid, a
// "Play" cell per sound that plays, loops and stops it on the application's
// audio system, and the import of WAV, Ogg Vorbis and raw sound files.
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
    // The entry of the "Edi&t" submenu, after the menu's first id.
    static constexpr int kLoadCommand = 1;

    explicit CSoundsPanel(QWidget* parent = nullptr);

    bool DeleteItem(int item) override;
    bool AddFile(const QString& path) override;
    bool InsertItems() override;
    bool AddEditCommands(QMenu* menu, int firstId) override;
    bool OnEditCommand(QMenu* menu, int firstId, int id) override;

    // Asks for a sound file and loads it into the cursor item, after all
    // sound was stopped; an item still named "New ID" takes the file's title.
    bool LoadIntoCursorItem();
    // Lets every voice go of the sounds of the document, before it closes.
    void DetachAllSounds();

private:
    // Runs `change` on sound `item` through the document's editing path.
    bool EditSound(int item, const std::function<bool(CVKT_WavMemory&)>& change);
    bool ApplyPlayCell(int dstRow, int srcRow);
    bool LoadFileIntoItem(int item, const QString& path);
    void DetachSound(const CVKT_WavMemory* sound) const;
};

}  // namespace plexion
