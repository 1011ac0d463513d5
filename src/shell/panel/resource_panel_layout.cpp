#include "resource_panel.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>

#include "color_conversion.h"
#include "panel_splitter.h"
#include "resource_grid.h"

namespace plexion {
namespace {

// The splitter keeps this many pixels of the panel on either side of it.
constexpr int kSplitterMinimum = 2;
constexpr int kSplitterRightMargin = 9;
constexpr double kTitleShade = 0.4;

// Rounds as the splitter's place is rounded everywhere: add a half and
// drop the fraction.
int RoundPosition(double value) {
    return static_cast<int>(value + 0.5);
}

}  // namespace

int CResourcePanel::SplitterLeft(const QRect& client) const {
    return client.left() + RoundPosition(client.width() * splitRatio_);
}

void CResourcePanel::Layout(bool clamp) {
    const QRect client = rect();
    const int width = client.width();
    // An empty panel has no ratio to keep; the next real size clamps it.
    if (clamp && width > 0) {
        const int right = width - kSplitterRightMargin;
        int x = RoundPosition(width * splitRatio_);
        if (x > right) {
            splitRatio_ = static_cast<double>(right) / width;
            x = right;
        }
        if (x < kSplitterMinimum) {
            splitRatio_ = static_cast<double>(kSplitterMinimum) / width;
        }
    }
    if (splitter_ != nullptr) {
        splitter_->SetRange(kSplitterMinimum, width - kSplitterRightMargin);
        splitter_->setGeometry(SplitterRect(client));
    }
    if (grid_ != nullptr) {
        grid_->setGeometry(GridRect(client));
    }
    if (QWidget* toolbar = PreviewToolbar()) {
        toolbar->setGeometry(PreviewToolbarRect(client));
    }
    if (menuButton_ != nullptr) {
        menuButton_->setGeometry(MenuButtonRect(client));
    }
}

QRect CResourcePanel::SplitterRect(const QRect& client) const {
    return QRect(SplitterLeft(client), client.top(), kSplitterWidth, client.height());
}

QRect CResourcePanel::PreviewToolbarRect(const QRect& client) const {
    const int left = SplitterLeft(client) + kSplitterWidth;
    const int width = std::max(0, client.right() + 1 - left);
    const QWidget* toolbar = PreviewToolbar();
    if (toolbar == nullptr) {
        return QRect(left, client.top(), width, 0);
    }
    const QSize size =
        toolbar->sizeHint().expandedTo(toolbar->minimumSize()).boundedTo(toolbar->maximumSize());
    return QRect(left, client.top(), width, std::min(size.height(), client.height()));
}

QRect CResourcePanel::PreviewRect(const QRect& client) const {
    const QRect toolbar = PreviewToolbarRect(client);
    const int top = toolbar.top() + toolbar.height();
    return QRect(toolbar.left(), top, toolbar.width(), std::max(0, client.bottom() + 1 - top));
}

QRect CResourcePanel::MenuButtonRect(const QRect& client) const {
    const int right = SplitterLeft(client);
    const int wanted = menuButton_ != nullptr ? menuButton_->sizeHint().width() : 0;
    const int width = std::clamp(wanted, 0, std::max(0, right - client.left()));
    return QRect(right - width, client.top(), width, std::min(kTitleHeight, client.height()));
}

QRect CResourcePanel::TitleRect(const QRect& client) const {
    const QRect button = MenuButtonRect(client);
    return QRect(client.left(), client.top(), std::max(0, button.left() - client.left()),
                 button.height());
}

QRect CResourcePanel::GridRect(const QRect& client) const {
    const int top = client.top() + kTitleHeight;
    return QRect(client.left(), top, std::max(0, SplitterLeft(client) - client.left()),
                 std::max(0, client.bottom() + 1 - top));
}

QRect CResourcePanel::BandRect(const QRect& rect, int band, int bandCount) const {
    if (bandCount < 1) {
        return rect;
    }
    const qint64 top = rect.top();
    const qint64 height = rect.height();
    const auto edge = [&](int i) { return static_cast<int>(top + height * i / bandCount); };
    const int bandTop = edge(band);
    const int bandBottom = band + 1 >= bandCount ? rect.top() + rect.height() : edge(band + 1);
    return QRect(rect.left(), bandTop, rect.width(), std::max(0, bandBottom - bandTop));
}

void CResourcePanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Layout(true);
    update();
}

void CResourcePanel::OnSplitterMoved(int position) {
    if (width() <= 0) {
        return;
    }
    splitRatio_ = static_cast<double>(position) / width();
    Layout(false);
    repaint();
}

void CResourcePanel::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    const QSize size = this->size() * ratio;
    if (paintBuffer_.size() != size) {
        paintBuffer_ = size.isEmpty() ? QPixmap() : QPixmap(size);
        paintBuffer_.setDevicePixelRatio(ratio);
    }
    const QRect dirty = event->rect();
    if (paintBuffer_.isNull()) {
        QPainter painter(this);
        PaintPanel(painter, dirty);
        return;
    }
    {
        QPainter buffer(&paintBuffer_);
        PaintPanel(buffer, dirty);
    }
    QPainter painter(this);
    painter.drawPixmap(dirty, paintBuffer_, QRectF(QPointF(dirty.topLeft()) * ratio,
                                                   QSizeF(dirty.size()) * ratio));
}

void CResourcePanel::PaintPanel(QPainter& painter, const QRect& dirty) {
    const QRect client = rect();
    const QRect preview = PreviewRect(client);
    if (preview.intersects(dirty)) {
        painter.save();
        painter.setClipRect(preview & dirty);
        DrawPreview(painter, preview);
        painter.restore();
    }
    const QRect title = TitleRect(client);
    if (!title.intersects(dirty)) {
        return;
    }
    const ColorRef face = CInterfaceColors::Instance().Get(InterfaceColor::DialogFace);
    QLinearGradient shade(title.left(), 0, title.left() + title.width(), 0);
    shade.setColorAt(0.0, ToQColor(face));
    shade.setColorAt(0.5, ToQColor(DarkenColor(face, kTitleShade)));
    shade.setColorAt(1.0, ToQColor(face));
    painter.fillRect(title, shade);
    const QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    painter.setFont(font);
    painter.setPen(InterfaceQColor(InterfaceColor::DialogText));
    const QString text =
        QFontMetrics(font).elidedText(title_, Qt::ElideRight, std::max(0, title.width()));
    painter.drawText(title, Qt::AlignCenter | Qt::TextSingleLine, text);
}

}  // namespace plexion
