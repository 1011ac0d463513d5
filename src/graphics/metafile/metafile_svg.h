#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <optional>

namespace plexion {

// Metafiles are rendered at 96 dots per inch, the logical resolution of a
// standard desktop screen, so a one-inch-wide metafile becomes 96 pixels wide
// and imports at the size its author saw it on screen.
inline constexpr double kMetafileDotsPerInch = 96.0;

// A metafile translated to SVG, with the pixel size to render it at.
struct SMetafileSvg {
    QByteArray svg;
    QSize size;
};

// The pixel size of a picture so many inches wide and high, or nothing when it
// is empty, not finite or beyond the decoding limits.
std::optional<QSize> MetafilePixelSize(double widthInches, double heightInches);

// Renders the SVG over a transparent background, stretched to the size, as a
// premultiplied ARGB image. Null when the SVG does not parse. Text needs the
// font database, which only exists under a QGuiApplication; without one, text
// elements are left out and everything else is drawn.
QImage RenderMetafileSvg(const SMetafileSvg& picture);

}  // namespace plexion
