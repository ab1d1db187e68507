#include "CExtenPage.h"

#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"

CExtenPage::CExtenPage(SPageContext& context, QWidget* pParent)
    : CListPage(IDD_EXTEN_PAGE, LIST_EXTEN,
                SListPageIds{IDC_EXTEN_LIST, IDC_EXTEN_ADD, IDC_EXTEN_EDIT, IDC_EXTEN_DELETE,
                             IDC_EXTEN_DEFAULTS},
                EListAddSource::EntryDialog, context, pParent)
{
}
