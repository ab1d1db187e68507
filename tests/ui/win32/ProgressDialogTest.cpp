// The File Moving Progress window as a real modeless window: its range beyond
// 16 bits, steps that never pass the end, the file line, the keys and the
// close that leave it up, and where it appears over a hidden or shown owner.

#include "MessagePump.h"
#include "ui/res/ResourceIds.h"
#include "ui/win32/dialogs/CProgressDialog.h"

#include <commctrl.h>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <windows.h>

namespace
{
class ProgressDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A frame-like owner, hidden as in invisible mode until a test shows it.
        m_hOwner = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 40, 60, 700, 500,
                                   nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_hOwner, nullptr);
    }
    void TearDown() override
    {
        if (IsWindow(m_hOwner))
            DestroyWindow(m_hOwner);
    }

    static int BarPosition(const CProgressDialog& progress)
    {
        return static_cast<int>(
            SendDlgItemMessageW(progress.Window(), IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0));
    }
    static std::string Line(const CProgressDialog& progress)
    {
        char szText[1024] = {};
        GetDlgItemTextA(progress.Window(), IDC_PROGRESS_FILE, szText, sizeof(szText));
        return szText;
    }
    static POINT Centre(const RECT& rect)
    {
        return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }

    HWND m_hOwner = nullptr;
};
} // namespace

