#include "wmf_records.h"

#include <algorithm>

namespace plexion::test {
namespace {

std::uint16_t U(int value) {
    return static_cast<std::uint16_t>(value);
}

// A COLORREF as two words: red and green, then blue.
std::vector<std::uint16_t> ColourWords(QRgb colour) {
    return {U(qRed(colour) | (qGreen(colour) << 8)), U(qBlue(colour))};
}

std::vector<std::uint16_t> Join(std::initializer_list<std::vector<std::uint16_t>> parts) {
    std::vector<std::uint16_t> joined;
    for (const auto& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

std::vector<std::uint16_t> PointWords(const std::vector<QPoint>& points) {
    std::vector<std::uint16_t> words;
    for (const QPoint& point : points) {
        words.push_back(U(point.x()));
        words.push_back(U(point.y()));
    }
    return words;
}

// Bytes packed two to a word, padded with a zero.
std::vector<std::uint16_t> ByteWords(const Bytes& bytes) {
    std::vector<std::uint16_t> words;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const int high = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        words.push_back(U(bytes[i] | (high << 8)));
    }
    return words;
}

}  // namespace

void CWmfBuilder::Record(std::uint16_t function, const std::vector<std::uint16_t>& params) {
    PutU32(records_, static_cast<std::uint32_t>(3 + params.size()));
    PutU16(records_, function);
    for (std::uint16_t param : params) {
        PutU16(records_, param);
    }
}

std::uint16_t CWmfBuilder::Create(std::uint16_t function,
                                  const std::vector<std::uint16_t>& params) {
    Record(function, params);
    const auto free = std::find(slots_.begin(), slots_.end(), false);
    const auto index = static_cast<std::uint16_t>(free - slots_.begin());
    if (free == slots_.end()) {
        slots_.push_back(true);
    } else {
        *free = true;
    }
    return index;
}

void CWmfBuilder::Window(std::int16_t width, std::int16_t height) {
    Record(0x020B, {0, 0});
    Record(0x020C, {U(height), U(width)});
}

std::uint16_t CWmfBuilder::SolidBrush(QRgb colour) {
    return Create(0x02FC, Join({{0}, ColourWords(colour), {0}}));
}

std::uint16_t CWmfBuilder::HatchBrush(QRgb colour, std::uint16_t hatch) {
    return Create(0x02FC, Join({{2}, ColourWords(colour), {hatch}}));
}

std::uint16_t CWmfBuilder::NullBrush() {
    return Create(0x02FC, {1, 0, 0, 0});
}

std::uint16_t CWmfBuilder::Pen(std::uint16_t style, std::int16_t width, QRgb colour) {
    return Create(0x02FA, Join({{style, U(width), 0}, ColourWords(colour)}));
}

std::uint16_t CWmfBuilder::Font(std::int16_t height, std::uint16_t weight, bool italic,
                                const std::string& face) {
    Bytes name(face.begin(), face.end());
    name.resize(32, 0);
    return Create(
        0x02FB, Join({{U(height), 0, 0, 0, weight, U(italic ? 1 : 0), 0, 0, 0}, ByteWords(name)}));
}

void CWmfBuilder::Select(std::uint16_t object) {
    Record(0x012D, {object});
}

void CWmfBuilder::Delete(std::uint16_t object) {
    Record(0x01F0, {object});
    slots_[object] = false;
}

void CWmfBuilder::FillMode(std::uint16_t mode) {
    Record(0x0106, {mode});
}

void CWmfBuilder::BackgroundMode(std::uint16_t mode) {
    Record(0x0102, {mode});
}

void CWmfBuilder::BackgroundColour(QRgb colour) {
    Record(0x0201, ColourWords(colour));
}

void CWmfBuilder::TextColour(QRgb colour) {
    Record(0x0209, ColourWords(colour));
}

void CWmfBuilder::ClipRect(std::int16_t left, std::int16_t top, std::int16_t right,
                           std::int16_t bottom) {
    Record(0x0416, {U(bottom), U(right), U(top), U(left)});
}

void CWmfBuilder::Rectangle(std::int16_t left, std::int16_t top, std::int16_t right,
                            std::int16_t bottom) {
    Record(0x041B, {U(bottom), U(right), U(top), U(left)});
}

void CWmfBuilder::Ellipse(std::int16_t left, std::int16_t top, std::int16_t right,
                          std::int16_t bottom) {
    Record(0x0418, {U(bottom), U(right), U(top), U(left)});
}

void CWmfBuilder::Line(QPoint from, QPoint to) {
    Record(0x0214, {U(from.y()), U(from.x())});
    Record(0x0213, {U(to.y()), U(to.x())});
}

void CWmfBuilder::Polygon(const std::vector<QPoint>& points) {
    Record(0x0324, Join({{U(static_cast<int>(points.size()))}, PointWords(points)}));
}

void CWmfBuilder::PolyPolygon(const std::vector<std::vector<QPoint>>& polygons) {
    std::vector<std::uint16_t> params{U(static_cast<int>(polygons.size()))};
    for (const auto& polygon : polygons) {
        params.push_back(U(static_cast<int>(polygon.size())));
    }
    for (const auto& polygon : polygons) {
        const std::vector<std::uint16_t> words = PointWords(polygon);
        params.insert(params.end(), words.begin(), words.end());
    }
    Record(0x0538, params);
}

void CWmfBuilder::Pie(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
                      QPoint start, QPoint end) {
    Record(0x081A, {U(end.y()), U(end.x()), U(start.y()), U(start.x()), U(bottom), U(right), U(top),
                    U(left)});
}

void CWmfBuilder::Text(QPoint at, const std::string& text) {
    Record(0x0521, Join({{U(static_cast<int>(text.size()))},
                         ByteWords(Bytes(text.begin(), text.end())),
                         {U(at.y()), U(at.x())}}));
}

void CWmfBuilder::FloodFill(QPoint at, QRgb border) {
    Record(0x0419, Join({ColourWords(border), {U(at.y()), U(at.x())}}));
}

void CWmfBuilder::ExtFloodFill(QPoint at, QRgb colour, std::uint16_t mode) {
    Record(0x0548, Join({{mode}, ColourWords(colour), {U(at.y()), U(at.x())}}));
}

void CWmfBuilder::PatBlt(std::int16_t left, std::int16_t top, std::int16_t width,
                         std::int16_t height, std::uint32_t rop) {
    Record(0x061D, {U(static_cast<int>(rop & 0xFFFF)), U(static_cast<int>(rop >> 16)), U(height),
                    U(width), U(top), U(left)});
}

void CWmfBuilder::StretchBitmap(std::int16_t left, std::int16_t top, std::int16_t width,
                                std::int16_t height, const std::vector<std::vector<QRgb>>& rows) {
    const int pixelsWide = static_cast<int>(rows.front().size());
    const int pixelsHigh = static_cast<int>(rows.size());
    const int stride = (pixelsWide * 3 + 3) / 4 * 4;
    Bytes dib;
    for (std::uint32_t value : {40u, std::uint32_t(pixelsWide), std::uint32_t(pixelsHigh)}) {
        PutU32(dib, value);
    }
    PutU16(dib, 1);   // planes
    PutU16(dib, 24);  // bits per pixel
    for (int i = 0; i < 6; ++i) {
        PutU32(dib, 0);  // no compression, sizes and palette left to defaults
    }
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        for (QRgb pixel : *row) {
            dib.push_back(static_cast<std::uint8_t>(qBlue(pixel)));
            dib.push_back(static_cast<std::uint8_t>(qGreen(pixel)));
            dib.push_back(static_cast<std::uint8_t>(qRed(pixel)));
        }
        dib.resize(dib.size() + static_cast<std::size_t>(stride - pixelsWide * 3), 0);
    }
    const std::uint32_t srcCopy = 0x00CC0020;
    Record(0x0F43,
           Join({{U(static_cast<int>(srcCopy & 0xFFFF)), U(static_cast<int>(srcCopy >> 16)), 0,
                  U(pixelsHigh), U(pixelsWide), 0, 0, U(height), U(width), U(top), U(left)},
                 ByteWords(dib)}));
}

Bytes CWmfBuilder::Standard() const {
    Bytes records = records_;
    PutU32(records, 3);
    PutU16(records, 0);  // end of file
    std::uint32_t largest = 3;
    for (std::size_t at = 0; at < records.size();) {
        const std::uint32_t words = records[at] | (records[at + 1] << 8) | (records[at + 2] << 16) |
                                    (records[at + 3] << 24);
        largest = std::max(largest, words);
        at += std::size_t{words} * 2;
    }
    Bytes out;
    PutU16(out, 1);       // on disk
    PutU16(out, 9);       // header words
    PutU16(out, 0x0300);  // version
    PutU32(out, static_cast<std::uint32_t>((18 + records.size()) / 2));
    PutU16(out, U(std::max<int>(1, static_cast<int>(slots_.size()))));
    PutU32(out, largest);
    PutU16(out, 0);
    out.insert(out.end(), records.begin(), records.end());
    return out;
}

Bytes CWmfBuilder::Placeable(std::int16_t width, std::int16_t height,
                             std::uint16_t unitsPerInch) const {
    Bytes out;
    PutU32(out, 0x9AC6CDD7);
    for (int value : {0, 0, 0, int(width), int(height), int(unitsPerInch)}) {
        PutU16(out, U(value));  // handle, frame, units per inch
    }
    PutU32(out, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < out.size(); i += 2) {
        checksum ^= U(out[i] | (out[i + 1] << 8));
    }
    PutU16(out, checksum);
    const Bytes wmf = Standard();
    out.insert(out.end(), wmf.begin(), wmf.end());
    return out;
}

}  // namespace plexion::test
