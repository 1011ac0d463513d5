#pragma once

#include <QImage>
#include <QRect>

namespace plexion {

// How a picture viewer shows a picture's transparency: as it is, with the
// colours drawn opaque (what the transparent parts hold), or only its alpha
// as grey levels (black transparent, white opaque).
enum class AlphaView { Normal, WithoutAlpha, OnlyAlpha };

// The part `part` of `image` (cut to the image) as `view` shows it. Only the
// part is converted, so a viewer that shows a little of a large picture
// pays for that little. The normal view is the part itself.
QImage AlphaViewImage(const QImage& image, AlphaView view, const QRect& part);

}  // namespace plexion
