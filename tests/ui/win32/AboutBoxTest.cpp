// The Win32 About box and its links in the test process: OK is the default
// button and has the focus, Enter and Esc close the box, Tab reaches the
// links, a click or Space opens a link through the shell (the mail link as
// "mailto:"), an opened link is purple in every later About box of the run,
// a failed open beeps and stays blue, the hover capture and the one-second
// pause after a click.

#include "SheetAnswer.h"
#include "platform/IShell.h"
#include "ui/res/AboutTexts.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/AboutLinks.h"
#include "ui/win32/dialogs/CAboutDialog.h"
#include "ui/win32/dialogs/CStaticLink.h"
#include "ui/win32/dialogs/DialogTextFit.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace
{
// The shell seam: records what it was asked to open and answers as told.
class CRecordingShell : public IShell
{
public:
    bool m_bOpens = true;
    std::vector<std::string> m_opened;

    bool MoveToTrash(const std::string&, const SFileIdentity&) override { return false; }
    bool Open(const std::string& strTarget) override
    {
        m_opened.push_back(strTarget);
        return m_bOpens;
    }
};

constexpr const char* HELP_TARGET = "C:\\Scrubix\\help\\index.html";

void ClickLink(HWND hLink)
{
    SendMessageW(hLink, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    SendMessageW(hLink, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(hLink, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

std::wstring TextOf(HWND hWnd)
{
    wchar_t szText[256] = {};
    GetWindowTextW(hWnd, szText, 256);
    return szText;
}

class AboutBoxTest : public ::testing::Test
{
protected:
    void SetUp() override { m_nMissedBefore = SheetAnswersMissed(); }
    void TearDown() override { EXPECT_EQ(SheetAnswersMissed(), m_nMissedBefore); }

    // Runs the box with fnScenario answering it; fnScenario closes it.
    void RunAbout(std::function<void(HWND, CAboutDialog&)> fnScenario)
    {
        CAboutDialog about(m_shell, m_links, HELP_TARGET);
        AnswerSheet([&](HWND hAbout) { fnScenario(hAbout, about); }, L"About Scrubix");
        about.DoModal(nullptr);
    }

    CRecordingShell m_shell;
    SAboutLinks m_links;
    int m_nMissedBefore = 0;
};
} // namespace

TEST_F(AboutBoxTest, OkHasTheFocusAndEnterOrEscCloses)
{
    for (const UINT nKey : {VK_RETURN, VK_ESCAPE})
    {
        bool bClosedByKey = false;
        RunAbout(
            [&](HWND hAbout, CAboutDialog&)
            {
                HWND hOk = GetDlgItem(hAbout, IDOK);
                EXPECT_EQ(GetFocus(), hOk);
                EXPECT_EQ(LOWORD(SendMessageW(hAbout, DM_GETDEFID, 0, 0)), IDOK);
                EXPECT_NE(GetWindowLongW(hOk, GWL_STYLE) & BS_DEFPUSHBUTTON, 0);
                // The key goes through the dialog's own loop, as typed.
                PostMessageW(hOk, WM_KEYDOWN, nKey, 1);
                PostMessageW(hOk, WM_KEYUP, nKey, 0xC0000001);
                bClosedByKey = true;
                // Should the key not close it, the test fails instead of waiting.
                SetTimer(hAbout, 77, 2000,
                         [](HWND hWnd, UINT, UINT_PTR, DWORD)
                         {
                             ADD_FAILURE() << "the key did not close the About box";
                             EndDialog(hWnd, IDCANCEL);
                         });
            });
        EXPECT_TRUE(bClosedByKey);
    }
}

TEST_F(AboutBoxTest, LinksShowTheirTextsAndTabReachesThem)
{
    RunAbout(
        [&](HWND hAbout, CAboutDialog& about)
        {
            HWND hEmail = GetDlgItem(hAbout, IDC_LINK_EMAIL);
            HWND hWeb = GetDlgItem(hAbout, IDC_LINK_WEB);
            ASSERT_NE(about.EmailLink(), nullptr);
            ASSERT_NE(about.WebLink(), nullptr);
            EXPECT_EQ(TextOf(hEmail), L"" ABOUT_EMAIL_ADDRESS);
            EXPECT_EQ(TextOf(hWeb), L"" ABOUT_WEB_ADDRESS);
            for (HWND hLink : {hEmail, hWeb})
            {
                EXPECT_NE(GetWindowLongW(hLink, GWL_STYLE) & WS_TABSTOP, 0);
                EXPECT_EQ(CStaticLink::FromWindow(hLink)->TextColour(), RGB(0, 0, 255));
                // Enter reaches a focused link instead of pressing OK.
                MSG enter{hLink, WM_KEYDOWN, VK_RETURN, 0, 0, {}};
                EXPECT_NE(SendMessageW(hLink, WM_GETDLGCODE, VK_RETURN,
                                       reinterpret_cast<LPARAM>(&enter)) &
                              DLGC_WANTMESSAGE,
                          0);
            }
            // Every text shows whole in the face the window system gives.
            EXPECT_EQ(CutLabels(hAbout, LabelHeightNeeded), std::vector<std::wstring>());
            // The toolkit line reads for this front end.
            bool bWindowsNotice = false;
            for (const std::wstring& strText : StaticTexts(hAbout))
                bWindowsNotice = bWindowsNotice || strText == L"" ABOUT_WINDOWS_NOTICE;
            EXPECT_TRUE(bWindowsNotice);

            SendMessageW(hAbout, WM_NEXTDLGCTL, 0, FALSE); // Tab from OK
            EXPECT_EQ(GetFocus(), hEmail);
            SendMessageW(hAbout, WM_NEXTDLGCTL, 0, FALSE);
            EXPECT_EQ(GetFocus(), hWeb);
            ClickItem(hAbout, IDOK);
        });
}

// A click opens the mail link as "mailto:", turns it purple and pauses the
// hover for a second; Space on the focused web link opens the help pages.
// A second About box shows both purple.
TEST_F(AboutBoxTest, OpenedLinksTurnPurpleForTheRun)
{
    RunAbout(
        [&](HWND hAbout, CAboutDialog& about)
        {
            HWND hEmail = GetDlgItem(hAbout, IDC_LINK_EMAIL);
            ClickLink(hEmail);
            EXPECT_EQ(m_shell.m_opened, std::vector<std::string>{"mailto:" ABOUT_EMAIL_ADDRESS});
            EXPECT_EQ(m_links.bEmailVisited, 1);
            EXPECT_EQ(about.EmailLink()->TextColour(), RGB(128, 0, 128));
            EXPECT_TRUE(about.EmailLink()->IsLaunched());
            EXPECT_FALSE(about.EmailLink()->IsCaptured());
            // Within the second the pointer does not take the capture.
            SendMessageW(hEmail, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
            EXPECT_FALSE(about.EmailLink()->IsCaptured());
            PumpMessages(1300);
            EXPECT_FALSE(about.EmailLink()->IsLaunched());
            // Then it does, and lets go when the pointer leaves.
            SendMessageW(hEmail, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
            EXPECT_TRUE(about.EmailLink()->IsCaptured());
            EXPECT_EQ(GetCapture(), hEmail);
            SendMessageW(hEmail, WM_MOUSEMOVE, 0, MAKELPARAM(-5, -5));
            EXPECT_FALSE(about.EmailLink()->IsCaptured());
            EXPECT_NE(GetCapture(), hEmail);

            // A second click opens the same target.
            ClickLink(hEmail);
            EXPECT_EQ(m_shell.m_opened.back(), "mailto:" ABOUT_EMAIL_ADDRESS);

            HWND hWeb = GetDlgItem(hAbout, IDC_LINK_WEB);
            SetFocus(hWeb);
            SendMessageW(hWeb, WM_KEYDOWN, VK_SPACE, 0);
            EXPECT_EQ(m_shell.m_opened.back(), HELP_TARGET);
            EXPECT_EQ(m_links.bWebVisited, 1);
            ClickItem(hAbout, IDOK);
        });
    RunAbout(
        [&](HWND hAbout, CAboutDialog& about)
        {
            EXPECT_EQ(about.EmailLink()->TextColour(), RGB(128, 0, 128));
            EXPECT_EQ(about.WebLink()->TextColour(), RGB(128, 0, 128));
            ClickItem(hAbout, IDOK);
        });
}

TEST_F(AboutBoxTest, AFailedOpenBeepsAndStaysBlue)
{
    m_shell.m_bOpens = false;
    int nBeeps = 0;
    RunAbout(
        [&](HWND hAbout, CAboutDialog& about)
        {
            about.WebLink()->SetBeep([&nBeeps] { ++nBeeps; });
            ClickLink(GetDlgItem(hAbout, IDC_LINK_WEB));
            EXPECT_EQ(m_shell.m_opened, std::vector<std::string>{HELP_TARGET});
            EXPECT_EQ(nBeeps, 1);
            EXPECT_EQ(m_links.bWebVisited, 0);
            EXPECT_EQ(about.WebLink()->TextColour(), RGB(0, 0, 255));
            ClickItem(hAbout, IDOK);
        });
}
