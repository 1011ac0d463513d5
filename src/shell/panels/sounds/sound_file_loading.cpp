#include "sound_file_loading.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "file_filter.h"
#include "message_box_presenter.h"
#include "sound_import.h"
#include "wav_memory.h"

namespace plexion {

QStringList ChooseSoundFiles(QWidget* parent, const QString& title, const QString& folder,
                             bool several) {
    QFileDialog dialog(parent, title, folder, QtFileFilter(QString::fromLatin1(kSoundFileFilter)));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    return dialog.selectedFiles();
}

bool ReloadSound(CVKT_WavMemory& sound, const std::string& path) {
    CVKT_WavMemory loaded;
    // Raw files bring no rate of their own.
    loaded.SetPcm(sound.BitsPerSample(), sound.Channels(), sound.SampleRate(), 0, {});
    std::string why;
    if (!LoadSoundForImport(loaded, path, why)) {
        return false;
    }
    if (loaded.StorageKind() == CVKT_WavMemory::kStorageOgg) {
        sound.SetOgg(loaded.Ogg().Bytes(), loaded.Ogg().StreamInfo());
        return true;
    }
    return sound.SetPcm(loaded.BitsPerSample(), loaded.Channels(), loaded.SampleRate(),
                        loaded.FrameCount(), loaded.SampleData());
}

std::string LocalFilePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

void ShowSoundLoadFailed(QWidget* parent, const QString& path) {
    QMessageBox::warning(parent, MessageBoxTitle(),
                         QStringLiteral("The sound file could not be loaded:\n%1").arg(path));
}

}  // namespace plexion
