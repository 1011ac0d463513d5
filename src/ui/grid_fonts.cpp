#include "grid_fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

namespace plexion {

QFont GridInterfaceFont() {
    return QGuiApplication::font();
}

QFont GridBoldSystemFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setBold(true);
    return font;
}

QFont ZoomedFont(QFont font, double zoom) {
    if (zoom == 1.0) {
        return font;
    }
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, static_cast<int>(font.pixelSize() * zoom + 0.5)));
    } else {
        font.setPointSizeF(std::max(1.0, font.pointSizeF() * zoom));
    }
    return font;
}

}  // namespace plexion
