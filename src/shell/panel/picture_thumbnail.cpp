#include "picture_thumbnail.h"

#include <QPainter>

#include "bitmap_item.h"
#include "resource_container.h"
#include "stored_text.h"

namespace plexion {

QString BitmapRowText(int index, const CVKT_Bitmap& bitmap) {
    return QString::asprintf("%d - ", index) + FromStored(bitmap.ID());
}

void CPictureThumbnails::SetDocument(const CVKT_ResourceContainer* document) {
    document_ = document;
    made_.clear();
}

QPixmap CPictureThumbnails::Of(int index) const {
    if (const auto found = made_.constFind(index); found != made_.constEnd()) {
        return *found;
    }
    QPixmap thumbnail(size_, size_);
    thumbnail.fill(Qt::transparent);
    const CVKT_Bitmap* bitmap =
        document_ != nullptr ? document_->GetAt<CVKT_Bitmap>(index) : nullptr;
    const QImage* image = bitmap != nullptr ? bitmap->Image() : nullptr;
    if (image != nullptr && !image->isNull()) {
        const QSize fitted = image->size().scaled(size_, size_, Qt::KeepAspectRatio);
        QPainter painter(&thumbnail);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(
            QRect(QPoint((size_ - fitted.width()) / 2, (size_ - fitted.height()) / 2), fitted),
            *image);
    }
    made_.insert(index, thumbnail);
    return thumbnail;
}

}  // namespace plexion