TEST_F(ProgressDialogTest, RangeIsAFullIntAndStepsStopAtTheEnd)
{
    CProgressDialog progress(m_hOwner);
    progress.m_nTotal = 100000;
    progress.Create();
    ASSERT_NE(progress.Window(), nullptr);
    EXPECT_EQ(progress.Maximum(), 100000);
    EXPECT_EQ(SendDlgItemMessageW(progress.Window(), IDC_PROGRESS_BAR, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(progress.Position(), 0);
    for (int i = 0; i < 70000; ++i)
        progress.Step("C:\\TEMP\\A.TMP");
    EXPECT_EQ(progress.Position(), 70000);
    ASSERT_TRUE(PumpMessagesUntil([&] { return BarPosition(progress) == 70000; }));

    CProgressDialog small(m_hOwner);
    small.m_nTotal = 3;
    small.Create();
    for (int i = 0; i < 5; ++i)
        small.Step("C:\\TEMP\\B.TMP");
    EXPECT_EQ(small.Position(), 3);
    EXPECT_EQ(small.Maximum(), 3);
    ASSERT_TRUE(PumpMessagesUntil([&] { return BarPosition(small) == 3; }));

    CProgressDialog none(m_hOwner);
    none.m_nTotal = -4; // counts as an empty list
    none.Create();
    none.Step("C:\\TEMP\\C.TMP");
    EXPECT_EQ(none.Maximum(), 0);
    EXPECT_EQ(none.Position(), 0);
}

TEST_F(ProgressDialogTest, TheLineShowsTheLastFileAnnounced)
{
    CProgressDialog progress(m_hOwner);
    progress.m_nTotal = 10;
    progress.Create();
    EXPECT_EQ(Line(progress), "");
    const LONG nStyle = GetWindowLongW(GetDlgItem(progress.Window(), IDC_PROGRESS_FILE), GWL_STYLE);
    EXPECT_EQ(nStyle & SS_ELLIPSISMASK, SS_PATHELLIPSIS); // long paths shortened in the middle
    EXPECT_NE(nStyle & SS_NOPREFIX, 0);                   // "&" in a name is shown as it is

    progress.Step("C:\\Docs & Files\\first.tmp"); // the first step shows at once
    EXPECT_EQ(Line(progress), "C:\\Docs & Files\\first.tmp");
    EXPECT_EQ(progress.m_strFile, "C:\\Docs & Files\\first.tmp");

    const std::string strLong =
        "C:\\" + std::string(300, 'x') + "\\a folder deep inside\\the last one.bak";
    progress.Step("C:\\second.tmp");
    progress.Step(strLong); // sooner than the draw interval: shown by the timer
    EXPECT_EQ(progress.m_strFile, strLong);
    EXPECT_EQ(progress.Position(), 3);
    ASSERT_TRUE(PumpMessagesUntil([&] { return Line(progress) == strLong; }));
    EXPECT_EQ(BarPosition(progress), 3);
}

TEST_F(ProgressDialogTest, EscEnterAndCloseLeaveItUp)
{
    CProgressDialog progress(m_hOwner);
    progress.m_nTotal = 5;
    progress.Create();
    HWND hWnd = progress.Window();
    EXPECT_EQ(GetWindowLongW(hWnd, GWL_STYLE) & WS_SYSMENU, 0);

    SendMessageW(hWnd, WM_CLOSE, 0, 0);
    SendMessageW(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    for (UINT nKey : {VK_ESCAPE, VK_RETURN})
    {
        MSG key{GetDlgItem(hWnd, IDC_PROGRESS_BAR), WM_KEYDOWN, nKey, 1, 0, {}};
        IsDialogMessageW(hWnd, &key);
    }
    PumpMessagesFor(50);
    EXPECT_TRUE(IsWindow(hWnd));
    EXPECT_TRUE(IsWindowVisible(hWnd));
    EXPECT_EQ(progress.Window(), hWnd);
}

TEST_F(ProgressDialogTest, ShownCentredOverTheScreenWhileTheOwnerIsHidden)
{
    ASSERT_FALSE(IsWindowVisible(m_hOwner));
    CProgressDialog progress(m_hOwner);
    progress.m_nTotal = 2;
    progress.Create();
    ASSERT_NE(progress.Window(), nullptr);
    EXPECT_TRUE(IsWindowVisible(progress.Window()));
    EXPECT_EQ(GetWindow(progress.Window(), GW_OWNER), m_hOwner);

    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT placed{};
    GetWindowRect(progress.Window(), &placed);
    EXPECT_LE(std::abs(Centre(placed).x - Centre(work).x), 1);
    EXPECT_LE(std::abs(Centre(placed).y - Centre(work).y), 1);

    // Its size is the template's (243 x 54 dialog units) in the client area.
    RECT client{0, 0, 243, 54};
    MapDialogRect(progress.Window(), &client);
    RECT actual{};
    GetClientRect(progress.Window(), &actual);
    EXPECT_EQ(actual.right, client.right);
    EXPECT_EQ(actual.bottom, client.bottom);
}

TEST_F(ProgressDialogTest, ShownCentredOverAVisibleOwner)
{
    ShowWindow(m_hOwner, SW_SHOWNOACTIVATE);
    CProgressDialog progress(m_hOwner);
    progress.m_nTotal = 2;
    progress.Create();
    RECT owner{};
    GetWindowRect(m_hOwner, &owner);
    RECT placed{};
    GetWindowRect(progress.Window(), &placed);
    EXPECT_LE(std::abs(Centre(placed).x - Centre(owner).x), 1);
    EXPECT_LE(std::abs(Centre(placed).y - Centre(owner).y), 1);
}

TEST_F(ProgressDialogTest, TheObjectTakesItsWindowAlongAndOutlivesItsOwner)
{
    auto pProgress = std::make_unique<CProgressDialog>(m_hOwner);
    pProgress->Create();
    HWND hWnd = pProgress->Window();
    ASSERT_TRUE(IsWindow(hWnd));
    pProgress.reset();
    EXPECT_FALSE(IsWindow(hWnd));

    // The owner goes first: the object forgets its window and ends quietly.
    CProgressDialog orphan(m_hOwner);
    orphan.Create();
    ASSERT_NE(orphan.Window(), nullptr);
    DestroyWindow(m_hOwner);
    EXPECT_EQ(orphan.Window(), nullptr);
    orphan.Step("C:\\late.tmp"); // a step after that touches no window
}
