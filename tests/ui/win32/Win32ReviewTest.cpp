// Reviewing the results in the Windows window through its real controls and
// messages: sorting by a header click and by the keys, the bulk check
// commands with the checked counter, Space on a multi-selection, the row
// context menu (right click, the menu key, Shift+F10) and each of its
// commands, the exclusions stored as the Options pages store them, Export
// Results read back, the commands' availability in every state, and Tab
// through the form.
#include "Win32ViewProbe.h"
#include "platform/IShell.h"
#include "settings/CScrubixDoc.h"
#include "support/ExportReaders.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/ResultsMenuTemplate.h"
#include "ui/res/Templates.h"
#include "ui/win32/app/ResultsMenus.h"
#include "ui/win32/dialogs/WideText.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sstream>

namespace
{
// The shell seam: records what it is asked to open; the rest is the real one.
class CRecordingShell : public IShell
{
public:
    CRecordingShell(std::unique_ptr<IShell> pReal,
                    std::shared_ptr<std::vector<std::string>> pOpened)
        : m_pReal(std::move(pReal)), m_pOpened(std::move(pOpened))
    {
    }
    bool MoveToTrash(const std::string& strPath, const SFileIdentity& expected) override
    {
        return m_pReal->MoveToTrash(strPath, expected);
    }
    bool Open(const std::string& strTarget) override
    {
        m_pOpened->push_back(strTarget);
        return true;
    }
    std::string HostPath(const std::string& strPath) override { return m_pReal->HostPath(strPath); }

private:
    std::unique_ptr<IShell> m_pReal;
    std::shared_ptr<std::vector<std::string>> m_pOpened;
};

std::shared_ptr<std::vector<std::string>> RecordShellOpens(CWin32AppSandbox& sandbox)
{
    auto pOpened = std::make_shared<std::vector<std::string>>();
    sandbox.AdjustPlatform(
        [pOpened](SPlatform& platform) {
            platform.pShell =
                std::make_unique<CRecordingShell>(std::move(platform.pShell), pOpened);
        });
    return pOpened;
}

// The context menu as the frame hands it to the screen: its items (text,
// enabled) each time it opens, and the command the "user" then picks.
struct SMenuRecord
{
    std::vector<std::vector<std::pair<std::string, bool>>> shown;
    std::vector<POINT> points;
    int nPick = 0; // the command id to choose, 0: none
};

SFrameHooks RecordingHooks(const std::shared_ptr<SMenuRecord>& pMenus,
                           const std::shared_ptr<std::pair<std::string, EExportFormat>>& pExport)
{
    SFrameHooks hooks;
    hooks.trackContextMenu = [pMenus](HMENU hMenu, POINT at)
    {
        std::vector<std::pair<std::string, bool>> items;
        for (int i = 0; i < GetMenuItemCount(hMenu); ++i)
        {
            wchar_t szText[256] = {};
            GetMenuStringW(hMenu, static_cast<UINT>(i), szText, 256, MF_BYPOSITION);
            const UINT nState = GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION);
            const bool bSeparator = (nState & MF_SEPARATOR) != 0;
            items.emplace_back(bSeparator ? "-" : Utf8FromWide(szText),
                               !bSeparator && (nState & (MF_GRAYED | MF_DISABLED)) == 0);
        }
        pMenus->shown.push_back(items);
        pMenus->points.push_back(at);
        const int nPick = pMenus->nPick;
        pMenus->nPick = 0;
        return nPick;
    };
    hooks.chooseExportFile = [pExport](EExportFormat& format)
    {
        format = pExport->second;
        return pExport->first;
    };
    return hooks;
}

bool MenuEnabled(CMainFrame& frame, int nId)
{
    return (GetMenuState(GetMenu(frame.Window()), static_cast<UINT>(nId), MF_BYCOMMAND) &
            (MF_GRAYED | MF_DISABLED)) == 0;
}

std::vector<std::string> Column(CScrubixView& view, int nColumn)
{
    std::vector<std::string> cells;
    for (int i = 0; i < RowCount(view); ++i)
        cells.push_back(Cell(view, i, nColumn));
    return cells;
}

