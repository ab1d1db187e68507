#include "ui/rules/CListBoxOperations.h"

#include <algorithm>

void CListBoxOperations::FillListBox(int nKind, IListBox& listBox) const
{
    for (const std::string& strEntry : m_doc.Lists[nKind])
        listBox.AddString(strEntry);
}

void CListBoxOperations::StoreListBox(int nKind, const IListBox& listBox)
{
    std::vector<std::string>& list = m_doc.Lists[nKind];
    list.clear();
    const int nCount = listBox.GetCount();
    for (int i = 0; i < nCount; ++i)
        list.push_back(listBox.GetText(i));
}

void CListBoxOperations::RestoreListBoxDefaults(int nKind, IListBox& listBox) const
{
    listBox.ResetContent();
    for (const std::string& strEntry : m_doc.DefaultLists[nKind])
        listBox.AddString(strEntry);
}

void CListBoxOperations::AddListBoxEntry(IListBox& listBox, const std::string& strText)
{
    const int nIndex = listBox.AddString(strText);
    if (nIndex >= 0)
        listBox.SetCurSel(nIndex);
    UpdateListBoxExtent(listBox);
}

void CListBoxOperations::DeleteListBoxSelection(IListBox& listBox)
{
    const int nIndex = listBox.GetCurSel();
    if (nIndex < 0)
        return;
    listBox.DeleteString(nIndex);
    UpdateListBoxExtent(listBox);
    const int nCount = listBox.GetCount();
    listBox.SetCurSel(nIndex < nCount ? nIndex : nCount - 1);
}

void CListBoxOperations::UpdateListBoxExtent(IListBox& listBox)
{
    const int nCount = listBox.GetCount();
    if (nCount == 0)
        return;
    int nWidest = 0;
    for (int i = 0; i < nCount; ++i)
        nWidest = std::max(nWidest, listBox.MeasureText(listBox.GetText(i)));
    listBox.SetHorizontalExtent(nWidest);
}
