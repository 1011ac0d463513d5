#pragma once

#include <QAbstractListModel>

#include <vector>

#include "picture_thumbnail.h"

namespace plexion {

class CVKT_IndexList;
class CVKT_ResourceContainer;
struct CAnimationFrame;

// The rows of a frame: "%d - [ %dx %d ] - <%d, %d> - %s" (frame, delay,
// bitmap, offsets, the bitmap's ID), "None / Out of Range" for a bitmap
// index that names no bitmap.
QString FrameRowText(const CVKT_ResourceContainer& document, int frame,
                     const CAnimationFrame& values);

// The bitmaps of a document, "%d - %s" beside a thumbnail. Marked rows can
// be dragged out as bitmap indexes.
class CBitmapListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // What a drag of bitmaps carries: their indexes, "0,3,4".
    static constexpr const char* kMimeType = "application/x-plexion-bitmap-indexes";

    CBitmapListModel(const CPictureThumbnails& thumbnails, QObject* parent = nullptr);

    void SetDocument(const CVKT_ResourceContainer* document);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

private:
    const CPictureThumbnails& thumbnails_;
    const CVKT_ResourceContainer* document_ = nullptr;
};

// The frames of one animation, each beside its bitmap's thumbnail. Bitmaps
// dropped on it are offered to the owner with the row they go before.
class CFrameListModel : public QAbstractListModel {
    Q_OBJECT
public:
    CFrameListModel(const CPictureThumbnails& thumbnails, QObject* parent = nullptr);

    // `animation` may name nothing: then there are no rows.
    void SetAnimation(const CVKT_ResourceContainer* document, int animation);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

signals:
    // Bitmaps dropped before frame `at` (the end when `at` is past the last).
    void bitmapsDropped(int at, const std::vector<int>& bitmaps);

private:
    const CVKT_IndexList* Animation() const;

    const CPictureThumbnails& thumbnails_;
    const CVKT_ResourceContainer* document_ = nullptr;
    int animation_ = -1;
};

}  // namespace plexion
