#include "scroll_bar_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <array>

#include "color_conversion.h"

namespace plexion {
namespace {

constexpr int kImageSize = 18;

struct CImageInfo {
    const char* name;
    const char* toolTip;
    int rotation;  // degrees from an arrow pointing up
    bool page;
};

constexpr std::array<CImageInfo, 8> kImages = {{
    {"ScrollBarPageUp", "Scroll one page up", 0, true},
    {"ScrollBarStepUp", "Scroll one step up", 0, false},
    {"ScrollBarStepDown", "Scroll one step down", 180, false},
    {"ScrollBarPageDown", "Scroll one page down", 180, true},
    {"ScrollBarPageLeft", "Scroll one page left", 270, true},
    {"ScrollBarStepLeft", "Scroll one step left", 270, false},
    {"ScrollBarStepRight", "Scroll one step right", 90, false},
    {"ScrollBarPageRight", "Scroll one page right", 90, true},
}};

const CImageInfo& InfoOf(ScrollBarImage image) {
    return kImages[static_cast<std::size_t>(image)];
}

// An arrow head pointing up whose tip is at `tipY` on an 18-pixel square.
QPainterPath ArrowHead(double tipY) {
    QPainterPath path;
    path.moveTo(9.0, tipY);
    path.lineTo(14.0, tipY + 5.0);
    path.lineTo(4.0, tipY + 5.0);
    path.closeSubpath();
    return path;
}

QPixmap DrawImage(const CImageInfo& info, bool pressed) {
    const CInterfaceColors& colors = CInterfaceColors::Instance();
    const ColorRef bar = colors.Get(InterfaceColor::ScrollBar);
    const ColorRef background =
        pressed ? LightenColor(bar, 0.3) : colors.Get(InterfaceColor::ScrollBarBackground);
    const ColorRef ink = pressed ? colors.Get(InterfaceColor::ScrollBarMoving) : bar;

    QPixmap pixmap(kImageSize, kImageSize);
    pixmap.fill(ToQColor(background));
    QPainter painter(&pixmap);
    painter.setPen(ToQColor(colors.Get(InterfaceColor::ScrollBarBorder)));
    painter.drawRect(0, 0, kImageSize - 1, kImageSize - 1);

    painter.setRenderHint(QPainter::Antialiasing);
    // A pressed button's arrow sinks by one pixel, as a pushed key would.
    const double sink = pressed ? 1.0 : 0.0;
    painter.translate(kImageSize / 2.0 + sink, kImageSize / 2.0 + sink);
    painter.rotate(info.rotation);
    painter.translate(-kImageSize / 2.0, -kImageSize / 2.0);
    QPainterPath arrows = info.page ? ArrowHead(3.5).united(ArrowHead(8.5)) : ArrowHead(6.0);
    painter.fillPath(arrows, ToQColor(ink));
    return pixmap;
}

}  // namespace

QString ScrollBarImageName(ScrollBarImage image) {
    return QString::fromLatin1(InfoOf(image).name);
}

QString ScrollBarImageToolTip(ScrollBarImage image) {
    return QString::fromLatin1(InfoOf(image).toolTip);
}

ScrollBarImage ScrollBarButtonImage(ScrollBarButton button, bool vertical) {
    switch (button) {
        case ScrollBarButton::PageBack:
            return vertical ? ScrollBarImage::PageUp : ScrollBarImage::PageLeft;
        case ScrollBarButton::StepBack:
            return vertical ? ScrollBarImage::StepUp : ScrollBarImage::StepLeft;
        case ScrollBarButton::StepForward:
            return vertical ? ScrollBarImage::StepDown : ScrollBarImage::StepRight;
        case ScrollBarButton::PageForward:
            return vertical ? ScrollBarImage::PageDown : ScrollBarImage::PageRight;
    }
    return ScrollBarImage::StepDown;
}

QPixmap ScrollBarPixmap(ScrollBarImage image, bool pressed) {
    const CInterfaceColors& colors = CInterfaceColors::Instance();
    // The key holds the colours the image is drawn with, so a change of the
    // interface colours draws it anew.
    const QString key = QStringLiteral("plexion-scroll-%1-%2-%3-%4-%5-%6")
                            .arg(static_cast<int>(image))
                            .arg(pressed ? 1 : 0)
                            .arg(colors.Get(InterfaceColor::ScrollBarBackground))
                            .arg(colors.Get(InterfaceColor::ScrollBarBorder))
                            .arg(colors.Get(InterfaceColor::ScrollBar))
                            .arg(colors.Get(InterfaceColor::ScrollBarMoving));
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        pixmap = DrawImage(InfoOf(image), pressed);
        QPixmapCache::insert(key, pixmap);
    }
    return pixmap;
}

QIcon ScrollBarIcon(ScrollBarImage image) {
    QIcon icon(ScrollBarPixmap(image, false));
    icon.addPixmap(ScrollBarPixmap(image, true), QIcon::Active);
    return icon;
}

}  // namespace plexion
