#include "COptionsPage.h"

#include "IPathPicker.h"
#include "settings/CScrubixDoc.h"
#include "ui/res/Templates.h"
#include "ui/rules/HostPaths.h"
#include "ui/rules/IMessageBox.h"
#include "ui/win32/dialogs/DialogTemplateBytes.h"
#include "ui/win32/dialogs/DialogTextFit.h"
#include "ui/win32/dialogs/PictureIcons.h"

namespace
{
const SDialogTemplate& TemplateOf(int32_t nTemplateId)
{
    // Every page's template is compiled in; an unknown id is a programming
    // error that would show as an empty page.
    static const SDialogTemplate kEmpty{};
    const SDialogTemplate* pTemplate = FindOptionsTemplate(nTemplateId);
    return pTemplate != nullptr ? *pTemplate : kEmpty;
}
} // namespace

COptionsPage::COptionsPage(int32_t nTemplateId, SPageContext& context)
    : COptionsPage(nTemplateId, context, {})
{
}

COptionsPage::COptionsPage(int32_t nTemplateId, SPageContext& context,
                           std::function<std::wstring(const SControlTemplate&)> customClass)
    : m_template(TemplateOf(nTemplateId)), m_context(context)
{
    SDialogBuildOptions options;
    options.customClass = std::move(customClass);
    options.nExtraStyle = DS_CONTROL | WS_CHILD;
    m_templateBytes = BuildDialogTemplate(m_template, options);
    // A page is a child of the sheet, never a popup.
    auto* pTemplate = reinterpret_cast<DLGTEMPLATE*>(m_templateBytes.data());
    pTemplate->style &= ~static_cast<DWORD>(WS_POPUP);
}

COptionsPage::~COptionsPage() = default;

std::string COptionsPage::Caption() const
{
    return m_template.pszCaption != nullptr ? m_template.pszCaption : "";
}

HWND COptionsPage::Control(int32_t nControlId) const
{
    return m_hWnd != nullptr ? GetDlgItem(m_hWnd, nControlId) : nullptr;
}

PROPSHEETPAGEW COptionsPage::SheetPage()
{
    PROPSHEETPAGEW page{};
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DLGINDIRECT;
    page.hInstance = GetModuleHandleW(nullptr);
    page.pResource = reinterpret_cast<LPCDLGTEMPLATEW>(m_templateBytes.data());
    page.pfnDlgProc = PageProc;
    page.lParam = reinterpret_cast<LPARAM>(this);
    return page;
}

INT_PTR CALLBACK COptionsPage::PageProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    if (nMessage == WM_INITDIALOG)
    {
        const auto* pSheetPage = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        auto* pPage = reinterpret_cast<COptionsPage*>(pSheetPage->lParam);
        SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(pPage));
        pPage->m_hWnd = hWnd;
        if (pPage->m_context.hSheet == nullptr)
            pPage->m_context.hSheet = GetParent(hWnd);
        SetTemplateIcons(hWnd);
        FitDialogTexts(hWnd);
        pPage->OnInitPage();
        return TRUE;
    }
    auto* pPage = reinterpret_cast<COptionsPage*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    if (pPage == nullptr)
        return FALSE;
    switch (nMessage)
    {
    case WM_COMMAND:
        pPage->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        return pPage->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_NCDESTROY:
        pPage->m_hWnd = nullptr;
        SetWindowLongPtrW(hWnd, DWLP_USER, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR COptionsPage::OnNotify(const NMHDR& header)
{
    switch (header.code)
    {
    case PSN_KILLACTIVE:
        // TRUE keeps the page.
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, OnKillActive() ? FALSE : TRUE);
        return TRUE;
    case PSN_APPLY:
        OnOK();
        m_context.bApplied = true;
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, PSNRET_NOERROR);
        return TRUE;
    default:
        return FALSE;
    }
}

std::string COptionsPage::PickerStart(const std::vector<std::string>& candidates) const
{
    CScrubixDoc& doc = m_context.doc;
    return PickerStartFolder(candidates, doc.Store().GetString("Settings", "Drive", ""),
                             doc.FileSystem());
}

std::optional<std::string> COptionsPage::TakeChoice(const SPathChoice& choice) const
{
    if (!choice.bChosen)
        return std::nullopt;
    if (!choice.windowsPath)
    {
        m_context.messageBox.Show(
            ChoiceOffDrivesPrompt(choice.strHostPath, m_context.doc.FileSystem()));
        return std::nullopt;
    }
    return choice.windowsPath;
}

bool COptionsPage::IsChecked(int32_t nControlId) const
{
    return IsDlgButtonChecked(m_hWnd, nControlId) == BST_CHECKED;
}

void COptionsPage::SetChecked(int32_t nControlId, bool bChecked) const
{
    CheckDlgButton(m_hWnd, nControlId, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

std::string COptionsPage::ControlTextAnsi(int32_t nControlId) const
{
    HWND hControl = Control(nControlId);
    if (hControl == nullptr)
        return {};
    const int nLength = GetWindowTextLengthA(hControl);
    std::string strText(static_cast<size_t>(nLength) + 1, '\0');
    const int nCopied = GetWindowTextA(hControl, strText.data(), nLength + 1);
    strText.resize(static_cast<size_t>(nCopied < 0 ? 0 : nCopied));
    return strText;
}

void COptionsPage::SetControlTextAnsi(int32_t nControlId, const std::string& strText) const
{
    if (HWND hControl = Control(nControlId))
        SetWindowTextA(hControl, strText.c_str());
}
