#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <vector>

#include "command_ids.h"
#include "toolbar_icons.h"

namespace plexion {
namespace {

std::vector<int> ToolbarCommands() {
    std::vector<int> ids = {command::kFileNew,
                            command::kFileOpen,
                            command::kFileSave,
                            command::kEditCut,
                            command::kEditCopy,
                            command::kEditPaste,
                            command::kMaintainRelationships,
                            command::kCheckIntegrity,
                            command::kFilePrint,
                            command::kAppAbout,
                            command::kWindowTileHorizontally,
                            command::kWindowTileVertically};
    ids.insert(ids.end(), std::begin(command::kPanelCommands), std::end(command::kPanelCommands));
    return ids;
}

QImage Picture(int commandId, double devicePixelRatio) {
    const QIcon icon = CommandIcon(commandId);
    return icon.pixmap(QSize(16, 15), devicePixelRatio)
        .toImage()
        .convertToFormat(QImage::Format_ARGB32);
}

int OpaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        }
    }
    return count;
}

TEST(ToolbarIcons, EveryToolbarCommandHasItsOwnPicture) {
    std::vector<QImage> pictures;
    for (int id : ToolbarCommands()) {
        const QIcon icon = CommandIcon(id);
        ASSERT_FALSE(icon.isNull()) << id;
        EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 15))) << id;
        const QImage picture = Picture(id, 1.0);
        ASSERT_EQ(picture.size(), QSize(16, 15)) << id;
        EXPECT_GT(OpaquePixels(picture), 20) << id;
        EXPECT_LT(OpaquePixels(picture), 16 * 15) << id << " has no transparent pixel";
        for (const QImage& other : pictures) {
            EXPECT_NE(picture, other) << id << " looks like an earlier picture";
        }
        pictures.push_back(picture);
    }
}

TEST(ToolbarIcons, TheDoubleSizePictureRepeatsEachPixel) {
    for (int id : ToolbarCommands()) {
        const QImage single = Picture(id, 1.0);
        const QImage twice = Picture(id, 2.0);
        ASSERT_EQ(twice.size(), QSize(32, 30)) << id;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 32; ++x) {
                ASSERT_EQ(twice.pixel(x, y), single.pixel(x / 2, y / 2))
                    << id << " at " << x << ", " << y;
            }
        }
    }
}

TEST(ToolbarIcons, OtherCommandsHaveNoPicture) {
    for (int id : {command::kFileSaveAs, command::kAppExit, command::kFilePrintPreview,
                   command::kWindowCascade, 0, -1}) {
        EXPECT_TRUE(CommandIcon(id).isNull()) << id;
    }
}

}  // namespace
}  // namespace plexion
