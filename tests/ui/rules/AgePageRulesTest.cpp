#include "ui/rules/AgePageRules.h"

#include <gtest/gtest.h>

namespace
{
TEST(AgePageRulesTest, CopyInShowsTheSettingAndCopyOutGivesItBack)
{
    const struct
    {
        int32_t nMinAge;
        SAgeControls controls;
        int32_t nBack; // MinAge after copy-out of the untouched controls
    } cases[] = {
        {0, {false, 30}, 0},  {-5, {false, 30}, 0},       {1, {true, 1}, 1},
        {45, {true, 45}, 45}, {3650, {true, 3650}, 3650}, {9999, {true, 3650}, 3650},
    };
    for (const auto& test : cases)
    {
        EXPECT_EQ(AgeControlsFor(test.nMinAge), test.controls) << test.nMinAge;
        EXPECT_EQ(MinAgeFrom(AgeControlsFor(test.nMinAge)), test.nBack) << test.nMinAge;
    }
    EXPECT_EQ(MinAgeFrom({false, 90}), 0) << "a clear box turns the rule off whatever the days";
    EXPECT_EQ(MinAgeFrom({true, 90}), 90);
    EXPECT_TRUE(IsAgeDaysEnabled(true));
    EXPECT_FALSE(IsAgeDaysEnabled(false));
}

TEST(AgePageRulesTest, TheDaysMustBeAWholeNumberInRangeWhileTheBoxIsTicked)
{
    for (const char* pText : {"", "   ", "0", "3651", "99999999999", "-1", "1.5", "12x", "x"})
    {
        int32_t nDays = 7;
        EXPECT_EQ(CheckAgeDays(true, pText, nDays), OkPrompt(TEXT_AGE_DAYS_RANGE)) << pText;
        EXPECT_EQ(nDays, 7) << pText;
        EXPECT_EQ(CheckAgeDays(false, pText, nDays), std::nullopt) << "box clear: " << pText;
    }
    const struct
    {
        const char* pText;
        int32_t nDays;
    } good[] = {{"1", 1}, {"30", 30}, {" 365 ", 365}, {"3650", 3650}, {"0042", 42}};
    for (const auto& test : good)
    {
        int32_t nDays = 7;
        EXPECT_EQ(CheckAgeDays(true, test.pText, nDays), std::nullopt) << test.pText;
        EXPECT_EQ(nDays, test.nDays) << test.pText;
    }
}
} // namespace
