#pragma once

#include <QAbstractListModel>
#include <QListView>
#include <QPixmap>

#include <cstdint>

#include "picture_thumbnail.h"

namespace plexion {

class CVKT_ResourceContainer;

// The values a map display paints with: "None" (-1, an empty cell), then
// every bitmap of the document as "%d - %s" (index and ID) beside a
// thumbnail. Thumbnails are made when first shown.
class CMapPaletteModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kThumbnailSize = 32;

    explicit CMapPaletteModel(QObject* parent = nullptr);

    // After the bitmaps changed.
    void SetDocument(const CVKT_ResourceContainer* document);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    static std::int16_t ValueOfRow(int row) { return static_cast<std::int16_t>(row - 1); }
    // The row of a cell value; values naming no bitmap are "None".
    int RowOfValue(std::int16_t value) const;

private:
    QPixmap Thumbnail(int bitmap) const;

    const CVKT_ResourceContainer* document_ = nullptr;
    CPictureThumbnails thumbnails_;
    mutable QPixmap eraser_;
};

// The palette list beside the map display.
class CMapPalette : public QListView {
    Q_OBJECT
public:
    explicit CMapPalette(QWidget* parent = nullptr);

    // Keeps the chosen value where its bitmap is still there.
    void SetDocument(const CVKT_ResourceContainer* document);
    std::int16_t Value() const { return value_; }
    void SelectValue(std::int16_t value);

signals:
    void valueChosen(std::int16_t value);

private:
    void OnCurrentChanged(const QModelIndex& current);

    CMapPaletteModel* model_;
    std::int16_t value_ = 0;
};

}  // namespace plexion
