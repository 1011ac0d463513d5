#include "bitmap_palette.h"

namespace plexion {

const QList<QRgb>& StandardPalette() {
    static const QList<QRgb> palette = [] {
        QList<QRgb> colors;
        colors.reserve(256);
        for (int r = 0; r < 6; ++r) {
            for (int g = 0; g < 6; ++g) {
                for (int b = 0; b < 6; ++b) {
                    colors.push_back(qRgb(r * 51, g * 51, b * 51));
                }
            }
        }
        for (int i = 0; colors.size() < 256; ++i) {
            const int level = 6 + i * 6;
            colors.push_back(qRgb(level, level, level));
        }
        return colors;
    }();
    return palette;
}

}  // namespace plexion
