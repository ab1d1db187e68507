#include "TextFit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{
std::wstring ClassOf(HWND hWnd)
{
    wchar_t szClass[32] = {};
    GetClassNameW(hWnd, szClass, 32);
    return szClass;
}

bool IsWrappingLabel(HWND hWnd)
{
    if (_wcsicmp(ClassOf(hWnd).c_str(), L"Static") != 0)
        return false;
    const LONG nType = GetWindowLongW(hWnd, GWL_STYLE) & SS_TYPEMASK;
    return nType == SS_LEFT || nType == SS_CENTER || nType == SS_RIGHT;
}

bool IsGroupBox(HWND hWnd)
{
    return _wcsicmp(ClassOf(hWnd).c_str(), L"Button") == 0 &&
           (GetWindowLongW(hWnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

RECT RectInParent(HWND hWnd, HWND hParent)
{
    RECT rect{};
    GetWindowRect(hWnd, &rect);
    MapWindowPoints(nullptr, hParent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
           inner.bottom <= outer.bottom;
}

bool Overlaps(const RECT& a, const RECT& b)
{
    RECT both{};
    return IntersectRect(&both, &a, &b) != FALSE;
}

struct SSibling
{
    HWND hWnd = nullptr;
    RECT rect{};
};
} // namespace

int LabelHeightNeeded(HWND hLabel)
{
    if (!IsWrappingLabel(hLabel))
        return 0;
    const int nLength = GetWindowTextLengthW(hLabel);
    if (nLength == 0)
        return 0;
    std::wstring strText(static_cast<size_t>(nLength) + 1, L'\0');
    GetWindowTextW(hLabel, strText.data(), nLength + 1);
    strText.resize(static_cast<size_t>(nLength));
    RECT client{};
    GetClientRect(hLabel, &client);
    HDC hDc = GetDC(hLabel);
    HGDIOBJ hOld =
        SelectObject(hDc, reinterpret_cast<HFONT>(SendMessageW(hLabel, WM_GETFONT, 0, 0)));
    UINT nFormat = DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS;
    if ((GetWindowLongW(hLabel, GWL_STYLE) & SS_NOPREFIX) != 0)
        nFormat |= DT_NOPREFIX;
    RECT needed{0, 0, client.right, 0};
    DrawTextW(hDc, strText.c_str(), nLength, &needed, nFormat);
    SelectObject(hDc, hOld);
    ReleaseDC(hLabel, hDc);
    return needed.bottom;
}

void GrowLabelsToFit(HWND hDialog, int nMargin)
{
    std::vector<SSibling> siblings;
    for (HWND hChild = GetWindow(hDialog, GW_CHILD); hChild != nullptr;
         hChild = GetWindow(hChild, GW_HWNDNEXT))
    {
        if ((GetWindowLongW(hChild, GWL_STYLE) & WS_VISIBLE) != 0) // the dialog is not shown yet
            siblings.push_back(SSibling{hChild, RectInParent(hChild, hDialog)});
    }
    RECT client{};
    GetClientRect(hDialog, &client);
    for (SSibling& label : siblings)
    {
        if (!IsWrappingLabel(label.hWnd) ||
            LabelHeightNeeded(label.hWnd) <= label.rect.bottom - label.rect.top)
            continue;
        RECT bounds{client.left + nMargin, client.top + nMargin, client.right - nMargin,
                    client.bottom - nMargin};
        std::vector<RECT> obstacles;
        for (const SSibling& other : siblings)
        {
            if (other.hWnd == label.hWnd)
                continue;
            if (IsGroupBox(other.hWnd) && Contains(other.rect, label.rect))
            {
                // The inside of its group box, below the group's title.
                bounds.left = std::max(bounds.left, other.rect.left + nMargin);
                bounds.right = std::min(bounds.right, other.rect.right - nMargin);
                bounds.bottom = std::min(bounds.bottom, other.rect.bottom - nMargin);
                continue;
            }
            if (!Overlaps(other.rect, label.rect))
                obstacles.push_back(other.rect);
        }
        const auto free = [&](const RECT& rect)
        {
            if (!Contains(bounds, rect))
                return false;
            for (const RECT& obstacle : obstacles)
            {
                if (Overlaps(obstacle, rect))
                    return false;
            }
            return true;
        };
        const LONG nAlign = GetWindowLongW(label.hWnd, GWL_STYLE) & SS_TYPEMASK;
        const auto fits = [&](const RECT& rect)
        {
            MoveWindow(label.hWnd, rect.left, rect.top, rect.right - rect.left,
                       rect.bottom - rect.top, FALSE);
            return LabelHeightNeeded(label.hWnd) <= rect.bottom - rect.top;
        };
        RECT rect = label.rect;
        bool bFits = false;
        // Wider, a pixel at a time, in the direction of the alignment.
        while (!bFits)
        {
            RECT wider = rect;
            if (nAlign != SS_LEFT)
                --wider.left;
            if (nAlign != SS_RIGHT)
                ++wider.right;
            if (!free(wider))
                break;
            rect = wider;
            bFits = fits(rect);
        }
        // Then taller: downwards first, then upwards.
        for (const LONG nStep : {1L, -1L})
        {
            while (!bFits)
            {
                RECT taller = rect;
                if (nStep > 0)
                    ++taller.bottom;
                else
                    --taller.top;
                if (!free(taller))
                    break;
                rect = taller;
                bFits = fits(rect);
            }
        }
        if (!bFits)
            fits(rect);
        label.rect = rect;
        InvalidateRect(label.hWnd, nullptr, TRUE);
    }
}
