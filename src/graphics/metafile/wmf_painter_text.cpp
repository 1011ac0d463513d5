#include "wmf_painter_text.h"

#include "wmf_library.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace plexion {
namespace {

// Code points of bytes 0x80..0x9F in Windows-1252; the rest match Latin-1.
// Bytes the code page leaves unassigned keep their Latin-1 meaning.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The size fonts are measured at; metrics of tiny sizes are too coarse.
constexpr double kMeasuringPixels = 100.0;

// Text taller than this many pixels is drawn at this size: nothing larger
// fits a picture, and glyphs that big cost much to render.
constexpr double kMaxTextPixels = 8192.0;

QFont MakeFont(const wmfFont& source, double pixelHeight) {
    QFont font(
        QString::fromLatin1(WMF_FONT_NAME(&source) != nullptr ? WMF_FONT_NAME(&source) : ""));
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelHeight))));
    const int weight = WMF_FONT_WEIGHT(&source);
    font.setWeight(weight == 0 ? QFont::Normal : QFont::Weight(std::clamp(weight, 1, 1000)));
    font.setItalic(WMF_FONT_ITALIC(&source) != 0);
    font.setUnderline(WMF_TEXT_UNDERLINE(&source) != 0);
    font.setStrikeOut(WMF_TEXT_STRIKEOUT(&source) != 0);
    return font;
}

}  // namespace

bool WmfFontsAvailable() {
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

QString DecodeWmfText(const char* text) {
    QString decoded;
    if (text == nullptr) {
        return decoded;
    }
    const std::size_t length = std::strlen(text);
    decoded.reserve(static_cast<qsizetype>(length));
    for (std::size_t i = 0; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        decoded.append(byte >= 0x80 && byte < 0xA0 ? QChar(kWindows1252High[byte - 0x80])
                                                   : QChar(byte));
    }
    return decoded;
}

double WmfTextWidthPerUnit(const wmfFont& font, const char* text) {
    const QString decoded = DecodeWmfText(text);
    if (!WmfFontsAvailable()) {
        // An average letter is about half as wide as the font is high.
        return 0.5 * decoded.size();
    }
    return QFontMetricsF(MakeFont(font, kMeasuringPixels)).horizontalAdvance(decoded) /
           kMeasuringPixels;
}

void DrawWmfText(CWmfCanvas& canvas, const wmfDrawText_t& text) {
    QPainter* painter = canvas.Painter();
    if (painter == nullptr || !WmfFontsAvailable() || text.dc == nullptr ||
        text.dc->font == nullptr) {
        return;
    }
    const wmfDC& dc = *text.dc;
    const QRectF box = canvas.MapRect(text.TL, text.BR);
    painter->save();
    painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter->setRenderHint(QPainter::Antialiasing, true);
    if ((text.flags & ETO_CLIPPED) != 0) {
        painter->setClipRect(box, Qt::IntersectClip);
    }
    if ((text.flags & ETO_OPAQUE) != 0) {
        painter->fillRect(box, ToQColor(dc.bgcolor));
    }
    const double pixels =
        std::min(std::abs(text.font_height * canvas.PixelsPerUnitY()), kMaxTextPixels);
    const QString line = DecodeWmfText(text.str);
    if (std::isfinite(pixels) && pixels >= 1.0 && !line.isEmpty()) {
        const QFont font = MakeFont(*dc.font, pixels);
        painter->translate(canvas.Map(text.pt));
        // Escapement turns text anticlockwise, as angles on screen do.
        painter->rotate(-WMF_TEXT_ANGLE(dc.font) * 180.0 / M_PI);
        if (dc.bgmode == OPAQUE) {
            const QFontMetricsF metrics(font);
            painter->fillRect(
                QRectF(0, -metrics.ascent(), metrics.horizontalAdvance(line), metrics.height()),
                ToQColor(dc.bgcolor));
        }
        painter->setFont(font);
        painter->setPen(ToQColor(dc.textcolor));
        painter->drawText(QPointF(0, 0), line);
    }
    painter->restore();
}

}  // namespace plexion
