#include "CAgePage.h"

#include "ui/res/ResourceIds.h"
#include "ui/rules/AgePageRules.h"
#include "ui/rules/IMessageBox.h"
#include "ui/win32/dialogs/WideText.h"

#include <commctrl.h>

CAgePage::CAgePage(SPageContext& context)
    : COptionsPage(IDD_AGE_PAGE, context,
                   [](const SControlTemplate& control)
                   { return control.nId == IDC_AGE_DAYS ? std::wstring(L"EDIT") : std::wstring(); })
{
}

void CAgePage::OnInitPage()
{
    // The up-down class is registered on request only.
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&init);
    // The days field: digits only, sunken like the template's other fields;
    // the up-down control attaches itself to it (the control before it in
    // the tab order) and keeps its text the number it shows.
    HWND hDays = Control(IDC_AGE_DAYS);
    SetWindowLongPtrW(hDays, GWL_STYLE,
                      GetWindowLongPtrW(hDays, GWL_STYLE) | ES_NUMBER | ES_AUTOHSCROLL);
    SetWindowLongPtrW(hDays, GWL_EXSTYLE, GetWindowLongPtrW(hDays, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
    SetWindowPos(hDays, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_hSpin = CreateWindowExW(0, UPDOWN_CLASSW, L"Days",
                              WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT |
                                  UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                              0, 0, 0, 0, Window(), nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowPos(m_hSpin, hDays, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(m_hSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hDays), 0);
    SendMessageW(m_hSpin, UDM_SETRANGE32, AGE_DAYS_LOWEST, AGE_DAYS_HIGHEST);
    SendMessageW(hDays, EM_LIMITTEXT, 4, 0);
    LoadControls();
}

void CAgePage::OnCommand(int32_t nControlId, UINT nCode)
{
    if (nControlId == IDC_AGE_ONLY_OLD && nCode == BN_CLICKED)
        ApplyEnabling();
}

void CAgePage::LoadControls()
{
    const SAgeControls controls = AgeControlsFor(Context().values.MinAge);
    SetChecked(IDC_AGE_ONLY_OLD, controls.bOnlyOld);
    SendMessageW(m_hSpin, UDM_SETPOS32, 0, controls.nDays);
    m_nShownDays = controls.nDays;
    ApplyEnabling();
}

void CAgePage::StoreControls()
{
    const bool bOnlyOld = IsChecked(IDC_AGE_ONLY_OLD);
    int32_t nDays = m_nShownDays;
    CheckAgeDays(bOnlyOld, ControlTextAnsi(IDC_AGE_DAYS), nDays);
    m_nShownDays = nDays;
    Context().values.MinAge = MinAgeFrom({bOnlyOld, nDays});
}

void CAgePage::ApplyEnabling()
{
    const BOOL bEnabled = IsAgeDaysEnabled(IsChecked(IDC_AGE_ONLY_OLD)) ? TRUE : FALSE;
    EnableWindow(Control(IDC_AGE_DAYS), bEnabled);
    EnableWindow(m_hSpin, bEnabled);
    EnableWindow(Control(IDC_AGE_DAYS_LABEL), bEnabled);
}

bool CAgePage::OnKillActive()
{
    int32_t nDays = m_nShownDays;
    const std::optional<SPrompt> refusal =
        CheckAgeDays(IsChecked(IDC_AGE_ONLY_OLD), ControlTextAnsi(IDC_AGE_DAYS), nDays);
    if (refusal)
    {
        Context().messageBox.Show(*refusal);
        SetFocus(Control(IDC_AGE_DAYS));
        return false;
    }
    StoreControls();
    return true;
}
