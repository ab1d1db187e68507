#include "CSettingPage.h"

CSettingPage::CSettingPage(int32_t nTemplateId, std::span<const SSettingBinding> bindings,
                           SPageContext& context)
    : COptionsPage(nTemplateId, context), m_bindings(bindings)
{
}

void CSettingPage::OnCommand(int32_t nControlId, UINT nCode)
{
    if (nCode == BN_CLICKED)
        OnClicked(nControlId);
}

void CSettingPage::LoadControls()
{
    for (const SSettingBinding& binding : m_bindings)
    {
        const int32_t nValue = Values().*binding.pMember;
        if (binding.nButtons == 0)
        {
            SetChecked(binding.nId, nValue != 0);
            continue;
        }
        // Checking one button of the group clears the others; a value outside
        // the group leaves the buttons as they are.
        if (nValue >= 0 && nValue < binding.nButtons)
            CheckRadioButton(Window(), binding.nId, binding.nId + binding.nButtons - 1,
                             binding.nId + nValue);
    }
}

void CSettingPage::StoreControls()
{
    for (const SSettingBinding& binding : m_bindings)
    {
        int32_t& nValue = Values().*binding.pMember;
        if (binding.nButtons == 0)
        {
            nValue = IsChecked(binding.nId) ? 1 : 0;
            continue;
        }
        for (int i = 0; i < binding.nButtons; ++i)
        {
            if (IsChecked(binding.nId + i))
                nValue = i;
        }
    }
}
