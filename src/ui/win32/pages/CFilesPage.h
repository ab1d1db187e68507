#pragma once

#include "CListPage.h"

// The Files to Delete page: files that are always candidates, chosen in the
// file-open dialog, which starts from the file chosen last.
class CFilesPage : public CListPage
{
public:
    explicit CFilesPage(SPageContext& context);
};
