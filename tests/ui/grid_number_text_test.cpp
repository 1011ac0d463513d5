#include <gtest/gtest.h>

#include <limits>

#include "grid_number_text.h"

namespace plexion::test {
namespace {

constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();

TEST(DecimalPrefixInt, ReadsAsFarAsTheTextFormsANumber) {
    EXPECT_EQ(DecimalPrefixInt("12 apples"), 12);
    EXPECT_EQ(DecimalPrefixInt("  -7x"), -7);
    EXPECT_EQ(DecimalPrefixInt("+5"), 5);
    EXPECT_EQ(DecimalPrefixInt("3.9"), 3);
}

TEST(DecimalPrefixInt, TextWithoutANumberGivesZero) {
    EXPECT_EQ(DecimalPrefixInt(""), 0);
    EXPECT_EQ(DecimalPrefixInt("abc"), 0);
    EXPECT_EQ(DecimalPrefixInt("-"), 0);
    EXPECT_EQ(DecimalPrefixInt("x12"), 0);
}

TEST(DecimalPrefixInt, NumbersBeyondThirtyTwoBitsSaturate) {
    EXPECT_EQ(DecimalPrefixInt("2147483647"), kMaxInt);
    EXPECT_EQ(DecimalPrefixInt("2147483648"), kMaxInt);
    EXPECT_EQ(DecimalPrefixInt("99999999999999999999999"), kMaxInt);
    EXPECT_EQ(DecimalPrefixInt("-2147483648"), kMinInt);
    EXPECT_EQ(DecimalPrefixInt("-99999999999999999999999"), kMinInt);
}

TEST(DecimalPrefixReal, ReadsDecimalsAndExponents) {
    EXPECT_DOUBLE_EQ(DecimalPrefixReal("0.5"), 0.5);
    EXPECT_DOUBLE_EQ(DecimalPrefixReal(" +2.25kg"), 2.25);
    EXPECT_DOUBLE_EQ(DecimalPrefixReal("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(DecimalPrefixReal("7."), 7.0);
    EXPECT_DOUBLE_EQ(DecimalPrefixReal("1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(DecimalPrefixReal("2.5E-1x"), 0.25);
}

TEST(DecimalPrefixReal, AnUnfinishedExponentIsNotPartOfTheNumber) {
    EXPECT_DOUBLE_EQ(DecimalPrefixReal("4e"), 4.0);
    EXPECT_DOUBLE_EQ(DecimalPrefixReal("4e+"), 4.0);
    EXPECT_DOUBLE_EQ(DecimalPrefixReal("4 e5"), 4.0);
}

TEST(DecimalPrefixReal, TextWithoutANumberGivesZero) {
    EXPECT_EQ(DecimalPrefixReal(""), 0.0);
    EXPECT_EQ(DecimalPrefixReal("."), 0.0);
    EXPECT_EQ(DecimalPrefixReal("inf"), 0.0);
    EXPECT_EQ(DecimalPrefixReal("nan"), 0.0);
    EXPECT_EQ(DecimalPrefixReal("e5"), 0.0);
}

TEST(DecimalPrefixReal, HugeNumbersStayFinite) {
    EXPECT_EQ(DecimalPrefixReal("1e999"), std::numeric_limits<double>::max());
    EXPECT_EQ(DecimalPrefixReal("-1e999"), -std::numeric_limits<double>::max());
    EXPECT_EQ(DecimalPrefixReal("1e-999"), 0.0);
    EXPECT_EQ(DecimalPrefixReal("200e306"), std::numeric_limits<double>::max());
    EXPECT_EQ(DecimalPrefixReal("0.00012e-320"), 0.0);
    EXPECT_EQ(DecimalPrefixReal("1e99999999999999"), std::numeric_limits<double>::max());
}

TEST(StartsWithDecimalNumber, TellsTextThatReadsAsZeroFromAZero) {
    for (const char* number : {"0", " -.5", "+7 apples", "1.", "3e"}) {
        EXPECT_TRUE(StartsWithDecimalNumber(QString::fromLatin1(number))) << number;
    }
    for (const char* other : {"", " ", "-", ".", "+.e5", "abc", "- 5", "e5"}) {
        EXPECT_FALSE(StartsWithDecimalNumber(QString::fromLatin1(other))) << other;
    }
}

TEST(TruncateToInt, TruncatesTowardZero) {
    EXPECT_EQ(TruncateToInt(2.9), 2);
    EXPECT_EQ(TruncateToInt(-2.9), -2);
    EXPECT_EQ(TruncateToInt(0.0), 0);
}

TEST(TruncateToInt, ValuesOutsideTheRangeSaturate) {
    EXPECT_EQ(TruncateToInt(1e12), kMaxInt);
    EXPECT_EQ(TruncateToInt(-1e12), kMinInt);
    EXPECT_EQ(TruncateToInt(std::numeric_limits<double>::infinity()), kMaxInt);
    EXPECT_EQ(TruncateToInt(-std::numeric_limits<double>::infinity()), kMinInt);
    EXPECT_EQ(TruncateToInt(std::numeric_limits<double>::quiet_NaN()), 0);
}

}  // namespace
}  // namespace plexion::test