void SelectRows(CScrubixView& view, const std::vector<int>& rows, int nCurrent)
{
    HWND hList = view.ResultsList();
    SetFocus(hList);
    ListView_SetItemState(hList, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int nRow : rows)
        ListView_SetItemState(hList, nRow, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(hList, nCurrent, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
}

// A key with modifiers held, through the program's message loop (its
// accelerators included).
void PressKeys(CWin32AppSandbox& sandbox, HWND hWnd, UINT nKey, bool bControl, bool bShift)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    const BYTE saved[2] = {keys[VK_CONTROL], keys[VK_SHIFT]};
    keys[VK_CONTROL] = bControl ? 0x80 : 0;
    keys[VK_SHIFT] = bShift ? 0x80 : 0;
    SetKeyboardState(keys);
    PressKey(sandbox, hWnd, nKey);
    keys[VK_CONTROL] = saved[0];
    keys[VK_SHIFT] = saved[1];
    SetKeyboardState(keys);
}

void RunCommand(CMainFrame& frame, int nId)
{
    SendMessageW(frame.Window(), WM_COMMAND, MAKEWPARAM(nId, 0), 0);
}

void ClickHeader(CScrubixView& view, int nColumn)
{
    HWND hHeader = ListView_GetHeader(view.ResultsList());
    RECT item{};
    Header_GetItemRect(hHeader, nColumn, &item);
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    PostMessageW(hHeader, WM_LBUTTONUP, 0, at);
    SendMessageW(hHeader, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PumpFor(50);
}

int SortArrow(CScrubixView& view, int nColumn)
{
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    Header_GetItem(ListView_GetHeader(view.ResultsList()), nColumn, &item);
    return (item.fmt & HDF_SORTUP) != 0 ? 1 : (item.fmt & HDF_SORTDOWN) != 0 ? -1 : 0;
}

std::string ClipboardText()
{
    std::string strText;
    if (OpenClipboard(nullptr) == FALSE)
        return strText;
    if (HANDLE hData = GetClipboardData(CF_UNICODETEXT))
    {
        if (const auto* pszText = static_cast<const wchar_t*>(GlobalLock(hData)))
        {
            strText = Utf8FromWide(pszText);
            GlobalUnlock(hData);
        }
    }
    CloseClipboard();
    return strText;
}

// The four sizes of the size rule's edge cases, under C:\work.
void MakeSizedFiles(CWin32AppSandbox& sandbox)
{
    sandbox.Drive().MakeFile("C:\\work\\b.tmp", std::string(1000, 'b'));
    sandbox.Drive().MakeFile("C:\\work\\a.tmp", std::string(5000000, 'a'));
    sandbox.Drive().MakeFile("C:\\work\\d.bak", std::string(999, 'd'));
    sandbox.Drive().MakeFile("C:\\work\\c.log", std::string(1001, 'c'));
}

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// RFC 4180 records: quoted fields, doubled quotes, CRLF line ends.
std::vector<std::vector<std::string>> ReadCsv(const std::string& strText)
{
    std::vector<std::vector<std::string>> records{{}};
    std::string strField;
    bool bQuoted = false;
    for (size_t i = 0; i < strText.size(); ++i)
    {
        const char c = strText[i];
        if (bQuoted)
        {
            if (c == '"' && i + 1 < strText.size() && strText[i + 1] == '"')
                strField += '"', ++i;
            else if (c == '"')
                bQuoted = false;
            else
                strField += c;
        }
        else if (c == '"')
            bQuoted = true;
        else if (c == ',')
            records.back().push_back(strField), strField.clear();
        else if (c == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n')
        {
            records.back().push_back(strField), strField.clear();
            records.emplace_back();
            ++i;
        }
        else
            strField += c;
    }
    records.pop_back(); // after the last line end
    return records;
}
} // namespace

TEST(Win32ReviewTest, HeaderClicksAndKeysSortEachColumnBothWays)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    MakeSizedFiles(sandbox);
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    ASSERT_TRUE(SearchAndWait(sandbox));
    ASSERT_EQ(RowCount(view), 4);

    ClickHeader(view, 2);
    EXPECT_EQ(Column(view, 2), (std::vector<std::string>{"999", "1000", "1K", "5000K"}));
    EXPECT_EQ(SortArrow(view, 2), 1);
    ClickHeader(view, 2); // again: the other way
    EXPECT_EQ(Column(view, 2), (std::vector<std::string>{"5000K", "1K", "1000", "999"}));
    EXPECT_EQ(SortArrow(view, 2), -1);

    ClickHeader(view, 0);
    EXPECT_EQ(Column(view, 0), (std::vector<std::string>{"C:\\work\\a.tmp", "C:\\work\\b.tmp",
                                                         "C:\\work\\c.log", "C:\\work\\d.bak"}));
    EXPECT_EQ(SortArrow(view, 0), 1);
    EXPECT_EQ(SortArrow(view, 2), 0);
    // Ctrl+3 does what the header does; the current row stays current.
    SelectRows(view, {}, RowOf(view, "C:\\work\\b.tmp"));
    PressKeys(sandbox, view.ResultsList(), '3', true, false);
    EXPECT_EQ(Column(view, 2), (std::vector<std::string>{"999", "1000", "1K", "5000K"}));
    EXPECT_EQ(view.List().CurrentRow(), RowOf(view, "C:\\work\\b.tmp"));
    EXPECT_EQ(view.List().SelectedRows(), (std::vector<int>{view.List().CurrentRow()}));
    PressKeys(sandbox, view.ResultsList(), '3', true, false);
    EXPECT_EQ(Column(view, 2), (std::vector<std::string>{"5000K", "1K", "1000", "999"}));
    // The menu's Sort by Reason.
    RunCommand(sandbox.Frame(), ListCommandId(EListCommand::SortByColumn, 1));
    EXPECT_EQ(SortArrow(view, 1), 1);

    // A new search starts unsorted: no arrow, and no sorting while rows arrive.
    SendMessageW(view.CancelButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(SortArrow(view, 1), 0);
    SendMessageW(view.SearchButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(MenuEnabled(sandbox.Frame(), ListCommandId(EListCommand::SortByColumn, 2)));
    ASSERT_TRUE(
        PumpUntil([&] { return view.GetViewState() == ViewState::Results; }, 20000, sandbox.App()));
    EXPECT_TRUE(MenuEnabled(sandbox.Frame(), ListCommandId(EListCommand::SortByColumn, 2)));
}

TEST(Win32ReviewTest, BulkChecksSpaceOnASelectionAndTheCheckedCounter)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    MakeSizedFiles(sandbox);
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    CMainFrame& frame = sandbox.Frame();
    ASSERT_TRUE(SearchAndWait(sandbox));
    RunCommand(frame, ListCommandId(EListCommand::SortByColumn, 2)); // 999, 1000, 1001, 5000000
    EXPECT_EQ(frame.StatusText(1), "4 checked, 5003K bytes");

    PressKeys(sandbox, view.ResultsList(), 'U', true, true); // Uncheck All
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE(IsRowCheckedShown(view, i)) << i;
    EXPECT_EQ(frame.StatusText(1), "0 checked, 0K bytes");
    PressKeys(sandbox, view.SearchButton(), 'A', true, true); // Check All, from anywhere
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(IsRowCheckedShown(view, i)) << i;
    EXPECT_EQ(frame.StatusText(1), "4 checked, 5003K bytes");

    // Space on rows 0 and 2, row 0 current: both take row 0's opposite.
    SelectRows(view, {0, 2}, 0);
    PressKey(sandbox, view.ResultsList(), VK_SPACE);
    EXPECT_FALSE(IsRowCheckedShown(view, 0));
    EXPECT_TRUE(IsRowCheckedShown(view, 1));
    EXPECT_FALSE(IsRowCheckedShown(view, 2));
    EXPECT_TRUE(IsRowCheckedShown(view, 3));
    EXPECT_EQ(frame.StatusText(1), "2 checked, 5001K bytes"); // 1000 + 5000000
    // Rows 2 and 3 with the unchecked row 2 current: both checked.
    SelectRows(view, {2, 3}, 2);
    PressKey(sandbox, view.ResultsList(), VK_SPACE);
    EXPECT_TRUE(IsRowCheckedShown(view, 2));
    EXPECT_TRUE(IsRowCheckedShown(view, 3));
    EXPECT_FALSE(IsRowCheckedShown(view, 0));

    PressKeys(sandbox, view.ResultsList(), 'I', true, false); // Invert Checks
    EXPECT_TRUE(IsRowCheckedShown(view, 0));
    EXPECT_FALSE(IsRowCheckedShown(view, 1));
    EXPECT_FALSE(IsRowCheckedShown(view, 2));
    EXPECT_FALSE(IsRowCheckedShown(view, 3));
    EXPECT_EQ(frame.StatusText(1), "1 checked, 0K bytes"); // 999
    // The menu items do what the keys do.
    RunCommand(frame, ListCommandId(EListCommand::CheckAll));
    EXPECT_EQ(frame.StatusText(1), "4 checked, 5003K bytes");
    RunCommand(frame, ListCommandId(EListCommand::InvertChecks));
    EXPECT_EQ(frame.StatusText(1), "0 checked, 0K bytes");
    // One click on a box moves the counter too.
    ClickCheckBox(view, 3);
    PumpFor(50, sandbox.App());
    EXPECT_EQ(frame.StatusText(1), "1 checked, 5000K bytes");
}

TEST(Win32ReviewTest, ContextMenuOpensOnTheRowAndRunsEachRowCommand)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.Drive().MakeFile("C:\\work\\old\\a.tmp");
    sandbox.Drive().MakeFile("C:\\work\\old\\b.chk");
    sandbox.Drive().MakeFile("C:\\work\\c.tmp");
    sandbox.Drive().MakeFile("C:\\work\\c.bak");
    sandbox.Drive().MakeFile("C:\\other\\c.tmp");
    auto pOpened = RecordShellOpens(sandbox);
    auto pMenus = std::make_shared<SMenuRecord>();
    auto pExport = std::make_shared<std::pair<std::string, EExportFormat>>();
    ASSERT_NE(sandbox.Start("", RecordingHooks(pMenus, pExport)), nullptr);
    CScrubixView& view = sandbox.View();
    CMainFrame& frame = sandbox.Frame();
    HWND hList = view.ResultsList();
    ASSERT_TRUE(SearchAndWait(sandbox));
    RunCommand(frame, ListCommandId(EListCommand::SortByColumn, 0));
    ASSERT_EQ(RowCount(view), 5);

    // A right click on a row makes it current and opens the menu there.
    const int nRow = RowOf(view, "C:\\work\\c.tmp");
    RECT row{};
    row.left = LVIR_LABEL;
    SendMessageW(hList, LVM_GETITEMRECT, static_cast<WPARAM>(nRow), reinterpret_cast<LPARAM>(&row));
    const LPARAM at = MAKELPARAM(row.left + 20, (row.top + row.bottom) / 2);
    POINT expected{row.left + 20, (row.top + row.bottom) / 2};
    ClientToScreen(hList, &expected);
    SetCursorPos(expected.x, expected.y); // where a real click would be
    PostMessageW(hList, WM_RBUTTONUP, 0, at);
    SendMessageW(hList, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PumpFor(100, sandbox.App());
    ASSERT_EQ(pMenus->shown.size(), 1u);
    EXPECT_EQ(view.List().CurrentRow(), nRow);
    EXPECT_EQ(pMenus->points[0].x, expected.x);
    EXPECT_EQ(pMenus->points[0].y, expected.y);
    const std::vector<std::pair<std::string, bool>> wanted = {
        {"&Open File\tCtrl+O", true},
        {"Open Containing &Folder\tCtrl+Shift+O", true},
        {"Cop&y Path\tCtrl+C", true},
        {"-", false},
        {"&Toggle Selected\tSpace", true},
        {"Exclude this file &name", true},
        {"Exclude *.tmp", true},
        {"Filter this fol&der", true},
        {"-", false},
        {"&Check All\tCtrl+Shift+A", true},
        {"&Uncheck All\tCtrl+Shift+U", true},
        {"&Invert Checks\tCtrl+I", true},
    };
    EXPECT_EQ(pMenus->shown[0], wanted);
    // The Results menu names the row's extension too.
    EXPECT_EQ(frame.MenuItemText(ListCommandId(EListCommand::ExcludeExtension)), "Exclude *.tmp");

    // The menu key and Shift+F10 open it below the current row.
    PressKey(sandbox, hList, VK_APPS);
    PumpFor(50, sandbox.App());
    ASSERT_EQ(pMenus->shown.size(), 2u);
    SetFocus(hList);
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    MSG f10{hList, WM_SYSKEYDOWN, VK_F10, 1, 0, {}};
    sandbox.App()->DispatchOne(f10);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    PumpFor(50, sandbox.App());
    ASSERT_EQ(pMenus->shown.size(), 3u);
    POINT below{row.left + 4, row.bottom};
    ClientToScreen(hList, &below);
    EXPECT_EQ(pMenus->points[2].y, below.y);

    // Each command picked from the menu.
    const auto pick = [&](EListCommand command)
    {
        pMenus->nPick = ListCommandId(command);
        SendMessageW(hList, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hList), MAKELPARAM(-1, -1));
        PumpFor(20, sandbox.App());
    };
    pick(EListCommand::OpenFile);
    pick(EListCommand::OpenFolder);
    EXPECT_EQ(*pOpened, (std::vector<std::string>{"C:\\work\\c.tmp", "C:\\work"}));
    pick(EListCommand::CopyPath);
    EXPECT_EQ(ClipboardText(), "C:\\work\\c.tmp");
    // Ctrl+C copies it as well.
    OpenClipboard(nullptr);
    EmptyClipboard();
    CloseClipboard();
    PressKeys(sandbox, hList, 'C', true, false);
    EXPECT_EQ(ClipboardText(), "C:\\work\\c.tmp");

    // Exclude this file name: stored, and both c.tmp rows unchecked at once.
    CScrubixDoc& doc = view.Document();
    pick(EListCommand::ExcludeName);
    EXPECT_EQ(std::count(doc.Lists[LIST_EXCLUDE].begin(), doc.Lists[LIST_EXCLUDE].end(), "c.tmp"),
              1);
    const auto stored = [&](const char* pszSection, const std::vector<std::string>& list)
    { return sandbox.GetString(pszSection, pszSection + std::to_string(list.size() - 1)); };
    EXPECT_EQ(stored("Exclude", doc.Lists[LIST_EXCLUDE]), "c.tmp");
    EXPECT_FALSE(IsRowCheckedShown(view, RowOf(view, "C:\\work\\c.tmp")));
    EXPECT_FALSE(IsRowCheckedShown(view, RowOf(view, "C:\\other\\c.tmp")));
    EXPECT_TRUE(IsRowCheckedShown(view, RowOf(view, "C:\\work\\old\\a.tmp")));
    EXPECT_TRUE(IsRowCheckedShown(view, RowOf(view, "C:\\work\\c.bak")));
    EXPECT_EQ(frame.StatusText(1), "3 checked, 0K bytes");

    // Exclude *.tmp: a.tmp goes too.
    pick(EListCommand::ExcludeExtension);
    EXPECT_EQ(stored("Exclude", doc.Lists[LIST_EXCLUDE]), "*.tmp");
    EXPECT_FALSE(IsRowCheckedShown(view, RowOf(view, "C:\\work\\old\\a.tmp")));
    EXPECT_TRUE(IsRowCheckedShown(view, RowOf(view, "C:\\work\\old\\b.chk")));

    // Filter this folder: b.chk, under C:\work\old.
    SelectRows(view, {}, RowOf(view, "C:\\work\\old\\b.chk"));
    pick(EListCommand::FilterFolder);
    EXPECT_EQ(stored("Filter", doc.Lists[LIST_FILTER]), "C:\\work\\old");
    EXPECT_FALSE(IsRowCheckedShown(view, RowOf(view, "C:\\work\\old\\b.chk")));
    EXPECT_TRUE(IsRowCheckedShown(view, RowOf(view, "C:\\work\\c.bak")));

    // The next search honours the new entries; a root-level file's folder is
    // the drive root, refused as the Filters page refuses it.
    SendMessageW(view.CancelButton(), BM_CLICK, 0, 0);
    sandbox.Drive().MakeFile("C:\\root.bak");
    ASSERT_TRUE(SearchAndWait(sandbox));
    std::vector<std::string> paths = Column(view, 0);
    std::sort(paths.begin(), paths.end());
    EXPECT_EQ(paths, (std::vector<std::string>{"C:\\root.bak", "C:\\work\\c.bak"}));
    const auto filters = doc.Lists[LIST_FILTER];
    CModalAnswerer answerer;
    SelectRows(view, {}, RowOf(view, "C:\\root.bak"));
    pick(EListCommand::FilterFolder);
    ASSERT_TRUE(PumpUntil([&] { return answerer.Count() == 1; }, 5000, sandbox.App()));
    EXPECT_EQ(doc.Lists[LIST_FILTER], filters);
    EXPECT_TRUE(IsRowCheckedShown(view, RowOf(view, "C:\\root.bak")));
}

TEST(Win32ReviewTest, ExportWritesTheRowsAsShownInEitherForm)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    MakeSizedFiles(sandbox);
    // A comma makes the field quoted (a Windows name holds no double quote).
    sandbox.Drive().MakeFile("C:\\work\\with,comma 'q'.tmp");
    auto pMenus = std::make_shared<SMenuRecord>();
    auto pExport = std::make_shared<std::pair<std::string, EExportFormat>>();
    ASSERT_NE(sandbox.Start("", RecordingHooks(pMenus, pExport)), nullptr);
    CScrubixView& view = sandbox.View();
    CMainFrame& frame = sandbox.Frame();
    ASSERT_TRUE(SearchAndWait(sandbox));
    RunCommand(frame, ListCommandId(EListCommand::SortByColumn, 2));
    view.List().SetRowChecked(0, false);
    const CCandidateTable& table = view.Table();
    const std::filesystem::path csv = sandbox.Drive().Outside() / "rows.csv";
    const std::filesystem::path json = sandbox.Drive().Outside() / "rows.json";

    // File's Export Results (Ctrl+E), as the save dialog would answer.
    *pExport = {csv.string(), EExportFormat::Csv};
    PressKeys(sandbox, view.ResultsList(), 'E', true, false);
    *pExport = {json.string(), EExportFormat::Json};
    RunCommand(frame, ListCommandId(EListCommand::ExportResults));

    const std::vector<std::vector<std::string>> records = ReadCsv(ReadFile(csv));
    ASSERT_EQ(records.size(), static_cast<size_t>(table.GetRowCount()) + 1);
    EXPECT_EQ(records[0],
              (std::vector<std::string>{"Path", "Reason", "Size", "Checked", "Modified"}));
    std::vector<std::map<std::string, std::string>> objects;
    ASSERT_TRUE(ReadJsonRecords(ReadFile(json), objects));
    ASSERT_EQ(objects.size(), static_cast<size_t>(table.GetRowCount()));
    for (int i = 0; i < table.GetRowCount(); ++i)
    {
        const SCandidateRow& row = table.Rows()[static_cast<size_t>(i)];
        const std::string strSize = std::to_string(static_cast<long long>(row.dSize));
        const std::string strChecked = IsRowCheckedShown(view, i) ? "true" : "false";
        EXPECT_EQ(records[static_cast<size_t>(i) + 1],
                  (std::vector<std::string>{Cell(view, i, 0), Cell(view, i, 1), strSize, strChecked,
                                            Cell(view, i, 3)}));
        EXPECT_EQ(objects[static_cast<size_t>(i)]["modified"], Cell(view, i, 3));
        EXPECT_EQ(ExactJsonPath(objects[static_cast<size_t>(i)]), Cell(view, i, 0));
        EXPECT_EQ(objects[static_cast<size_t>(i)]["reason"], Cell(view, i, 1));
        EXPECT_EQ(objects[static_cast<size_t>(i)]["size"], strSize);
        EXPECT_EQ(objects[static_cast<size_t>(i)]["checked"], strChecked);
    }
    // The smallest row first, unchecked, the comma inside one field.
    EXPECT_EQ(records[1], (std::vector<std::string>{"C:\\work\\with,comma 'q'.tmp", "Extension",
                                                    "1", "false", Cell(view, 0, 3)}));

    // A file that cannot be written is named; no half file is left.
    CModalAnswerer answerer;
    *pExport = {(sandbox.Drive().Outside() / "missing" / "rows.csv").string(), EExportFormat::Csv};
    RunCommand(frame, ListCommandId(EListCommand::ExportResults));
    ASSERT_TRUE(PumpUntil([&] { return answerer.Count() == 1; }, 5000, sandbox.App()));
    EXPECT_NE(answerer.Seen()[0].find("Cannot write " + pExport->first), std::string::npos)
        << answerer.Seen()[0];
}

