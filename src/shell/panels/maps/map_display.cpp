#include "map_display.h"

#include <QPainter>

#include "color_conversion.h"
#include "custom_scroll_bar.h"
#include "map_item.h"
#include "map_palette.h"
#include "stored_text.h"

namespace plexion {

CMapDisplay::CMapDisplay(QWidget* parent)
    : QWidget(parent),
      canvas_(new CMapCanvas(this)),
      horizontal_(new CCustomScrollBar(Qt::Horizontal, this)),
      vertical_(new CCustomScrollBar(Qt::Vertical, this)),
      palette_(new CMapPalette(this)) {
    for (CCustomScrollBar* bar : {horizontal_, vertical_}) {
        bar->SetFree(false);
        bar->SetRange(0.0, 0.0);
    }
    horizontal_->AttachToolTips(QStringLiteral("Scroll the map sideways"));
    vertical_->AttachToolTips(QStringLiteral("Scroll the map up and down"));
    connect(horizontal_, &CCustomScrollBar::scrollChanged, this, [this](double position) {
        canvas_->ScrollTo(QPointF(position, canvas_->Viewport().Scroll().y()));
    });
    connect(vertical_, &CCustomScrollBar::scrollChanged, this, [this](double position) {
        canvas_->ScrollTo(QPointF(canvas_->Viewport().Scroll().x(), position));
    });
    connect(canvas_, &CMapCanvas::viewChanged, this, [this] {
        UpdateScrollBars();
        update(0, 0, width(), kHeaderHeight);
    });
    connect(canvas_, &CMapCanvas::cellHovered, this, &CMapDisplay::OnHovered);
    connect(canvas_, &CMapCanvas::cellPicked, palette_, &CMapPalette::SelectValue);
    connect(palette_, &CMapPalette::valueChosen, canvas_, &CMapCanvas::SetPaintValue);
    canvas_->SetPaintValue(palette_->Value());
}

void CMapDisplay::SetSource(const CVKT_ResourceContainer* document, CMapCanvas::MapSource source) {
    document_ = document;
    source_ = source;
    palette_->SetDocument(document);
    canvas_->SetSource(document, std::move(source));
}

void CMapDisplay::Reload(bool bitmapsToo) {
    if (bitmapsToo) {
        palette_->SetDocument(document_);
    }
    canvas_->Reload();
    update(0, 0, width(), kHeaderHeight);
}

QString CMapDisplay::HeaderText() const {
    const CVKT_Map* map = document_ != nullptr && source_ ? source_() : nullptr;
    if (map == nullptr) {
        return {};
    }
    return QString::asprintf("%d, %d (%d, %d)", hoveredColumn_, hoveredLine_, map->Columns(),
                             map->Lines()) +
           QLatin1Char(' ') + FromStored(map->ID());
}

void CMapDisplay::OnHovered(int column, int line) {
    if (column != hoveredColumn_ || line != hoveredLine_) {
        hoveredColumn_ = column;
        hoveredLine_ = line;
        update(0, 0, width(), kHeaderHeight);
    }
}

void CMapDisplay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect header(0, 0, width() - kPaletteWidth, kHeaderHeight);
    painter.fillRect(rect(), InterfaceQColor(InterfaceColor::DialogFace));
    painter.fillRect(header, InterfaceQColor(InterfaceColor::DialogSpottedFace));
    painter.setPen(InterfaceQColor(InterfaceColor::DialogSpottedText));
    const QRect text = header.adjusted(6, 0, -6, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                     painter.fontMetrics().elidedText(HeaderText(), Qt::ElideRight, text.width()));
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1 %").arg(qRound(canvas_->Viewport().Zoom() * 100)));
}

void CMapDisplay::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOut();
}

void CMapDisplay::LayOut() {
    const int bar = CCustomScrollBar::kButtonSize;
    const int paletteWidth = std::min(kPaletteWidth, width() / 2);
    const int mapWidth = std::max(0, width() - paletteWidth - bar);
    const int mapHeight = std::max(0, height() - kHeaderHeight - bar);
    canvas_->setGeometry(0, kHeaderHeight, mapWidth, mapHeight);
    vertical_->setGeometry(mapWidth, kHeaderHeight, bar, mapHeight);
    horizontal_->setGeometry(0, kHeaderHeight + mapHeight, mapWidth, bar);
    palette_->setGeometry(width() - paletteWidth, 0, paletteWidth, height());
}

void CMapDisplay::UpdateScrollBars() {
    const CMapViewport& view = canvas_->Viewport();
    const QSizeF content = view.ContentSize();
    const CVKT_Map* map = document_ != nullptr && source_ ? source_() : nullptr;
    const double stepX = map != nullptr ? map->SizeX() * view.Zoom() : 1.0;
    const double stepY = map != nullptr ? map->SizeY() * view.Zoom() : 1.0;
    horizontal_->SetRange(0.0, content.width());
    horizontal_->SetPage(view.ViewSize().width());
    horizontal_->SetStep(stepX);
    horizontal_->SetPosition(view.Scroll().x());
    vertical_->SetRange(0.0, content.height());
    vertical_->SetPage(view.ViewSize().height());
    vertical_->SetStep(stepY);
    vertical_->SetPosition(view.Scroll().y());
    horizontal_->update();
    vertical_->update();
}

}  // namespace plexion
