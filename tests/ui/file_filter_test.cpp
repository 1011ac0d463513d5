#include <gtest/gtest.h>

#include "file_filter.h"
#include "mnemonic_text.h"

namespace plexion {
namespace {

TEST(FileFilter, LabelAndPatternPairsBecomeQtFilters) {
    EXPECT_EQ(QtFileFilter("Windows AVI Video File (*.avi)\n*.avi\nAll Files (*.*)\n*.*\n\n"),
              "Windows AVI Video File (*.avi);;All Files (*)");
    EXPECT_EQ(QtFileFilter("Windows Images Files "
                           "(*.bmp;*.jpg;*.png;*.tif;*.gif;*.exif;*.ico;*.wmf;*.emf)\n*.bmp;*.jpg;"
                           "*.png;*.tif;*.gif;*.exif;*.ico;*.wmf;*.emf\nAll Files (*.*)\n*.*\n\n"),
              "Windows Images Files (*.bmp *.jpg *.png *.tif *.gif *.exif *.ico *.wmf "
              "*.emf);;All Files (*)");
}

TEST(FileFilter, ThePatternsLineDecidesWhatIsShown) {
    // The label's own parentheses are replaced by the patterns really used.
    EXPECT_EQ(QtFileFilter("Pictures (*.png)\n*.png;*.gif\n"), "Pictures (*.png *.gif)");
    EXPECT_EQ(QtFileFilter("Text\n*.txt\n"), "Text (*.txt)");
    EXPECT_EQ(QtFileFilter("Spaced ( *.a ; *.b )\n *.a ; *.b \n"), "Spaced (*.a *.b)");
}

TEST(FileFilter, LabelsWithoutAPatternsLineKeepTheirOwnPatterns) {
    EXPECT_EQ(QtFileFilter("Velkarion Game Resources Files (*.dat)"),
              "Velkarion Game Resources Files (*.dat)");
    EXPECT_EQ(QtFileFilter("Velkarion Game Resources Files (*.dat)|*.dat|All Files (*.*)|*.*||"),
              "Velkarion Game Resources Files (*.dat);;All Files (*)");
}

TEST(FileFilter, EmptyOrPatternlessFiltersGiveNothing) {
    EXPECT_EQ(QtFileFilter(""), "");
    EXPECT_EQ(QtFileFilter("\n\n"), "");
    EXPECT_EQ(QtFileFilter("Just a label"), "");
    EXPECT_EQ(QtFileFilter("Label\n\nOther (*.x)\n*.x\n"), "Other (*.x)");
}

TEST(MnemonicText, AmpersandsMarkLettersExceptWhenDoubled) {
    EXPECT_EQ(WithoutMnemonics("&Value"), "Value");
    EXPECT_EQ(WithoutMnemonics("Replacecement S&tring"), "Replacecement String");
    EXPECT_EQ(WithoutMnemonics("Black && White"), "Black & White");
    EXPECT_EQ(WithoutMnemonics("Trailing&"), "Trailing&");
    EXPECT_EQ(WithoutMnemonics(""), "");
}

}  // namespace
}  // namespace plexion
