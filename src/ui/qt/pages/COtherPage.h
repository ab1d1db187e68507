#pragma once

#include "CSettingPage.h"

// The Other Settings page: zero-length candidates, read-only deletion, the
// anomaly report and list scrolling. Turning zero-length candidates on where
// the browsers that keep mail in zero-length files are installed advises
// filters for the mail folders.
class COtherPage : public CSettingPage
{
    Q_OBJECT

public:
    explicit COtherPage(SPageContext& context, QWidget* pParent = nullptr);

protected:
    void OnInitPage() override;
};
