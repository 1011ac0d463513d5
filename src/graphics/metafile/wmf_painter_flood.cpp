#include "wmf_painter_flood.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace plexion {
namespace {

// Scans whole runs of a row at a time through the row's own pointers: a
// fill may cover millions of pixels.
class CFlood {
public:
    CFlood(const QImage& image, QRgb colour, EFloodKind kind)
        : image_(image),
          colour_(colour),
          spreadsOverColour_(kind == EFloodKind::SameColour),
          width_(image.width()),
          reached_(static_cast<std::size_t>(image.width()) * image.height(), 0) {}

    // False when the budget ran out first.
    bool Spread(QPoint start, std::int64_t& budget, std::vector<QRect>& runs) {
        std::vector<QPoint> seeds{start};
        while (!seeds.empty()) {
            const QPoint seed = seeds.back();
            seeds.pop_back();
            const SRow row = Row(seed.y());
            if (!Open(row, seed.x())) {
                continue;
            }
            int left = seed.x();
            int right = seed.x();
            while (left > 0 && Open(row, left - 1)) {
                --left;
            }
            while (right + 1 < width_ && Open(row, right + 1)) {
                ++right;
            }
            budget -= right - left + 1;
            if (budget < 0) {
                return false;
            }
            std::fill(row.reached + left, row.reached + right + 1, std::uint8_t{1});
            runs.emplace_back(left, seed.y(), right - left + 1, 1);
            for (const int y : {seed.y() - 1, seed.y() + 1}) {
                if (y < 0 || y >= image_.height()) {
                    continue;
                }
                const SRow next = Row(y);
                bool previousOpen = false;
                for (int x = left; x <= right; ++x) {
                    const bool open = Open(next, x);
                    if (open && !previousOpen) {
                        seeds.emplace_back(x, y);
                    }
                    previousOpen = open;
                }
            }
        }
        return true;
    }

private:
    struct SRow {
        const QRgb* pixels;
        std::uint8_t* reached;
    };

    SRow Row(int y) {
        return {reinterpret_cast<const QRgb*>(image_.constScanLine(y)),
                reached_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_)};
    }

    bool Open(const SRow& row, int x) const {
        return row.reached[x] == 0 && (row.pixels[x] == colour_) == spreadsOverColour_;
    }

    const QImage& image_;
    QRgb colour_;
    bool spreadsOverColour_;
    int width_;
    std::vector<std::uint8_t> reached_;
};

}  // namespace

std::optional<QRegion> FloodRegion(const QImage& image, QPoint start, QRgb colour,
                                   EFloodKind kind, std::int64_t& budget) {
    if (image.format() != QImage::Format_ARGB32_Premultiplied || !image.rect().contains(start)) {
        return QRegion();
    }
    // The image holds premultiplied pixels; an opaque colour reads the same.
    std::vector<QRect> runs;
    if (!CFlood(image, qRgb(qRed(colour), qGreen(colour), qBlue(colour)), kind)
             .Spread(start, budget, runs)) {
        return std::nullopt;
    }
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
