#include "CProgressDialog.h"

#include "DialogTemplateBytes.h"
#include "DialogTextFit.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"

#include <algorithm>
#include <commctrl.h>
#include <vector>

CProgressDialog::CProgressDialog(HWND hOwner) : m_hOwner(hOwner) {}

CProgressDialog::~CProgressDialog()
{
    if (m_hWnd != nullptr)
        DestroyWindow(m_hWnd);
}

void CProgressDialog::Create()
{
    if (m_hWnd != nullptr)
        return;
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&init);
    const std::vector<WORD> bytes = BuildDialogTemplate(GetProgressTemplate());
    // The template is visible on creation: the window shows after
    // WM_INITDIALOG has placed it, also while the owner is hidden.
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                               reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), m_hOwner,
                               DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK CProgressDialog::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG)
    {
        SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CProgressDialog*>(lParam)->m_hWnd = hWnd;
    }
    auto* pThis = reinterpret_cast<CProgressDialog*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    if (pThis == nullptr)
        return FALSE;
    if (nMessage == WM_NCDESTROY)
    {
        // Destroyed with its owner or by the destructor: forget the window.
        SetWindowLongPtrW(hWnd, DWLP_USER, 0);
        pThis->m_hWnd = nullptr;
        return FALSE;
    }
    return pThis->OnMessage(nMessage, wParam);
}

INT_PTR CProgressDialog::OnMessage(UINT nMessage, WPARAM wParam)
{
    switch (nMessage)
    {
    case WM_INITDIALOG:
        OnInitDialog();
        return FALSE; // no control takes the focus from the frame
    case WM_COMMAND:
        // Esc and Enter arrive as IDCANCEL and IDOK: the window stays.
        return LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDOK ? TRUE : FALSE;
    case WM_CLOSE:
        return TRUE;
    case WM_TIMER:
        if (wParam != DRAW_TIMER_ID)
            return FALSE;
        KillTimer(m_hWnd, DRAW_TIMER_ID);
        m_bDrawPending = false;
        ShowStep();
        return TRUE;
    default:
        return FALSE;
    }
}

void CProgressDialog::OnInitDialog()
{
    RECT over{};
    if (m_hOwner != nullptr && IsWindowVisible(m_hOwner) && !IsIconic(m_hOwner))
    {
        GetWindowRect(m_hOwner, &over);
    }
    else
    {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof(monitor);
        HMONITOR hMonitor =
            MonitorFromWindow(m_hOwner != nullptr ? m_hOwner : m_hWnd, MONITOR_DEFAULTTOPRIMARY);
        if (GetMonitorInfoW(hMonitor, &monitor))
            over = monitor.rcWork;
        else
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &over, 0);
    }
    RECT own{};
    GetWindowRect(m_hWnd, &own);
    const int nWidth = own.right - own.left;
    const int nHeight = own.bottom - own.top;
    const int nLeft = over.left + (over.right - over.left - nWidth) / 2;
    const int nTop = over.top + (over.bottom - over.top - nHeight) / 2;
    SetWindowPos(m_hWnd, nullptr, nLeft, nTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    FitDialogTexts(m_hWnd);
    HWND hFile = GetDlgItem(m_hWnd, IDC_PROGRESS_FILE);
    // Paths are shown as they are ("&" is no mnemonic) and shortened in the
    // middle when they do not fit.
    SetWindowLongW(hFile, GWL_STYLE,
                   GetWindowLongW(hFile, GWL_STYLE) | SS_NOPREFIX | SS_PATHELLIPSIS);

    HWND hBar = GetDlgItem(m_hWnd, IDC_PROGRESS_BAR);
    SendMessageW(hBar, PBM_SETRANGE32, 0, std::max(0, m_nTotal));
    SendMessageW(hBar, PBM_SETSTEP, 1, 0);
    m_nPosition = 0;
    m_strFile.clear();
    ShowStep();
    m_nDrawnAt = 0; // the first file shows at once
}

void CProgressDialog::Step(const std::string& strFile)
{
    m_strFile = strFile;
    if (m_nPosition < Maximum())
        ++m_nPosition;
    if (m_hWnd == nullptr || m_bDrawPending)
        return;
    const ULONGLONG nNow = GetTickCount64();
    const ULONGLONG nSince = m_nDrawnAt == 0 ? DRAW_INTERVAL_MS : nNow - m_nDrawnAt;
    if (nSince >= DRAW_INTERVAL_MS)
    {
        ShowStep();
        return;
    }
    m_bDrawPending = true;
    SetTimer(m_hWnd, DRAW_TIMER_ID, static_cast<UINT>(DRAW_INTERVAL_MS - nSince), nullptr);
}

int CProgressDialog::Maximum() const
{
    if (m_hWnd == nullptr)
        return std::max(0, m_nTotal);
    return static_cast<int>(SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, 0));
}

void CProgressDialog::ShowStep()
{
    if (m_hWnd == nullptr)
        return;
    SendDlgItemMessageW(m_hWnd, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(m_nPosition), 0);
    // The backend's paths are in the ANSI code page: the ANSI call shows them.
    SetDlgItemTextA(m_hWnd, IDC_PROGRESS_FILE, m_strFile.c_str());
    m_nDrawnAt = GetTickCount64();
    if (m_nDrawnAt == 0)
        m_nDrawnAt = 1;
}
