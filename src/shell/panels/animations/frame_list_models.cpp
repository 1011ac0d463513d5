#include "frame_list_models.h"

#include <QMimeData>

#include <algorithm>

#include "bitmap_item.h"
#include "index_list_item.h"
#include "resource_container.h"
#include "stored_text.h"

namespace plexion {
namespace {

// "0,3,4" back to the indexes; nothing when the text is not such a list.
std::vector<int> BitmapIndexes(const QMimeData* data) {
    std::vector<int> bitmaps;
    if (data == nullptr) {
        return bitmaps;
    }
    const QByteArray text = data->data(QString::fromLatin1(CBitmapListModel::kMimeType));
    for (const QByteArray& part : text.split(',')) {
        bool ok = false;
        const int index = part.toInt(&ok);
        if (!ok) {
            return {};
        }
        bitmaps.push_back(index);
    }
    return bitmaps;
}

}  // namespace

QString FrameRowText(const CVKT_ResourceContainer& document, int frame,
                     const CAnimationFrame& values) {
    const CVKT_Bitmap* bitmap = document.GetAt<CVKT_Bitmap>(values.bitmap);
    return QString::asprintf("%d - [ %dx %d ] - <%d, %d> - ", frame, values.delay, values.bitmap,
                             values.offsetX, values.offsetY) +
           (bitmap != nullptr ? FromStored(bitmap->ID()) : QStringLiteral("None / Out of Range"));
}

CBitmapListModel::CBitmapListModel(const CPictureThumbnails& thumbnails, QObject* parent)
    : QAbstractListModel(parent), thumbnails_(thumbnails) {}

void CBitmapListModel::SetDocument(const CVKT_ResourceContainer* document) {
    beginResetModel();
    document_ = document;
    endResetModel();
}

int CBitmapListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || document_ == nullptr ? 0 : document_->Count<CVKT_Bitmap>();
}

QVariant CBitmapListModel::data(const QModelIndex& index, int role) const {
    const CVKT_Bitmap* bitmap =
        index.isValid() && document_ != nullptr ? document_->GetAt<CVKT_Bitmap>(index.row())
                                                : nullptr;
    if (bitmap == nullptr) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole: return BitmapRowText(index.row(), *bitmap);
        case Qt::DecorationRole: return thumbnails_.Of(index.row());
        default: return {};
    }
}

Qt::ItemFlags CBitmapListModel::flags(const QModelIndex& index) const {
    return QAbstractListModel::flags(index) | (index.isValid() ? Qt::ItemIsDragEnabled
                                                               : Qt::NoItemFlags);
}

QStringList CBitmapListModel::mimeTypes() const {
    return {QString::fromLatin1(kMimeType)};
}

QMimeData* CBitmapListModel::mimeData(const QModelIndexList& indexes) const {
    std::vector<int> rows;
    for (const QModelIndex& index : indexes) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    QByteArrayList parts;
    for (const int row : rows) {
        parts << QByteArray::number(row);
    }
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kMimeType), parts.join(','));
    return data;
}

Qt::DropActions CBitmapListModel::supportedDragActions() const {
    return Qt::CopyAction;
}

CFrameListModel::CFrameListModel(const CPictureThumbnails& thumbnails, QObject* parent)
    : QAbstractListModel(parent), thumbnails_(thumbnails) {}

void CFrameListModel::SetAnimation(const CVKT_ResourceContainer* document, int animation) {
    beginResetModel();
    document_ = document;
    animation_ = animation;
    endResetModel();
}

const CVKT_IndexList* CFrameListModel::Animation() const {
    return document_ != nullptr ? document_->GetAt<CVKT_IndexList>(animation_) : nullptr;
}

int CFrameListModel::rowCount(const QModelIndex& parent) const {
    const CVKT_IndexList* animation = Animation();
    return parent.isValid() || animation == nullptr ? 0 : animation->FrameCount();
}

QVariant CFrameListModel::data(const QModelIndex& index, int role) const {
    const CVKT_IndexList* animation = Animation();
    if (!index.isValid() || animation == nullptr || index.row() >= animation->FrameCount()) {
        return {};
    }
    const CAnimationFrame frame = animation->Frame(index.row());
    switch (role) {
        case Qt::DisplayRole: return FrameRowText(*document_, index.row(), frame);
        case Qt::DecorationRole: return thumbnails_.Of(frame.bitmap);
        default: return {};
    }
}

Qt::ItemFlags CFrameListModel::flags(const QModelIndex& index) const {
    // Dropping on a frame puts the bitmaps before it; below the last frame,
    // after it.
    return QAbstractListModel::flags(index) | Qt::ItemIsDropEnabled;
}

QStringList CFrameListModel::mimeTypes() const {
    return {QString::fromLatin1(CBitmapListModel::kMimeType)};
}

Qt::DropActions CFrameListModel::supportedDropActions() const {
    return Qt::CopyAction;
}

bool CFrameListModel::canDropMimeData(const QMimeData* data, Qt::DropAction, int, int,
                                      const QModelIndex&) const {
    return Animation() != nullptr && !BitmapIndexes(data).empty();
}

bool CFrameListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row,
                                   int column, const QModelIndex& parent) {
    if (!canDropMimeData(data, action, row, column, parent)) {
        return false;
    }
    const int at = row >= 0 ? row : parent.isValid() ? parent.row() : rowCount();
    emit bitmapsDropped(at, BitmapIndexes(data));
    return true;
}

}  // namespace plexion
