// Texts of the dialogs show whole in the font the window system gives (under
// Wine without its own fonts a wider face than the templates were laid out
// for), without a control growing over another.

#include "ui/win32/dialogs/DialogTextFit.h"

#include "ui/res/Templates.h"
#include "ui/win32/dialogs/DialogTemplateBytes.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>
#include <windows.h>

namespace
{
INT_PTR CALLBACK FittingDialogProc(HWND hWnd, UINT nMessage, WPARAM, LPARAM)
{
    if (nMessage != WM_INITDIALOG)
        return FALSE;
    FitDialogTexts(hWnd);
    return TRUE;
}

RECT RectIn(HWND hControl, HWND hDialog)
{
    RECT rect{};
    GetWindowRect(hControl, &rect);
    MapWindowPoints(nullptr, hDialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool IsGroupBox(HWND hWnd)
{
    wchar_t szClass[16] = {};
    GetClassNameW(hWnd, szClass, 16);
    return _wcsicmp(szClass, L"Button") == 0 &&
           (GetWindowLongW(hWnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The height the label's text needs at the label's width, as the static draws it.
SIZE StaticNeeds(HWND hLabel)
{
    HDC hDc = GetDC(hLabel);
    HGDIOBJ hOld =
        SelectObject(hDc, reinterpret_cast<HFONT>(SendMessageW(hLabel, WM_GETFONT, 0, 0)));
    RECT client{};
    GetClientRect(hLabel, &client);
    wchar_t szText[512] = {};
    const int nLength = GetWindowTextW(hLabel, szText, 512);
    RECT rect{0, 0, client.right, 0};
    const LONG nType = GetWindowLongW(hLabel, GWL_STYLE) & SS_TYPEMASK;
    DrawTextW(hDc, szText, nLength, &rect,
              DT_CALCRECT | DT_EXPANDTABS | (nType == SS_LEFTNOWORDWRAP ? 0 : DT_WORDBREAK));
    SelectObject(hDc, hOld);
    ReleaseDC(hLabel, hDc);
    return SIZE{rect.right, rect.bottom};
}

class DialogTextFit : public ::testing::TestWithParam<const SDialogTemplate* (*)()>
{
};
} // namespace

TEST_P(DialogTextFit, EveryLabelShowsWholeAndNoControlCoversAnother)
{
    const std::vector<WORD> bytes = BuildDialogTemplate(*GetParam()());
    HWND hDialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                              reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()),
                                              nullptr, FittingDialogProc, 0);
    ASSERT_NE(hDialog, nullptr);
    std::vector<HWND> visible;
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        if ((GetWindowLongW(hChild, GWL_STYLE) & WS_VISIBLE) != 0)
            visible.push_back(hChild);
    }
    int nLabels = 0;
    for (HWND hChild : visible)
    {
        wchar_t szClass[16] = {};
        GetClassNameW(hChild, szClass, 16);
        if (_wcsicmp(szClass, L"Static") != 0 || GetWindowTextLengthW(hChild) == 0)
            continue;
        ++nLabels;
        const SIZE need = StaticNeeds(hChild);
        RECT client{};
        GetClientRect(hChild, &client);
        EXPECT_LE(need.cx, client.right) << GetDlgCtrlID(hChild);
        EXPECT_LE(need.cy, client.bottom) << GetDlgCtrlID(hChild);
    }
    EXPECT_GT(nLabels, 0);
    for (size_t i = 0; i < visible.size(); ++i)
    {
        for (size_t j = i + 1; j < visible.size(); ++j)
        {
            if (IsGroupBox(visible[i]) || IsGroupBox(visible[j]))
                continue;
            RECT a = RectIn(visible[i], hDialog);
            RECT b = RectIn(visible[j], hDialog);
            RECT overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &a, &b)) << i << " " << j;
        }
    }
    DestroyWindow(hDialog);
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogTextFit,
                         ::testing::Values([] { return &GetWelcomeTemplate(); },
                                           [] { return &GetPurgeWarningTemplate(); }));
