#include "map_palette.h"

#include <QPainter>

#include "bitmap_item.h"
#include "resource_container.h"
#include "picture_thumbnail.h"

namespace plexion {

CMapPaletteModel::CMapPaletteModel(QObject* parent)
    : QAbstractListModel(parent), thumbnails_(kThumbnailSize) {}

void CMapPaletteModel::SetDocument(const CVKT_ResourceContainer* document) {
    beginResetModel();
    document_ = document;
    thumbnails_.SetDocument(document);
    endResetModel();
}

int CMapPaletteModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    // Cells name at most 65535 bitmaps: the last value is the empty cell.
    const int bitmaps = document_ != nullptr ? document_->Count<CVKT_Bitmap>() : 0;
    return 1 + std::min(bitmaps, 0xFFFF);
}

int CMapPaletteModel::RowOfValue(std::int16_t value) const {
    const int bitmap = static_cast<std::uint16_t>(value);
    return bitmap + 1 < rowCount() ? bitmap + 1 : 0;
}

QVariant CMapPaletteModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const int bitmap = index.row() - 1;
    if (role == Qt::DisplayRole) {
        if (bitmap < 0) {
            return QStringLiteral("None");
        }
        return BitmapRowText(bitmap, *document_->GetAt<CVKT_Bitmap>(bitmap));
    }
    if (role == Qt::DecorationRole) {
        return Thumbnail(bitmap);
    }
    if (role == Qt::ToolTipRole) {
        return bitmap < 0 ? QStringLiteral("Paint empty cells") : data(index, Qt::DisplayRole);
    }
    return {};
}

QPixmap CMapPaletteModel::Thumbnail(int bitmap) const {
    if (bitmap >= 0) {
        return thumbnails_.Of(bitmap);
    }
    if (eraser_.isNull()) {
        // The eraser: a crossed-out box.
        eraser_ = QPixmap(kThumbnailSize, kThumbnailSize);
        eraser_.fill(Qt::transparent);
        QPainter painter(&eraser_);
        painter.setPen(QPen(Qt::darkRed, 2));
        painter.drawRect(4, 4, kThumbnailSize - 8, kThumbnailSize - 8);
        painter.drawLine(4, 4, kThumbnailSize - 4, kThumbnailSize - 4);
    }
    return eraser_;
}

CMapPalette::CMapPalette(QWidget* parent) : QListView(parent), model_(new CMapPaletteModel(this)) {
    setModel(model_);
    setUniformItemSizes(true);
    setIconSize(QSize(CMapPaletteModel::kThumbnailSize, CMapPaletteModel::kThumbnailSize));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { OnCurrentChanged(current); });
}

void CMapPalette::SetDocument(const CVKT_ResourceContainer* document) {
    const std::int16_t kept = value_;
    model_->SetDocument(document);
    SelectValue(kept);
}

void CMapPalette::SelectValue(std::int16_t value) {
    const QModelIndex row = model_->index(model_->RowOfValue(value));
    setCurrentIndex(row);
    scrollTo(row);
    OnCurrentChanged(row);
}

void CMapPalette::OnCurrentChanged(const QModelIndex& current) {
    if (!current.isValid()) {
        return;
    }
    const std::int16_t value = CMapPaletteModel::ValueOfRow(current.row());
    if (value != value_) {
        value_ = value;
        emit valueChosen(value);
    }
}

}  // namespace plexion
