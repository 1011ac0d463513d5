#pragma once

#include <QPoint>
#include <QRgb>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "metafile_fixtures.h"

namespace plexion::test {

// Writes the records of a Windows metafile one by one. Coordinates are
// logical units; every object created takes the lowest free slot of the
// object table, whose index the creating call returns.
class CWmfBuilder {
public:
    void Record(std::uint16_t function, const std::vector<std::uint16_t>& params);

    // Window origin 0,0 and the given extent.
    void Window(std::int16_t width, std::int16_t height);

    std::uint16_t SolidBrush(QRgb colour);
    std::uint16_t HatchBrush(QRgb colour, std::uint16_t hatch);
    std::uint16_t NullBrush();
    std::uint16_t Pen(std::uint16_t style, std::int16_t width, QRgb colour);
    std::uint16_t Font(std::int16_t height, std::uint16_t weight, bool italic,
                       const std::string& face);
    void Select(std::uint16_t object);
    void Delete(std::uint16_t object);

    void FillMode(std::uint16_t mode);
    void BackgroundMode(std::uint16_t mode);
    void BackgroundColour(QRgb colour);
    void TextColour(QRgb colour);
    void ClipRect(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);

    void Rectangle(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);
    void Ellipse(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);
    void Line(QPoint from, QPoint to);
    void Polygon(const std::vector<QPoint>& points);
    void PolyPolygon(const std::vector<std::vector<QPoint>>& polygons);
    // A pie of the ellipse in the box from the ray through `start` to the
    // ray through `end`.
    void Pie(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom,
             QPoint start, QPoint end);
    void Text(QPoint at, const std::string& text);
    void FloodFill(QPoint at, QRgb border);
    void ExtFloodFill(QPoint at, QRgb colour, std::uint16_t mode);
    void PatBlt(std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height,
                std::uint32_t rop);
    // Stretches a bottom-up 24-bit bitmap, `rows` listed from its top, over
    // the box.
    void StretchBitmap(std::int16_t left, std::int16_t top, std::int16_t width, std::int16_t height,
                       const std::vector<std::vector<QRgb>>& rows);

    // The metafile with a placeable header whose frame is 0,0 to
    // width,height logical units at so many units per inch.
    Bytes Placeable(std::int16_t width, std::int16_t height, std::uint16_t unitsPerInch) const;
    // The metafile without a placeable header.
    Bytes Standard() const;

private:
    std::uint16_t Create(std::uint16_t function, const std::vector<std::uint16_t>& params);

    Bytes records_;
    std::vector<bool> slots_;
};

}  // namespace plexion::test
