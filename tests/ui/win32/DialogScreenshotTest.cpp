// Not tests: the dialogs held open for scripts/screenshots-windows, which
// photographs each and answers it. Run only with
// --gtest_also_run_disabled_tests --gtest_filter='DialogScreenshot.*'.

#include "MessagePump.h"
#include "Win32ViewProbe.h"
#include "platform/IShell.h"
#include "ui/win32/dialogs/CProgressDialog.h"
#include "ui/win32/dialogs/CPurgeWarningDialog.h"
#include "ui/win32/dialogs/CWelcomeDialog.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <windows.h>

namespace
{
class CNoShell : public IShell
{
public:
    bool MoveToTrash(const std::string&, const SFileIdentity&) override { return false; }
    bool Open(const std::string&) override { return false; }
};

// How long a dialog waits for the script before it gives up.
constexpr DWORD HOLD_MS = 20000;

void CALLBACK GiveUp(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    KillTimer(nullptr, nTimer);
    PostMessageW(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
}

// Leaves "<name>.ready" in strFolder and runs the program's messages (its
// search goes on meanwhile) until the script has taken the picture and
// removed the marker, or the time is up.
void HoldForShot(const std::string& strFolder, const char* pszName, CWin32AppSandbox& sandbox)
{
    const std::string strMarker = strFolder + "\\" + pszName + ".ready";
    std::ofstream(strMarker).put('\n');
    const DWORD nEnd = GetTickCount() + HOLD_MS;
    while (GetFileAttributesA(strMarker.c_str()) != INVALID_FILE_ATTRIBUTES &&
           static_cast<LONG>(GetTickCount() - nEnd) < 0)
        PumpFor(50, sandbox.App());
}

} // namespace

TEST(DialogScreenshot, DISABLED_Welcome)
{
    CNoShell shell;
    CWelcomeDialog welcome(shell, "help.html");
    SetTimer(nullptr, 0, HOLD_MS, GiveUp);
    welcome.DoModal(nullptr);
}

TEST(DialogScreenshot, DISABLED_PurgeWarning)
{
    bool bDontShow = false;
    SetTimer(nullptr, 0, HOLD_MS, GiveUp);
    CPurgeWarningDialog::Confirm(nullptr, bDontShow);
}

TEST(DialogScreenshot, DISABLED_Progress)
{
    // A hidden owner, as the frame may be: the window shows centred on the screen.
    HWND hOwner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    {
        CProgressDialog progress(hOwner);
        progress.m_nTotal = 120;
        progress.Create();
        for (int i = 0; i < 47; ++i)
            progress.Step("C:\\Documents and Settings\\Pat\\Local Settings\\Application Data\\"
                          "Old Projects\\Quarterly Reports\\2024 drafts\\report-" +
                          std::to_string(i) + ".bak");
        // Esc and the close box do nothing: the window stays until the time is up.
        PumpMessagesFor(HOLD_MS / 4);
    }
    DestroyWindow(hOwner);
}

TEST(DialogScreenshot, DISABLED_MainContextMenu)
{
    if (std::getenv("SCRUBIX_SHOT_DIR") == nullptr)
        GTEST_SKIP() << "SCRUBIX_SHOT_DIR is not set";
    // A copy: the sandbox changes the environment, which may move its strings.
    const std::string strFolder = std::getenv("SCRUBIX_SHOT_DIR");
    CWin32AppSandbox sandbox;
    sandbox.SkipFirstRun();
    sandbox.SetInt("Settings", "Zero", 1);
    sandbox.Drive().MakeFile("C:\\Temp\\session.tmp", "scratch data");
    sandbox.Drive().MakeFile("C:\\Projects\\report.bak", "last week's report");
    sandbox.Drive().MakeFile("C:\\Projects\\old\\build.log", "compiler output");
    sandbox.Drive().MakeFile("C:\\Projects\\old\\core.chk", "recovered clusters");
    sandbox.Drive().MakeFile("C:\\Projects\\empty.txt", "");
    sandbox.Drive().MakeFile("C:\\Projects\\notes.txt", "keep me");
    // Column widths as a user who made room for all four columns left them.
    for (const auto& [pName, nWidth] : {std::pair{"col0", 250}, std::pair{"col1", 80},
                                        std::pair{"col2", 50}, std::pair{"col3", 110}})
        sandbox.SetInt("List", pName, nWidth);
    // Files of several ages, for the Modified column.
    for (const auto& [pPath, nDays] : {std::pair{"C:\\Projects\\old\\core.chk", 650},
                                       std::pair{"C:\\Projects\\old\\build.log", 190},
                                       std::pair{"C:\\Projects\\report.bak", 19}})
        std::filesystem::last_write_time(sandbox.Drive().HostPath(pPath),
                                         std::filesystem::file_time_type::clock::now() -
                                             std::chrono::hours(24 * nDays));
    // Enough folders for the search to be seen under way.
    for (int i = 0; i < 3000; ++i)
        sandbox.Drive().MakeFile("C:\\Archive\\Year " + std::to_string(i) + "\\readme.txt", "x");
    ASSERT_NE(sandbox.Start(), nullptr);
    CScrubixView& view = sandbox.View();
    ShowWindow(sandbox.Frame().Window(), SW_SHOW);
    SetForegroundWindow(sandbox.Frame().Window());
    HoldForShot(strFolder, "main-idle", sandbox);
    SendMessageW(view.SearchButton(), BM_CLICK, 0, 0);
    PumpFor(1500, sandbox.App());
    HoldForShot(strFolder, "main-searching", sandbox);
    ASSERT_TRUE(PumpUntil([&] { return view.GetViewState() == ViewState::Results; }, 120000,
                          sandbox.App()));
    HoldForShot(strFolder, "main-results", sandbox);
    // The Modified column, oldest change first.
    view.SortByColumn(3);
    PumpFor(300, sandbox.App());
    HoldForShot(strFolder, "results-modified", sandbox);
    const int nRow = RowOf(view, "C:\\Projects\\report.bak");
    ASSERT_GE(nRow, 0);
    HWND hList = view.ResultsList();
    SetForegroundWindow(sandbox.Frame().Window());
    SetFocus(hList);
    ListView_SetItemState(hList, nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    PumpFor(500, sandbox.App());
    // The menu's hold, from a thread of its own (the menu's loop is busy):
    // once the menu is up it leaves "main-context-menu.ready" in
    // SCRUBIX_SHOT_DIR, and it closes the menu when the script has removed it
    // (or the time is up).
    const std::string strMarker = strFolder + "\\main-context-menu.ready";
    HWND hFrame = sandbox.Frame().Window();
    bool bMarked = false;
    std::thread hold(
        [&]
        {
            Sleep(700);
            std::ofstream(strMarker).put('\n');
            bMarked = GetFileAttributesA(strMarker.c_str()) != INVALID_FILE_ATTRIBUTES;
            const DWORD nEnd = GetTickCount() + HOLD_MS;
            while (GetFileAttributesA(strMarker.c_str()) != INVALID_FILE_ATTRIBUTES &&
                   static_cast<LONG>(GetTickCount() - nEnd) < 0)
                Sleep(100);
            PostMessageW(hFrame, WM_CANCELMODE, 0, 0);
        });
    // The menu key's way: the menu opens at the current row.
    MSG key{hList, WM_KEYDOWN, VK_APPS, 1, 0, {}};
    const DWORD nOpened = GetTickCount();
    sandbox.App()->DispatchOne(key);
    hold.join();
    EXPECT_TRUE(bMarked) << strMarker;
    EXPECT_GE(GetTickCount() - nOpened, 500u) << "the menu closed at once";
}
