#pragma once

#include "CSettingPage.h"

// The Run Options page: visible or invisible launch and running at boot
// time. Choosing Invisible asks first; Invisible cannot go without Run At
// Boot time.
class CRunPage : public CSettingPage
{
public:
    explicit CRunPage(SPageContext& context);

protected:
    void OnClicked(int32_t nControlId) override;
};
