#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "bitmap_item.h"
#include "picture_commands.h"
#include "picture_fixtures.h"

namespace plexion {
namespace {

using Command = std::function<bool(CVKT_Bitmap&)>;

// A 10 x 8 picture: a red box at (3, 2) of 5 x 3 on a white border.
std::unique_ptr<CVKT_Bitmap> RedBoxOnWhite() {
    QImage image = test::PictureWithBox(10, 8, QRect(3, 2, 5, 3), qRgb(255, 0, 0));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 10; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) {
                image.setPixel(x, y, qRgb(255, 255, 255));
            }
        }
    }
    auto bitmap = std::make_unique<CVKT_Bitmap>();
    bitmap->TakeImage(image);
    bitmap->SetSourceFileName("/art/box.bmp");
    bitmap->SetSourceBytes({1, 2, 3});
    return bitmap;
}

bool IsPng(const std::vector<std::uint8_t>& bytes) {
    return bytes.size() > 8 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G';
}

TEST(PictureCommands, EditThePixelsAndStoreThePictureAsPng) {
    struct Case {
        const char* name;
        Command command;
        QSize size;
        QPointF offset;
        QRgb corner;
    };
    const Case cases[] = {
        // Nothing is transparent: the crop keeps the whole picture.
        {"crop", picture_commands::CropToAlphaChannel, {10, 8}, {0, 0}, qRgb(255, 255, 255)},
        {"set alpha",
         [](CVKT_Bitmap& b) {
             return picture_commands::SetAlphaChannelToColor(b, MakeColor(255, 255, 255));
         },
         {5, 3},
         {3, 2},
         qRgb(255, 0, 0)},
        {"change color",
         [](CVKT_Bitmap& b) {
             return picture_commands::ChangeColor(b, MakeColor(255, 0, 0), MakeColor(0, 0, 255));
         },
         {10, 8},
         {0, 0},
         qRgb(255, 255, 255)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto box = RedBoxOnWhite();
        CVKT_Bitmap& bitmap = *box;
        ASSERT_TRUE(c.command(bitmap));
        EXPECT_EQ(QSize(static_cast<int>(bitmap.DisplayWidth()),
                        static_cast<int>(bitmap.DisplayHeight())),
                  c.size);
        EXPECT_EQ(QPointF(bitmap.OffsetX(), bitmap.OffsetY()), c.offset);
        const QImage pixels = bitmap.Image()->convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(pixels.pixel(0, 0), c.corner);
        EXPECT_TRUE(IsPng(bitmap.SourceBytes()));
        EXPECT_EQ(QImage::fromData(bitmap.SourceBytes().data(),
                                   static_cast<int>(bitmap.SourceBytes().size()))
                      .convertToFormat(QImage::Format_ARGB32),
                  pixels);
    }
    const auto changed = RedBoxOnWhite();
    picture_commands::ChangeColor(*changed, MakeColor(255, 0, 0), MakeColor(0, 0, 255));
    EXPECT_EQ(changed->Image()->pixel(3, 2), qRgb(0, 0, 255));
}

TEST(PictureCommands, LeaveBitmapsWithoutADecodedPictureAsTheyAre) {
    const Command commands[] = {
        picture_commands::CropToAlphaChannel,
        [](CVKT_Bitmap& b) { return picture_commands::SetAlphaChannelToColor(b, 0); },
        [](CVKT_Bitmap& b) { return picture_commands::ChangeColor(b, 0, MakeColor(1, 2, 3)); },
    };
    for (const Command& command : commands) {
        CVKT_Bitmap region;
        region.SetRegion(QRegion(0, 0, 4, 4));
        EXPECT_FALSE(command(region));
        EXPECT_EQ(region.GetKind(), CVKT_Bitmap::kKindRegion);

        // A file the codecs could not read keeps its bytes.
        CVKT_Bitmap undecoded;
        undecoded.TakeImage(QImage());
        undecoded.SetSourceBytes({9, 9});
        command(undecoded);
        EXPECT_EQ(undecoded.SourceBytes(), (std::vector<std::uint8_t>{9, 9}));
    }
}

}  // namespace
}  // namespace plexion
