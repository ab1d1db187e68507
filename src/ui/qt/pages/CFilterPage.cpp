#include "CFilterPage.h"

#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"

CFilterPage::CFilterPage(SPageContext& context, QWidget* pParent)
    : CListPage(
          IDD_FILTER_PAGE, LIST_FILTER,
          SListPageIds{IDC_FILTER_LIST, IDC_FILTER_ADD, 0, IDC_FILTER_DELETE, IDC_FILTER_DEFAULTS},
          EListAddSource::FolderBrowser, context, pParent)
{
}
