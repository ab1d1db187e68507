#include "CFilesPage.h"

#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"

CFilesPage::CFilesPage(SPageContext& context, QWidget* pParent)
    : CListPage(
          IDD_FILES_PAGE, LIST_FILE,
          SListPageIds{IDC_FILES_LIST, IDC_FILES_ADD, 0, IDC_FILES_DELETE, IDC_FILES_DEFAULTS},
          EListAddSource::FileDialog, context, pParent)
{
}
