#include <gtest/gtest.h>

#include <QFile>
#include <QFontMetrics>
#include <QImage>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cmath>

#include "modal_answer.h"
#include "print_placeholder.h"

namespace plexion {
namespace {

using test::AnswerModal;

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

QImage DrawPage(const QRect& page, QFont* usedFont = nullptr) {
    QImage image(kWidth + 200, kHeight + 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(40);
    painter.setFont(font);
    DrawPlaceholderPage(painter, page);
    if (usedFont != nullptr) {
        *usedFont = painter.font();
    }
    return image;
}

bool IsInk(const QImage& image, int x, int y) {
    return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 128;
}

bool InkNear(const QImage& image, int x, int y, int reach = 1) {
    for (int dy = -reach; dy <= reach; ++dy) {
        for (int dx = -reach; dx <= reach; ++dx) {
            if (IsInk(image, x + dx, y + dy)) {
                return true;
            }
        }
    }
    return false;
}

QRect InkBounds(const QImage& image, const QRect& area) {
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (IsInk(image, x, y)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

TEST(PlaceholderPage, TheTextStandsInTheMiddleOfThePage) {
    QFont font;
    const QImage image = DrawPage(QRect(0, 0, kWidth, kHeight), &font);
    const QFontMetrics metrics(font);
    const QString text = QStringLiteral("Will be done...");
    // The figure crosses the middle row only a quarter and half a page away
    // from the centre and never comes near it, so the ink around the centre
    // is the text's.
    const QRect around(kWidth / 2 - 200, kHeight / 2 - 35, 400, 70);
    const QRect ink = InkBounds(image, around);
    ASSERT_FALSE(ink.isEmpty());

    const QRect glyphs = metrics.tightBoundingRect(text);
    const int baseline = (kHeight - metrics.height()) / 2 + metrics.ascent();
    const int start = (kWidth - metrics.horizontalAdvance(text)) / 2;
    const QRect expected = glyphs.translated(start, baseline);
    EXPECT_NEAR(ink.center().x(), kWidth / 2, 3);
    EXPECT_NEAR(ink.left(), expected.left(), 3);
    EXPECT_NEAR(ink.right(), expected.right(), 3);
    EXPECT_NEAR(ink.top(), expected.top(), 3);
    EXPECT_NEAR(ink.bottom(), expected.bottom(), 3);
}

TEST(PlaceholderPage, TheFigureStartsAtTheMiddleOfTheRightEdgeAndSpansThePage) {
    const QImage image = DrawPage(QRect(0, 0, kWidth, kHeight));
    const int cx = kWidth / 2;
    const int cy = kHeight / 2;
    // The first point is (right, middle); the next one lies a column inside.
    EXPECT_TRUE(IsInk(image, kWidth, cy));
    EXPECT_TRUE(InkNear(image, kWidth - 1, cy + 2, 2));

    // Truncation keeps every other extreme a pixel short of the edge.
    const QRect ink = InkBounds(image, image.rect());
    EXPECT_NEAR(ink.left(), 0, 1);
    EXPECT_NEAR(ink.top(), 0, 1);
    EXPECT_EQ(ink.right(), kWidth);
    EXPECT_NEAR(ink.bottom(), kHeight - 1, 1);

    // Points of the figure, with t = 0.05 and 0.25 (cos(31.4159 t) is about
    // 0 there) and 0.5 (about 1, so x is just inside the right edge).
    for (const double t : {0.05, 0.25, 0.5, 1.0}) {
        const int x = cx + static_cast<int>(std::trunc(cx * std::cos(31.4159 * t)));
        const int y = cy + static_cast<int>(std::trunc(cy * std::sin(18.84954 * t)));
        EXPECT_TRUE(InkNear(image, x, y)) << "t = " << t << " at " << x << ", " << y;
    }
    EXPECT_TRUE(InkNear(image, cx, cy + 404)) << "t = 0.05";
    EXPECT_TRUE(InkNear(image, cx, cy - 500 + 1)) << "t = 0.25";
}

TEST(PlaceholderPage, AShiftedPageKeepsTheFigureOnIt) {
    const QRect page(150, 80, 1000, 600);
    const QImage image = DrawPage(page);
    const QRect ink = InkBounds(image, image.rect());
    EXPECT_NEAR(ink.left(), page.left(), 1);
    EXPECT_NEAR(ink.top(), page.top(), 1);
    EXPECT_EQ(ink.right(), page.left() + page.width());
    EXPECT_NEAR(ink.bottom(), page.top() + page.height() - 1, 1);
    EXPECT_TRUE(IsInk(image, page.left() + page.width(), page.top() + page.height() / 2));
}

TEST(PlaceholderPage, PrintsToAPdfFile) {
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("page.pdf")));
    EXPECT_TRUE(PrintPlaceholderPageOn(printer, nullptr));
    QFile file(folder.filePath(QStringLiteral("page.pdf")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

TEST(PlaceholderPage, APrinterThatCannotStartIsReported) {
    QTemporaryDir folder;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("missing/folder/page.pdf")));
    QString message;
    AnswerModal<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    EXPECT_FALSE(PrintPlaceholderPageOn(printer, nullptr));
    EXPECT_EQ(message,
              "The page could not be printed: the printer or the output file could not be "
              "opened.");
}

TEST(PlaceholderPage, CancellingThePrintDialogPrintsNothing) {
    bool asked = false;
    AnswerModal<QPrintDialog>([&asked](QPrintDialog* dialog) {
        asked = true;
        dialog->reject();
    });
    PrintPlaceholderPage(nullptr);
    EXPECT_TRUE(asked);
}

TEST(PlaceholderPage, ThePreviewShowsOnePageAndThePageSetupIsKept) {
    AnswerModal<QPageSetupDialog>([](QPageSetupDialog* dialog) {
        auto* landscape = dialog->findChild<QRadioButton*>(QStringLiteral("landscape"));
        ASSERT_NE(landscape, nullptr);
        landscape->click();
        dialog->accept();
    });
    ShowPrintSetup(nullptr);

    int pages = 0;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    AnswerModal<QPrintPreviewDialog>([&](QPrintPreviewDialog* dialog) {
        pages = dialog->findChild<QPrintPreviewWidget*>()->pageCount();
        orientation = dialog->printer()->pageLayout().orientation();
        dialog->reject();
    });
    PreviewPlaceholderPage(nullptr);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(orientation, QPageLayout::Landscape);
}

}  // namespace
}  // namespace plexion
