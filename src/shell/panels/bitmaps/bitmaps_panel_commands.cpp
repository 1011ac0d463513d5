// The picture commands of the Bitmaps panel's "Edi&t" menu.
#include <QAction>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>

#include <memory>
#include <utility>
#include <vector>

#include "bitmap_item.h"
#include "bitmaps_panel.h"
#include "color_conversion.h"
#include "file_filter.h"
#include "frame_list_editing.h"
#include "image_codecs.h"
#include "index_list_item.h"
#include "message_box_presenter.h"
#include "panel_host.h"
#include "picture_commands.h"
#include "resource_container.h"

namespace plexion {
namespace {

// Commands over more bitmaps than a moment's work show their progress
// after this long.
constexpr int kProgressDelayMs = 800;

struct CCommandEntry {
    int command;
    const char* text;
    const char* shortcut;
    const char* help;
};

constexpr CCommandEntry kEntries[] = {
    {CBitmapsPanel::kCropCommand, "&Crop to Alpha Channel", "Ctrl C",
     "Optimize the size of the bitmap by removing unused space"},
    {CBitmapsPanel::kSetAlphaCommand, "&Set Alpha Channel to Color...", "",
     "Set a color to be transparent, crop the image to the alpha channel, save and reload the "
     "image source (to a temporary file)"},
    {CBitmapsPanel::kChangeColorCommand, "&Change Color...", "",
     "Replace a color with another one, save and reload the image source (to a temporary file)"},
    {CBitmapsPanel::kReloadCommand, "&Reload Image Source...", "Ctrl R",
     "Reload the image source but keep the parameters"},
    {CBitmapsPanel::kSaveSourceCommand, "&Save Image Source...", "",
     "Save the image source to a separate file"},
    {CBitmapsPanel::kMakeAnimationCommand, "Make &Animation From Selection", "",
     "Build an animation from the selected bitmaps"},
    {CBitmapsPanel::kViewWithoutAlphaCommand, "View Without Alpha Channel", "",
     "Display the entire image without any transparency"},
    {CBitmapsPanel::kViewOnlyAlphaCommand, "View Only Alpha Channel", "",
     "Display only the levels of transparency"},
};

QString FileSystemPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A scratch bitmap holding `bitmap`'s picture, source and offsets, to edit
// without touching the document.
std::unique_ptr<CVKT_Bitmap> PictureCopy(const CVKT_Bitmap& bitmap) {
    auto copy = std::make_unique<CVKT_Bitmap>();
    copy->TakeImage(*bitmap.Image());
    copy->SetSourceBytes(bitmap.SourceBytes());
    copy->SetSourceFileName(bitmap.SourceFileName());
    copy->SetOffsetX(bitmap.OffsetX());
    copy->SetOffsetY(bitmap.OffsetY());
    return copy;
}

void TakePicture(CVKT_Bitmap& bitmap, CVKT_Bitmap& edited) {
    bitmap.TakeImage(*edited.Image());
    bitmap.SetSourceBytes(edited.SourceBytes());
    bitmap.SetSourceFileName(edited.SourceFileName());
    bitmap.SetOffsetX(edited.OffsetX());
    bitmap.SetOffsetY(edited.OffsetY());
}

// The colour of the picture's top left pixel, where the background of a
// sprite sheet usually shows; white without one.
QColor CornerColor(const CVKT_Bitmap* bitmap) {
    if (bitmap == nullptr || bitmap->GetKind() != CVKT_Bitmap::kKindImage ||
        bitmap->Image()->isNull()) {
        return Qt::white;
    }
    return QColor(bitmap->Image()->pixel(0, 0)).toRgb();
}

}  // namespace

bool CBitmapsPanel::AddEditCommands(QMenu* menu, int firstId) {
    const bool anySelected = GetRowCount() >= 1 && GetAffectedCount() >= 1;
    const CVKT_Bitmap* current = Item(GetCursorItem());
    for (const CCommandEntry& entry : kEntries) {
        QString text = QString::fromLatin1(entry.text);
        if (entry.shortcut[0] != '\0') {
            text += QLatin1Char('\t') + QString::fromLatin1(entry.shortcut);
        }
        QAction* action = menu->addAction(text);
        action->setData(firstId + entry.command);
        action->setStatusTip(QString::fromLatin1(entry.help));
        switch (entry.command) {
            case kReloadCommand:
                action->setEnabled(current != nullptr);
                break;
            case kSaveSourceCommand:
                action->setEnabled(current != nullptr && !current->SourceBytes().empty());
                break;
            case kViewWithoutAlphaCommand:
                action->setCheckable(true);
                action->setChecked(pictureArea_->View() == AlphaView::WithoutAlpha);
                break;
            case kViewOnlyAlphaCommand:
                action->setCheckable(true);
                action->setChecked(pictureArea_->View() == AlphaView::OnlyAlpha);
                break;
            default:
                action->setEnabled(anySelected);
                break;
        }
        if (entry.command == kChangeColorCommand || entry.command == kSaveSourceCommand ||
            entry.command == kMakeAnimationCommand) {
            menu->addSeparator();
        }
    }
    return true;
}

bool CBitmapsPanel::OnEditCommand(QMenu*, int firstId, int id) {
    switch (id - firstId) {
        case kCropCommand:
            CropToAlphaChannel();
            return true;
        case kSetAlphaCommand:
            SetAlphaChannelToColor();
            return true;
        case kChangeColorCommand:
            ChangeColor();
            return true;
        case kReloadCommand:
            ReloadImageSource();
            return true;
        case kSaveSourceCommand:
            SaveImageSource();
            return true;
        case kMakeAnimationCommand:
            MakeAnimationFromSelection();
            return true;
        case kViewWithoutAlphaCommand:
            ToggleView(AlphaView::WithoutAlpha);
            return true;
        case kViewOnlyAlphaCommand:
            ToggleView(AlphaView::OnlyAlpha);
            return true;
        default:
            return false;
    }
}

bool CBitmapsPanel::EditSelectedPictures(const QString& label,
                                         const std::function<bool(CVKT_Bitmap&)>& command) {
    const std::vector<int> items = GetAffectedItems(true, true);
    if (items.empty()) {
        return false;
    }
    // The pictures are edited on copies, so Cancel leaves every bitmap as it
    // was and the document changes once, when all are done.
    const int count = static_cast<int>(items.size());
    QProgressDialog progress(label + QStringLiteral("..."), QStringLiteral("Cancel"), 0, count,
                             this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(kProgressDelayMs);
    std::vector<std::pair<int, std::unique_ptr<CVKT_Bitmap>>> edited;
    for (int i = 0; i < count; ++i) {
        progress.setValue(i);
        if (progress.wasCanceled()) {
            return false;
        }
        const CVKT_Bitmap* bitmap = Item(items[static_cast<std::size_t>(i)]);
        if (bitmap == nullptr || bitmap->GetKind() != CVKT_Bitmap::kKindImage) {
            continue;
        }
        auto copy = PictureCopy(*bitmap);
        if (command(*copy)) {
            edited.emplace_back(items[static_cast<std::size_t>(i)], std::move(copy));
        }
    }
    progress.setValue(count);
    if (edited.empty()) {
        return false;
    }
    const bool changed = EditDocument(label, [&](CVKT_ResourceContainer& container) {
        for (auto& [item, copy] : edited) {
            CVKT_Bitmap* bitmap = container.GetAt<CVKT_Bitmap>(item);
            if (bitmap != nullptr) {
                TakePicture(*bitmap, *copy);
            }
        }
        return true;
    });
    if (changed) {
        for (const auto& [item, copy] : edited) {
            RefreshRow(item);
        }
    }
    return changed;
}

bool CBitmapsPanel::CropToAlphaChannel() {
    return EditSelectedPictures(QStringLiteral("Crop to Alpha Channel"),
                                picture_commands::CropToAlphaChannel);
}

bool CBitmapsPanel::SetAlphaChannelToColor() {
    const QColor color = QColorDialog::getColor(CornerColor(Item(GetCursorItem())), this,
                                                QStringLiteral("Color to Make Transparent"));
    if (!color.isValid()) {
        return false;
    }
    return EditSelectedPictures(QStringLiteral("Set Alpha Channel to Color"),
                                [color = FromQColor(color)](CVKT_Bitmap& bitmap) {
                                    return picture_commands::SetAlphaChannelToColor(bitmap, color);
                                });
}

bool CBitmapsPanel::ChangeColor() {
    const QColor from = QColorDialog::getColor(CornerColor(Item(GetCursorItem())), this,
                                               QStringLiteral("Color to Replace"));
    if (!from.isValid()) {
        return false;
    }
    const QColor to = QColorDialog::getColor(lastNewColor_, this, QStringLiteral("New Color"));
    if (!to.isValid()) {
        return false;
    }
    lastNewColor_ = to;
    return EditSelectedPictures(
        QStringLiteral("Change Color"),
        [from = FromQColor(from), to = FromQColor(to)](CVKT_Bitmap& bitmap) {
            return picture_commands::ChangeColor(bitmap, from, to);
        });
}

bool CBitmapsPanel::ReloadImageSource() {
    const int item = GetCursorItem();
    const CVKT_Bitmap* bitmap = Item(item);
    if (bitmap == nullptr) {
        return false;
    }
    const QString source = FileSystemPath(bitmap->SourceFileName());
    const QString start = QFileInfo(source).dir().exists() ? source : LastFolder();
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Load Image Source Filename"), start,
                                     QtFileFilter(QString::fromLatin1(kImageFileFilter)));
    if (path.isEmpty()) {
        return false;
    }
    SetLastFolder(QFileInfo(path).absolutePath());
    const bool reloaded =
        EditDocument(QStringLiteral("Reload Image Source"), [&](CVKT_ResourceContainer& container) {
        CVKT_Bitmap* target = container.GetAt<CVKT_Bitmap>(item);
        return target != nullptr && target->ReloadSource(LocalPath(path));
    });
    if (!reloaded) {
        QMessageBox::warning(this, MessageBoxTitle(),
                             QStringLiteral("The image source could not be loaded:\n%1")
                                 .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    RefreshRow(item);
    return true;
}

bool CBitmapsPanel::SaveImageSource() {
    const int item = GetCursorItem();
    const CVKT_Bitmap* bitmap = Item(item);
    if (bitmap == nullptr || bitmap->SourceBytes().empty()) {
        return false;
    }
    const QString source = FileSystemPath(bitmap->SourceFileName());
    const QString name = QFileInfo(source).fileName();
    const QString start = QFileInfo(source).isAbsolute() && QFileInfo(source).dir().exists()
                              ? source
                              : QDir(LastFolder()).filePath(name);
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Image Source Filename"), start,
                                     QtFileFilter(QString::fromLatin1(kImageFileFilter)));
    // The dialog runs its own event loop: look the bitmap up again.
    bitmap = Item(item);
    if (path.isEmpty() || bitmap == nullptr) {
        return false;
    }
    SetLastFolder(QFileInfo(path).absolutePath());
    if (!bitmap->SaveSourceBytesToFile(LocalPath(path))) {
        QMessageBox::warning(this, MessageBoxTitle(),
                             QStringLiteral("Error: the file \"%1\" could not be written !")
                                 .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return true;
}

bool CBitmapsPanel::MakeAnimationFromSelection() {
    const std::vector<int> selected = GetAffectedItems(true, true);
    if (selected.empty()) {
        return false;
    }
    int animation = -1;
    EditDocument(QStringLiteral("Make Animation From Selection"),
                 [&](CVKT_ResourceContainer& container) {
                     animation = frame_list::AppendToSelectionAnimation(container, selected);
                     return animation >= 0;
                 });
    if (animation < 0) {
        QMessageBox::information(
            this, MessageBoxTitle(),
            QStringLiteral("There is no animation with the ID \"%1\" to take the selected "
                           "bitmaps. Insert one in the Animations panel and give it that ID.")
                .arg(QString::fromLatin1(frame_list::kSelectionAnimationId)));
        return false;
    }
    if (Host() != nullptr) {
        Host()->ShowPanelOfKind(CVKT_IndexList::kKind, true);
    }
    return true;
}

int CBitmapsPanel::KindKeyCommand(int key, bool shift, bool control) const {
    if (!control || shift) {
        return 0;
    }
    switch (key) {
        case Qt::Key_C:
            return kFirstEditCommand + kCropCommand;
        case Qt::Key_R:
            return kFirstEditCommand + kReloadCommand;
        default:
            return 0;
    }
}

void CBitmapsPanel::ToggleView(AlphaView view) {
    pictureArea_->SetView(pictureArea_->View() == view ? AlphaView::Normal : view);
}

}  // namespace plexion
