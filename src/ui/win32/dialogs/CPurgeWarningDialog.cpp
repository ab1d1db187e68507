#include "CPurgeWarningDialog.h"

#include "DialogTemplateBytes.h"
#include "DialogTextFit.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"

#include <vector>

bool CPurgeWarningDialog::Confirm(HWND hOwner, bool& bDontShow)
{
    CPurgeWarningDialog warning;
    const bool bYes = warning.DoModal(hOwner) == IDOK;
    bDontShow = bYes && warning.m_bDontShow;
    return bYes;
}

INT_PTR CPurgeWarningDialog::DoModal(HWND hOwner)
{
    const std::vector<WORD> bytes = BuildDialogTemplate(GetPurgeWarningTemplate());
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), hOwner,
                                   DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CPurgeWarningDialog::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam,
                                                 LPARAM lParam)
{
    switch (nMessage)
    {
    case WM_INITDIALOG:
    {
        SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        FitDialogTexts(hWnd);
        const auto* pThis = reinterpret_cast<const CPurgeWarningDialog*>(lParam);
        CheckDlgButton(hWnd, IDC_DONT_SHOW, pThis->m_bDontShow ? BST_CHECKED : BST_UNCHECKED);
        SetFocus(GetDlgItem(hWnd, ID_RESULT_OK));
        return FALSE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
        {
            auto* pThis =
                reinterpret_cast<CPurgeWarningDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
            if (pThis != nullptr)
                pThis->m_bDontShow = IsDlgButtonChecked(hWnd, IDC_DONT_SHOW) == BST_CHECKED;
            EndDialog(hWnd, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) // No, Esc and the close box
        {
            EndDialog(hWnd, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}
