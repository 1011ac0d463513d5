#include "about_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "application_picture.h"
#include "color_conversion.h"

namespace plexion {
namespace {

constexpr int kAboutPictureSize = 64;

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
