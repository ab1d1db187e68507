#pragma once

#include "CSettingPage.h"

// The Run Options page: launch invisible or visible (Visible) and run at boot
// time (Run). Choosing Invisible asks first (Yes also ticks Run At Boot time,
// No goes back to Visible); with Invisible chosen Run At Boot time cannot be
// unticked.
class CRunPage : public CSettingPage
{
    Q_OBJECT

public:
    explicit CRunPage(SPageContext& context, QWidget* pParent = nullptr);

protected:
    void OnInitPage() override;
};
