#include "ui/res/DialogUnits.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace
{
struct SScaleCase
{
    int32_t nUnits;
    int32_t nBase;
    int32_t nDivisor;
    int32_t nExpected;
};

TEST(DialogUnitsTest, ScaleRoundsHalvesAwayFromZero)
{
    const SScaleCase cases[] = {
        {0, 6, 4, 0},    {1, 6, 4, 2},                                  // 1.5 rounds up
        {2, 6, 4, 3},    {3, 6, 4, 5},                                  // 4.5 rounds up
        {1, 5, 4, 1},    {3, 5, 4, 4},                                  // 1.25 -> 1, 3.75 -> 4
        {-1, 6, 4, -2},  {-3, 5, 4, -4},                                // negative mirrors positive
        {1, 13, 8, 2},   {8, 13, 8, 13},                                // 1.625 -> 2, whole height
        {15, 13, 8, 24}, {226, 13, 8, 367}, {5, 0, 4, 0}, {5, 6, 0, 0}, // no base, no divisor
    };
    for (const SScaleCase& c : cases)
    {
        EXPECT_EQ(ScaleRounded(c.nUnits, c.nBase, c.nDivisor), c.nExpected)
            << c.nUnits << " * " << c.nBase << " / " << c.nDivisor;
    }
}

TEST(DialogUnitsTest, ScaleDoesNotOverflowOnLargeValues)
{
    const int32_t nMax = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(ScaleRounded(nMax, 4, 4), nMax);
    EXPECT_EQ(ScaleRounded(nMax, 8, 16), nMax / 2 + 1);
}

TEST(DialogUnitsTest, AverageWidthUsesThePlatformRounding)
{
    // (width / 26 + 1) / 2: a 52-letter sample of 312 pixels averages 6.
    EXPECT_EQ(AverageCharWidth(312), 6);
    EXPECT_EQ(AverageCharWidth(337), 6); // 6.48
    EXPECT_EQ(AverageCharWidth(338), 7); // 6.5 rounds up
    EXPECT_EQ(AverageCharWidth(363), 7); // 6.98
    EXPECT_EQ(AverageCharWidth(26), 1);  // half a pixel rounds up to 1
    EXPECT_EQ(AverageCharWidth(0), 0);
    EXPECT_EQ(AverageCharWidth(-10), 0);
    EXPECT_EQ(std::strlen(AVERAGE_WIDTH_SAMPLE), 52u);
}

TEST(DialogUnitsTest, AxesUseTheirOwnBase)
{
    const SDialogBaseUnits base{6, 13};
    EXPECT_EQ(DialogUnitsToPixelsX(386, base), 579);
    EXPECT_EQ(DialogUnitsToPixelsY(226, base), 367);
    EXPECT_EQ(DialogUnitsToPixelsX(4, base), 6);
    EXPECT_EQ(DialogUnitsToPixelsY(8, base), 13);
}

TEST(DialogUnitsTest, RectanglesKeepTouchingEdges)
{
    const SDialogBaseUnits base{7, 15};
    // Two buttons side by side: 69..119 and 119..169 in dialog units.
    const SUnitRect first = DialogRectToPixels({69, 3, 50, 15}, base);
    const SUnitRect second = DialogRectToPixels({119, 3, 50, 15}, base);
    EXPECT_EQ(first.nLeft + first.nWidth, second.nLeft);
    EXPECT_EQ(first.nTop, second.nTop);
    EXPECT_EQ(first, (SUnitRect{121, 6, 87, 28}));
    // 69 * 7 / 4 = 120.75 -> 121; (69 + 50) * 7 / 4 = 208.25 -> 208.
}
} // namespace
