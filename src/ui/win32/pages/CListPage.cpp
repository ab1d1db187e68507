#include "CListPage.h"

#include "CEntryDialog.h"
#include "CWin32ListBox.h"
#include "IPathPicker.h"
#include "ui/rules/CListPageRules.h"

CListPage::CListPage(int32_t nTemplateId, int nKind, SListPageIds ids, EListAddSource eAddSource,
                     SPageContext& context)
    : COptionsPage(nTemplateId, context), m_nKind(nKind), m_ids(ids), m_eAddSource(eAddSource)
{
}

CListPage::~CListPage() = default;

const char* CListPage::FolderBrowserTitle()
{
    return "Find the Netscape \"Users\" Folder";
}

void CListPage::OnInitPage()
{
    m_pListBox = std::make_unique<CWin32ListBox>(Control(m_ids.nList));
    m_pRules =
        std::make_unique<CListPageRules>(m_nKind, Context().doc, *m_pListBox, Context().messageBox);
    m_pRules->Initialise();
    EnableButton(m_ids.nDelete, false);
}

void CListPage::OnOK()
{
    if (m_pRules != nullptr)
        m_pRules->Commit();
}

void CListPage::OnCommand(int32_t nControlId, UINT nCode)
{
    if (m_pRules == nullptr)
        return;
    if (nControlId == m_ids.nList)
    {
        // A double click only selects.
        if (nCode == LBN_SELCHANGE)
            RefreshButtons();
        return;
    }
    if (nCode != BN_CLICKED)
        return;
    if (nControlId == m_ids.nAdd)
        OnAdd();
    else if (nControlId == m_ids.nDelete)
        OnDelete();
    else if (nControlId == m_ids.nDefaults)
        OnRestoreDefaults();
    else if (m_ids.nEdit != 0 && nControlId == m_ids.nEdit &&
             m_eAddSource == EListAddSource::EntryDialog)
        OnEdit();
}

void CListPage::EnableButton(int32_t nControlId, bool bEnabled) const
{
    if (HWND hButton = nControlId != 0 ? Control(nControlId) : nullptr)
        EnableWindow(hButton, bEnabled ? TRUE : FALSE);
}

void CListPage::RefreshButtons()
{
    const bool bSelected = CListBoxOperations::EnableIfSelected(*m_pListBox);
    EnableButton(m_ids.nDelete, bSelected);
    if (m_eAddSource == EListAddSource::EntryDialog)
        EnableButton(m_ids.nEdit, bSelected);
}

void CListPage::OnAdd()
{
    switch (m_eAddSource)
    {
    case EListAddSource::EntryDialog:
    {
        // Owned by the page, so the dialog stays above the sheet; its
        // refusals go above the dialog.
        CEntryDialog dialog(Context().messageBox);
        dialog.m_bExcludeMode = m_pRules->ExcludeMode();
        if (dialog.DoModal(Window()) != IDOK)
            return;
        m_pRules->AddEntry(dialog.m_strEntry);
        break;
    }
    case EListAddSource::FolderBrowser:
    {
        // Starts at the selected entry, else at the remembered drive's root.
        const std::optional<std::string> folder = TakeChoice(Context().pathPicker.BrowseForFolder(
            Window(), FolderBrowserTitle(), PickerStart({m_pRules->EditText().value_or("")})));
        if (!folder)
            return;
        m_pRules->AddFolder(*folder);
        break;
    }
    case EListAddSource::FileDialog:
    {
        // Starts with the file chosen last, else at the selected entry, else
        // at the remembered drive's root.
        const std::string strRemembered = m_pRules->RememberedFile();
        const std::optional<std::string> file = TakeChoice(Context().pathPicker.OpenFile(
            Window(), PickerStart({strRemembered, m_pRules->EditText().value_or("")}),
            strRemembered));
        if (!file)
            return;
        m_pRules->AddFile(*file);
        break;
    }
    }
    RefreshButtons();
}

void CListPage::OnEdit()
{
    const int nIndex = m_pListBox->GetCurSel();
    const std::optional<std::string> text = m_pRules->EditText();
    if (!text)
        return;
    CEntryDialog dialog(Context().messageBox);
    dialog.m_bEditMode = true;
    dialog.m_bExcludeMode = m_pRules->ExcludeMode();
    dialog.m_strEntry = *text;
    if (dialog.DoModal(Window()) != IDOK)
        return;
    m_pRules->FinishEdit(nIndex, dialog.m_strEntry);
    RefreshButtons();
}

void CListPage::OnDelete()
{
    if (m_pRules->DeleteSelection())
        RefreshButtons();
}

void CListPage::OnRestoreDefaults()
{
    m_pRules->RestoreDefaults();
    RefreshButtons();
}
