#pragma once

#include "COptionsPage.h"

#include <memory>

class CListPageRules;
class CWin32ListBox;

// The control ids of one list page; 0 where the page has no such button.
struct SListPageIds
{
    int32_t nList = 0;
    int32_t nAdd = 0;
    int32_t nEdit = 0;
    int32_t nDelete = 0;
    int32_t nDefaults = 0;
};

// How Add obtains a new entry on a list page.
enum class EListAddSource
{
    EntryDialog,   // Extensions, Excludes
    FolderBrowser, // Filters, Folders to Delete
    FileDialog,    // Files to Delete
};

// What the five list pages share: a list box holding the working copy of one
// of the document's rule lists, Add, Delete, Restore Defaults and, on two
// pages, Edit. The rules of CListPageRules decide; this class only maps them
// onto the controls. The list box scrolls sideways as far as its widest
// entry. The document's list is replaced only in OnOK.
class CListPage : public COptionsPage
{
public:
    CListPage(int32_t nTemplateId, int nKind, SListPageIds ids, EListAddSource eAddSource,
              SPageContext& context);
    ~CListPage() override;

    void OnOK() override;

    // The list box of the created page; nullptr before.
    CWin32ListBox* ListBox() const { return m_pListBox.get(); }
    const SListPageIds& Ids() const { return m_ids; }

    // The folder browser's title on Filters and Folders to Delete.
    static const char* FolderBrowserTitle();

protected:
    void OnInitPage() override;
    void OnCommand(int32_t nControlId, UINT nCode) override;

private:
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnRestoreDefaults();
    void RefreshButtons();
    void EnableButton(int32_t nControlId, bool bEnabled) const;

    int m_nKind;
    SListPageIds m_ids;
    EListAddSource m_eAddSource;
    std::unique_ptr<CWin32ListBox> m_pListBox;
    std::unique_ptr<CListPageRules> m_pRules;
};
