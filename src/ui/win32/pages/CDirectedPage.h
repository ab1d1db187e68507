#pragma once

#include "CSettingPage.h"

// The Directeds page: the Internet Explorer cache as a directed location.
// Ticking it advises shutting the browser down, once per opening of the sheet.
class CDirectedPage : public CSettingPage
{
public:
    explicit CDirectedPage(SPageContext& context);

protected:
    void OnClicked(int32_t nControlId) override;

private:
    bool m_bWarnOnce = true;
};
