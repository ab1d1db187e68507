#pragma once

#include "platform/IFileSystem.h"
#include "ui/rules/CListBoxOperations.h"
#include "ui/rules/IListBox.h"
#include "ui/rules/IMessageBox.h"

#include <optional>
#include <string>

// What one list page does with its working copy, apart from its widgets: the
// page owns the list box and the dialogs that obtain entries, and hands the
// results here. Every refusal and confirmation goes through the message box.
// User-interface thread only.
class CListPageRules
{
public:
    CListPageRules(int nKind, CScrubixDoc& doc, IListBox& listBox, IMessageBox& messageBox);

    int Kind() const { return m_nKind; }
    // Whether Add on this page takes its text from the entry dialog, and
    // whether that dialog applies the Exclude form checks.
    bool UsesEntryDialog() const { return m_nKind == LIST_EXTEN || m_nKind == LIST_EXCLUDE; }
    bool ExcludeMode() const { return m_nKind == LIST_EXCLUDE; }

    // First showing of the page: fills the list box from the document's list,
    // sets the extent and, on Filters, offers each missing Recycle bin and
    // Repair folder default (Yes appends it, unselected).
    void Initialise();
    // The page's OK: the document's list becomes the list box's items.
    void Commit();

    // An entry the entry dialog accepted: upper-cased on Extensions, trimmed
    // of blanks at both ends on Excludes, appended and selected.
    void AddEntry(const std::string& strEntry);
    // Edit: the selected item's text to put in the dialog; nullopt without a
    // selection.
    std::optional<std::string> EditText() const;
    // Edit accepted: the item at nIndex goes and the edited text is appended
    // at the end, selected.
    void FinishEdit(int nIndex, const std::string& strEntry);

    // A folder from the folder browser (Filters, Folders to Delete): the path
    // check, then appended as chosen (resolved when it held "." or ".."), or
    // refused with a message.
    bool AddFolder(const std::string& strPath);
    // A file from the file-open dialog (Files to Delete): appended unchanged
    // and remembered as the next dialog's start; refused only when too long
    // for the store.
    bool AddFile(const std::string& strPath);
    // The file the file-open dialog starts from: the one chosen last, in this
    // or an earlier run.
    std::string RememberedFile() const;

    // Delete: asks the page's confirmations (Filters, Excludes); deletes the
    // selection only when none was answered No. False when nothing was
    // deleted.
    bool DeleteSelection();
    // Restore Defaults, without a question.
    void RestoreDefaults();

private:
    int m_nKind;
    CListBoxOperations m_operations;
    IListBox& m_listBox;
    IMessageBox& m_messageBox;
};
