// The results list's fourth column, Modified, in the Win32 window: its title,
// each file's modification time in the list's form, and sorting by the time
// from the header and from Ctrl+4.

#include "MessagePump.h"
#include "Win32ViewProbe.h"
#include "search/CCandidateTable.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
using Strings = std::vector<std::string>;

// The file, last changed nDays days ago.
void MakeAged(CWin32AppSandbox& sandbox, const std::string& strPath, int nDays)
{
    sandbox.Drive().MakeFile(strPath, "junk");
    std::filesystem::last_write_time(sandbox.Drive().HostPath(strPath),
                                     std::filesystem::file_time_type::clock::now() -
                                         std::chrono::hours(24 * nDays));
}

std::wstring ColumnTitle(CScrubixView& view, int nColumn)
{
    wchar_t szTitle[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = szTitle;
    column.cchTextMax = 64;
    SendMessageW(view.ResultsList(), LVM_GETCOLUMNW, static_cast<WPARAM>(nColumn),
                 reinterpret_cast<LPARAM>(&column));
    return szTitle;
}

Strings Paths(CScrubixView& view)
{
    Strings paths;
    for (int i = 0; i < RowCount(view); ++i)
        paths.push_back(Cell(view, i, 0));
    return paths;
}

// Ctrl and the key, through the program's loop (its accelerators).
void PressControl(CWin32AppSandbox& sandbox, HWND hWnd, UINT nKey)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE saved = keys[VK_CONTROL];
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PressKey(sandbox, hWnd, nKey);
    keys[VK_CONTROL] = saved;
    SetKeyboardState(keys);
}
} // namespace

TEST(Win32ModifiedColumnTest, ShowsEachFilesTimeAndSortsByIt)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    MakeAged(sandbox, "C:\\work\\month.tmp", 30);
    MakeAged(sandbox, "C:\\work\\year.bak", 365);
    MakeAged(sandbox, "C:\\work\\day.log", 1);
    MakeAged(sandbox, "C:\\work\\decade.chk", 3650);
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    EXPECT_EQ(ColumnTitle(view, 3), L"Modified");
    ASSERT_TRUE(SearchAndWait(sandbox));
    ASSERT_EQ(RowCount(view), 4);

    const Strings byTime{"C:\\work\\decade.chk", "C:\\work\\year.bak", "C:\\work\\month.tmp",
                         "C:\\work\\day.log"};
    view.SortByColumn(3); // what a click on its header does
    EXPECT_EQ(Paths(view), byTime);
    for (int i = 0; i < RowCount(view); ++i)
    {
        const SCandidateRow& row = view.Table().Rows()[static_cast<size_t>(i)];
        EXPECT_EQ(Cell(view, i, 3), CCandidateTable::ModifiedText(row.nModified)) << i;
        EXPECT_EQ(Cell(view, i, 3).size(), 16u) << Cell(view, i, 3);
    }
    view.SortByColumn(3); // again: the other way
    EXPECT_EQ(Paths(view), (Strings(byTime.rbegin(), byTime.rend())));

    view.SortByColumn(0);
    PressControl(sandbox, view.ResultsList(), '4');
    EXPECT_EQ(Paths(view), byTime);
}
