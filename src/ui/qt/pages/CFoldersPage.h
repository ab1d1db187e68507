#pragma once

#include "CListPage.h"

// The Folders to Delete page: folders whose contents are always candidates, chosen in the folder
// browser; a folder of the operating system is added only after a Yes.
class CFoldersPage : public CListPage
{
    Q_OBJECT

public:
    explicit CFoldersPage(SPageContext& context, QWidget* pParent = nullptr);
};
