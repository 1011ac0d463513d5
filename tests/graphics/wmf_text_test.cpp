#include <gtest/gtest.h>

#include <QGuiApplication>

#include "image_codecs.h"
#include "wmf_records.h"

namespace plexion::test {
namespace {

// Text needs Qt's font database, which only a QGuiApplication provides;
// this program runs one on the offscreen platform.
class CGuiApplication : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "wmf_text_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> application_;
};

const auto* const kApplication = ::testing::AddGlobalTestEnvironment(new CGuiApplication);

const QRgb kInk = qRgb(200, 40, 120);
const QRgb kPaper = qRgb(250, 240, 10);

constexpr std::uint16_t kTransparent = 1;
constexpr std::uint16_t kOpaque = 2;

// "HH" in bold 24-pixel letters whose top is at pixel row 30 of a 96 × 96
// picture (ten units a pixel).
QImage DecodeText(std::uint16_t backgroundMode) {
    CWmfBuilder wmf;
    wmf.Window(960, 960);
    wmf.BackgroundMode(backgroundMode);
    wmf.BackgroundColour(kPaper);
    wmf.TextColour(kInk);
    wmf.Select(wmf.Font(-240, 700, false, "Arial"));
    wmf.Text(QPoint(100, 300), "HH");
    return DecodeImage(wmf.Placeable(960, 960, 960));
}

struct SInk {
    int exact = 0;  // pixels of exactly the text colour
    int top = 96;
    int bottom = -1;
    int left = 96;
};

SInk FindInk(const QImage& image) {
    SInk ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0 || pixel == kPaper) {
                continue;
            }
            ink.exact += pixel == kInk ? 1 : 0;
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ink.left = std::min(ink.left, x);
        }
    }
    return ink;
}

TEST(WmfText, DrawsTextInItsExactColourBelowItsTopLeftCorner) {
    const QImage image = DecodeText(kTransparent);
    ASSERT_EQ(image.size(), QSize(96, 96));
    const SInk ink = FindInk(image);
    EXPECT_GT(ink.exact, 20);
    // Capital letters start a little below the top of the line and end
    // above its bottom, 24 pixels further down.
    EXPECT_GE(ink.top, 30);
    EXPECT_LE(ink.top, 40);
    EXPECT_GT(ink.bottom, 40);
    EXPECT_LE(ink.bottom, 54);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.left, 14);
}

TEST(WmfText, AnOpaqueBackgroundFillsBehindTheTextOnly) {
    const QImage transparent = DecodeText(kTransparent);
    const QImage opaque = DecodeText(kOpaque);
    ASSERT_FALSE(opaque.isNull());
    int paper = 0;
    for (int y = 0; y < 96; ++y) {
        for (int x = 0; x < 96; ++x) {
            paper += opaque.pixel(x, y) == kPaper ? 1 : 0;
            EXPECT_NE(transparent.pixel(x, y), kPaper);
        }
    }
    EXPECT_GT(paper, 100);
    EXPECT_EQ(qAlpha(opaque.pixel(5, 5)), 0);
    EXPECT_EQ(qAlpha(opaque.pixel(90, 90)), 0);
}

}  // namespace
}  // namespace plexion::test
