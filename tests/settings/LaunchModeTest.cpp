#include "settings/CLaunchMode.h"

#include <gtest/gtest.h>

namespace
{
struct SLaunchCase
{
    const char* pArguments;
    int32_t nInvisible;
    int32_t nBoot;
};

class LaunchModeTest : public ::testing::TestWithParam<SLaunchCase>
{
};

TEST_P(LaunchModeTest, ScansTokensAsSubstringsIgnoringCase)
{
    CLaunchMode mode;
    mode.ScanLaunchTokens(GetParam().pArguments);
    EXPECT_EQ(mode.InvisibleMode, GetParam().nInvisible) << GetParam().pArguments;
    EXPECT_EQ(mode.BootLaunch, GetParam().nBoot) << GetParam().pArguments;
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, LaunchModeTest,
    ::testing::Values(SLaunchCase{"", 0, 0}, SLaunchCase{"-A47F19C2D08B6E53", 0, 1},
                      SLaunchCase{"-7QX2M9R4TJ6W1HN5", 1, 1},
                      SLaunchCase{"-7qx2m9r4tj6w1hn5", 1, 1},
                      SLaunchCase{"xxA47F19C2D08B6E53yy", 0, 1},
                      SLaunchCase{"-A47F19C2D08B6E53 -7QX2M9R4TJ6W1HN5", 1, 1},
                      SLaunchCase{"-7QX2M9R4TJ6W1HN -A47F19C2D08B6E5 /boot", 0, 0}));
} // namespace