TEST(Win32ReviewTest, ListCommandsFollowEveryState)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Move", 1);
    sandbox.SetInt("Settings", "WarnMe", 1);
    sandbox.Drive().MakeFile("C:\\work\\a.tmp");
    sandbox.Drive().MakeFile("C:\\work\\noext");
    sandbox.SetString("Exten", "Exten0", "*");
    auto pMenus = std::make_shared<SMenuRecord>();
    auto pExport = std::make_shared<std::pair<std::string, EExportFormat>>();
    ASSERT_NE(sandbox.Start("", RecordingHooks(pMenus, pExport)), nullptr);
    CScrubixView& view = sandbox.View();
    CMainFrame& frame = sandbox.Frame();
    CScrubixDoc& doc = view.Document();

    // The menu, the context menu and the rule agree in the state as it is.
    const auto expectState = [&](const char* pszWhere)
    {
        const SListCommandContext context = view.ListCommandContext();
        std::map<int, bool> contextMenu;
        for (const SContextMenuItem& item : frame.ListContextMenu())
            contextMenu[item.nCommandId] = item.bEnabled;
        for (const EListCommand command : ALL_LIST_COMMANDS)
        {
            const int nId = ListCommandId(command, 0);
            if (command == EListCommand::CopyHostPath)
                continue; // not offered on Windows
            const bool bWanted = IsListCommandEnabled(command, context);
            EXPECT_EQ(MenuEnabled(frame, nId), bWanted) << pszWhere << " " << nId;
            if (contextMenu.count(nId) != 0)
            {
                EXPECT_EQ(contextMenu[nId], bWanted) << pszWhere << " " << nId;
            }
        }
    };
    const auto anyOn = [&]
    {
        for (const EListCommand command : ALL_LIST_COMMANDS)
            if (MenuEnabled(frame, ListCommandId(command)))
                return true;
        return false;
    };

    // Idle: nothing; a key of a disabled command does nothing.
    expectState("idle");
    EXPECT_FALSE(anyOn());
    RunCommand(frame, ListCommandId(EListCommand::UncheckAll));
    EXPECT_EQ(frame.StatusText(1), "0 checked, 0K bytes");

    // Searching with rows arriving (the searching thread's hand-over, done
    // here): the row commands with a current row, nothing of the whole list.
    doc.SearchRoot = "C:";
    view.SetViewState(ViewState::Searching);
    for (const char* pszPath : {"C:\\work\\a.tmp", "C:\\work\\noext"})
    {
        ASSERT_TRUE(PumpUntil([&] { return doc.CandidateAck.load() != 0; }, 5000, sandbox.App()));
        doc.CandidateAck.store(0);
        doc.CandidatePath = pszPath;
        doc.CandidateSize = 1;
        doc.CandidateReason = REASON_EXTENSION;
        PostMessageW(frame.Window(), WM_ADD_CANDIDATE, 0, 0);
    }
    ASSERT_TRUE(PumpUntil([&] { return view.List().ShownRowCount() == 2; }, 5000, sandbox.App()));
    expectState("searching, no current row");
    SelectRows(view, {}, 0);
    expectState("searching, a current row");
    EXPECT_TRUE(MenuEnabled(frame, ListCommandId(EListCommand::OpenFile)));
    EXPECT_FALSE(MenuEnabled(frame, ListCommandId(EListCommand::CheckAll)));
    EXPECT_FALSE(MenuEnabled(frame, ListCommandId(EListCommand::ExcludeName)));
    EXPECT_FALSE(MenuEnabled(frame, ListCommandId(EListCommand::ExportResults)));
    RunCommand(frame, ListCommandId(EListCommand::UncheckAll)); // off: nothing
    EXPECT_TRUE(IsRowCheckedShown(view, 0));

    PostMessageW(frame.Window(), WM_SEARCH_DONE, 0, 0);
    ASSERT_TRUE(
        PumpUntil([&] { return view.GetViewState() == ViewState::Results; }, 5000, sandbox.App()));
    expectState("results");
    EXPECT_TRUE(MenuEnabled(frame, ListCommandId(EListCommand::ExcludeExtension)));
    // A row without an extension has no Exclude *.ext.
    SelectRows(view, {}, RowOf(view, "C:\\work\\noext"));
    expectState("results, no extension");
    EXPECT_FALSE(MenuEnabled(frame, ListCommandId(EListCommand::ExcludeExtension)));
    EXPECT_EQ(frame.MenuItemText(ListCommandId(EListCommand::ExcludeExtension)),
              EXCLUDE_EXTENSION_TEXT);

    // Disposing (the purge warning up): nothing at all.
    CModalAnswerer answerer;
    bool bChecked = false;
    answerer.BeforeAnswer(
        [&]
        {
            EXPECT_EQ(view.GetViewState(), ViewState::Disposing);
            expectState("disposing");
            EXPECT_FALSE(anyOn());
            bChecked = true;
        });
    answerer.Plan("No");
    PressKey(sandbox, view.SearchButton(), VK_DELETE);
    ASSERT_TRUE(WaitForDisposalEnd(sandbox));
    EXPECT_TRUE(bChecked);
    expectState("results again");
}

