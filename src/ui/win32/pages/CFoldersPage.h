#pragma once

#include "CListPage.h"

// The Folders to Delete page: folders whose contents are always candidates,
// chosen in the folder browser; a folder of the operating system asks first.
class CFoldersPage : public CListPage
{
public:
    explicit CFoldersPage(SPageContext& context);
};
