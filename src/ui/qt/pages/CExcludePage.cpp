#include "CExcludePage.h"

#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"

#include <QCheckBox>

CExcludePage::CExcludePage(SPageContext& context, QWidget* pParent)
    : CListPage(IDD_EXCLUDE_PAGE, LIST_EXCLUDE,
                SListPageIds{IDC_EXCLUDE_LIST, IDC_EXCLUDE_ADD, IDC_EXCLUDE_EDIT,
                             IDC_EXCLUDE_DELETE, IDC_EXCLUDE_DEFAULTS},
                EListAddSource::EntryDialog, context, pParent)
{
}

void CExcludePage::OnInitPage()
{
    CListPage::OnInitPage();
    ControlAs<QCheckBox>(IDC_EXCLUDE_IGNORE_CASE)->setChecked(Context().values.ExcludeCase != 0);
}

void CExcludePage::OnOK()
{
    Context().values.ExcludeCase =
        ControlAs<QCheckBox>(IDC_EXCLUDE_IGNORE_CASE)->isChecked() ? 1 : 0;
    CListPage::OnOK();
}