TEST(Win32ReviewTest, TabFromTheDriveBoxReachesEveryControlInTemplateOrder)
{
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.Drive().MakeFile("C:\\work\\a.tmp");
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    // Tab from the drive box round the form: every control with a tab stop
    // that the state shows and enables, in template order, then the drive
    // box again.
    const auto expectTabOrder = [&](const char* pszState)
    {
        std::vector<int> wanted;
        for (const SControlTemplate& control : GetFormTemplate().controls)
        {
            HWND hControl = view.Control(control.nId);
            if ((control.nStyle & STYLE_TABSTOP) != 0 && IsWindowVisible(hControl) &&
                IsWindowEnabled(hControl))
                wanted.push_back(control.nId);
        }
        ASSERT_GE(wanted.size(), 3u) << pszState;
        ASSERT_EQ(wanted.front(), IDC_DRIVE_BOX) << pszState;
        ASSERT_EQ(wanted.back(), IDC_RESULTS_LIST) << pszState;
        SetFocus(view.DriveBox());
        std::vector<int> reached{GetDlgCtrlID(GetFocus())};
        for (size_t i = 0; i < wanted.size(); ++i)
        {
            PressKey(sandbox, GetFocus(), VK_TAB);
            reached.push_back(GetDlgCtrlID(GetFocus()));
        }
        wanted.push_back(IDC_DRIVE_BOX); // round again
        EXPECT_EQ(reached, wanted) << pszState;
    };
    expectTabOrder("idle");
    ASSERT_TRUE(SearchAndWait(sandbox));
    ASSERT_TRUE(IsWindowVisible(view.ActionButton()) && IsWindowVisible(view.CancelButton()));
    expectTabOrder("results");
}
