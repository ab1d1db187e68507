#include "COtherPage.h"

#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/SettingPageRules.h"

namespace
{
constexpr SSettingBinding kBindings[] = {
    {IDC_OTHER_ZERO, 0, &SOptionsValues::Zero},
    {IDC_OTHER_READ_ONLY, 0, &SOptionsValues::Deletereadonly},
    {IDC_OTHER_ANOMALY, 0, &SOptionsValues::Anomaly},
    {IDC_OTHER_SCROLL, 0, &SOptionsValues::Scroll},
};
} // namespace

COtherPage::COtherPage(SPageContext& context) : CSettingPage(IDD_OTHER_PAGE, kBindings, context) {}

void COtherPage::OnClicked(int32_t nControlId)
{
    if (nControlId != IDC_OTHER_ZERO)
        return;
    StoreControls();
    OnZeroLengthClicked(Values().Zero, Context().doc.Store().Registry(), Context().messageBox);
}
