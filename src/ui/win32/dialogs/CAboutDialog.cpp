#include "CAboutDialog.h"

#include "CStaticLink.h"
#include "DialogTemplateBytes.h"
#include "DialogTextFit.h"
#include "PictureIcons.h"
#include "WideText.h"
#include "ui/res/AboutTexts.h"
#include "ui/res/ResourceIds.h"
#include "ui/res/Templates.h"
#include "ui/rules/AboutLinks.h"

#include <vector>

namespace
{
// The notice under the version names the toolkit; this front end has none.
BOOL CALLBACK ReplaceToolkitNotice(HWND hChild, LPARAM)
{
    wchar_t szText[128] = {};
    GetWindowTextW(hChild, szText, 128);
    if (WideFromUtf8(ABOUT_ONE_LINE_NOTICE) == szText)
        SetWindowTextW(hChild, WideFromUtf8(ABOUT_WINDOWS_NOTICE).c_str());
    return TRUE;
}
} // namespace

CAboutDialog::CAboutDialog(IShell& shell, SAboutLinks& links, std::string strWebTarget)
    : m_shell(shell), m_links(links), m_strWebTarget(std::move(strWebTarget))
{
}

CStaticLink* CAboutDialog::EmailLink() const
{
    return m_hWnd != nullptr ? CStaticLink::FromWindow(GetDlgItem(m_hWnd, IDC_LINK_EMAIL))
                             : nullptr;
}

CStaticLink* CAboutDialog::WebLink() const
{
    return m_hWnd != nullptr ? CStaticLink::FromWindow(GetDlgItem(m_hWnd, IDC_LINK_WEB)) : nullptr;
}

void CAboutDialog::DoModal(HWND hOwner)
{
    CStaticLink::Register();
    SDialogBuildOptions options;
    options.customClass = [](const SControlTemplate&)
    { return std::wstring(CStaticLink::CLASS_NAME); };
    const std::vector<WORD> bytes = BuildDialogTemplate(GetAboutTemplate(), options);
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                            reinterpret_cast<LPCDLGTEMPLATEW>(bytes.data()), hOwner, DialogProc,
                            reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
}

INT_PTR CALLBACK CAboutDialog::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG)
    {
        SetWindowLongPtrW(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CAboutDialog*>(lParam)->OnInitDialog(hWnd);
        return FALSE; // the focus was put on OK
    }
    if (nMessage == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL))
    {
        EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

void CAboutDialog::OnInitDialog(HWND hWnd)
{
    m_hWnd = hWnd;
    SetTemplateIcons(hWnd);
    EnumChildWindows(hWnd, ReplaceToolkitNotice, 0);
    FitDialogTexts(hWnd);

    // The flags are pointed at before the links are first drawn.
    if (CStaticLink* pEmail = EmailLink())
    {
        pEmail->SetVisitedFlag(&m_links.bEmailVisited);
        pEmail->SetShell(&m_shell);
        pEmail->SetMailLocalPart(ABOUT_EMAIL_LOCAL_PART);
    }
    if (CStaticLink* pWeb = WebLink())
    {
        pWeb->SetVisitedFlag(&m_links.bWebVisited);
        pWeb->SetShell(&m_shell);
        pWeb->SetLink(m_strWebTarget);
    }
    // OK is the default button and has the focus, so Enter closes the box.
    SendMessageW(hWnd, DM_SETDEFID, IDOK, 0);
    SetFocus(GetDlgItem(hWnd, IDOK));
}

void RunAboutDialog(HWND hOwner, IShell& shell, SAboutLinks& links, const std::string& strWebTarget)
{
    CAboutDialog about(shell, links, strWebTarget);
    about.DoModal(hOwner);
}
