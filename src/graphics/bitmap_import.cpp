// Pictures in and out of bitmaps: files, stored bytes and encoders.
#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QPainter>
#include <iterator>

#include "bitmap_item.h"
#include "byte_buffer.h"
#include "image_codecs.h"
#include "paths.h"
#include "safe_file_writer.h"
#include "picture_decoding.h"

namespace plexion {
namespace {

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    CVKT_ByteBuffer buffer;
    if (!buffer.LoadFromFile(path)) {
        return false;
    }
    bytes.assign(buffer.Data(), buffer.Data() + buffer.Size());
    return true;
}

}  // namespace

bool CVKT_Bitmap::LoadFromFile(int kind, const std::string& path, EDecodeProblem* problem) {
    Reset();
    if (problem) {
        *problem = EDecodeProblem::None;
    }
    std::vector<std::uint8_t> bytes;
    // A file that cannot be read is a failed load, not an empty picture.
    if (!ReadWholeFile(path, bytes)) {
        return false;
    }
    if (kind == kKindImage) {
        sourceFileName_ = path;
        sourceBytes_ = std::move(bytes);
        const EDecodeProblem decoding = DecodeSource();
        if (problem) {
            *problem = decoding;
        }
        // A metafile asking for more work than a picture may take is
        // damaged: unlike a file the codecs do not know, it is refused.
        if (decoding == EDecodeProblem::TooMuchWork) {
            Reset();
            return false;
        }
        return true;
    }
    if (kind == kKindDib16 || kind == kKindDib32) {
        if (LoadBmpInto(kind, bytes)) {
            return true;
        }
    }
    Reset();
    return false;
}

bool CVKT_Bitmap::ReloadSource(const std::string& path) {
    CVKT_Bitmap loaded;
    if (!loaded.LoadFromFile(kind_, path)) {
        return false;
    }
    TakePictureFrom(loaded);
    return true;
}

bool CVKT_Bitmap::LoadBmpInto(int kind, const std::vector<std::uint8_t>& bytes) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "bmp");
    const QImage picture = reader.read();
    if (picture.isNull() || !CreateBlank(kind, picture.width(), picture.height())) {
        return false;
    }
    CBitmapPainter painter = GetDrawingContext();
    painter->setCompositionMode(QPainter::CompositionMode_Source);
    painter->drawImage(0, 0, picture);
    return true;
}

EDecodeProblem CVKT_Bitmap::DecodeSource() {
    SDecodedPicture decoded = DecodePictureOnce(sourceBytes_);
    TakeDecoded(decoded.image);
    return decoded.problem;
}

void CVKT_Bitmap::TakeDecoded(const QImage& decoded) {
    // An unreadable picture stays a 0 x 0 picture that keeps its bytes, so
    // that they are written again.
    TakeImage(decoded);
}

bool CVKT_Bitmap::SaveImageToFile(const std::string& path, const std::string& mimeType) const {
    if (kind_ != kKindImage) {
        return false;
    }
    const auto encoded = EncodeImage(image_, mimeType);
    if (!encoded) {
        return false;
    }
    CVKT_ByteBuffer buffer;
    if (!encoded->empty() && !buffer.SetSize(static_cast<std::int64_t>(encoded->size()))) {
        return false;
    }
    std::copy(encoded->begin(), encoded->end(), buffer.Data());
    return buffer.SaveToFile(path);
}

bool CVKT_Bitmap::SaveSourceBytesToFile(const std::string& path) const {
    if (sourceBytes_.empty()) {
        return false;
    }
    return WriteFileSafely(path, sourceBytes_).empty();
}

bool CVKT_Bitmap::ReencodeAsPng() {
    if (kind_ != kKindImage) {
        return false;
    }
    // Encoded in memory; what the user sees is as if the picture had gone
    // through a PNG file of the old file's title in the temporary folder.
    auto png = EncodeImage(image_, "image/png");
    if (!png) {
        return false;
    }
    const std::string pngName =
        QDir(QDir::tempPath())
            .filePath(QString::fromStdString(FileTitleOf(sourceFileName_) + ".png"))
            .toStdString();
    const QImage reloaded = DecodeImage(*png);
    sourceBytes_ = std::move(*png);
    sourceFileName_ = pngName;
    TakeDecoded(reloaded);
    return true;
}

}  // namespace plexion
