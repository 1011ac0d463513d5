#include "render_output.h"

#include "file_output.h"
#include "image_codecs.h"
#include "tool_failure.h"

namespace plexion::tool {

QImage TransparentCanvas(std::int64_t width, std::int64_t height, const std::string& what) {
    if (width < 1 || height < 1) {
        throw UsageError(what + " has nothing to draw");
    }
    if (width > kMaxRenderPixels / height) {
        throw UsageError(what + " would be " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels, more than a picture may hold");
    }
    QImage canvas(static_cast<int>(width), static_cast<int>(height),
                  QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull()) {
        throw CToolFailure(kExitFileProblem, "not enough memory to draw " + what);
    }
    canvas.fill(Qt::transparent);
    return canvas;
}

std::vector<std::uint8_t> EncodePng(const QImage& image, const std::string& what) {
    auto png = EncodeImage(image, "image/png");
    if (!png) {
        throw CToolFailure(kExitFileProblem, "cannot encode " + what + " as PNG");
    }
    return std::move(*png);
}

void SavePng(const QImage& image, const std::string& path) {
    WriteOutputFile(path, EncodePng(image, "\"" + path + "\""));
}

}  // namespace plexion::tool
