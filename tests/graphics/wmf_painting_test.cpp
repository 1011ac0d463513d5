#include <gtest/gtest.h>

#include "decode_limits.h"
#include "image_codecs.h"
#include "wmf_painter_flood.h"
#include "wmf_records.h"

namespace plexion::test {
namespace {

// Colours no named colour matches, so a player that rounds colours to
// names fails these tests.
const QRgb kGreen = qRgb(30, 160, 90);
const QRgb kPlum = qRgb(200, 40, 120);
const QRgb kOchre = qRgb(181, 137, 23);

constexpr std::uint16_t kNullPen = 5;
constexpr std::uint16_t kAlternate = 1;
constexpr std::uint16_t kWinding = 2;

// A 96 × 96 picture: one inch at 960 units per inch, ten units a pixel.
CWmfBuilder Picture() {
    CWmfBuilder wmf;
    wmf.Window(960, 960);
    return wmf;
}

QImage Decode(const CWmfBuilder& wmf) {
    return DecodeImage(wmf.Placeable(960, 960, 960));
}

bool IsClear(const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) == 0;
}

TEST(WmfPainting, FillsWithTheExactColour) {
    CWmfBuilder wmf = Picture();
    wmf.Select(wmf.SolidBrush(kGreen));
    wmf.Select(wmf.Pen(kNullPen, 0, 0));
    wmf.Rectangle(100, 100, 500, 300);
    const QImage image = Decode(wmf);
    ASSERT_EQ(image.size(), QSize(96, 96));
    EXPECT_EQ(image.pixel(30, 20), kGreen);
    EXPECT_EQ(image.pixel(11, 11), kGreen);
    EXPECT_EQ(image.pixel(48, 28), kGreen);
    EXPECT_TRUE(IsClear(image, 8, 20));
    EXPECT_TRUE(IsClear(image, 30, 32));
    EXPECT_TRUE(IsClear(image, 80, 80));
}

TEST(WmfPainting, DrawsLinesWithThePenColourAndWidth) {
    CWmfBuilder wmf = Picture();
    wmf.Select(wmf.Pen(0, 50, kPlum));  // five pixels wide
    wmf.Line(QPoint(100, 480), QPoint(860, 480));
    const QImage image = Decode(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(48, 48), kPlum);
    EXPECT_EQ(image.pixel(48, 46), kPlum);
    EXPECT_EQ(image.pixel(48, 49), kPlum);
    EXPECT_TRUE(IsClear(image, 48, 43));
    EXPECT_TRUE(IsClear(image, 48, 53));
}

TEST(WmfPainting, OutlinesWithoutFillingUnderANullBrush) {
    CWmfBuilder wmf = Picture();
    wmf.Select(wmf.NullBrush());
    wmf.Select(wmf.Pen(0, 30, kOchre));
    wmf.Rectangle(200, 200, 760, 760);
    const QImage image = Decode(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(20, 48), kOchre);
    EXPECT_EQ(image.pixel(48, 76), kOchre);
    EXPECT_TRUE(IsClear(image, 48, 48));
}

// Dashes leave gaps; as on Windows, an opaque background, the default,
// fills them with the background colour, white unless set.
TEST(WmfPainting, DashedPensFillTheirGapsOnlyOverAnOpaqueBackground) {
    for (std::uint16_t mode : {1, 2}) {  // transparent, opaque
        CWmfBuilder wmf = Picture();
        wmf.BackgroundMode(mode);
        wmf.Select(wmf.Pen(1, 0, kPlum));  // dashed, thinnest
        wmf.Line(QPoint(0, 485), QPoint(960, 485));
        const QImage image = Decode(wmf);
        ASSERT_FALSE(image.isNull());
        int dashes = 0;
        int gaps = 0;
        for (int x = 0; x < 96; ++x) {
            const QRgb pixel = image.pixel(x, 48);
            dashes += pixel == kPlum ? 1 : 0;
            gaps += pixel == (mode == 2 ? qRgb(255, 255, 255) : qRgba(0, 0, 0, 0)) ? 1 : 0;
        }
        EXPECT_GT(dashes, 20) << "mode " << mode;
        EXPECT_GT(gaps, 10) << "mode " << mode;
        EXPECT_TRUE(IsClear(image, 48, 45));
    }
}

// A five-pointed star drawn as one polygon: its centre is inside twice
// over, so the alternate rule leaves it out and the winding rule fills it.
std::vector<QPoint> Star() {
    return {QPoint(480, 40), QPoint(740, 880), QPoint(60, 360), QPoint(900, 360), QPoint(220, 880)};
}

QImage DecodeStar(std::uint16_t mode) {
    CWmfBuilder wmf = Picture();
    wmf.FillMode(mode);
    wmf.Select(wmf.SolidBrush(kGreen));
    wmf.Select(wmf.Pen(kNullPen, 0, 0));
    wmf.Polygon(Star());
    return Decode(wmf);
}

TEST(WmfPainting, AlternateFillLeavesOutWhatIsInsideTwice) {
    const QImage image = DecodeStar(kAlternate);
    ASSERT_FALSE(image.isNull());
    EXPECT_TRUE(IsClear(image, 48, 50));
    EXPECT_EQ(image.pixel(48, 10), kGreen);  // top point
    EXPECT_EQ(image.pixel(15, 38), kGreen);  // left point
    EXPECT_TRUE(IsClear(image, 5, 5));
}

TEST(WmfPainting, WindingFillFillsWhatIsInsideTwice) {
    const QImage image = DecodeStar(kWinding);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(48, 50), kGreen);
    EXPECT_EQ(image.pixel(48, 10), kGreen);
    EXPECT_TRUE(IsClear(image, 5, 5));
}

