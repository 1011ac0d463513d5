#include <QStringList>

#include <algorithm>

#include "bitmap_item.h"
#include "form_dialog.h"
#include "index_list_item.h"
#include "resource_container.h"
#include "stored_text.h"
#include "trajectory_preview.h"

namespace plexion {
namespace {

constexpr const char* kNoneEntry = "NONE";

// "NONE", then "%d - %s" for every bitmap, numbered from 1 as the choices
// are.
QStringList BitmapEntries(const CVKT_ResourceContainer& container) {
    QStringList entries = {QString::fromLatin1(kNoneEntry)};
    for (int index = 0; index < container.Count<CVKT_Bitmap>(); ++index) {
        entries << QStringLiteral("%1 - %2").arg(index + 1).arg(
            FromStored(container.GetAt<CVKT_Bitmap>(index)->ID()));
    }
    return entries;
}

// The bitmap entries, then "Animation %d - %s" for every animation.
QStringList ObjectEntries(const CVKT_ResourceContainer& container) {
    QStringList entries = BitmapEntries(container);
    for (int index = 0; index < container.Count<CVKT_IndexList>(); ++index) {
        entries << QStringLiteral("Animation %1 - %2")
                       .arg(index + 1)
                       .arg(FromStored(container.GetAt<CVKT_IndexList>(index)->ID()));
    }
    return entries;
}

}  // namespace

int CTrajectoryPreview::ObjectEntry() const {
    if (objectAnimation_ >= 0 && container_ != nullptr) {
        return 1 + container_->Count<CVKT_Bitmap>() + objectAnimation_;
    }
    return objectChoice_;
}

void CTrajectoryPreview::TakeChoices(int background, int objectEntry) {
    const int bitmaps = container_->Count<CVKT_Bitmap>();
    backgroundChoice_ = std::max(0, background);
    objectChoice_ = objectEntry <= bitmaps ? std::max(0, objectEntry) : 0;
    objectAnimation_ = objectEntry > bitmaps ? objectEntry - 1 - bitmaps : -1;
    CAnimationCursor& animation = state_.ObjectAnimation();
    animation.Stop();
    animation.SetAnimationIndex(objectAnimation_);
    if (objectAnimation_ >= 0) {
        animation.Restart();
    }
    SetTrajectoryIndex(TrajectoryIndex());
}

bool CTrajectoryPreview::ChooseBackground() {
    if (container_ == nullptr) {
        return false;
    }
    int entry = backgroundChoice_;
    CFormDialog dialog(QStringLiteral("Chose Background Bitmap"), this);
    dialog.AddList(QStringLiteral("&Bitmaps"), BitmapEntries(*container_), entry);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    TakeChoices(entry, ObjectEntry());
    return true;
}

bool CTrajectoryPreview::ChooseObject() {
    if (container_ == nullptr) {
        return false;
    }
    int entry = ObjectEntry();
    CFormDialog dialog(QStringLiteral("Chose Moving Object Bitmap"), this);
    dialog.AddList(QStringLiteral("&Bitmaps and Animations"), ObjectEntries(*container_), entry);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    TakeChoices(backgroundChoice_, entry);
    return true;
}

bool CTrajectoryPreview::ShowBitmapsDialog() {
    if (container_ == nullptr) {
        return false;
    }
    int background = backgroundChoice_;
    int object = ObjectEntry();
    CFormDialog dialog(QStringLiteral("Bitmaps"), this);
    dialog.AddList(QStringLiteral("&Background Bitmap"), BitmapEntries(*container_), background);
    dialog.AddList(QStringLiteral("&Moving Object"), ObjectEntries(*container_), object);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    TakeChoices(background, object);
    return true;
}

}  // namespace plexion
