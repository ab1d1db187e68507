#include "CDirectedPage.h"

#include "ui/res/ResourceIds.h"
#include "ui/rules/SettingPageRules.h"

#include <QCheckBox>

namespace
{
constexpr SSettingBinding kBindings[] = {
    {IDC_DIRECTED_IE, 0, &SOptionsValues::IE},
    {IDC_DIRECTED_IE_URL, 0, &SOptionsValues::IEURL},
};
} // namespace

CDirectedPage::CDirectedPage(SPageContext& context, QWidget* pParent)
    : CSettingPage(IDD_DIRECTED_PAGE, kBindings, context, pParent)
{
}

void CDirectedPage::OnInitPage()
{
    CSettingPage::OnInitPage();
    connect(ControlAs<QCheckBox>(IDC_DIRECTED_IE), &QCheckBox::clicked, this,
            [this]
            {
                StoreControls();
                OnInternetExplorerClicked(Values().IE, m_bWarnOnce, Context().messageBox);
            });
}
