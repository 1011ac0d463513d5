#include "panel_menu_button.h"

#include <QPainter>

#include "color_conversion.h"

namespace plexion {
namespace {

constexpr int kHorizontalPadding = 8;
constexpr int kHeight = 20;

}  // namespace

CPanelMenuButton::CPanelMenuButton(const QString& caption, QWidget* parent)
    : QAbstractButton(parent) {
    setText(caption);
    setFocusPolicy(Qt::NoFocus);
}

QSize CPanelMenuButton::sizeHint() const {
    return QSize(fontMetrics().horizontalAdvance(text()) + 2 * kHorizontalPadding, kHeight);
}

void CPanelMenuButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const CInterfaceColors& colors = CInterfaceColors::Instance();
    const ColorRef face = colors.Get(InterfaceColor::DialogSpottedFace);
    const bool down = isDown();
    painter.fillRect(rect(), ToQColor(down ? DarkenColor(face, 0.2) : face));
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.setPen(ToQColor(DarkenColor(face, 0.5)));
    painter.drawRect(frame);
    painter.setPen(ToQColor(colors.Get(InterfaceColor::DialogSpottedText)));
    painter.setFont(font());
    const QRect caption = down ? rect().translated(1, 1) : rect();
    painter.drawText(caption, Qt::AlignCenter | Qt::TextSingleLine, text());
}

}  // namespace plexion
