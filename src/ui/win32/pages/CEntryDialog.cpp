#include "CEntryDialog.h"

#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"
#include "ui/rules/EntryRules.h"
#include "ui/rules/IMessageBox.h"
#include "ui/win32/dialogs/DialogTemplateBytes.h"

#include <vector>

INT_PTR CEntryDialog::DoModal(HWND hOwner)
{
    const SDialogTemplate* pTemplate = FindOptionsTemplate(IDD_ENTRY);
    if (pTemplate == nullptr)
        return IDCANCEL;
    const std::vector<WORD> bytes = BuildDialogTemplate(*pTemplate);
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                   reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), hOwner,
                                   DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CEntryDialog::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG)
    {
        SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CEntryDialog*>(lParam)->OnInitDialog(hWnd);
        return TRUE; // the edit box, first in tab order, takes the focus
    }
    auto* pDialog = reinterpret_cast<CEntryDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    if (pDialog == nullptr || nMessage != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam))
    {
    case IDOK:
        pDialog->OnOK(hWnd);
        return TRUE;
    case IDCANCEL:
        EndDialog(hWnd, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

void CEntryDialog::OnInitDialog(HWND hWnd)
{
    if (m_bEditMode)
        SetWindowTextW(hWnd, EDIT_CAPTION);
    SetDlgItemTextA(hWnd, IDC_ENTRY_TEXT, m_strEntry.c_str());
}

void CEntryDialog::OnOK(HWND hWnd)
{
    HWND hEdit = GetDlgItem(hWnd, IDC_ENTRY_TEXT);
    const int nLength = GetWindowTextLengthA(hEdit);
    std::string strText(static_cast<size_t>(nLength) + 1, '\0');
    const int nCopied = GetWindowTextA(hEdit, strText.data(), nLength + 1);
    strText.resize(static_cast<size_t>(nCopied < 0 ? 0 : nCopied));
    m_strEntry = m_bExcludeMode ? TrimEntryBlanks(strText) : strText;
    if (const std::optional<SPrompt> refusal = CheckEntryText(m_strEntry, m_bExcludeMode))
    {
        m_messageBox.Show(*refusal);
        SetFocus(hEdit);
        return;
    }
    EndDialog(hWnd, IDOK);
}
