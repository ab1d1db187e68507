#include "ui/rules/InvisibleChain.h"

#include "platform/IMessagePort.h"
#include "settings/CLaunchMode.h"

#include <gtest/gtest.h>

namespace
{
CLaunchMode Mode(int32_t nInvisible, int32_t nBoot)
{
    CLaunchMode mode;
    mode.InvisibleMode = nInvisible;
    mode.BootLaunch = nBoot;
    return mode;
}
} // namespace

TEST(InvisibleChainTest, StartUp)
{
    struct SStartCase
    {
        CLaunchMode mode;
        bool bReadable;
        bool bShown;
        uint32_t nMessage;
    };
    const SStartCase cases[] = {
        {Mode(0, 0), true, true, WM_STARTUP_VISIBLE},
        {Mode(0, 1), true, true, WM_STARTUP_VISIBLE},
        {Mode(1, 1), true, false, WM_STARTUP_INVISIBLE},
        {Mode(1, 1), false, true, WM_STARTUP_VISIBLE}, // unreadable settings: shown, not chained
        {Mode(0, 1), false, true, WM_STARTUP_VISIBLE},
    };
    for (const SStartCase& c : cases)
    {
        SCOPED_TRACE(::testing::Message()
                     << c.mode.InvisibleMode << c.mode.BootLaunch << " readable " << c.bReadable);
        EXPECT_EQ(ShouldShowWindowAtStart(c.mode, c.bReadable), c.bShown);
        EXPECT_EQ(StartupMessage(c.mode, c.bReadable), c.nMessage);
    }
    EXPECT_TRUE(ShouldSearchOnStartup(WM_VIEW_STARTUP_INVISIBLE, Mode(0, 0)));
    EXPECT_TRUE(ShouldSearchOnStartup(WM_VIEW_STARTUP_VISIBLE, Mode(0, 1)));
    EXPECT_TRUE(ShouldSearchOnStartup(WM_VIEW_STARTUP_VISIBLE, Mode(1, 1)));
    EXPECT_FALSE(ShouldSearchOnStartup(WM_VIEW_STARTUP_VISIBLE, Mode(0, 0)));
    EXPECT_FALSE(ShouldSearchOnStartup(WM_STARTUP_VISIBLE, Mode(1, 1)));
}

TEST(InvisibleChainTest, TheChainRunsOnlyWhileNobodyWatches)
{
    struct SChainCase
    {
        CLaunchMode mode;
        bool bVisible;
        bool bReadable;
        bool bUnattended;
        bool bDispose;
        bool bClose;
    };
    const SChainCase cases[] = {
        {Mode(1, 1), false, true, true, true, true},
        {Mode(1, 1), true, true, false, false, false},  // shown by a second start
        {Mode(1, 1), false, false, true, false, true},  // rules not read: never dispose
        {Mode(0, 1), false, true, false, false, false}, // a visible boot launch minimised
        {Mode(0, 0), true, true, false, false, false},
    };
    for (const SChainCase& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << c.mode.InvisibleMode << " visible " << c.bVisible
                                          << " readable " << c.bReadable);
        EXPECT_EQ(IsUnattended(c.mode, c.bVisible), c.bUnattended);
        EXPECT_EQ(ShouldDisposeAfterSearch(c.mode, c.bVisible, c.bReadable), c.bDispose);
        EXPECT_EQ(ShouldCloseAfterDisposal(c.mode, c.bVisible), c.bClose);
    }
}
