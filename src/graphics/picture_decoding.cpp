#include "picture_decoding.h"

#include <QCryptographicHash>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <vector>

#include "bitmap_item.h"
#include "image_codecs.h"
#include "picture_cache.h"
#include "resource_group.h"

namespace plexion {
namespace {

std::atomic<EStoredPictureDecoding> gDecoding{EStoredPictureDecoding::OnLoad};

}  // namespace

SDecodedPicture DecodePictureOnce(std::span<const std::uint8_t> bytes) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())),
        QCryptographicHash::Sha256);
    CPictureCache& cache = CPictureCache::Instance();
    if (std::optional<SDecodedPicture> known = cache.Find(digest)) {
        return std::move(*known);
    }
    SDecodedPicture decoded = DecodePicture(bytes);
    cache.Keep(digest, decoded);
    return decoded;
}

void DecodeStoredPictures(CVKT_ResourceGroup& bitmaps) {
    std::vector<CVKT_Bitmap*> pending;
    for (int i = 0; i < bitmaps.Count(); ++i) {
        auto* bitmap = static_cast<CVKT_Bitmap*>(bitmaps.GetAt(i));
        if (bitmap->NeedsDecoding()) {
            pending.push_back(bitmap);
        }
    }
    if (pending.empty()) {
        return;
    }
    // Workers only read source bytes and fill their own result slots; the
    // bitmaps themselves are changed on this thread afterwards.
    std::vector<QImage> decoded(pending.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < pending.size(); i = next++) {
            decoded[i] = DecodePictureOnce(pending[i]->SourceBytes()).image;
        }
    };
    // Qt's own pool rather than plain threads: decoding creates Qt objects,
    // and threads Qt did not start leave their Qt thread data behind.
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, QThread::idealThreadCount()));
    const int helpers = std::min(pool.maxThreadCount(), static_cast<int>(pending.size()));
    for (int i = 0; i < helpers; ++i) {
        pool.start(work);
    }
    pool.waitForDone();
    for (std::size_t i = 0; i < pending.size(); ++i) {
        pending[i]->TakeDecoded(decoded[i]);
    }
}

void SetStoredPictureDecoding(EStoredPictureDecoding when) {
    gDecoding = when;
}

void DecodeStoredPicturesOnLoad(CVKT_ResourceGroup& bitmaps) {
    if (gDecoding == EStoredPictureDecoding::OnLoad) {
        DecodeStoredPictures(bitmaps);
    }
}

}  // namespace plexion
