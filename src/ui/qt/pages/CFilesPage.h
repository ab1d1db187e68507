#pragma once

#include "CListPage.h"

// The Files to Delete page: files that are always candidates, chosen in the file-open dialog, which
// starts from the file chosen last (remembered in the store as Add / Path).
class CFilesPage : public CListPage
{
    Q_OBJECT

public:
    explicit CFilesPage(SPageContext& context, QWidget* pParent = nullptr);
};
