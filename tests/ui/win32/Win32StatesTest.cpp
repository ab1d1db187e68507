// The state effects on the Win32 window's commands: the menu items, the
// toolbar buttons and the accelerators follow the view state and the Move
// setting alike, and a disabled command's key does nothing.
#include "Win32ViewProbe.h"
#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/Commands.h"

#include <gtest/gtest.h>

namespace
{
bool MenuEnabled(CMainFrame& frame, int nId)
{
    return (GetMenuState(GetMenu(frame.Window()), static_cast<UINT>(nId), MF_BYCOMMAND) &
            (MF_GRAYED | MF_DISABLED)) == 0;
}

bool ToolbarEnabled(CMainFrame& frame, int nId)
{
    return SendMessageW(frame.ToolBar(), TB_ISBUTTONENABLED, static_cast<WPARAM>(nId), 0) != 0;
}

// Every command as the menu and the toolbar show it in the present state.
void ExpectCommandsMatchState(CWin32AppSandbox& sandbox, ViewState state)
{
    CMainFrame& frame = sandbox.Frame();
    for (ECommand command : ALL_COMMANDS)
    {
        const int nId = static_cast<int>(CommandId(command));
        const bool bWanted = IsCommandEnabled(command, state, sandbox.View().Document().Move);
        EXPECT_EQ(MenuEnabled(frame, nId), bWanted) << nId << " in " << static_cast<int>(state);
        if (command != ECommand::Exit && command != ECommand::HelpTopics)
        {
            EXPECT_EQ(ToolbarEnabled(frame, nId), bWanted)
                << nId << " in " << static_cast<int>(state);
        }
    }
}
} // namespace

TEST(Win32StatesTest, CommandsFollowEveryStateInMenuToolbarAndKeys)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Move", 1);
    sandbox.SetInt("Settings", "WarnMe", 1);
    for (int i = 0; i < 300; ++i)
        sandbox.Drive().MakeFile("C:\\w\\d" + std::to_string(i) + "\\x.tmp", "x");
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    CModalAnswerer answerer;

    // Idle: Del (Purge) and Esc (Cancel) do nothing; F3 searches.
    ExpectCommandsMatchState(sandbox, ViewState::Idle);
    PressKey(sandbox, view.ResultsList(), VK_DELETE);
    PressKey(sandbox, view.ResultsList(), VK_ESCAPE);
    EXPECT_EQ(view.GetViewState(), ViewState::Idle);
    PressKey(sandbox, view.DriveBox(), VK_F3);
    EXPECT_EQ(view.GetViewState(), ViewState::Searching);
    ExpectCommandsMatchState(sandbox, ViewState::Searching);
    // F3 again while searching is not Stop: the command is off.
    PressKey(sandbox, view.DriveBox(), VK_F3);
    ASSERT_TRUE(
        PumpUntil([&] { return view.GetViewState() == ViewState::Results; }, 20000, sandbox.App()));
    EXPECT_EQ(RowCount(view), 300);

    // Results with Move 1: Purge on, Move off; Home asks nothing.
    ExpectCommandsMatchState(sandbox, ViewState::Results);
    PressKey(sandbox, view.SearchButton(), VK_HOME);
    PumpFor(200, sandbox.App());
    EXPECT_EQ(answerer.Count(), 0);
    EXPECT_EQ(view.GetViewState(), ViewState::Results);
    // Del purges: the warning comes; No leaves the rows.
    answerer.Plan("No");
    PressKey(sandbox, view.SearchButton(), VK_DELETE);
    ASSERT_TRUE(WaitForDisposalEnd(sandbox));
    EXPECT_EQ(answerer.Count(), 1);
    EXPECT_EQ(view.GetViewState(), ViewState::Results);
    // Esc cancels.
    PressKey(sandbox, view.SearchButton(), VK_ESCAPE);
    EXPECT_EQ(view.GetViewState(), ViewState::Idle);
    ExpectCommandsMatchState(sandbox, ViewState::Idle);
}

TEST(Win32StatesTest, DisposingTurnsEveryDisposalCommandOff)
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
    ExpectCommandsMatchState(sandbox, ViewState::Results);
    EXPECT_TRUE(ToolbarEnabled(sandbox.Frame(), ID_MOVE));
    SendMessageW(view.ActionButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(view.GetViewState(), ViewState::Disposing);
    ExpectCommandsMatchState(sandbox, ViewState::Disposing);
    EXPECT_FALSE(IsEnabled(view.ActionButton()));
    ASSERT_TRUE(WaitForDisposalEnd(sandbox));
    EXPECT_EQ(sandbox.Drive().ReadFile("C:\\Moved\\one.tmp"), "1");
}

TEST(Win32StatesTest, StatusBarShowsTheCommandPromptWhileAMenuItemIsSelected)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    ASSERT_NE(sandbox.Start(), nullptr);
    CMainFrame& frame = sandbox.Frame();
    const std::string strIdle = frame.StatusText(0);
    EXPECT_FALSE(strIdle.empty());
    SendMessageW(frame.Window(), WM_MENUSELECT, MAKEWPARAM(ID_SEARCH, MF_HILITE),
                 reinterpret_cast<LPARAM>(GetMenu(frame.Window())));
    EXPECT_NE(frame.StatusText(0), strIdle);
    EXPECT_FALSE(frame.StatusText(0).empty());
    SendMessageW(frame.Window(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(frame.StatusText(0), strIdle);
}
