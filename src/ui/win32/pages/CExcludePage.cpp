#include "CExcludePage.h"

#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"

CExcludePage::CExcludePage(SPageContext& context)
    : CListPage(IDD_EXCLUDE_PAGE, LIST_EXCLUDE,
                SListPageIds{IDC_EXCLUDE_LIST, IDC_EXCLUDE_ADD, IDC_EXCLUDE_EDIT,
                             IDC_EXCLUDE_DELETE, IDC_EXCLUDE_DEFAULTS},
                EListAddSource::EntryDialog, context)
{
}

void CExcludePage::OnInitPage()
{
    CListPage::OnInitPage();
    SetChecked(IDC_EXCLUDE_IGNORE_CASE, Context().values.ExcludeCase != 0);
}

void CExcludePage::OnOK()
{
    Context().values.ExcludeCase = IsChecked(IDC_EXCLUDE_IGNORE_CASE) ? 1 : 0;
    CListPage::OnOK();
}
