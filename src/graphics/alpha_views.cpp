#include "alpha_views.h"

namespace plexion {

QImage AlphaViewImage(const QImage& image, AlphaView view, const QRect& part) {
    const QRect shown = part.intersected(image.rect());
    if (shown.isEmpty()) {
        return {};
    }
    if (view == AlphaView::Normal) {
        return image.copy(shown);
    }
    // Straight colours: a premultiplied picture is divided back by its alpha.
    const QImage piece = image.copy(shown).convertToFormat(QImage::Format_ARGB32);
    QImage shownPiece(piece.size(),
                      view == AlphaView::OnlyAlpha ? QImage::Format_Grayscale8
                                                   : QImage::Format_RGB32);
    for (int y = 0; y < piece.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(piece.constScanLine(y));
        uchar* to = shownPiece.scanLine(y);
        for (int x = 0; x < piece.width(); ++x) {
            if (view == AlphaView::OnlyAlpha) {
                to[x] = static_cast<uchar>(qAlpha(from[x]));
            } else {
                reinterpret_cast<QRgb*>(to)[x] = from[x] | 0xFF000000u;
            }
        }
    }
    return shownPiece;
}

}  // namespace plexion
