#include "sounds_panel.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>

#include "application_audio.h"
#include "audio_system.h"
#include "grid_cell.h"
#include "kind_panel_cells.h"
#include "kind_panel_items.h"
#include "message_box_presenter.h"
#include "resource_container.h"
#include "sound_play_state.h"
#include "value_cells.h"
#include "wav_memory.h"

namespace plexion {

CSoundsPanel::CSoundsPanel(QWidget* parent)
    : CKindPanel(QStringLiteral("Music and Sounds"), parent) {
    using Sound = CVKT_WavMemory;
    SetColumns({IndexColumn<Sound>(),
                IdColumn<Sound>(),
                {.header = "Play",
                 .fill =
                     [](CGridCell& cell, const Sound& sound) {
                         FillListCell(cell, &PlayStateNames(),
                                      PlayStateOf(ApplicationAudio(), &sound));
                     },
                 .apply = [this](int dstRow, int srcRow) { return ApplyPlayCell(dstRow, srcRow); }},
                SpecificationsColumn<Sound>(),
                CommentsColumn<Sound>()});
    SetAcceptsFiles(true);
    connect(&previewCache_, &CSoundPreviewCache::waveformReady, this,
            [this] { update(PreviewRect(rect())); });
}

bool CSoundsPanel::ApplyPlayCell(int dstRow, int srcRow) {
    const CVKT_WavMemory* sound = Item(ItemOfRow(dstRow));
    const CVKT_WavMemory* source = Item(ItemOfRow(srcRow));
    const CGridCell* edited = KindCell(kPlayColumn, srcRow);
    if (sound == nullptr || source == nullptr || edited == nullptr) {
        return false;
    }
    // Playing changes no data of the document. A copied cell plays as the
    // voices play its source.
    CAudioSystem* audio = ApplicationAudio();
    const bool played = ApplyPlayState(
        audio, sound, dstRow == srcRow ? edited->GetInt() : PlayStateOf(audio, source));
    if (!played && audio != nullptr && FirstNoOutputNotice()) {
        QMessageBox::warning(this, MessageBoxTitle(),
                             QStringLiteral("No audio output device could be opened: sounds "
                                            "cannot be played."));
    }
    // The cell shows what the voices do, which is not what was asked when
    // nothing could play; "Loop Play" may not fit the column.
    RefreshItemCell(kPlayColumn, dstRow);
    WidenColumnToFit(*this, kPlayColumn + FixedColumnCount(), dstRow);
    // The playing line starts to move (and the game clock with it).
    RedrawPreview();
    return true;
}

bool CSoundsPanel::DeleteItem(int item) {
    const CVKT_WavMemory* sound = Item(item);
    if (sound == nullptr) {
        return false;
    }
    DetachSound(sound);
    return DeleteKindItem<CVKT_WavMemory>(*this, item);
}

bool CSoundsPanel::AddEditCommands(QMenu* menu, int firstId) {
    if (menu == nullptr) {
        return false;
    }
    QAction* load = menu->addAction(QStringLiteral("&Load Wav/Ogg..."));
    load->setData(firstId + kLoadCommand);
    load->setStatusTip(QStringLiteral("Load Wav or Ogg into the selected CVKT_WavMemory"));
    load->setEnabled(GetRowCount() > 0 && GetAffectedCount() > 0);
    QAction* swap = menu->addAction(QStringLiteral("S&wap Display Channels Priority"));
    swap->setData(firstId + kSwapCommand);
    swap->setStatusTip(QStringLiteral("Bring the left or right audio channel to the foreground"));
    return true;
}

bool CSoundsPanel::OnEditCommand(QMenu*, int firstId, int id) {
    if (id == firstId + kLoadCommand) {
        LoadIntoCursorItem();
        return true;
    }
    if (id == firstId + kSwapCommand) {
        SwapDisplayChannels();
        return true;
    }
    return false;
}

void CSoundsPanel::DetachAllSounds() {
    for (int item = 0; item < GetItemCount(); ++item) {
        DetachSound(Item(item));
    }
}

bool CSoundsPanel::EditSound(const QString& label, int item,
                             const std::function<bool(CVKT_WavMemory&)>& change) {
    return EditDocument(label, [item, &change](CVKT_ResourceContainer& container) {
        CVKT_WavMemory* sound = container.GetAt<CVKT_WavMemory>(item);
        return sound != nullptr && change(*sound);
    });
}

void CSoundsPanel::DetachSound(const CVKT_WavMemory* sound) const {
    if (CAudioSystem* audio = ApplicationAudio()) {
        audio->DetachSound(sound);
    }
}

}  // namespace plexion
