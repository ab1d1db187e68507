#include "CFoldersPage.h"

#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"

CFoldersPage::CFoldersPage(SPageContext& context, QWidget* pParent)
    : CListPage(IDD_FOLDERS_PAGE, LIST_FOLDER,
                SListPageIds{IDC_FOLDERS_LIST, IDC_FOLDERS_ADD, 0, IDC_FOLDERS_DELETE,
                             IDC_FOLDERS_DEFAULTS},
                EListAddSource::FolderBrowser, context, pParent)
{
}