TEST(WmfPainting, PolyPolygonsFollowTheFillMode) {
    // Two nested squares: the inner one is a hole only for the alternate
    // rule.
    const std::vector<std::vector<QPoint>> squares = {
        {QPoint(100, 100), QPoint(860, 100), QPoint(860, 860), QPoint(100, 860)},
        {QPoint(300, 300), QPoint(660, 300), QPoint(660, 660), QPoint(300, 660)}};
    for (std::uint16_t mode : {kAlternate, kWinding}) {
        CWmfBuilder wmf = Picture();
        wmf.FillMode(mode);
        wmf.Select(wmf.SolidBrush(kOchre));
        wmf.Select(wmf.Pen(kNullPen, 0, 0));
        wmf.PolyPolygon(squares);
        const QImage image = Decode(wmf);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.pixel(20, 48), kOchre);
        EXPECT_EQ(IsClear(image, 48, 48), mode == kAlternate);
    }
}

TEST(WmfPainting, FillsEllipsesButNotTheCornersOfTheirBox) {
    CWmfBuilder wmf = Picture();
    wmf.Select(wmf.SolidBrush(kPlum));
    wmf.Select(wmf.Pen(kNullPen, 0, 0));
    wmf.Ellipse(160, 160, 800, 800);
    const QImage image = Decode(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(48, 48), kPlum);
    EXPECT_EQ(image.pixel(48, 18), kPlum);
    EXPECT_EQ(image.pixel(18, 48), kPlum);
    EXPECT_TRUE(IsClear(image, 18, 18));
    EXPECT_TRUE(IsClear(image, 77, 77));
}

TEST(WmfPainting, PiesRunAnticlockwiseFromStartToEnd) {
    CWmfBuilder wmf = Picture();
    wmf.Select(wmf.SolidBrush(kGreen));
    wmf.Select(wmf.Pen(kNullPen, 0, 0));
    // From the ray to the right to the ray upwards: the top right quarter.
    wmf.Pie(0, 0, 960, 960, QPoint(960, 480), QPoint(480, 0));
    const QImage image = Decode(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(66, 30), kGreen);
    EXPECT_TRUE(IsClear(image, 30, 30));
    EXPECT_TRUE(IsClear(image, 30, 66));
    EXPECT_TRUE(IsClear(image, 66, 66));
}

