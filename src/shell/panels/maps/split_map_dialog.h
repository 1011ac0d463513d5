#pragma once

#include "form_dialog.h"

class QComboBox;
class QSpinBox;

namespace plexion {

class CVKT_ResourceContainer;

// "Split The Bitmap And Create The Corresponding Map": which bitmap to cut,
// the tiles' size and the map's size. The sizes are linked: a tile width
// sets the columns to what covers the picture's width, a number of columns
// sets the tile width that covers it with that many; heights and lines
// alike.
class CSplitMapDialog : public CFormDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Split The Bitmap And Create The Corresponding Map";
    static constexpr int kDefaultTileSize = 32;

    // Starts on `bitmap` of `document`, which must hold at least one bitmap.
    CSplitMapDialog(const CVKT_ResourceContainer& document, int bitmap, QWidget* parent = nullptr);

    // After OK: the chosen bitmap and tile size.
    int Bitmap() const { return bitmap_; }
    int TileWidth() const { return tileWidth_; }
    int TileHeight() const { return tileHeight_; }

    QComboBox* BitmapField() const { return bitmapField_; }
    QSpinBox* TileWidthField() const { return tileWidthField_; }
    QSpinBox* TileHeightField() const { return tileHeightField_; }
    QSpinBox* ColumnsField() const { return columnsField_; }
    QSpinBox* LinesField() const { return linesField_; }

private:
    QSize PictureSize() const;
    void LinkFromTiles();
    void LinkFromMap(QSpinBox* changed);

    const CVKT_ResourceContainer& document_;
    int bitmap_;
    int tileWidth_ = kDefaultTileSize;
    int tileHeight_ = kDefaultTileSize;
    int columns_ = 1;
    int lines_ = 1;
    QComboBox* bitmapField_;
    QSpinBox* tileWidthField_ = nullptr;
    QSpinBox* tileHeightField_ = nullptr;
    QSpinBox* columnsField_ = nullptr;
    QSpinBox* linesField_ = nullptr;
};

}  // namespace plexion
