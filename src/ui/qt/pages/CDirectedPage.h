#pragma once

#include "CSettingPage.h"

// The Directeds page: "Files in Internet Explorer Cache" (IE) and the hidden
// URL-history box (IEURL, passed through unchanged). Ticking the cache box
// advises shutting the browser down, once per opening of the sheet.
class CDirectedPage : public CSettingPage
{
    Q_OBJECT

public:
    explicit CDirectedPage(SPageContext& context, QWidget* pParent = nullptr);

protected:
    void OnInitPage() override;

private:
    bool m_bWarnOnce = true;
};
