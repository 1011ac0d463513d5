#include "captioned_text_preview.h"

#include <QPainter>

#include "color_conversion.h"
#include "resource_panel.h"

namespace plexion {
namespace {

constexpr int kMargin = 8;
// Bands below this height keep their top and bottom edges.
constexpr int kTallBandHeight = 49;

// Stored texts end their lines with "\r\n"; Qt breaks lines at "\n" alone.
QString WithPlainLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

}  // namespace

void DrawCaptionedTextPreview(QPainter& painter, QRect& band, const QString& caption,
                              const QString& body) {
    band.adjust(kMargin, 0, -kMargin, 0);
    if (band.height() >= kTallBandHeight) {
        band.adjust(0, kMargin, 0, -kMargin);
    }
    CResourcePanel::DrawBandTextLine(painter, band, caption,
                                     InterfaceQColor(InterfaceColor::DialogText));
    band.setTop(band.top() + kMargin);
    if (band.isEmpty()) {
        return;
    }
    painter.save();
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(InterfaceQColor(InterfaceColor::WindowFace));
    painter.setPen(InterfaceQColor(InterfaceColor::WindowText));
    painter.drawText(band, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     WithPlainLineBreaks(body));
    painter.restore();
}

}  // namespace plexion
