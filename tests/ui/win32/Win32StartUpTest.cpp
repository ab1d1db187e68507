// Start-up, run-at-boot and the end of the Win32 program: the invisible
// chain (search, dispose, exit) and a second copy that stops it, the Welcome
// choices, the Run value for every Run/Visible combination, and closing
// during a search and during a disposal.
#include "SheetAnswer.h"
#include "Win32ViewProbe.h"
#include "platform/Platform.h"
#include "settings/CLaunchMode.h"
#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/RunAtBoot.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace
{
const std::string INVISIBLE = std::string("-") + INVISIBLE_BOOT_TOKEN;

// The Run value as the registry holds it, read with advapi32 under the
// sandbox's scratch key (where HKEY_LOCAL_MACHINE is redirected); "<none>"
// when it is not there.
std::string ReadRunValue()
{
    std::string strRoot = std::getenv("SCRUBIX_REGISTRY_ROOT");
    strRoot = strRoot.substr(strRoot.find('\\') + 1); // under HKEY_CURRENT_USER
    const std::string strKey = strRoot + "\\HKLM\\" + RUN_KEY_PATH + "\\" + RUN_SECTION;
    char szValue[512] = {};
    DWORD nSize = sizeof(szValue);
    if (RegGetValueA(HKEY_CURRENT_USER, strKey.c_str(), RUN_VALUE_NAME, RRF_RT_REG_SZ, nullptr,
                     szValue, &nSize) != ERROR_SUCCESS)
        return "<none>";
    return szValue;
}
} // namespace

TEST(Win32StartUpTest, InvisibleRunSearchesPurgesWithoutAskingAndEnds)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Move", 1);
    sandbox.SetInt("Settings", "WarnMe", 1);
    sandbox.Drive().MakeFile("C:\\junk\\one.tmp", "1");
    sandbox.Drive().MakeFile("C:\\junk\\keep.txt", "k");
    CModalAnswerer answerer;
    ASSERT_NE(sandbox.Start(INVISIBLE), nullptr);
    EXPECT_FALSE(IsWindowVisible(sandbox.Frame().Window()));
    ASSERT_TRUE(sandbox.WaitForEnd());
    EXPECT_EQ(answerer.Count(), 0);
    EXPECT_FALSE(sandbox.Drive().Exists("C:\\junk\\one.tmp"));
    EXPECT_TRUE(sandbox.Drive().Exists("C:\\junk\\keep.txt"));
}

TEST(Win32StartUpTest, ASecondCopyShowsTheFirstAndTheChainStopsAtTheResults)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Move", 1);
    sandbox.Drive().MakeFile("C:\\junk\\one.tmp", "1");
    ASSERT_NE(sandbox.Start(INVISIBLE), nullptr);
    HWND hFrame = sandbox.Frame().Window();
    EXPECT_FALSE(IsWindowVisible(hFrame));

    CScrubixApp second(CreatePlatform());
    EXPECT_FALSE(second.InitInstance(""));
    EXPECT_EQ(second.Frame(), nullptr);
    EXPECT_TRUE(IsWindowVisible(hFrame));

    // Attended now: the search lists the rows and waits for the user.
    ASSERT_TRUE(PumpUntil([&] { return sandbox.View().GetViewState() == ViewState::Results; },
                          20000, sandbox.App()));
    PumpFor(300, sandbox.App());
    EXPECT_EQ(sandbox.View().GetViewState(), ViewState::Results);
    EXPECT_FALSE(sandbox.Ended());
    EXPECT_TRUE(sandbox.Drive().Exists("C:\\junk\\one.tmp"));
}

