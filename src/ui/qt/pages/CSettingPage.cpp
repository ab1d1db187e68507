#include "CSettingPage.h"

#include <QAbstractButton>

CSettingPage::CSettingPage(int32_t nTemplateId, std::span<const SSettingBinding> bindings,
                           SPageContext& context, QWidget* pParent)
    : COptionsPage(nTemplateId, context, pParent), m_bindings(bindings)
{
}

void CSettingPage::LoadControls()
{
    for (const SSettingBinding& binding : m_bindings)
    {
        const int32_t nValue = Values().*binding.pMember;
        if (binding.nButtons == 0)
        {
            if (auto* pBox = ControlAs<QAbstractButton>(binding.nId))
                pBox->setChecked(nValue != 0);
            continue;
        }
        // Checking one button of the exclusive group clears the others; a
        // value outside the group leaves the buttons as they are.
        if (nValue >= 0 && nValue < binding.nButtons)
        {
            if (auto* pRadio = ControlAs<QAbstractButton>(binding.nId + nValue))
                pRadio->setChecked(true);
        }
    }
}

void CSettingPage::StoreControls()
{
    for (const SSettingBinding& binding : m_bindings)
    {
        int32_t& nValue = Values().*binding.pMember;
        if (binding.nButtons == 0)
        {
            if (auto* pBox = ControlAs<QAbstractButton>(binding.nId))
                nValue = pBox->isChecked() ? 1 : 0;
            continue;
        }
        for (int i = 0; i < binding.nButtons; ++i)
        {
            auto* pRadio = ControlAs<QAbstractButton>(binding.nId + i);
            if (pRadio != nullptr && pRadio->isChecked())
                nValue = i;
        }
    }
}
