#include "CWin32ListBox.h"

#include <vector>

int CWin32ListBox::GetCount() const
{
    const LRESULT nCount = SendMessageA(m_hList, LB_GETCOUNT, 0, 0);
    return nCount == LB_ERR ? 0 : static_cast<int>(nCount);
}

std::string CWin32ListBox::GetText(int nIndex) const
{
    const LRESULT nLength = SendMessageA(m_hList, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0);
    if (nLength == LB_ERR)
        return {};
    std::vector<char> text(static_cast<size_t>(nLength) + 1, '\0');
    const LRESULT nCopied = SendMessageA(m_hList, LB_GETTEXT, static_cast<WPARAM>(nIndex),
                                         reinterpret_cast<LPARAM>(text.data()));
    if (nCopied == LB_ERR)
        return {};
    return std::string(text.data(), static_cast<size_t>(nCopied));
}

int CWin32ListBox::AddString(const std::string& strText)
{
    const LRESULT nIndex =
        SendMessageA(m_hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strText.c_str()));
    return nIndex < 0 ? -1 : static_cast<int>(nIndex);
}

void CWin32ListBox::DeleteString(int nIndex)
{
    SendMessageA(m_hList, LB_DELETESTRING, static_cast<WPARAM>(nIndex), 0);
}

void CWin32ListBox::ResetContent()
{
    SendMessageA(m_hList, LB_RESETCONTENT, 0, 0);
}

int CWin32ListBox::GetCurSel() const
{
    const LRESULT nIndex = SendMessageA(m_hList, LB_GETCURSEL, 0, 0);
    return nIndex == LB_ERR ? -1 : static_cast<int>(nIndex);
}

void CWin32ListBox::SetCurSel(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        nIndex = -1;
    SendMessageA(m_hList, LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
}

int CWin32ListBox::GetHorizontalExtent() const
{
    return static_cast<int>(SendMessageA(m_hList, LB_GETHORIZONTALEXTENT, 0, 0));
}

void CWin32ListBox::SetHorizontalExtent(int nPixels)
{
    SendMessageA(m_hList, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(nPixels < 0 ? 0 : nPixels),
                 0);
}

int CWin32ListBox::MeasureText(const std::string& strText) const
{
    HDC hDc = GetDC(m_hList);
    if (hDc == nullptr)
        return 0;
    HGDIOBJ hOld = nullptr;
    if (auto hFont = reinterpret_cast<HFONT>(SendMessageA(m_hList, WM_GETFONT, 0, 0)))
        hOld = SelectObject(hDc, hFont);
    SIZE size{};
    GetTextExtentPoint32A(hDc, strText.c_str(), static_cast<int>(strText.size()), &size);
    if (hOld != nullptr)
        SelectObject(hDc, hOld);
    ReleaseDC(m_hList, hDc);
    return static_cast<int>(size.cx);
}
