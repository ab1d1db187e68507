#include "CRunPage.h"

#include "ui/res/ResourceIds.h"
#include "ui/rules/SettingPageRules.h"

namespace
{
constexpr SSettingBinding kBindings[] = {
    {IDC_RUN_INVISIBLE, 2, &SOptionsValues::Visible},
    {IDC_RUN_AT_BOOT, 0, &SOptionsValues::Run},
};
} // namespace

CRunPage::CRunPage(SPageContext& context) : CSettingPage(IDD_RUN_PAGE, kBindings, context) {}

void CRunPage::OnClicked(int32_t nControlId)
{
    if (nControlId == IDC_RUN_INVISIBLE)
    {
        StoreControls();
        OnLaunchInvisibleClicked(Values().Visible, Values().Run, Context().messageBox);
        LoadControls();
    }
    else if (nControlId == IDC_RUN_AT_BOOT)
    {
        StoreControls();
        OnRunAtBootClicked(Values().Visible, Values().Run, Context().messageBox);
        LoadControls();
    }
}
