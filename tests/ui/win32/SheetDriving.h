#pragma once

#include "SheetAnswer.h"
#include "ui/res/ResourceIds.h"
#include "ui/win32/pages/COptionsSheet.h"

#include <commctrl.h>
#include <functional>
#include <prsht.h>
#include <string>
#include <vector>
#include <windows.h>

// Driving the real Options sheet through its window messages.

// Runs the sheet modally; fnScenario gets the sheet's window once it is up
// and must close it (OK or Cancel). True when the sheet ended with OK.
inline bool RunSheet(COptionsSheet& sheet, std::function<void(HWND)> fnScenario)
{
    AnswerSheet(std::move(fnScenario), L"Options");
    return sheet.DoModal(nullptr);
}

inline std::vector<std::wstring> TabTexts(HWND hSheet)
{
    std::vector<std::wstring> texts;
    auto hTabs = reinterpret_cast<HWND>(SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
    const int nCount = static_cast<int>(SendMessageW(hTabs, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i)
    {
        wchar_t szText[128] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = szText;
        item.cchTextMax = 128;
        SendMessageW(hTabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        texts.push_back(szText);
    }
    return texts;
}

inline int CurrentIndex(HWND hSheet)
{
    auto hTabs = reinterpret_cast<HWND>(SendMessageW(hSheet, PSM_GETTABCONTROL, 0, 0));
    return static_cast<int>(SendMessageW(hTabs, TCM_GETCURSEL, 0, 0));
}

// Shows the page at nIndex as a click on its tab would; its window, or
// nullptr when the current page refused to be left.
inline HWND ShowPage(HWND hSheet, int nIndex)
{
    SendMessageW(hSheet, PSM_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
    if (CurrentIndex(hSheet) != nIndex)
        return nullptr;
    return reinterpret_cast<HWND>(SendMessageW(hSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

inline bool Checked(HWND hPage, int nId)
{
    return IsDlgButtonChecked(hPage, nId) == BST_CHECKED;
}

inline bool Enabled(HWND hPage, int nId)
{
    return IsWindowEnabled(GetDlgItem(hPage, nId)) != FALSE;
}

inline std::string ItemTextA(HWND hPage, int nId)
{
    char szText[1024] = {};
    GetDlgItemTextA(hPage, nId, szText, 1024);
    return szText;
}

// The items of a list box, first to last.
inline std::vector<std::string> ListItems(HWND hPage, int nListId)
{
    std::vector<std::string> items;
    HWND hList = GetDlgItem(hPage, nListId);
    const int nCount = static_cast<int>(SendMessageA(hList, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i)
    {
        char szText[1024] = {};
        SendMessageA(hList, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(szText));
        items.push_back(szText);
    }
    return items;
}

// Selects an item as a click would (the page hears LBN_SELCHANGE).
inline void SelectItem(HWND hPage, int nListId, int nIndex)
{
    HWND hList = GetDlgItem(hPage, nListId);
    SendMessageA(hList, LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
    SendMessageW(hPage, WM_COMMAND, MAKEWPARAM(nListId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(hList));
}

// Arms an answer for the next entry dialog: types strText into it and
// presses OK; when the dialog refuses and stays open, *pbRefused is set and
// it is cancelled.
inline void TypeEntry(const std::string& strText, bool* pbRefused = nullptr,
                      const wchar_t* pszTitle = L"Add")
{
    AnswerSheet(
        [strText, pbRefused](HWND hEntry)
        {
            SetDlgItemTextA(hEntry, IDC_ENTRY_TEXT, strText.c_str());
            ClickItem(hEntry, IDOK);
            const bool bRefused = IsWindowVisible(hEntry) != FALSE;
            if (pbRefused != nullptr)
                *pbRefused = bRefused;
            if (bRefused)
                ClickItem(hEntry, IDCANCEL);
        },
        pszTitle);
}
