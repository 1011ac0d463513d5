#pragma once

#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

namespace plexion::test {

// Encodes `image` with Qt's own writer for `format` ("PNG", "BMP", ...).
inline std::vector<std::uint8_t> EncodedWithQt(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return {bytes.begin(), bytes.end()};
}

// A transparent picture with an opaque rectangle of `color` in it.
inline QImage PictureWithBox(int width, int height, QRect box, QRgb color) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            image.setPixel(x, y, color);
        }
    }
    return image;
}

}  // namespace plexion::test
