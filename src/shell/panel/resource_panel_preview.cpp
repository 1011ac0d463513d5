#include "resource_panel.h"

#include <QApplication>
#include <QPainter>

#include "color_conversion.h"
#include "panel_host.h"

namespace plexion {
namespace {

constexpr int kBandBoxAlpha = 128;

}  // namespace

void CResourcePanel::RedrawPreview() {}

bool CResourcePanel::StepTime() {
    return false;
}

bool CResourcePanel::PreviewAnimates() const {
    return false;
}

void CResourcePanel::PreviewMayAnimate() {
    if (host_ != nullptr) {
        host_->WakeGameClock();
    }
}

// Painted with the next events, once however many changes asked for it:
// a replace over many rows moves the cursor and changes items.
void CResourcePanel::RedrawPreviewArea() {
    if (created_) {
        update(PreviewRect(rect()));
    }
}

void CResourcePanel::DrawPreview(QPainter& painter, const QRect& preview) {
    painter.fillRect(preview, InterfaceQColor(InterfaceColor::DialogFace));
}

void CResourcePanel::DrawItemPreview(QPainter&, QRect&, int) {}

void CResourcePanel::DrawTiledPreview(QPainter& painter, const QRect& preview) {
    painter.fillRect(preview, InterfaceQColor(InterfaceColor::DialogFace));
    const std::vector<int> items = GetAffectedItems(true, true);
    const int count = static_cast<int>(items.size());
    for (int i = 0; i < count; ++i) {
        QRect band = BandRect(preview, i, count);
        painter.save();
        painter.setClipRect(band, Qt::IntersectClip);
        DrawItemPreview(painter, band, items[static_cast<size_t>(i)]);
        painter.restore();
    }
}

void CResourcePanel::DrawBandSeparator(QPainter& painter, QRect& band) {
    painter.fillRect(QRect(band.left(), band.top(), band.width(), 1),
                     InterfaceQColor(InterfaceColor::DialogText));
    band.setTop(band.top() + 1);
}

void CResourcePanel::DrawBandTextLine(QPainter& painter, QRect& band, const QString& text,
                                      const QColor& color) {
    const QFont font = QApplication::font();
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs;
    const QRect bounds = QFontMetrics(font).boundingRect(band, flags, text);
    const QRect line(band.left(), band.top(), band.width(), bounds.height());
    QColor box = InterfaceQColor(InterfaceColor::DialogFace);
    box.setAlpha(kBandBoxAlpha);
    painter.fillRect(line, box);
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(line, flags, text);
    band.setTop(band.top() + bounds.height());
}

}  // namespace plexion
