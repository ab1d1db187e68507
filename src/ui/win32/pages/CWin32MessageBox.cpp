#include "CWin32MessageBox.h"

#include "ui/rules/MessageBoxGeometry.h"
#include "ui/win32/dialogs/WideText.h"

namespace
{
// The window the box goes over: the active window of this thread when there
// is one (a dialog above the sheet), else the last active popup of the owner.
HWND BoxOwner(HWND hOwner)
{
    HWND hActive = GetActiveWindow();
    if (hActive != nullptr && IsWindowEnabled(hActive))
        return hActive;
    if (hOwner == nullptr || !IsWindow(hOwner))
        return nullptr;
    HWND hRoot = GetAncestor(hOwner, GA_ROOT);
    HWND hPopup = GetLastActivePopup(hRoot);
    return hPopup != nullptr && IsWindowEnabled(hPopup) ? hPopup : hRoot;
}

// The box about to be shown: at least as wide as its whole title needs
// (its contents move to the middle of the wider box), centred over its owner.
HHOOK g_hBoxHook = nullptr;

void FitBoxToTitle(HWND hBox)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    HDC hDc = GetDC(hBox);
    HFONT hCaption = CreateFontIndirectW(&metrics.lfCaptionFont);
    HGDIOBJ hOld = SelectObject(hDc, hCaption);
    SIZE title{};
    GetTextExtentPoint32W(hDc, CWin32MessageBox::TITLE,
                          static_cast<int>(wcslen(CWin32MessageBox::TITLE)), &title);
    SelectObject(hDc, hOld);
    DeleteObject(hCaption);
    TEXTMETRICW text{};
    hOld = SelectObject(hDc, reinterpret_cast<HFONT>(SendMessageW(hBox, WM_GETFONT, 0, 0)));
    GetTextMetricsW(hDc, &text);
    SelectObject(hDc, hOld);
    ReleaseDC(hBox, hDc);

    RECT box{};
    GetWindowRect(hBox, &box);
    const int nWidth = box.right - box.left;
    const int nHeight = box.bottom - box.top;
    const int nWanted = MessageBoxMinimumWidth(title.cx, text.tmHeight);
    const int nNewWidth = nWanted > nWidth ? nWanted : nWidth;
    const int nShift = (nNewWidth - nWidth) / 2;
    for (HWND hChild = GetWindow(hBox, GW_CHILD); nShift > 0 && hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        RECT child{};
        GetWindowRect(hChild, &child);
        MapWindowPoints(nullptr, hBox, reinterpret_cast<POINT*>(&child), 2);
        SetWindowPos(hChild, nullptr, child.left + nShift, child.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    int nLeft = box.left;
    int nTop = box.top;
    if (HWND hOwner = GetWindow(hBox, GW_OWNER))
    {
        RECT owner{};
        GetWindowRect(hOwner, &owner);
        nLeft = (owner.left + owner.right - nNewWidth) / 2;
        nTop = (owner.top + owner.bottom - nHeight) / 2;
        nLeft = nLeft < 0 ? 0 : nLeft;
        nTop = nTop < 0 ? 0 : nTop;
    }
    SetWindowPos(hBox, nullptr, nLeft, nTop, nNewWidth, nHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK BoxHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_ACTIVATE)
    {
        HWND hBox = reinterpret_cast<HWND>(wParam);
        wchar_t szClass[16] = {};
        GetClassNameW(hBox, szClass, 16);
        if (std::wstring(szClass) == L"#32770")
        {
            // Only the first activation: the box being shown.
            UnhookWindowsHookEx(g_hBoxHook);
            g_hBoxHook = nullptr;
            FitBoxToTitle(hBox);
            return 0;
        }
    }
    return CallNextHookEx(g_hBoxHook, nCode, wParam, lParam);
}

int ShowBox(HWND hOwner, const std::wstring& strText, UINT nType)
{
    if (g_hBoxHook == nullptr)
        g_hBoxHook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    const int nAnswer = MessageBoxW(hOwner, strText.c_str(), CWin32MessageBox::TITLE, nType);
    if (g_hBoxHook != nullptr)
    {
        UnhookWindowsHookEx(g_hBoxHook);
        g_hBoxHook = nullptr;
    }
    return nAnswer;
}

std::wstring BoxText(const std::string& strText)
{
    // MessageBox breaks lines at "\n" as it stands.
    return WideFromUtf8(strText);
}
} // namespace

bool CWin32MessageBox::Show(const SPrompt& prompt)
{
    const std::wstring strText = BoxText(prompt.strText);
    HWND hOwner = BoxOwner(m_hOwner);
    if (prompt.eButtons == EPromptButtons::YesNo)
        return ShowBox(hOwner, strText, MB_YESNO | MB_DEFBUTTON1) == IDYES;
    ShowBox(hOwner, strText, MB_OK);
    return true;
}
