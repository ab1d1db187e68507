#include "Win32ViewProbe.h"

#include "ui/win32/dialogs/WideText.h"

std::string Cell(CScrubixView& view, int nRow, int nColumn)
{
    wchar_t szText[1024] = {};
    LVITEMW item{};
    item.iSubItem = nColumn;
    item.pszText = szText;
    item.cchTextMax = 1024;
    SendMessageW(view.ResultsList(), LVM_GETITEMTEXTW, static_cast<WPARAM>(nRow),
                 reinterpret_cast<LPARAM>(&item));
    return Utf8FromWide(szText);
}

int RowCount(CScrubixView& view)
{
    return static_cast<int>(SendMessageW(view.ResultsList(), LVM_GETITEMCOUNT, 0, 0));
}

int RowOf(CScrubixView& view, const std::string& strPath)
{
    for (int i = 0; i < RowCount(view); ++i)
        if (Cell(view, i, 0) == strPath)
            return i;
    return -1;
}

bool IsRowCheckedShown(CScrubixView& view, int nRow)
{
    const auto nState = SendMessageW(view.ResultsList(), LVM_GETITEMSTATE,
                                     static_cast<WPARAM>(nRow), LVIS_STATEIMAGEMASK);
    return ((nState & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

void ToggleRowWithSpace(CScrubixView& view, int nRow)
{
    HWND hList = view.ResultsList();
    SetFocus(hList);
    ListView_SetItemState(hList, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemState(hList, nRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageW(hList, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(hList, WM_KEYUP, VK_SPACE, 0);
}

void ClickCheckBox(CScrubixView& view, int nRow)
{
    HWND hList = view.ResultsList();
    RECT item{};
    item.left = LVIR_BOUNDS;
    SendMessageW(hList, LVM_GETITEMRECT, static_cast<WPARAM>(nRow),
                 reinterpret_cast<LPARAM>(&item));
    // The state icon is the first thing in the row: a few pixels in.
    const LPARAM at = MAKELPARAM(item.left + 8, (item.top + item.bottom) / 2);
    PostMessageW(hList, WM_LBUTTONUP, 0, at);
    SendMessageW(hList, WM_LBUTTONDOWN, MK_LBUTTON, at);
}

std::string LabelText(CScrubixView& view, int nControlId)
{
    return TextOf(view.Control(nControlId));
}

bool SearchAndWait(CWin32AppSandbox& sandbox, int nTimeoutMs)
{
    CScrubixView& view = sandbox.View();
    SendMessageW(view.SearchButton(), BM_CLICK, 0, 0);
    return PumpUntil(
        [&]
        {
            return view.GetViewState() == ViewState::Results ||
                   (view.GetViewState() == ViewState::Idle && !view.IsSearchRunning());
        },
        nTimeoutMs, sandbox.App());
}

bool WaitForDisposalEnd(CWin32AppSandbox& sandbox, int nTimeoutMs)
{
    return PumpUntil([&] { return sandbox.View().GetViewState() != ViewState::Disposing; },
                     nTimeoutMs, sandbox.App());
}

void PressKey(CWin32AppSandbox& sandbox, HWND hWnd, UINT nKey)
{
    SetFocus(hWnd);
    MSG msg{hWnd, WM_KEYDOWN, nKey, 1, 0, {}};
    sandbox.App()->DispatchOne(msg);
    MSG up{hWnd, WM_KEYUP, nKey, static_cast<LPARAM>(0xC0000001u), 0, {}};
    sandbox.App()->DispatchOne(up);
}
