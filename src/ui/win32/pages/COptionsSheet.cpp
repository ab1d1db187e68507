#include "COptionsSheet.h"

#include "CAgePage.h"
#include "CDirectedPage.h"
#include "CExcludePage.h"
#include "CExtenPage.h"
#include "CFilesPage.h"
#include "CFilterPage.h"
#include "CFoldersPage.h"
#include "COtherPage.h"
#include "CPurgePage.h"
#include "CRunPage.h"
#include "CWin32MessageBox.h"
#include "CWin32PathPicker.h"
#include "settings/CScrubixDoc.h"
#include "ui/rules/RunAtBoot.h"

#include <commctrl.h>
#include <prsht.h>

namespace
{
std::unique_ptr<COptionsPage> MakePage(EOptionsPage ePage, SPageContext& context)
{
    switch (ePage)
    {
    case EOptionsPage::Excludes:
        return std::make_unique<CExcludePage>(context);
    case EOptionsPage::Filters:
        return std::make_unique<CFilterPage>(context);
    case EOptionsPage::Directeds:
        return std::make_unique<CDirectedPage>(context);
    case EOptionsPage::FilesToDelete:
        return std::make_unique<CFilesPage>(context);
    case EOptionsPage::FoldersToDelete:
        return std::make_unique<CFoldersPage>(context);
    case EOptionsPage::Extensions:
        return std::make_unique<CExtenPage>(context);
    case EOptionsPage::PurgeMove:
        return std::make_unique<CPurgePage>(context);
    case EOptionsPage::RunOptions:
        return std::make_unique<CRunPage>(context);
    case EOptionsPage::OtherSettings:
        return std::make_unique<COtherPage>(context);
    case EOptionsPage::Age:
        return std::make_unique<CAgePage>(context);
    }
    return nullptr;
}
} // namespace

COptionsSheet::COptionsSheet(CScrubixDoc& doc, ViewState state, IAutostart& autostart,
                             SOptionsServices services)
    : m_doc(doc), m_state(state), m_autostart(autostart), m_values(CopyIntoSheet(doc))
{
    m_pMessageBox = services.pMessageBox;
    if (m_pMessageBox == nullptr)
    {
        m_pOwnMessageBox = std::make_unique<CWin32MessageBox>();
        m_pMessageBox = m_pOwnMessageBox.get();
    }
    IPathPicker* pPathPicker = services.pPathPicker;
    if (pPathPicker == nullptr)
    {
        m_pOwnPathPicker = std::make_unique<CWin32PathPicker>();
        pPathPicker = m_pOwnPathPicker.get();
    }
    m_pContext = std::make_unique<SPageContext>(
        SPageContext{doc, m_values, *m_pMessageBox, *pPathPicker, nullptr, false});
    for (EOptionsPage ePage : OptionsPagesFor(state))
        m_pages.emplace_back(ePage, MakePage(ePage, *m_pContext));
}

COptionsSheet::~COptionsSheet() = default;

COptionsPage* COptionsSheet::Page(int nIndex) const
{
    if (nIndex < 0 || nIndex >= PageCount())
        return nullptr;
    return m_pages[static_cast<size_t>(nIndex)].second.get();
}

COptionsPage* COptionsSheet::FindPage(EOptionsPage ePage) const
{
    for (const auto& [eKind, pPage] : m_pages)
    {
        if (eKind == ePage)
            return pPage.get();
    }
    return nullptr;
}

bool COptionsSheet::DoModal(HWND hOwner)
{
    if (m_pOwnMessageBox != nullptr)
        m_pOwnMessageBox->SetOwner(hOwner);
    std::vector<PROPSHEETPAGEW> sheetPages;
    sheetPages.reserve(m_pages.size());
    for (const auto& entry : m_pages)
        sheetPages.push_back(entry.second->SheetPage());

    PROPSHEETHEADERW header{};
    header.dwSize = sizeof(header);
    // No Apply, no context-help button: OK and Cancel only.
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_NOCONTEXTHELP;
    header.hwndParent = hOwner;
    header.hInstance = GetModuleHandleW(nullptr);
    header.pszCaption = CAPTION;
    header.nPages = static_cast<UINT>(sheetPages.size());
    header.nStartPage = 0;
    header.ppsp = sheetPages.data();
    m_pContext->hSheet = nullptr;
    m_pContext->bApplied = false;
    PropertySheetW(&header);
    m_pContext->hSheet = nullptr;

    // The pages committed only when the sheet closed with OK.
    if (!m_pContext->bApplied)
        return false;
    CopyOutOfSheet(m_values, m_state, m_doc);
    m_doc.SaveSettings();
    bool bLoginRefused = false;
    RegisterRunAtBoot(m_doc.Store(), m_autostart, m_doc.Path, m_doc.Run, m_doc.Visible,
                      &bLoginRefused);
    if (bLoginRefused)
        m_pMessageBox->Show(OkPrompt(LOGIN_ENTRY_REFUSED_TEXT));
    return true;
}

bool RunOptionsSheet(HWND hOwner, CScrubixDoc& doc, ViewState state, IAutostart& autostart)
{
    COptionsSheet sheet(doc, state, autostart);
    return sheet.DoModal(hOwner);
}
