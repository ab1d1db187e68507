#include "ui/rules/TextFit.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace
{
STextFitControl Text(STextFitRect rect, int32_t nNeedWidth, int32_t nNeedHeight,
                     ETextFitSide eSide = ETextFitSide::Start)
{
    STextFitControl control;
    control.rect = rect;
    control.bHasText = true;
    control.nNeedWidth = nNeedWidth;
    control.nNeedHeight = nNeedHeight;
    control.eSide = eSide;
    return control;
}

STextFitControl Box(STextFitRect rect)
{
    STextFitControl control;
    control.rect = rect;
    return control;
}

STextFitControl Group(STextFitRect rect, int32_t nTitleHeight)
{
    STextFitControl control = Box(rect);
    control.bGroupBox = true;
    control.bHasText = true;
    control.nTitleHeight = nTitleHeight;
    control.nNeedWidth = 10;
    control.nNeedHeight = nTitleHeight;
    return control;
}

// A wrapping text of nChars letters of nLetter pixels, lines nLine high.
STextFitControl Paragraph(STextFitRect rect, int32_t nChars, int32_t nLetter, int32_t nLine)
{
    STextFitControl control = Text(rect, rect.nWidth, 0);
    control.bWraps = true;
    control.nWidenStep = nLetter;
    control.heightAtWidth = [=](int32_t nWidth)
    {
        const int32_t nPerLine = std::max<int32_t>(1, nWidth / nLetter);
        return (nChars + nPerLine - 1) / nPerLine * nLine;
    };
    control.nNeedHeight = control.heightAtWidth(rect.nWidth);
    return control;
}

void ExpectRect(const STextFitRect& actual, const STextFitRect& expected)
{
    EXPECT_EQ(actual.nLeft, expected.nLeft);
    EXPECT_EQ(actual.nTop, expected.nTop);
    EXPECT_EQ(actual.nWidth, expected.nWidth);
    EXPECT_EQ(actual.nHeight, expected.nHeight);
}
} // namespace

TEST(TextFitTest, TextsGrowTheWayTheyAreAligned)
{
    std::vector<STextFitControl> controls = {
        Text({10, 10, 50, 13}, 56, 13),                      // left: grows right
        Text({100, 40, 50, 13}, 56, 13, ETextFitSide::End),  // right: grows left
        Text({100, 70, 50, 13}, 56, 13, ETextFitSide::Both), // centred: both sides
        Text({10, 100, 50, 13}, 40, 13),                     // fits: unchanged
        Box({10, 130, 50, 13}),                              // no text: unchanged
    };
    GrowTextsToFit(controls, 300, 200, 2);
    ExpectRect(controls[0].rect, {10, 10, 56, 13});
    ExpectRect(controls[1].rect, {94, 40, 56, 13});
    ExpectRect(controls[2].rect, {97, 70, 56, 13});
    ExpectRect(controls[3].rect, {10, 100, 50, 13});
    ExpectRect(controls[4].rect, {10, 130, 50, 13});
    EXPECT_TRUE(TextFitsRect(controls[0]));
}

TEST(TextFitTest, GrowthStopsAMarginShortOfNeighboursTheParentAndTheGroup)
{
    std::vector<STextFitControl> controls = {
        Text({10, 10, 50, 13}, 80, 13), // a button at 70: stops at 67, then takes the left
        Box({70, 8, 40, 20}),
        Text({250, 40, 40, 13}, 60, 13), // the parent's edge at 300 - 2: the rest to the left
        Group({5, 80, 100, 60}, 12),
        Text({10, 100, 80, 13}, 120, 30), // inside the group: its frame less the margin
    };
    GrowTextsToFit(controls, 300, 200, 2);
    ExpectRect(controls[0].rect, {2, 10, 66, 13}); // 2 .. 67: neither edge passes its limit
    ExpectRect(controls[1].rect, {70, 8, 40, 20});
    ExpectRect(controls[2].rect, {238, 40, 60, 13});
    ExpectRect(controls[3].rect, {5, 80, 100, 60}); // group boxes never change
    // Inside 7 .. 102 across and from the title (92) to 137 down.
    ExpectRect(controls[4].rect, {7, 92, 96, 30});
}

TEST(TextFitTest, WrappedTextsGrowTallerThenWiderAndOverlappedControlsDoNotLimit)
{
    std::vector<STextFitControl> controls = {
        // 30 letters of 6 pixels in 120 pixels: 2 lines of 13, 26 high. It may
        // reach down to 31 (the label below at 34, less the margin): 2 pixels
        // down, the other 4 up.
        Paragraph({10, 10, 120, 20}, 30, 6, 13),
        Text({10, 34, 120, 13}, 120, 13),
        // Between that label (bottom 46) and a box at 76 it finds 25 of the 26
        // pixels, so it widens a letter at a time until one line holds it.
        Paragraph({10, 60, 120, 13}, 30, 6, 13),
        Box({10, 76, 200, 20}),
        // A label over a box it overlaps from the start grows across it.
        Text({150, 120, 40, 13}, 70, 13),
        Box({140, 115, 60, 30}),
    };
    GrowTextsToFit(controls, 300, 200, 2);
    ExpectRect(controls[0].rect, {10, 6, 120, 26});
    ExpectRect(controls[1].rect, {10, 34, 120, 13});
    ExpectRect(controls[2].rect, {10, 49, 180, 25});
    ExpectRect(controls[4].rect, {150, 120, 70, 13});
}
