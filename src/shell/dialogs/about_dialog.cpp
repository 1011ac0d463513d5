#include "about_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QVBoxLayout>

#include "color_conversion.h"

namespace plexion {
namespace {

constexpr int kAboutPictureSize = 64;

// A blue tile carrying a white "P" whose bowl holds four coloured squares,
// one for each family of resources (pictures, sounds, paths, data). It is
// built from shapes alone so that it looks the same whatever fonts exist.
void PaintApplicationPicture(QPainter& painter, double size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    const QRectF tile(size * 0.03, size * 0.03, size * 0.94, size * 0.94);
    QLinearGradient face(tile.topLeft(), tile.bottomRight());
    face.setColorAt(0.0, QColor(88, 146, 205));
    face.setColorAt(1.0, QColor(30, 66, 112));
    painter.setBrush(face);
    painter.drawRoundedRect(tile, size * 0.18, size * 0.18);

    const double stem = size * 0.17;
    const double left = size * 0.22;
    const double top = size * 0.16;
    const double bottom = size * 0.84;
    const double bowlRight = size * 0.80;
    const double bowlBottom = size * 0.62;
    QPainterPath letter;
    letter.addRect(QRectF(left, top, stem, bottom - top));
    QPainterPath bowl;
    bowl.addRoundedRect(QRectF(left, top, bowlRight - left, bowlBottom - top), size * 0.2,
                        size * 0.2);
    QPainterPath hole;
    const QRectF holeRect(left + stem, top + stem * 0.8, bowlRight - left - stem * 1.8,
                          bowlBottom - top - stem * 1.6);
    hole.addRoundedRect(holeRect, size * 0.08, size * 0.08);
    painter.setBrush(Qt::white);
    painter.drawPath(letter.united(bowl).subtracted(hole));

    const QColor squares[4] = {QColor(120, 200, 60), QColor(255, 200, 40), QColor(230, 70, 60),
                               QColor(80, 210, 230)};
    const double gap = holeRect.width() * 0.08;
    const double cellWidth = (holeRect.width() - gap * 3) / 2;
    const double cellHeight = (holeRect.height() - gap * 3) / 2;
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(squares[i]);
        painter.drawRect(QRectF(holeRect.left() + gap + (i % 2) * (cellWidth + gap),
                                holeRect.top() + gap + (i / 2) * (cellHeight + gap), cellWidth,
                                cellHeight));
    }
}

QPixmap ApplicationPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    PaintApplicationPicture(painter, size);
    return pixmap;
}

}  // namespace

QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(ApplicationPixmap(size));
    }
    return icon;
}

void ShowAboutBox(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("About %1").arg(QLatin1String(kProductName)));
    QPalette colors = dialog.palette();
    colors.setColor(QPalette::Window, InterfaceQColor(InterfaceColor::DialogFace));
    colors.setColor(QPalette::WindowText, InterfaceQColor(InterfaceColor::DialogText));
    dialog.setPalette(colors);

    auto* picture = new QLabel;
    picture->setPixmap(ApplicationPixmap(kAboutPictureSize));
    auto* name = new QLabel(
        QStringLiteral("%1 %2").arg(QLatin1String(kProductName), QLatin1String(kProductVersion)));
    name->setTextFormat(Qt::PlainText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addSpacing(12);
    row->addWidget(name, 1);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    dialog.exec();
}

}  // namespace plexion
