#include "split_map_dialog.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include "bitmap_item.h"
#include "decode_limits.h"
#include "map_split.h"
#include "resource_container.h"
#include "stored_text.h"

namespace plexion {
namespace {

QStringList BitmapEntries(const CVKT_ResourceContainer& document) {
    QStringList entries;
    for (int index = 0; index < document.Count<CVKT_Bitmap>(); ++index) {
        const CVKT_Bitmap* bitmap = document.GetAt<CVKT_Bitmap>(index);
        const QImage* image = bitmap->Image();
        entries << QStringLiteral("%1 - %2 (%3 x %4)")
                       .arg(index)
                       .arg(FromStored(bitmap->ID()))
                       .arg(image != nullptr ? image->width() : 0)
                       .arg(image != nullptr ? image->height() : 0);
    }
    return entries;
}

void SetQuietly(QSpinBox* field, int value) {
    const QSignalBlocker quiet(field);
    field->setValue(value);
}

}  // namespace

CSplitMapDialog::CSplitMapDialog(const CVKT_ResourceContainer& document, int bitmap,
                                 QWidget* parent)
    : CFormDialog(QString::fromLatin1(kCaption), parent), document_(document), bitmap_(bitmap) {
    constexpr int kLargest = static_cast<int>(kMaxDecodedSide);
    AddTitle(QStringLiteral("Bitmap To Split"));
    bitmapField_ = AddChoice(QStringLiteral("&Bitmap"), bitmap_, BitmapEntries(document));
    AddTitle(QStringLiteral("Tiles And Map"));
    std::tie(tileWidthField_, tileHeightField_) =
        AddIntegerPair(QStringLiteral("Bitmaps &Size:"), tileWidth_, tileHeight_, 1, kLargest);
    std::tie(columnsField_, linesField_) =
        AddIntegerPair(QStringLiteral("&Map Size:"), columns_, lines_, 1, kLargest);
    AddInformation(QStringLiteral(
        "Each different tile becomes a bitmap; identical tiles share one. Tiles at the right and "
        "bottom edges that the picture does not fill are made transparent where it ends."));
    LinkFromTiles();
    connect(bitmapField_, &QComboBox::currentIndexChanged, this, [this] { LinkFromTiles(); });
    connect(tileWidthField_, &QSpinBox::valueChanged, this, [this] { LinkFromTiles(); });
    connect(tileHeightField_, &QSpinBox::valueChanged, this, [this] { LinkFromTiles(); });
    connect(columnsField_, &QSpinBox::valueChanged, this, [this] { LinkFromMap(columnsField_); });
    connect(linesField_, &QSpinBox::valueChanged, this, [this] { LinkFromMap(linesField_); });
}

QSize CSplitMapDialog::PictureSize() const {
    const CVKT_Bitmap* bitmap = document_.GetAt<CVKT_Bitmap>(bitmapField_->currentIndex());
    const QImage* image = bitmap != nullptr ? bitmap->Image() : nullptr;
    return image != nullptr ? image->size() : QSize();
}

void CSplitMapDialog::LinkFromTiles() {
    const QSize picture = PictureSize();
    SetQuietly(columnsField_, map_split::TilesCovering(picture.width(), tileWidthField_->value()));
    SetQuietly(linesField_, map_split::TilesCovering(picture.height(), tileHeightField_->value()));
}

void CSplitMapDialog::LinkFromMap(QSpinBox* changed) {
    const QSize picture = PictureSize();
    if (changed == columnsField_) {
        SetQuietly(tileWidthField_, map_split::TileSizeFor(picture.width(), changed->value()));
    } else {
        SetQuietly(tileHeightField_, map_split::TileSizeFor(picture.height(), changed->value()));
    }
}

}  // namespace plexion
