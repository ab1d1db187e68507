#pragma once

#include "CListPage.h"

// The Filters page: folders the search leaves out, chosen in the folder
// browser. Opening it offers the missing Recycle bin and Repair folder
// defaults; deleting one of them, or a Netscape Mail folder, asks first. Its
// template's Edit button stays hidden.
class CFilterPage : public CListPage
{
public:
    explicit CFilterPage(SPageContext& context);
};
