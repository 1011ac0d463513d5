#include "toolbar_art.h"

#include <QImage>
#include <QPainter>

namespace plexion {

const CToolbarPaletteEntry* ToolbarPaletteEntry(char letter) {
    for (const CToolbarPaletteEntry& entry : kToolbarPalette) {
        if (entry.letter == letter) {
            return &entry;
        }
    }
    return nullptr;
}

QPixmap ToolbarArtPixmap(const ToolbarIconRows& rows, int scale) {
    QImage image(kToolbarIconWidth * scale, kToolbarIconHeight * scale,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        for (int y = 0; y < kToolbarIconHeight; ++y) {
            const auto& row = rows[static_cast<std::size_t>(y)];
            for (int x = 0; x < kToolbarIconWidth; ++x) {
                const CToolbarPaletteEntry* entry =
                    ToolbarPaletteEntry(row[static_cast<std::size_t>(x)]);
                if (entry != nullptr) {
                    painter.fillRect(x * scale, y * scale, scale, scale,
                                     QColor(entry->red, entry->green, entry->blue));
                }
            }
        }
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(scale);
    return pixmap;
}

QIcon ToolbarArtIcon(const ToolbarIconRows& rows) {
    QIcon icon;
    icon.addPixmap(ToolbarArtPixmap(rows, 1));
    icon.addPixmap(ToolbarArtPixmap(rows, 2));
    return icon;
}

}  // namespace plexion
