// The native main window on a sandbox drive, driven by window messages: a
// search lists the candidates with their counters, rows can be unchecked, a
// purge asks first (No keeps everything, Yes deletes the checked rows only),
// a move puts the checked files into the chosen folder with the progress
// dialog up, and Cancel leaves every file alone.
#include "Win32ViewProbe.h"
#include "ui/res/ResourceIds.h"
#include "ui/win32/dialogs/CProgressDialog.h"

#include <gtest/gtest.h>

TEST(Win32CycleTest, IdleShowsOnlySearchAndZeroCounters)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    EXPECT_EQ(view.GetViewState(), ViewState::Idle);
    EXPECT_TRUE(IsEnabled(view.SearchButton()));
    EXPECT_EQ(TextOf(view.SearchButton()), "Search");
    EXPECT_FALSE(IsShown(view.ActionButton()));
    EXPECT_FALSE(IsShown(view.CancelButton()));
    for (int nId : {IDC_EXTEN_COUNT, IDC_ZERO_COUNT, IDC_DIRECTED_COUNT, IDC_TOTAL_SIZE})
        EXPECT_EQ(LabelText(view, nId), "0") << nId;
    for (int nId :
         {IDC_CANDIDATE_FILE, IDC_SEARCH_PATH, IDC_CANDIDATE_FILE_CAPTION, IDC_SEARCH_PATH_CAPTION})
        EXPECT_FALSE(IsShown(view.Control(nId))) << nId;
    EXPECT_EQ(TextOf(sandbox.Frame().Window()), "Scrubix");
    EXPECT_EQ(TextOf(view.DriveBox()).substr(0, 5), "[-c-]");
    EXPECT_TRUE(IsWindowVisible(sandbox.Frame().Window()));
}

TEST(Win32CycleTest, SearchListsRowsWithCountersAndCancelKeepsTheFiles)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.Drive().MakeFile("C:\\work\\a.tmp", std::string(999, 'a'));
    sandbox.Drive().MakeFile("C:\\work\\b.bak", std::string(1000, 'b'));
    sandbox.Drive().MakeFile("C:\\work\\c.log", std::string(1001, 'c'));
    sandbox.Drive().MakeFile("C:\\work\\keep.txt", "keep");
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    ASSERT_TRUE(SearchAndWait(sandbox));
    ASSERT_EQ(view.GetViewState(), ViewState::Results);
    ASSERT_EQ(RowCount(view), 3);
    EXPECT_EQ(Cell(view, RowOf(view, "C:\\work\\a.tmp"), 2), "999");
    EXPECT_EQ(Cell(view, RowOf(view, "C:\\work\\b.bak"), 2), "1000");
    EXPECT_EQ(Cell(view, RowOf(view, "C:\\work\\c.log"), 2), "1K");
    EXPECT_EQ(Cell(view, RowOf(view, "C:\\work\\c.log"), 1), "Extension");
    EXPECT_EQ(RowOf(view, "C:\\work\\keep.txt"), -1);
    EXPECT_EQ(LabelText(view, IDC_EXTEN_COUNT), "3");
    EXPECT_EQ(LabelText(view, IDC_TOTAL_SIZE), "3K bytes");
    EXPECT_EQ(LabelText(view, IDC_ZERO_COUNT), "0");
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(IsRowCheckedShown(view, i)) << i;
    EXPECT_EQ(sandbox.Frame().StatusText(1), "3 checked, 3K bytes");
    // Results: Action and Cancel up, Search disabled, progress lines hidden.
    EXPECT_TRUE(IsShown(view.ActionButton()) && IsEnabled(view.ActionButton()));
    EXPECT_TRUE(IsShown(view.CancelButton()) && IsEnabled(view.CancelButton()));
    EXPECT_EQ(TextOf(view.ActionButton()), "Move Files");
    EXPECT_FALSE(IsEnabled(view.SearchButton()));
    EXPECT_FALSE(IsShown(view.Control(IDC_CANDIDATE_FILE)));
    EXPECT_FALSE(IsShown(view.Control(IDC_SEARCH_PATH)));
    EXPECT_EQ(TextOf(sandbox.Frame().Window()), "Scrubix - C:");
    EXPECT_EQ(sandbox.GetString("Settings", "Drive"), "C:");

    // A click on a check box and Space on a row uncheck them; the pane follows.
    ClickCheckBox(view, RowOf(view, "C:\\work\\a.tmp"));
    EXPECT_FALSE(IsRowCheckedShown(view, RowOf(view, "C:\\work\\a.tmp")));
    ToggleRowWithSpace(view, RowOf(view, "C:\\work\\b.bak"));
    EXPECT_FALSE(IsRowCheckedShown(view, RowOf(view, "C:\\work\\b.bak")));
    EXPECT_TRUE(IsRowCheckedShown(view, RowOf(view, "C:\\work\\c.log")));
    EXPECT_EQ(sandbox.Frame().StatusText(1), "1 checked, 1K bytes");

    // Cancel: back to Idle, every file where it was, the title kept.
    SendMessageW(view.CancelButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(view.GetViewState(), ViewState::Idle);
    EXPECT_EQ(RowCount(view), 0);
    EXPECT_EQ(LabelText(view, IDC_EXTEN_COUNT), "0");
    EXPECT_EQ(TextOf(sandbox.Frame().Window()), "Scrubix - C:");
    for (const char* pszPath : {"C:\\work\\a.tmp", "C:\\work\\b.bak", "C:\\work\\c.log"})
        EXPECT_TRUE(sandbox.Drive().Exists(pszPath)) << pszPath;
}

