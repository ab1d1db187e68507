#include "COtherPage.h"

#include "settings/CScrubixDoc.h"
#include "ui/res/ResourceIds.h"
#include "ui/rules/SettingPageRules.h"

#include <QCheckBox>

namespace
{
constexpr SSettingBinding kBindings[] = {
    {IDC_OTHER_ZERO, 0, &SOptionsValues::Zero},
    {IDC_OTHER_READ_ONLY, 0, &SOptionsValues::Deletereadonly},
    {IDC_OTHER_ANOMALY, 0, &SOptionsValues::Anomaly},
    {IDC_OTHER_SCROLL, 0, &SOptionsValues::Scroll},
};
} // namespace

COtherPage::COtherPage(SPageContext& context, QWidget* pParent)
    : CSettingPage(IDD_OTHER_PAGE, kBindings, context, pParent)
{
}

void COtherPage::OnInitPage()
{
    CSettingPage::OnInitPage();
    connect(ControlAs<QCheckBox>(IDC_OTHER_ZERO), &QCheckBox::clicked, this,
            [this]
            {
                StoreControls();
                OnZeroLengthClicked(Values().Zero, Context().doc.Store().Registry(),
                                    Context().messageBox);
            });
}
