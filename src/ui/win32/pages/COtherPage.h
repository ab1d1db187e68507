#pragma once

#include "CSettingPage.h"

// The Other Settings page: zero-length files, read-only files, the anomaly
// report and list scrolling. Turning zero-length files on advises filters for
// the mail folders where the browser keys say mail may use them.
class COtherPage : public CSettingPage
{
public:
    explicit COtherPage(SPageContext& context);

protected:
    void OnClicked(int32_t nControlId) override;
};
