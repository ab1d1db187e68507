#include "ui/rules/SettingPageRules.h"

#include "ShellTestSupport.h"
#include "platform/Platform.h"
#include "support/CSandboxDrive.h"
#include "support/PlatformTraits.h"
#include "ui/rules/OptionsTexts.h"

#include <gtest/gtest.h>

namespace
{
using Strings = std::vector<std::string>;

TEST(SettingPageRulesTest, PurgeMoveEnablingFollowsBothChoices)
{
    struct SCase
    {
        int32_t nMove, nRecycle;
        SPurgeMoveEnabling expected;
    };
    const SCase cases[] = {
        {0, 0, {true, false, false, false}},
        {0, 1, {true, true, true, false}},
        {1, 0, {false, false, false, true}},
        {1, 1, {false, false, false, true}},
        // Any Move other than 0 purges: the purge warning stays available.
        {2, 1, {false, false, false, true}},
        {-1, 0, {false, false, false, true}},
    };
    for (const SCase& c : cases)
        EXPECT_EQ(PurgeMoveEnabling(c.nMove, c.nRecycle), c.expected) << c.nMove << c.nRecycle;
}

TEST(SettingPageRulesTest, DestinationIsCheckedOnlyWhenMovingToAFolder)
{
    if (RunsUnderWine())
        GTEST_SKIP() << "its long-folder case cannot be made through the Win32 calls";
    CSandboxDrive sandbox;
    SPlatform platform = CreatePlatform();
    sandbox.MakeFolder("C:\\Bak");
    const std::string strLong = "C:\\" + std::string(150, 'a') + "\\" + std::string(150, 'b');
    sandbox.MakeFolder(strLong);
    struct SCase
    {
        int32_t nMove, nRecycle;
        std::string strPath;
        std::optional<std::string> refusal;
    };
    const SCase cases[] = {
        {0, 1, "C:\\Bak", std::nullopt},
        {0, 1, "C:\\Bak\\", std::nullopt},
        {0, 1, "", TEXT_DESTINATION_INVALID},
        {0, 1, "C:\\Missing", TEXT_DESTINATION_INVALID},
        {0, 1, strLong, TEXT_DESTINATION_TOO_LONG},
        {0, 0, "C:\\Missing", std::nullopt}, // Recycle Bin
        {1, 1, "", std::nullopt},            // Purge
    };
    for (const SCase& c : cases)
    {
        const std::optional<SPrompt> refusal =
            CheckDestinationFolder(c.nMove, c.nRecycle, c.strPath, *platform.pFileSystem);
        ASSERT_EQ(refusal.has_value(), c.refusal.has_value()) << c.strPath;
        if (refusal)
        {
            EXPECT_EQ(*refusal, OkPrompt(*c.refusal));
        }
    }
}

TEST(SettingPageRulesTest, LaunchInvisibleYesTicksRunAtBootNoGoesBackToVisible)
{
    CScriptedMessageBox box;
    int32_t Visible = 0, Run = 0;
    box.m_answers = {true};
    OnLaunchInvisibleClicked(Visible, Run, box);
    EXPECT_EQ(Visible, 0);
    EXPECT_EQ(Run, 1);
    ASSERT_EQ(box.m_shown.size(), 2u);
    EXPECT_EQ(box.m_shown[0], YesNoPrompt(TEXT_INVISIBLE_QUESTION));
    EXPECT_EQ(box.m_shown[1], OkPrompt(TEXT_INVISIBLE_HOW_TO_SHOW));

    CScriptedMessageBox declined;
    declined.m_answers = {false};
    Visible = 0;
    Run = 0;
    OnLaunchInvisibleClicked(Visible, Run, declined);
    EXPECT_EQ(Visible, 1);
    EXPECT_EQ(Run, 0) << "No leaves Run as it was";
    EXPECT_EQ(declined.m_shown.size(), 1u);
}

TEST(SettingPageRulesTest, RunAtBootCannotBeTurnedOffWhileInvisible)
{
    CScriptedMessageBox box;
    int32_t Run = 0;
    OnRunAtBootClicked(0, Run, box);
    EXPECT_EQ(Run, 1);
    EXPECT_EQ(box.Texts(), (Strings{TEXT_BOOT_TIME_NEEDED}));

    CScriptedMessageBox quiet;
    Run = 0;
    OnRunAtBootClicked(1, Run, quiet);
    EXPECT_EQ(Run, 0);
    Run = 1;
    OnRunAtBootClicked(0, Run, quiet);
    EXPECT_EQ(Run, 1);
    EXPECT_TRUE(quiet.m_shown.empty());
}

TEST(SettingPageRulesTest, InternetExplorerAdviceOncePerOpening)
{
    CScriptedMessageBox box;
    bool bWarnOnce = true;
    OnInternetExplorerClicked(0, bWarnOnce, box);
    EXPECT_TRUE(box.m_shown.empty()) << "turning it off says nothing";
    OnInternetExplorerClicked(1, bWarnOnce, box);
    OnInternetExplorerClicked(1, bWarnOnce, box);
    EXPECT_EQ(box.Texts(), (Strings{TEXT_IE_SHUT_DOWN}));
    EXPECT_FALSE(bWarnOnce);
}

TEST(SettingPageRulesTest, ZeroLengthAdviceNeedsAllThreeBrowserKeysAndCreatesNone)
{
    CSandboxDrive sandbox;
    SPlatform platform = CreatePlatform();
    IRegistry& registry = *platform.pRegistry;
    const char* const keys[] = {"Software\\Netscape", "Software\\Mozilla", "Software\\mozilla.org"};

    for (int nPresent = 0; nPresent <= 3; ++nPresent)
    {
        if (nPresent > 0)
        {
            EKeyDisposition disposition;
            ASSERT_TRUE(
                registry.CreateKey(ERegistryHive::LocalMachine, keys[nPresent - 1], disposition));
        }
        CScriptedMessageBox box;
        OnZeroLengthClicked(1, registry, box);
        EXPECT_EQ(box.m_shown.size(), nPresent == 3 ? 1u : 0u) << nPresent;
        for (int i = nPresent; i < 3; ++i)
            EXPECT_FALSE(registry.OpenKey(ERegistryHive::LocalMachine, keys[i])) << keys[i];
        CScriptedMessageBox off;
        OnZeroLengthClicked(0, registry, off);
        EXPECT_TRUE(off.m_shown.empty());
        if (nPresent == 3)
        {
            EXPECT_EQ(box.m_shown.at(0), OkPrompt(TEXT_ZERO_LENGTH_MAIL));
        }
    }
}
} // namespace
