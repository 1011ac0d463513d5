#include "wmf_painter_flood.h"

#include <algorithm>
#include <vector>

namespace plexion {
namespace {

class CFlood {
public:
    CFlood(const QImage& image, QRgb colour, EFloodKind kind)
        : image_(image),
          colour_(colour),
          kind_(kind),
          width_(image.width()),
          reached_(static_cast<std::size_t>(image.width()) * image.height(), false) {}

    std::vector<QRect> Spread(QPoint start) {
        std::vector<QRect> runs;
        std::vector<QPoint> seeds{start};
        while (!seeds.empty()) {
            const QPoint seed = seeds.back();
            seeds.pop_back();
            if (!Open(seed.x(), seed.y())) {
                continue;
            }
            int left = seed.x();
            int right = seed.x();
            while (left > 0 && Open(left - 1, seed.y())) {
                --left;
            }
            while (right + 1 < width_ && Open(right + 1, seed.y())) {
                ++right;
            }
            for (int x = left; x <= right; ++x) {
                reached_[Index(x, seed.y())] = true;
            }
            runs.emplace_back(left, seed.y(), right - left + 1, 1);
            for (int y : {seed.y() - 1, seed.y() + 1}) {
                if (y < 0 || y >= image_.height()) {
                    continue;
                }
                for (int x = left; x <= right; ++x) {
                    if (Open(x, y) && (x == left || !Open(x - 1, y))) {
                        seeds.emplace_back(x, y);
                    }
                }
            }
        }
        return runs;
    }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    bool Open(int x, int y) const {
        if (reached_[Index(x, y)]) {
            return false;
        }
        const auto* line = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
        const bool same = line[x] == colour_;
        return kind_ == EFloodKind::SameColour ? same : !same;
    }

    const QImage& image_;
    QRgb colour_;
    EFloodKind kind_;
    int width_;
    std::vector<bool> reached_;
};

}  // namespace

QRegion FloodRegion(const QImage& image, QPoint start, QRgb colour, EFloodKind kind) {
    if (image.format() != QImage::Format_ARGB32_Premultiplied || !image.rect().contains(start)) {
        return {};
    }
    // The image holds premultiplied pixels; an opaque colour reads the same.
    std::vector<QRect> runs =
        CFlood(image, qRgb(qRed(colour), qGreen(colour), qBlue(colour)), kind).Spread(start);
    // Runs one row high, sorted by row then column, are the banded form a
    // region is built from directly.
    std::sort(runs.begin(), runs.end(), [](const QRect& a, const QRect& b) {
        return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
    });
    QRegion region;
    region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

}  // namespace plexion
