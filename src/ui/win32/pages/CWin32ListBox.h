#pragma once

#include "ui/rules/IListBox.h"

#include <windows.h>

// IListBox over a LISTBOX control of a list page (not sorted, one
// selection). Items are the program's entries in the ANSI code page, as the
// backend reads and writes them, so they cross with the A messages and come
// back byte for byte. Selecting from here sends no LBN_SELCHANGE; the page
// refreshes its buttons itself. User-interface thread only.
class CWin32ListBox : public IListBox
{
public:
    explicit CWin32ListBox(HWND hList) : m_hList(hList) {}

    HWND Window() const { return m_hList; }

    int GetCount() const override;
    std::string GetText(int nIndex) const override;
    int AddString(const std::string& strText) override;
    void DeleteString(int nIndex) override;
    void ResetContent() override;
    int GetCurSel() const override;
    void SetCurSel(int nIndex) override;
    int GetHorizontalExtent() const override;
    // LB_SETHORIZONTALEXTENT: the list scrolls sideways when the extent is
    // wider than the list.
    void SetHorizontalExtent(int nPixels) override;
    // Width of the text in this list box's font.
    int MeasureText(const std::string& strText) const override;

private:
    HWND m_hList;
};
