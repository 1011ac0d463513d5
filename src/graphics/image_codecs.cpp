#include "image_codecs.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <algorithm>

#include "decode_limits.h"
#include "emf_decoder.h"
#include "image_format_sniffer.h"
#include "wmf_decoder.h"

namespace plexion {
namespace {

// The encoders a desktop image library ships; the others Qt may have (XPM,
// PPM, ...) are not picture formats of this editor.
constexpr const char* kEncoderCandidates[] = {"image/bmp", "image/jpeg", "image/gif", "image/tiff",
                                              "image/png"};

const char* QtFormatName(EImageFormat format) {
    switch (format) {
        case EImageFormat::Bmp:
            return "bmp";
        case EImageFormat::Jpeg:
            return "jpeg";
        case EImageFormat::Png:
            return "png";
        case EImageFormat::Tiff:
            return "tiff";
        case EImageFormat::Gif:
            return "gif";
        case EImageFormat::Ico:
            return "ico";
        case EImageFormat::Wmf:
        case EImageFormat::Emf:
        case EImageFormat::Unknown:
            break;
    }
    return nullptr;
}

bool FitsDecodeLimits(QSize size) {
    return IsDecodableSize(size.width(), size.height());
}

// An icon file holds several pictures of one icon; the largest one is the
// best picture of it. Ties go to the first.
void JumpToLargestIcon(QImageReader& reader) {
    int best = 0;
    std::int64_t bestArea = -1;
    for (int i = 0; i < reader.imageCount() && reader.jumpToImage(i); ++i) {
        const QSize size = reader.size();
        const std::int64_t area = std::int64_t{size.width()} * size.height();
        if (size.isValid() && area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    reader.jumpToImage(best);
}

QImage DecodeWithQt(std::span<const std::uint8_t> bytes, EImageFormat format) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, QtFormatName(format));
    reader.setAutoDetectImageFormat(false);
    reader.setAutoTransform(true);
    if (format == EImageFormat::Ico) {
        JumpToLargestIcon(reader);
    }
    // Refuse a claimed size before the decoder allocates for it. A decoder
    // that cannot tell its size up front is held by Qt's allocation limit.
    const QSize claimed = reader.size();
    if (claimed.isValid() && !FitsDecodeLimits(claimed)) {
        return {};
    }
    QImage image;
    if (!reader.read(&image) || !FitsDecodeLimits(image.size())) {
        return {};
    }
    return std::move(image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

SDecodedPicture DecodeEmf(std::span<const std::uint8_t> bytes) {
    bool tooMuchWork = false;
    const std::optional<SMetafileSvg> picture = ConvertEmfToSvg(bytes, tooMuchWork);
    if (tooMuchWork) {
        return SDecodedPicture::Failed(EDecodeProblem::TooMuchWork);
    }
    return SDecodedPicture::Of(picture ? RenderMetafileSvg(*picture) : QImage());
}

}  // namespace

void ApplyDecodeLimitsToQt() {
    QImageReader::setAllocationLimit(kQtAllocationLimitMegabytes);
}

SDecodedPicture DecodePicture(std::span<const std::uint8_t> bytes) {
    const EImageFormat format = SniffImageFormat(bytes);
    switch (format) {
        case EImageFormat::Unknown:
            return SDecodedPicture::Failed(EDecodeProblem::NotAPicture);
        case EImageFormat::Wmf:
            return DecodeWmf(bytes);
        case EImageFormat::Emf:
            return DecodeEmf(bytes);
        default:
            return SDecodedPicture::Of(DecodeWithQt(bytes, format));
    }
}

QImage DecodeImage(std::span<const std::uint8_t> bytes) {
    return DecodePicture(bytes).image;
}

std::vector<std::string> ImageEncoderMimeTypes() {
    static const std::vector<std::string> types = [] {
        const QList<QByteArray> available = QImageWriter::supportedMimeTypes();
        std::vector<std::string> result;
        for (const char* candidate : kEncoderCandidates) {
            if (available.contains(QByteArray(candidate))) {
                result.emplace_back(candidate);
            }
        }
        return result;
    }();
    return types;
}

std::optional<std::vector<std::uint8_t>> EncodeImage(const QImage& image,
                                                     const std::string& mimeType) {
    const std::vector<std::string> types = ImageEncoderMimeTypes();
    if (image.isNull() || std::find(types.begin(), types.end(), mimeType) == types.end()) {
        return std::nullopt;
    }
    const QList<QByteArray> formats =
        QImageWriter::imageFormatsForMimeType(QByteArray::fromStdString(mimeType));
    if (formats.isEmpty()) {
        return std::nullopt;
    }
    QByteArray encoded;
    QBuffer buffer(&encoded);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, formats.first());
    if (!writer.write(image)) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(encoded.begin(), encoded.end());
}

}  // namespace plexion
