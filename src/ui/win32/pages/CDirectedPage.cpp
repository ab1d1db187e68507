#include "CDirectedPage.h"

#include "ui/res/ResourceIds.h"
#include "ui/rules/SettingPageRules.h"

namespace
{
constexpr SSettingBinding kBindings[] = {
    {IDC_DIRECTED_IE, 0, &SOptionsValues::IE},
    {IDC_DIRECTED_IE_URL, 0, &SOptionsValues::IEURL},
};
} // namespace

CDirectedPage::CDirectedPage(SPageContext& context)
    : CSettingPage(IDD_DIRECTED_PAGE, kBindings, context)
{
}

void CDirectedPage::OnClicked(int32_t nControlId)
{
    if (nControlId != IDC_DIRECTED_IE)
        return;
    StoreControls();
    OnInternetExplorerClicked(Values().IE, m_bWarnOnce, Context().messageBox);
}