TEST(Win32StartUpTest, WelcomeChoicesSetMoveOrPurge)
{
    struct SChoice
    {
        const char* pszButton;
        int32_t nMove;
    };
    for (const SChoice& choice : {SChoice{"I Just Want to Move Files to the Recycle Bin", 0},
                                  SChoice{"I Will Try Deletion Mode", 1}})
    {
        CWin32AppSandbox sandbox;
        sandbox.SetInt("Settings", "23", 1);
        CModalAnswerer answerer;
        answerer.Plan(choice.pszButton);
        ASSERT_NE(sandbox.Start(), nullptr);
        ASSERT_EQ(answerer.Count(), 1);
        EXPECT_EQ(answerer.Seen()[0].substr(0, 20), "Welcome to Scrubix!|");
        EXPECT_EQ(sandbox.GetInt("Settings", "Move", -1), choice.nMove) << choice.pszButton;
        EXPECT_EQ(sandbox.GetInt("Settings", "RecycleRadio", -1), 0);
        EXPECT_EQ(sandbox.GetInt("Settings", "Newbie", -1), 0);
        EXPECT_EQ(sandbox.View().Document().Move, choice.nMove);
        EXPECT_EQ(TextOf(sandbox.View().ActionButton()),
                  choice.nMove == 0 ? "Move Files" : "Purge Files");
    }
}

TEST(Win32StartUpTest, OptionsOkWritesTheRunValueForEveryCombination)
{
    struct SRunCase
    {
        int32_t nRun, nVisible;
        const char* pszArguments;
    };
    const SRunCase cases[] = {
        {1, 1, " -A47F19C2D08B6E53"}, {1, 0, " -7QX2M9R4TJ6W1HN5"}, {0, 1, ""}, {0, 0, ""}};
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.SetString("Settings", "Path", "C:\\Program Files\\Scrubix");
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixDoc& doc = sandbox.View().Document();
    for (const SRunCase& c : cases)
    {
        // The settings as a user left them on the Run Options page (its
        // clicks are the sheet tests'); the real sheet, opened by the frame's
        // Options command, closed with OK.
        doc.Run = c.nRun;
        doc.Visible = c.nVisible;
        AnswerSheet([](HWND hSheet) { ClickItem(hSheet, IDOK); }, L"Options");
        sandbox.Frame().OnCommand(ID_OPTIONS);
        EXPECT_EQ(SheetAnswersMissed(), 0);
        const std::string strWanted =
            c.nRun != 0 ? doc.Path + "\\scrubix.exe" + c.pszArguments : std::string();
        EXPECT_EQ(ReadRunValue(), strWanted) << c.nRun << c.nVisible;
    }
}

TEST(Win32StartUpTest, ClosingDuringASearchStopsItAndThenEnds)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    for (int i = 0; i < 400; ++i)
        sandbox.Drive().MakeFile("C:\\deep\\f" + std::to_string(i) + "\\x.tmp", "x");
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    SendMessageW(view.SearchButton(), BM_CLICK, 0, 0);
    ASSERT_EQ(view.GetViewState(), ViewState::Searching);
    SendMessageW(sandbox.Frame().Window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(sandbox.Ended()); // the search is asked to stop first
    EXPECT_EQ(view.Document().StopFlag.load(), 1);
    EXPECT_TRUE(IsWindow(sandbox.Frame().Window()));
    ASSERT_TRUE(sandbox.WaitForEnd());
    EXPECT_GT(sandbox.GetInt("List", "col0", -1), 0); // the widths were saved on close
}

TEST(Win32StartUpTest, ClosingDuringAMoveWaitsForItsEnd)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Move", 0);
    sandbox.SetInt("Settings", "RecycleRadio", 1);
    sandbox.SetString("Settings", "MovePath", "C:\\Moved");
    sandbox.Drive().MakeFolder("C:\\Moved\\");
    sandbox.Drive().MakeFile("C:\\junk\\one.tmp", "1");
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    ASSERT_TRUE(SearchAndWait(sandbox));
    SendMessageW(view.ActionButton(), BM_CLICK, 0, 0);
    ASSERT_EQ(view.GetViewState(), ViewState::Disposing);
    PostMessageW(sandbox.Frame().Window(), WM_CLOSE, 0, 0);
    PumpFor(100, sandbox.App());
    EXPECT_FALSE(sandbox.Ended()); // a move is never cut short
    ASSERT_TRUE(sandbox.WaitForEnd());
    EXPECT_EQ(sandbox.Drive().ReadFile("C:\\Moved\\one.tmp"), "1");
    EXPECT_FALSE(sandbox.Drive().Exists("C:\\junk\\one.tmp"));
}
