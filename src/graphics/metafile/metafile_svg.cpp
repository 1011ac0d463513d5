#include "metafile_svg.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <cmath>

#include "decode_limits.h"

namespace plexion {
namespace {

bool FontsAvailable() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

// Copies the SVG without its text elements. Empty when the XML is malformed.
QByteArray WithoutText(const QByteArray& svg) {
    QByteArray stripped;
    QXmlStreamReader reader(svg);
    QXmlStreamWriter writer(&stripped);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("text")) {
            reader.skipCurrentElement();
            continue;
        }
        if (reader.tokenType() != QXmlStreamReader::Invalid) {
            writer.writeCurrentToken(reader);
        }
    }
    return reader.hasError() ? QByteArray() : stripped;
}

}  // namespace

std::optional<QSize> MetafilePixelSize(double widthInches, double heightInches) {
    const double width = std::round(widthInches * kMetafileDotsPerInch);
    const double height = std::round(heightInches * kMetafileDotsPerInch);
    if (!std::isfinite(width) || !std::isfinite(height) || width < 1.0 || height < 1.0 ||
        width > static_cast<double>(kMaxDecodedSide) ||
        height > static_cast<double>(kMaxDecodedSide)) {
        return std::nullopt;
    }
    const QSize size(static_cast<int>(width), static_cast<int>(height));
    if (!IsDecodableSize(size.width(), size.height())) {
        return std::nullopt;
    }
    return size;
}

QImage RenderMetafileSvg(const SMetafileSvg& picture) {
    if (!IsDecodableSize(picture.size.width(), picture.size.height())) {
        return {};
    }
    const QByteArray svg = FontsAvailable() ? picture.svg : WithoutText(picture.svg);
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        return {};
    }
    QImage image(picture.size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        return {};
    }
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(picture.size)));
    painter.end();
    return image;
}

}  // namespace plexion
