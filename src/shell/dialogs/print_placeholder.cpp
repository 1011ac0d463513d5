#include "print_placeholder.h"

#include <QMessageBox>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPolygon>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cmath>
#include <optional>

#include "message_box_presenter.h"

namespace plexion {
namespace {

// What the user chose in the printing dialogs; a new printer starts from it.
struct CPrintChoice {
    QString printerName;
    std::optional<QPageLayout> layout;
};

CPrintChoice& SessionPrintChoice() {
    static CPrintChoice choice;
    return choice;
}

void PrepareSessionPrinter(QPrinter& printer) {
    const CPrintChoice& choice = SessionPrintChoice();
    if (!choice.printerName.isEmpty()) {
        printer.setPrinterName(choice.printerName);
    }
    if (choice.layout) {
        printer.setPageLayout(*choice.layout);
    }
}

void RememberSessionPrinter(const QPrinter& printer) {
    CPrintChoice& choice = SessionPrintChoice();
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        choice.printerName = printer.printerName();
    }
    choice.layout = printer.pageLayout();
}

QRect PrinterPage(const QPrinter& printer) {
    return QRect(0, 0, printer.width(), printer.height());
}

}  // namespace

void DrawPlaceholderPage(QPainter& painter, const QRect& page) {
    const int left = page.left();
    const int top = page.top();
    const int right = page.left() + page.width();
    const int bottom = page.top() + page.height();

    painter.save();
    // One device pixel wide at any scale, so the figure stays visible when a
    // printer page is shrunk into the preview.
    painter.setPen(QPen(Qt::black, 0));
    painter.drawText(QRect(left, top, right - left, bottom - top),
                     Qt::AlignCenter | Qt::TextSingleLine, QStringLiteral("Will be done..."));

    const int cx = (left + right) / 2;
    const int ax = (right - left) / 2;
    const int cy = (top + bottom) / 2;
    const int ay = (bottom - top) / 2;
    QPolygon figure;
    for (double t = 0.0; t <= 1.001; t += 0.001) {
        figure << QPoint(cx + static_cast<int>(std::trunc(ax * std::cos(31.4159 * t))),
                         cy + static_cast<int>(std::trunc(ay * std::sin(18.84954 * t))));
    }
    painter.drawPolyline(figure);
    painter.restore();
}

bool PrintPlaceholderPageOn(QPrinter& printer, QWidget* parent) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        QMessageBox::warning(parent, MessageBoxTitle(),
                             QStringLiteral("The page could not be printed: the printer or the "
                                            "output file could not be opened."));
        return false;
    }
    DrawPlaceholderPage(painter, PrinterPage(printer));
    return painter.end();
}

void PrintPlaceholderPage(QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    PrepareSessionPrinter(printer);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    RememberSessionPrinter(printer);
    PrintPlaceholderPageOn(printer, parent);
}

void PreviewPlaceholderPage(QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    PrepareSessionPrinter(printer);
    QPrintPreviewDialog dialog(&printer, parent);
    // The preview paints through here, and so does its own Print button
    // (then on the real printer, which may fail to start).
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&dialog](QPrinter* target) { PrintPlaceholderPageOn(*target, &dialog); });
    dialog.exec();
    RememberSessionPrinter(printer);
}

void ShowPrintSetup(QWidget* parent) {
    QPrinter printer(QPrinter::HighResolution);
    PrepareSessionPrinter(printer);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() == QDialog::Accepted) {
        RememberSessionPrinter(printer);
    }
}

}  // namespace plexion
