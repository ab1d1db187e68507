#include "CRunPage.h"

#include "ui/res/ResourceIds.h"
#include "ui/rules/SettingPageRules.h"

#include <QAbstractButton>

namespace
{
constexpr SSettingBinding kBindings[] = {
    {IDC_RUN_INVISIBLE, 2, &SOptionsValues::Visible},
    {IDC_RUN_AT_BOOT, 0, &SOptionsValues::Run},
};
} // namespace

CRunPage::CRunPage(SPageContext& context, QWidget* pParent)
    : CSettingPage(IDD_RUN_PAGE, kBindings, context, pParent)
{
}

void CRunPage::OnInitPage()
{
    CSettingPage::OnInitPage();
    connect(ControlAs<QAbstractButton>(IDC_RUN_INVISIBLE), &QAbstractButton::clicked, this,
            [this]
            {
                StoreControls();
                OnLaunchInvisibleClicked(Values().Visible, Values().Run, Context().messageBox);
                LoadControls();
            });
    connect(ControlAs<QAbstractButton>(IDC_RUN_AT_BOOT), &QAbstractButton::clicked, this,
            [this]
            {
                StoreControls();
                OnRunAtBootClicked(Values().Visible, Values().Run, Context().messageBox);
                LoadControls();
            });
}
