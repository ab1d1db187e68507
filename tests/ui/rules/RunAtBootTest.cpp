#include "ui/rules/RunAtBoot.h"

#include "ShellTestFixture.h"
#include "platform/IAutostart.h"

#include <gtest/gtest.h>

TEST(RunAtBootTest, RunValueForEveryCombination)
{
    struct SRunCase
    {
        int32_t nRun, nVisible;
        const char* pValue;
        const char* pArguments;
    };
    const SRunCase cases[] = {
        {1, 1, "C:\\Program Files\\Scrubix\\scrubix.exe -A47F19C2D08B6E53", " -A47F19C2D08B6E53"},
        {1, 0, "C:\\Program Files\\Scrubix\\scrubix.exe -7QX2M9R4TJ6W1HN5", " -7QX2M9R4TJ6W1HN5"},
        {0, 1, "", ""},
        {0, 0, "", ""}, // switched off with invisible launch chosen: the old entry goes too
        {5, 2, "C:\\Program Files\\Scrubix\\scrubix.exe -A47F19C2D08B6E53", " -A47F19C2D08B6E53"},
    };
    for (const SRunCase& c : cases)
    {
        EXPECT_EQ(ComposeRunValue("C:\\Program Files\\Scrubix", c.nRun, c.nVisible), c.pValue)
            << c.nRun << c.nVisible;
        EXPECT_EQ(BootArguments(c.nRun, c.nVisible), c.pArguments) << c.nRun << c.nVisible;
    }
}
