#pragma once

#include "COptionsPage.h"

#include <span>

// One control of a setting page and the member it exchanges: a check box
// (nButtons 0, the member 0 or 1) or a radio group of nButtons buttons with
// consecutive ids from nId (the member the index of the chosen button).
struct SSettingBinding
{
    int32_t nId = 0;
    int nButtons = 0;
    int32_t SOptionsValues::*pMember = nullptr;
};

// A page of scalar settings: its controls exchange the sheet's working copy
// through a table of bindings. LoadControls puts every member into its
// control, StoreControls takes every control state into its member (a radio
// group with no button chosen keeps its member).
class CSettingPage : public COptionsPage
{
    Q_OBJECT

public:
    CSettingPage(int32_t nTemplateId, std::span<const SSettingBinding> bindings,
                 SPageContext& context, QWidget* pParent = nullptr);

    void OnOK() override { StoreControls(); }

protected:
    void OnInitPage() override { LoadControls(); }
    virtual void LoadControls();
    virtual void StoreControls();

    SOptionsValues& Values() const { return Context().values; }

private:
    std::span<const SSettingBinding> m_bindings;
};