TEST(WmfPainting, HatchesShowTheBackgroundOnlyWhenOpaque) {
    const QRgb background = qRgb(250, 240, 10);
    for (std::uint16_t mode : {1, 2}) {  // transparent, opaque
        CWmfBuilder wmf = Picture();
        wmf.BackgroundMode(mode);
        wmf.BackgroundColour(background);
        wmf.Select(wmf.HatchBrush(kPlum, 0));  // horizontal lines
        wmf.Select(wmf.Pen(kNullPen, 0, 0));
        wmf.Rectangle(0, 0, 960, 960);
        const QImage image = Decode(wmf);
        ASSERT_FALSE(image.isNull());
        int lines = 0;
        int gaps = 0;
        for (int y = 0; y < 16; ++y) {
            const QRgb pixel = image.pixel(40, y);
            lines += pixel == kPlum ? 1 : 0;
            gaps += pixel == (mode == 2 ? background : qRgba(0, 0, 0, 0)) ? 1 : 0;
        }
        EXPECT_EQ(lines, 2) << "mode " << mode;
        EXPECT_EQ(gaps, 14) << "mode " << mode;
    }
}

TEST(WmfPainting, ClipRectangleLimitsDrawing) {
    CWmfBuilder wmf = Picture();
    wmf.ClipRect(0, 0, 480, 960);
    wmf.Select(wmf.SolidBrush(kGreen));
    wmf.Select(wmf.Pen(kNullPen, 0, 0));
    wmf.Rectangle(0, 0, 960, 960);
    const QImage image = Decode(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(20, 48), kGreen);
    EXPECT_EQ(image.pixel(46, 48), kGreen);
    EXPECT_TRUE(IsClear(image, 50, 48));
    EXPECT_TRUE(IsClear(image, 90, 10));
}

TEST(WmfPainting, FloodFillSpreadsUpToTheBorderColour) {
    CWmfBuilder wmf = Picture();
    wmf.Select(wmf.NullBrush());
    wmf.Select(wmf.Pen(0, 20, kPlum));
    wmf.Rectangle(200, 200, 760, 760);
    wmf.Select(wmf.SolidBrush(kGreen));
    wmf.FloodFill(QPoint(480, 480), kPlum);
    const QImage image = Decode(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(48, 48), kGreen);
    EXPECT_EQ(image.pixel(25, 70), kGreen);
    EXPECT_EQ(image.pixel(20, 48), kPlum);
    EXPECT_TRUE(IsClear(image, 10, 10));
    EXPECT_TRUE(IsClear(image, 85, 48));
}

TEST(WmfPainting, SurfaceFloodFillRecoloursOneColour) {
    CWmfBuilder wmf = Picture();
    wmf.Select(wmf.Pen(kNullPen, 0, 0));
    wmf.Select(wmf.SolidBrush(kOchre));
    wmf.Rectangle(0, 0, 480, 960);
    wmf.Select(wmf.SolidBrush(kGreen));
    wmf.ExtFloodFill(QPoint(200, 480), kOchre, 1);
    const QImage image = Decode(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(10, 10), kGreen);
    EXPECT_EQ(image.pixel(40, 90), kGreen);
    EXPECT_TRUE(IsClear(image, 60, 48));
}

TEST(WmfPainting, PatternBlockTransferFillsWithTheBrush) {
    CWmfBuilder wmf = Picture();
    wmf.Select(wmf.SolidBrush(kOchre));
    wmf.PatBlt(100, 100, 300, 200, 0x00F00021);
    const QImage image = Decode(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(20, 20), kOchre);
    EXPECT_TRUE(IsClear(image, 45, 20));
    EXPECT_TRUE(IsClear(image, 20, 35));
}

TEST(WmfPainting, StretchesBitmapsTheRightWayUp) {
    const QRgb top[] = {qRgb(10, 20, 200), qRgb(240, 250, 245)};
    const QRgb bottom[] = {qRgb(210, 30, 40), kGreen};
    CWmfBuilder wmf = Picture();
    wmf.StretchBitmap(0, 0, 960, 960, {{top[0], top[1]}, {bottom[0], bottom[1]}});
    const QImage image = Decode(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(20, 20), top[0]);
    EXPECT_EQ(image.pixel(70, 20), top[1]);
    EXPECT_EQ(image.pixel(20, 70), bottom[0]);
    EXPECT_EQ(image.pixel(70, 70), bottom[1]);
}

// Without a QGuiApplication there are no fonts; the text is left out and
// the rest of the picture is drawn.
TEST(WmfPainting, LeavesTextOutWithoutFonts) {
    CWmfBuilder wmf = Picture();
    wmf.Select(wmf.SolidBrush(kGreen));
    wmf.Select(wmf.Pen(kNullPen, 0, 0));
    wmf.Rectangle(0, 0, 200, 200);
    wmf.TextColour(kPlum);
    wmf.Select(wmf.Font(-240, 700, false, "Arial"));
    wmf.Text(QPoint(100, 300), "HH");
    const QImage image = Decode(wmf);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixel(10, 10), kGreen);
    for (int y = 25; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            ASSERT_TRUE(IsClear(image, x, y)) << x << "," << y;
        }
    }
}

