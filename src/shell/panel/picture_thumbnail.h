#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

namespace plexion {

class CVKT_Bitmap;
class CVKT_ResourceContainer;

// "%d - %s": a bitmap's index and ID, as the lists of bitmaps show it.
QString BitmapRowText(int index, const CVKT_Bitmap& bitmap);

// Small pictures of a document's bitmaps for the lists that name them, each
// made when first asked for and kept until the bitmaps change.
class CPictureThumbnails {
public:
    explicit CPictureThumbnails(int size) : size_(size) {}

    int Size() const { return size_; }
    // After the bitmaps changed: every thumbnail is made again.
    void SetDocument(const CVKT_ResourceContainer* document);
    // The picture of bitmap `index` scaled to fit and centred on
    // transparency; only transparency when there is no such picture.
    QPixmap Of(int index) const;

private:
    int size_;
    const CVKT_ResourceContainer* document_ = nullptr;
    mutable QHash<int, QPixmap> made_;
};

}  // namespace plexion
