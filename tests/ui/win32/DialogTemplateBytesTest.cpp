#include "ui/win32/dialogs/DialogTemplateBytes.h"

#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace
{
INT_PTR CALLBACK QuietDialogProc(HWND, UINT nMessage, WPARAM, LPARAM)
{
    return nMessage == WM_INITDIALOG ? TRUE : FALSE;
}

std::wstring ClassOf(HWND hWnd)
{
    wchar_t szClass[64] = {};
    GetClassNameW(hWnd, szClass, 64);
    return szClass;
}

std::wstring TextOf(HWND hWnd)
{
    wchar_t szText[512] = {};
    GetWindowTextW(hWnd, szText, 512);
    return szText;
}

class DialogTemplateBytesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&init);
        // A plain popup the child form can live in.
        m_hHost = CreateWindowExW(0, L"STATIC", L"host", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(m_hHost, nullptr);
    }
    void TearDown() override { DestroyWindow(m_hHost); }

    HWND Create(const SDialogTemplate& dialog, HWND hParent)
    {
        const std::vector<WORD> bytes = BuildDialogTemplate(dialog);
        return CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                          reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), hParent,
                                          QuietDialogProc, 0);
    }

    HWND m_hHost = nullptr;
};
} // namespace

TEST_F(DialogTemplateBytesTest, FormControlsHaveTheirIdsClassesAndDialogUnitRectangles)
{
    const SDialogTemplate& form = GetFormTemplate();
    HWND hForm = Create(form, m_hHost);
    ASSERT_NE(hForm, nullptr);
    EXPECT_NE(GetWindowLongW(hForm, GWL_STYLE) & WS_CHILD, 0);

    const std::pair<int, const wchar_t*> expected[] = {{IDC_DRIVE_BOX, L"ComboBox"},
                                                       {IDC_SEARCH, L"Button"},
                                                       {IDC_ACTION, L"Button"},
                                                       {IDC_EXTEN_COUNT, L"Static"},
                                                       {IDC_RESULTS_LIST, WC_LISTVIEWW}};
    for (const auto& [nId, pszClass] : expected)
    {
        HWND hControl = GetDlgItem(hForm, nId);
        ASSERT_NE(hControl, nullptr) << nId;
        EXPECT_EQ(_wcsicmp(ClassOf(hControl).c_str(), pszClass), 0) << nId;

        const SControlTemplate* pControl = form.FindControl(nId);
        // The dialog manager maps the position and the size each on its own.
        RECT expectedRect{pControl->nLeft, pControl->nTop, pControl->nWidth, pControl->nHeight};
        MapDialogRect(hForm, &expectedRect);
        RECT actual{};
        GetWindowRect(hControl, &actual);
        MapWindowPoints(nullptr, hForm, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expectedRect.left) << nId;
        EXPECT_EQ(actual.top, expectedRect.top) << nId;
        if (nId != IDC_DRIVE_BOX) // a combo box sizes its own closed height
        {
            EXPECT_EQ(actual.right - actual.left, expectedRect.right) << nId;
            EXPECT_EQ(actual.bottom - actual.top, expectedRect.bottom) << nId;
        }
    }
    EXPECT_EQ(TextOf(GetDlgItem(hForm, IDC_SEARCH)), L"Search");
    EXPECT_NE(GetWindowLongW(GetDlgItem(hForm, IDC_SEARCH), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(hForm, IDC_EXTEN_COUNT), GWL_STYLE) & WS_TABSTOP, 0);
    DestroyWindow(hForm);
}

TEST_F(DialogTemplateBytesTest, UnlabelledControlsFollowAHiddenLabelWithTheirName)
{
    HWND hForm = Create(GetFormTemplate(), m_hHost);
    ASSERT_NE(hForm, nullptr);
    for (const auto& [nId, pszName] :
         {std::pair{IDC_DRIVE_BOX, L"Drive"}, std::pair{IDC_RESULTS_LIST, L"Results"}})
    {
        HWND hLabel = GetWindow(GetDlgItem(hForm, nId), GW_HWNDPREV);
        ASSERT_NE(hLabel, nullptr);
        EXPECT_EQ(TextOf(hLabel), pszName);
        EXPECT_FALSE(IsWindowVisible(hLabel));
    }
    // The buttons name themselves: no extra label before them.
    EXPECT_EQ(GetWindow(GetDlgItem(hForm, IDC_ACTION), GW_HWNDPREV), GetDlgItem(hForm, IDC_SEARCH));
    DestroyWindow(hForm);
}

TEST_F(DialogTemplateBytesTest, DialogsKeepCaptionFrameAndLineBreaks)
{
    HWND hWelcome = Create(GetWelcomeTemplate(), nullptr);
    ASSERT_NE(hWelcome, nullptr);
    EXPECT_EQ(TextOf(hWelcome), L"Welcome to Scrubix!");
    const LONG nStyle = GetWindowLongW(hWelcome, GWL_STYLE);
    EXPECT_NE(nStyle & WS_CAPTION, 0);
    EXPECT_EQ(nStyle & WS_SYSMENU, 0); // no close box: the user must choose
    EXPECT_EQ(TextOf(GetDlgItem(hWelcome, ID_RESULT_OK)), L"I Will Try Deletion Mode");
    DestroyWindow(hWelcome);

    HWND hWarning = Create(GetPurgeWarningTemplate(), nullptr);
    ASSERT_NE(hWarning, nullptr);
    bool bFoundQuestion = false;
    for (HWND hChild = GetWindow(hWarning, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        const std::wstring strText = TextOf(hChild);
        if (strText.find(L"permamently") != std::wstring::npos)
        {
            bFoundQuestion = true;
            EXPECT_NE(strText.find(L"files...\r\n\r\n--->"), std::wstring::npos);
        }
    }
    EXPECT_TRUE(bFoundQuestion);
    DestroyWindow(hWarning);
}
