#pragma once

#include "COptionsPage.h"

#include <memory>

class CListBoxWidget;
class CListPageRules;
class QPushButton;

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
// onto the widgets. The document's list is replaced only in OnOK.
class CListPage : public COptionsPage
{
    Q_OBJECT

public:
    CListPage(int32_t nTemplateId, int nKind, SListPageIds ids, EListAddSource eAddSource,
              SPageContext& context, QWidget* pParent = nullptr);
    ~CListPage() override;

    void OnOK() override;

    CListBoxWidget* ListBox() const;
    QPushButton* Button(int32_t nControlId) const;
    const SListPageIds& Ids() const { return m_ids; }

    // The folder browser's title on Filters and Folders to Delete.
    static QString FolderBrowserTitle();

protected:
    void AddFactories(CTemplateBuilder& builder) override;
    void OnInitPage() override;

private:
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnRestoreDefaults();
    void RefreshButtons();

    int m_nKind;
    SListPageIds m_ids;
    EListAddSource m_eAddSource;
    std::unique_ptr<CListPageRules> m_pRules;
};
