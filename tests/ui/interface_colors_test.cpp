#include <gtest/gtest.h>

#include "interface_colors.h"

namespace plexion {
namespace {

TEST(ColorHelpers, MixRoundsHalvesUpAndClampsTheFactor) {
    EXPECT_EQ(LightenColor(MakeColor(58, 110, 165), 0.5), MakeColor(157, 183, 210));
    EXPECT_EQ(MixColor(MakeColor(10, 20, 30), MakeColor(200, 100, 0), 1.5), MakeColor(200, 100, 0));
    EXPECT_EQ(MixColor(MakeColor(10, 20, 30), MakeColor(200, 100, 0), -1), MakeColor(10, 20, 30));
    EXPECT_EQ(DarkenColor(MakeColor(100, 100, 100), 0.25), MakeColor(75, 75, 75));
    EXPECT_EQ(MixColor(MakeColor(255, 255, 255), 0, 0.0) >> 24, 0u);
}

TEST(ColorHelpers, BrightnessContrastAndGray) {
    EXPECT_TRUE(IsBrightColor(MakeColor(129, 129, 129)));
    EXPECT_FALSE(IsBrightColor(MakeColor(128, 128, 129)));
    EXPECT_EQ(ContrastColor(MakeColor(255, 255, 255), 0.5), MakeColor(128, 128, 128));
    const ColorRef face = MakeColor(58, 110, 165);
    EXPECT_EQ(ContrastColor(face, 0.5), LightenColor(face, 0.5));
    EXPECT_EQ(GrayColor(MakeColor(10, 20, 31)), MakeColor(20, 20, 20));
}

TEST(InterfaceColors, DefaultsNamesAndReset) {
    CInterfaceColors& colors = CInterfaceColors::Instance();
    EXPECT_EQ(colors.Get(InterfaceColor::FocusedArea), MakeColor(128, 255, 0));
    EXPECT_EQ(colors.Get(InterfaceColor::ScrollBarBackground), MakeColor(157, 183, 210));
    EXPECT_EQ(colors.Get(InterfaceColor::ScrollBar), MakeColor(58, 110, 165));
    EXPECT_EQ(colors.Get(InterfaceColor::WindowSpottedText), MakeColor(183, 137, 0));
    EXPECT_EQ(InterfaceColorName(InterfaceColor::DialogSpottedFace), "Dialog Spotted Face");
    EXPECT_EQ(InterfaceColorName(InterfaceColor::ScrollBarMoving), "Scroll Bar Moving");

    int repaints = 0;
    colors.SetRepaintHook([&] { ++repaints; });
    colors.Set(InterfaceColor::DialogText, MakeColor(1, 2, 3));
    EXPECT_EQ(colors.Get(InterfaceColor::DialogText), MakeColor(1, 2, 3));
    EXPECT_EQ(colors.Alpha(InterfaceColor::DialogText), 255);
    EXPECT_TRUE(colors.ResetToDefaults());
    EXPECT_EQ(colors.Get(InterfaceColor::DialogText), MakeColor(255, 255, 255));
    EXPECT_EQ(repaints, 1);
    colors.SetRepaintHook({});
}

}  // namespace
}  // namespace plexion