TEST(Win32CycleTest, PurgeAsksFirstNoKeepsEverythingYesDeletesTheCheckedRows)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Move", 1);
    sandbox.Drive().MakeFile("C:\\junk\\one.tmp", "1");
    sandbox.Drive().MakeFile("C:\\junk\\two.tmp", "2");
    sandbox.Drive().MakeFile("C:\\junk\\three.tmp", "3");
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    CModalAnswerer answerer;
    ASSERT_TRUE(SearchAndWait(sandbox));
    ASSERT_EQ(RowCount(view), 3);
    EXPECT_EQ(TextOf(view.ActionButton()), "Purge Files");
    ToggleRowWithSpace(view, RowOf(view, "C:\\junk\\two.tmp"));

    answerer.Plan("No");
    SendMessageW(view.ActionButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitForDisposalEnd(sandbox));
    ASSERT_EQ(answerer.Count(), 1);
    EXPECT_EQ(answerer.Seen()[0].substr(0, 15), "Purge Warning!|");
    EXPECT_EQ(view.GetViewState(), ViewState::Results);
    EXPECT_EQ(RowCount(view), 3);
    EXPECT_TRUE(sandbox.Drive().Exists("C:\\junk\\one.tmp"));

    answerer.Plan("Yes");
    SendMessageW(view.ActionButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitForDisposalEnd(sandbox));
    EXPECT_EQ(answerer.Count(), 2);
    EXPECT_EQ(view.GetViewState(), ViewState::Idle);
    EXPECT_EQ(RowCount(view), 0);
    EXPECT_FALSE(sandbox.Drive().Exists("C:\\junk\\one.tmp"));
    EXPECT_FALSE(sandbox.Drive().Exists("C:\\junk\\three.tmp"));
    EXPECT_TRUE(sandbox.Drive().Exists("C:\\junk\\two.tmp"));
}

TEST(Win32CycleTest, MoveShowsProgressAndPutsCheckedFilesInTheFolder)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Move", 0);
    sandbox.SetInt("Settings", "RecycleRadio", 1);
    sandbox.SetString("Settings", "MovePath", "C:\\Moved");
    sandbox.Drive().MakeFolder("C:\\Moved\\");
    sandbox.Drive().MakeFile("C:\\junk\\one.tmp", "1");
    sandbox.Drive().MakeFile("C:\\junk\\two.tmp", "2");
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    ASSERT_TRUE(SearchAndWait(sandbox));
    ASSERT_EQ(RowCount(view), 2);
    ToggleRowWithSpace(view, RowOf(view, "C:\\junk\\two.tmp"));

    bool bSawProgress = false;
    int nPosition = -1;
    int nMaximum = -1;
    SendMessageW(view.ActionButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil(
        [&]
        {
            if (CProgressDialog* pProgress = sandbox.Frame().ProgressDialog())
            {
                bSawProgress = bSawProgress || IsWindowVisible(pProgress->Window());
                nPosition = pProgress->Position();
                nMaximum = pProgress->Maximum();
            }
            return view.GetViewState() != ViewState::Disposing;
        },
        20000, sandbox.App()));

    // The bar spans every row listed; the one checked row moved one step.
    EXPECT_TRUE(bSawProgress);
    EXPECT_EQ(nMaximum, 2);
    EXPECT_EQ(nPosition, 1);
    EXPECT_EQ(sandbox.Frame().ProgressDialog(), nullptr);
    EXPECT_EQ(view.GetViewState(), ViewState::Idle);
    EXPECT_FALSE(sandbox.Drive().Exists("C:\\junk\\one.tmp"));
    EXPECT_EQ(sandbox.Drive().ReadFile("C:\\Moved\\one.tmp"), "1");
    EXPECT_TRUE(sandbox.Drive().Exists("C:\\junk\\two.tmp"));
    EXPECT_FALSE(sandbox.Drive().Exists("C:\\Moved\\two.tmp"));
}

TEST(Win32CycleTest, AnEmptySearchSaysNoCandidatesFoundAndStaysIdle)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.Drive().MakeFile("C:\\work\\keep.txt", "keep");
    ASSERT_NE(sandbox.Start(), nullptr);
    CModalAnswerer answerer;
    ASSERT_TRUE(SearchAndWait(sandbox));
    ASSERT_TRUE(PumpUntil([&] { return answerer.Count() == 1; }, 5000, sandbox.App()));
    EXPECT_EQ(answerer.Seen()[0], "Scrubix|No candidates found.\n");
    EXPECT_EQ(sandbox.View().GetViewState(), ViewState::Idle);
    EXPECT_TRUE(IsEnabled(sandbox.View().SearchButton()));
}

TEST(Win32CycleTest, StopSearchEndsTheSearchWithWhatWasFound)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    for (int i = 0; i < 400; ++i)
        sandbox.Drive().MakeFile("C:\\deep\\f" + std::to_string(i) + "\\x.tmp", "x");
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    CModalAnswerer answerer;
    SendMessageW(view.SearchButton(), BM_CLICK, 0, 0);
    // The start timer turns Search into Stop Search once the thread runs.
    ASSERT_TRUE(PumpUntil([&] { return view.IsSearchRunning(); }, 5000, sandbox.App()));
    EXPECT_EQ(TextOf(view.SearchButton()), "Stop Search");
    EXPECT_TRUE(IsEnabled(view.SearchButton()));
    SendMessageW(view.SearchButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !view.IsSearchRunning(); }, 20000, sandbox.App()));
    EXPECT_NE(view.GetViewState(), ViewState::Searching);
    EXPECT_EQ(TextOf(view.SearchButton()), "Search");
    EXPECT_LT(RowCount(view), 400);
}
