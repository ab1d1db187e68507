#pragma once

#include "CListPage.h"

// The Excludes page: file names that are never candidates, typed in the
// entry dialog in Exclude mode (the wildcard form "*.extension" only), and the
// Ignore Case box, which edits the ExcludeCase setting. Deleting "install.log"
// or "data.bak" asks first.
class CExcludePage : public CListPage
{
    Q_OBJECT

public:
    explicit CExcludePage(SPageContext& context, QWidget* pParent = nullptr);

    void OnOK() override;

protected:
    void OnInitPage() override;
};
