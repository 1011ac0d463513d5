#include "compression_dialog.h"

#include <QStringList>

#include "form_dialog.h"

namespace plexion {

std::optional<SCompressionOptions> ChooseCompression(QWidget* parent) {
    const std::vector<SOfferedCodec>& codecs = OfferedCodecs();
    QStringList entries;
    for (const SOfferedCodec& codec : codecs) {
        entries << QString::fromStdString(codec.description) +
                       (codec.hasQuality ? QStringLiteral(" (quality 1 to 31)") : QString());
    }
    int chosen = 0;
    int keyFrameInterval = 0;
    int quality = 0;
    CFormDialog dialog(QStringLiteral("Video Compression"), parent);
    dialog.AddList(QStringLiteral("&Compressor"), entries, chosen);
    dialog.AddInteger(QStringLiteral("&Key Frame Every N Frames (0: Default)"), keyFrameInterval,
                      0, 100000);
    dialog.AddInteger(QStringLiteral("&Quality, 1 Best to 31 Smallest (0: Default)"), quality, 0,
                      31);
    if (codecs.empty() || dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const SOfferedCodec& codec = codecs[static_cast<std::size_t>(chosen)];
    return SCompressionOptions{codec.name, keyFrameInterval, codec.hasQuality ? quality : 0};
}

}  // namespace plexion
