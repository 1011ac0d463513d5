#include "metafile_fixtures.h"

#include <initializer_list>
#include <string>

#include "wmf_records.h"

namespace plexion::test {
namespace {

std::uint32_t ColorRef(QRgb colour) {
    return static_cast<std::uint32_t>(qRed(colour)) |
           (static_cast<std::uint32_t>(qGreen(colour)) << 8) |
           (static_cast<std::uint32_t>(qBlue(colour)) << 16);
}

// A rectangle without outline filled with `fill`, on a window of 1440 × 720
// logical units, and "Hi" when asked for.
CWmfBuilder FilledRectangle(QRgb fill, bool withText) {
    CWmfBuilder wmf;
    wmf.Window(1440, 720);
    wmf.Select(wmf.SolidBrush(fill));
    wmf.Select(wmf.Pen(5, 0, 0));  // null pen
    wmf.Rectangle(360, 180, 1080, 540);
    if (withText) {
        wmf.Text(QPoint(20, 20), "Hi");
    }
    return wmf;
}

void EmfRecord(Bytes& out, std::uint32_t type, std::initializer_list<std::uint32_t> params) {
    PutU32(out, type);
    PutU32(out, static_cast<std::uint32_t>(8 + 4 * params.size()));
    for (std::uint32_t param : params) {
        PutU32(out, param);
    }
}

void EmfText(Bytes& out) {
    // EMR_EXTTEXTOUTW "Hi" at (30, 20).
    const std::u16string text = u"Hi";
    Bytes record;
    for (std::uint32_t value : {0u, 0u, 0u, 0u, 1u, 0u, 0u}) {  // bounds, mode, x and y scale
        PutU32(record, value);
    }
    PutU32(record, 30);
    PutU32(record, 20);  // reference point
    PutU32(record, static_cast<std::uint32_t>(text.size()));
    PutU32(record, 76);  // string offset from record start
    PutU32(record, 0);   // options
    for (int i = 0; i < 4; ++i) {
        PutU32(record, 0);  // clip rectangle
    }
    PutU32(record, 80);  // spacing array offset, after the string
    for (char16_t c : text) {
        PutU16(record, static_cast<std::uint16_t>(c));
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        PutU32(record, 10);
    }
    PutU32(out, 84);
    PutU32(out, static_cast<std::uint32_t>(8 + record.size()));
    out.insert(out.end(), record.begin(), record.end());
}

}  // namespace

Bytes MakePlaceableWmf(QRgb fill, bool withText) {
    return FilledRectangle(fill, withText).Placeable(1440, 720, 1440);
}

Bytes MakeStandardWmf(QRgb fill) {
    return FilledRectangle(fill, false).Standard();
}

Bytes MakeEmf(QRgb fill, bool withText) {
    Bytes records;
    EmfRecord(records, 39, {1, 0, ColorRef(fill), 0});  // solid brush as object 1
    EmfRecord(records, 37, {1});                        // select it
    EmfRecord(records, 37, {0x80000008});               // stock null pen
    EmfRecord(records, 43, {25, 10, 75, 40});           // rectangle
    if (withText) {
        EmfText(records);
    }
    EmfRecord(records, 14, {0, 16, 20});    // end of file
    const std::uint32_t frameWidth = 2646;  // 100 px at 96 dpi in 0.01 mm
    const std::uint32_t frameHeight = 1323;
    Bytes out;
    PutU32(out, 1);   // header record
    PutU32(out, 88);  // its size
    for (std::uint32_t value : {0u, 0u, 99u, 49u, 0u, 0u, frameWidth, frameHeight}) {
        PutU32(out, value);  // bounds in pixels, frame in 0.01 mm
    }
    PutU32(out, 0x464D4520);  // " EMF"
    PutU32(out, 0x10000);
    PutU32(out, static_cast<std::uint32_t>(88 + records.size()));
    PutU32(out, withText ? 7 : 6);  // records
    PutU16(out, 2);                 // handles
    PutU16(out, 0);
    for (std::uint32_t value : {0u, 0u, 0u, 1920u, 1080u, 508u, 286u}) {
        PutU32(out, value);  // description, palette, device pixels and millimetres
    }
    out.insert(out.end(), records.begin(), records.end());
    return out;
}

}  // namespace plexion::test