TEST(WmfPainting, ExtremeCoordinatesDrawWithoutHarm) {
    CWmfBuilder wmf;
    wmf.Window(1, 1);  // every unit is a whole picture wide
    wmf.Select(wmf.SolidBrush(kGreen));
    wmf.Select(wmf.Pen(1, 32767, kPlum));
    wmf.Ellipse(-32768, -32768, 32767, 32767);
    wmf.Polygon({QPoint(-32768, 0), QPoint(32767, 32767), QPoint(0, -32768)});
    wmf.Line(QPoint(-32768, -32768), QPoint(32767, 32767));
    wmf.Pie(-32768, -32768, 32767, 32767, QPoint(1, 0), QPoint(0, 1));
    wmf.FloodFill(QPoint(0, 0), kPlum);
    const QImage image = DecodeImage(wmf.Placeable(960, 960, 960));
    EXPECT_EQ(image.size(), QSize(96, 96));
}

TEST(WmfPainting, FloodFillsAndRecordsAreBoundedPerPicture) {
    QImage canvas(10, 10, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    std::int64_t budget = 99;
    EXPECT_FALSE(FloodRegion(canvas, QPoint(5, 5), kPlum, EFloodKind::UpToBorder, budget));
    budget = 100;
    const std::optional<QRegion> whole =
        FloodRegion(canvas, QPoint(5, 5), kPlum, EFloodKind::UpToBorder, budget);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->boundingRect(), canvas.rect());
    EXPECT_EQ(budget, 0);

    CWmfBuilder many = Picture();
    for (std::size_t record = 0; record < kMaxMetafileRecords; ++record) {
        many.Record(0x0102, {1});  // SETBKMODE
    }
    EXPECT_EQ(DecodePicture(many.Placeable(960, 960, 960)).problem, EDecodeProblem::TooMuchWork);
    EXPECT_EQ(DecodePicture(Picture().Placeable(960, 960, 960)).problem, EDecodeProblem::None);
}

// Every kind of record this painter handles, then damaged byte by byte: the
// structure check lets many such files through to libwmf and the painter.
TEST(WmfPainting, DamagedRecordsOfEveryKindNeverCrash) {
    CWmfBuilder wmf = Picture();
    wmf.BackgroundMode(2);
    wmf.Select(wmf.HatchBrush(kGreen, 3));
    wmf.Select(wmf.Pen(2, 0, kPlum));
    wmf.ClipRect(10, 10, 900, 900);
    wmf.Ellipse(100, 100, 400, 400);
    wmf.Polygon(Star());
    wmf.PolyPolygon({Star(), {QPoint(0, 0), QPoint(90, 0), QPoint(0, 90)}});
    wmf.Pie(0, 0, 960, 960, QPoint(960, 480), QPoint(480, 0));
    wmf.Line(QPoint(0, 0), QPoint(960, 960));
    wmf.FloodFill(QPoint(480, 480), kPlum);
    wmf.ExtFloodFill(QPoint(10, 10), kGreen, 1);
    wmf.PatBlt(0, 0, 100, 100, 0x00550009);
    wmf.StretchBitmap(500, 500, 300, 300, {{kGreen, kPlum}, {kOchre, kGreen}});
    wmf.Select(wmf.Font(-120, 400, true, "Arial"));
    wmf.Text(QPoint(50, 50), "Damaged");
    const Bytes whole = wmf.Placeable(960, 960, 960);
    ASSERT_FALSE(DecodeImage(whole).isNull());
    std::uint32_t state = 12345;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    };
    for (int round = 0; round < 1000; ++round) {
        Bytes damaged = whole;
        for (int flips = 0; flips < 4; ++flips) {
            damaged[40 + next() % (damaged.size() - 40)] = static_cast<std::uint8_t>(next());
        }
        const QImage image = DecodeImage(damaged);
        EXPECT_TRUE(image.isNull() || image.size() == QSize(96, 96));
    }
}

}  // namespace
}  // namespace plexion::test
