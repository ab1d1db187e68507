#pragma once

#include "CListPage.h"

// The Extensions page: file-name extensions that make a file a candidate, typed in the entry dialog
// and kept upper-case; Edit puts the edited entry at the end.
class CExtenPage : public CListPage
{
    Q_OBJECT

public:
    explicit CExtenPage(SPageContext& context, QWidget* pParent = nullptr);
};
