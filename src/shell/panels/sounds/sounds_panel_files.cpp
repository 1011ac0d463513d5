#include <QFileInfo>

#include "application_audio.h"
#include "audio_system.h"
#include "edit_step.h"
#include "kind_panel_cells.h"
#include "paths.h"
#include "resource_container.h"
#include "sound_file_loading.h"
#include "sound_import.h"
#include "sounds_panel.h"
#include "wav_memory.h"

namespace plexion {
namespace {

// What a freshly inserted item is called until a file names it.
constexpr const char* kUnnamedId = "New ID";

}  // namespace

bool CSoundsPanel::AddFile(const QString& path) {
    const std::string file = LocalFilePath(path);
    int added = -1;
    EditDocument(QStringLiteral("Insert Sound"), [&](CVKT_ResourceContainer& container) {
        added = AddSoundFile(container, file);
        return added >= 0;
    });
    if (added < 0) {
        ShowSoundLoadFailed(this, path);
        return false;
    }
    ShowNewItem(*this, added);
    return true;
}

bool CSoundsPanel::InsertItems() {
    const QStringList files =
        ChooseSoundFiles(this, QStringLiteral("Insert Sound(s) Filename(s)"), LastFolder(), true);
    if (files.isEmpty()) {
        return false;
    }
    SetLastFolder(QFileInfo(files.first()).absolutePath());
    bool added = false;
    AsOneEdit(QString::fromStdString(ItemsLabel("Insert", files.size())), [&] {
        for (const QString& file : files) {
            added = AddFile(file) || added;
        }
    });
    return added;
}

bool CSoundsPanel::LoadIntoCursorItem() {
    if (CAudioSystem* audio = ApplicationAudio()) {
        audio->StopAllSounds();
    }
    const int item = GetCursorItem();
    if (Item(item) == nullptr) {
        return false;
    }
    const QStringList files =
        ChooseSoundFiles(this, QStringLiteral("Load Wav Into Memory"), LastFolder(), false);
    if (files.isEmpty()) {
        return false;
    }
    SetLastFolder(QFileInfo(files.first()).absolutePath());
    const bool loaded = LoadFileIntoItem(item, files.first());
    Refresh(true);
    return loaded;
}

bool CSoundsPanel::LoadFileIntoItem(int item, const QString& path) {
    DetachSound(Item(item));
    const std::string file = LocalFilePath(path);
    bool loaded = false;
    EditSound(QStringLiteral("Load Wav Into Memory"), item, [&](CVKT_WavMemory& sound) {
        loaded = ReloadSound(sound, file);
        if (loaded && sound.ID() == kUnnamedId) {
            sound.SetID(FileTitleOf(file));
        }
        return loaded;
    });
    if (!loaded) {
        ShowSoundLoadFailed(this, path);
    }
    return loaded;
}

}  // namespace plexion
