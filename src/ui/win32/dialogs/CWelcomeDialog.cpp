#include "CWelcomeDialog.h"

#include "DialogTemplateBytes.h"
#include "DialogTextFit.h"
#include "platform/IShell.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"

#include <chrono>

CWelcomeDialog::CWelcomeDialog(IShell& shell, std::string strHelpTarget)
    : m_shell(shell), m_strHelpTarget(std::move(strHelpTarget)), m_beep([] { MessageBeep(MB_OK); })
{
}

INT_PTR CWelcomeDialog::DoModal(HWND hOwner)
{
    const std::vector<WORD> bytes = BuildDialogTemplate(GetWelcomeTemplate());
    const INT_PTR nResult = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), hOwner,
        DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    m_pendingOpens.clear();
    return nResult;
}

INT_PTR CALLBACK CWelcomeDialog::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG)
    {
        SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CWelcomeDialog*>(lParam)->m_hWnd = hWnd;
    }
    auto* pThis = reinterpret_cast<CWelcomeDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    return pThis != nullptr ? pThis->OnMessage(nMessage, wParam, lParam) : FALSE;
}

INT_PTR CWelcomeDialog::OnMessage(UINT nMessage, WPARAM wParam, LPARAM)
{
    switch (nMessage)
    {
    case WM_INITDIALOG:
        FitDialogTexts(m_hWnd);
        // The default button takes the focus, so Enter chooses it.
        SetFocus(GetDlgItem(m_hWnd, ID_RESULT_OK));
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam))
        {
        case IDOK:
        case IDCANCEL:
            KillTimer(m_hWnd, OPEN_POLL_TIMER_ID);
            EndDialog(m_hWnd, LOWORD(wParam));
            return TRUE;
        case IDC_WELCOME_HELP:
            if (HIWORD(wParam) == BN_CLICKED)
                OnHelp();
            return TRUE;
        default:
            return FALSE;
        }
    case WM_TIMER:
        if (wParam != OPEN_POLL_TIMER_ID)
            return FALSE;
        PollOpens();
        return TRUE;
    case WM_DESTROY:
        KillTimer(m_hWnd, OPEN_POLL_TIMER_ID);
        return FALSE;
    default:
        return FALSE;
    }
}

void CWelcomeDialog::OnHelp()
{
    if (m_strHelpTarget.empty())
    {
        m_beep();
        return;
    }
    m_pendingOpens.push_back(m_shell.OpenWithOutcome(m_strHelpTarget));
    PollOpens();
    if (!m_pendingOpens.empty())
        SetTimer(m_hWnd, OPEN_POLL_TIMER_ID, OPEN_POLL_MS, nullptr);
}

void CWelcomeDialog::PollOpens()
{
    for (auto it = m_pendingOpens.begin(); it != m_pendingOpens.end();)
    {
        if (!it->valid())
        {
            it = m_pendingOpens.erase(it);
            m_beep();
            continue;
        }
        if (it->wait_for(std::chrono::seconds(0)) != std::future_status::ready)
        {
            ++it;
            continue;
        }
        const bool bOpened = it->get();
        it = m_pendingOpens.erase(it);
        if (!bOpened)
            m_beep();
    }
    if (m_pendingOpens.empty())
        KillTimer(m_hWnd, OPEN_POLL_TIMER_ID);
}
