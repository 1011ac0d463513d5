#include "toolbar_icons.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "toolbar_icon_art.h"

namespace plexion {
namespace {

// Every picture pixel becomes a scale × scale block, so the pictures stay
// crisp on screens with two device pixels per pixel.
QPixmap PaintArt(const ToolbarIconRows& rows, int scale) {
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

}  // namespace

QIcon CommandIcon(int commandId) {
    const ToolbarIconRows* rows = ToolbarIconArt(commandId);
    if (rows == nullptr) {
        return {};
    }
    QIcon icon;
    icon.addPixmap(PaintArt(*rows, 1));
    icon.addPixmap(PaintArt(*rows, 2));
    return icon;
}

}  // namespace plexion
