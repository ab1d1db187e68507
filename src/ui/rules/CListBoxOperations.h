#pragma once

#include "settings/CScrubixDoc.h"
#include "ui/rules/IListBox.h"

#include <string>

// The list pages' shared operations between the document's rule lists and a
// list box that holds the page's working copy. User-interface thread only;
// no worker runs while the list pages are open.
class CListBoxOperations
{
public:
    explicit CListBoxOperations(CScrubixDoc& doc) : m_doc(doc) {}

    // Appends every entry of the document's list, in order.
    void FillListBox(int nKind, IListBox& listBox) const;
    // Replaces the document's list with the list box's items, first to last.
    void StoreListBox(int nKind, const IListBox& listBox);
    // Empties the list box and appends the list's default entries. Selects
    // nothing, keeps the horizontal extent, leaves the document's list alone.
    void RestoreListBoxDefaults(int nKind, IListBox& listBox) const;

    // Appends the text, selects it when the list box took it, then updates
    // the horizontal extent.
    static void AddListBoxEntry(IListBox& listBox, const std::string& strText);
    // Without a selection nothing happens. Otherwise deletes the selected item
    // i, updates the extent and selects i if still valid, else the new last
    // item (none when the list is now empty).
    static void DeleteListBoxSelection(IListBox& listBox);
    // An empty list box keeps its extent; otherwise the extent becomes the
    // widest item's width (it can shrink).
    static void UpdateListBoxExtent(IListBox& listBox);
    // Whether a button that acts on the selection is enabled.
    static bool EnableIfSelected(const IListBox& listBox) { return listBox.GetCurSel() >= 0; }

    CScrubixDoc& Doc() const { return m_doc; }

private:
    CScrubixDoc& m_doc;
};
