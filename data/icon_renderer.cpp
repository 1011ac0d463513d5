// Renders the application's and the document type's icons into a hicolor
// icon theme tree at build time, from the same drawing the editor shows in
// its About box, so the installed icons never drift from it.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>
#include <functional>

#include "application_picture.h"

namespace {

using Painting = std::function<void(QPainter&, double)>;

constexpr int kSvgSize = 256;
constexpr int kPngSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

bool WritePng(const QString& path, int size, const Painting& paint) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        paint(painter, size);
    }
    return image.save(path, "PNG");
}

bool WriteSvg(const QString& path, const QString& title, const Painting& paint) {
    QSvgGenerator generator;
    generator.setFileName(path);
    generator.setSize(QSize(kSvgSize, kSvgSize));
    generator.setViewBox(QRect(0, 0, kSvgSize, kSvgSize));
    generator.setTitle(title);
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    paint(painter, kSvgSize);
    return painter.end();
}

bool WriteIcon(const QDir& theme, const QString& context, const QString& name,
               const Painting& paint) {
    const QString scalable = QStringLiteral("scalable/%1").arg(context);
    if (!theme.mkpath(scalable) ||
        !WriteSvg(theme.filePath(scalable + u'/' + name + QStringLiteral(".svg")), name, paint)) {
        return false;
    }
    for (int size : kPngSizes) {
        const QString folder = QStringLiteral("%1x%1/%2").arg(size).arg(context);
        if (!theme.mkpath(folder) ||
            !WritePng(theme.filePath(folder + u'/' + name + QStringLiteral(".png")), size,
                      paint)) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: plexion-icon-renderer THEME_DIR\n", stderr);
        return 1;
    }
    const QDir theme(QString::fromLocal8Bit(argv[1]));
    if (!WriteIcon(theme, QStringLiteral("apps"), QStringLiteral("org.plexion.Plexion"),
                   plexion::PaintApplicationPicture) ||
        !WriteIcon(theme, QStringLiteral("mimetypes"),
                   QStringLiteral("application-x-plexion-resources"),
                   plexion::PaintDocumentPicture)) {
        std::fprintf(stderr, "plexion-icon-renderer: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
