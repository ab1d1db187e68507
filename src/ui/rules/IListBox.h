#pragma once

#include <string>

// A list box of text items as the list pages use it: items in insertion
// order (never sorted), at most one selected, a horizontal scroll extent in
// pixels. Index -1 means "no item".
class IListBox
{
public:
    virtual ~IListBox() = default;
    virtual int GetCount() const = 0;
    virtual std::string GetText(int nIndex) const = 0;
    // Appends the text; the new item's index, or -1 when it could not be added.
    virtual int AddString(const std::string& strText) = 0;
    virtual void DeleteString(int nIndex) = 0;
    virtual void ResetContent() = 0;
    virtual int GetCurSel() const = 0;
    virtual void SetCurSel(int nIndex) = 0; // -1 clears the selection
    virtual int GetHorizontalExtent() const = 0;
    virtual void SetHorizontalExtent(int nPixels) = 0;
    // Width in pixels of the text as the main window's plain font draws it.
    virtual int MeasureText(const std::string& strText) const = 0;
};
