#include "CListPage.h"

#include "CEntryDialog.h"
#include "CListBoxWidget.h"
#include "IPathPicker.h"
#include "ui/rules/CListPageRules.h"

#include <QPushButton>

CListPage::CListPage(int32_t nTemplateId, int nKind, SListPageIds ids, EListAddSource eAddSource,
                     SPageContext& context, QWidget* pParent)
    : COptionsPage(nTemplateId, context, pParent), m_nKind(nKind), m_ids(ids),
      m_eAddSource(eAddSource)
{
}

CListPage::~CListPage() = default;

QString CListPage::FolderBrowserTitle()
{
    return QStringLiteral("Find the Netscape \"Users\" Folder");
}

CListBoxWidget* CListPage::ListBox() const
{
    return ControlAs<CListBoxWidget>(m_ids.nList);
}

QPushButton* CListPage::Button(int32_t nControlId) const
{
    return nControlId != 0 ? ControlAs<QPushButton>(nControlId) : nullptr;
}

void CListPage::AddFactories(CTemplateBuilder& builder)
{
    builder.SetFactory(m_ids.nList,
                       [](QWidget* pParent, const SControlTemplate&) -> QWidget*
                       { return new CListBoxWidget(pParent); });
}

void CListPage::OnInitPage()
{
    CListBoxWidget* pList = ListBox();
    m_pRules =
        std::make_unique<CListPageRules>(m_nKind, Context().doc, *pList, Context().messageBox);
    connect(pList, &QListWidget::itemSelectionChanged, this, &CListPage::RefreshButtons);
    connect(Button(m_ids.nAdd), &QPushButton::clicked, this, &CListPage::OnAdd);
    connect(Button(m_ids.nDelete), &QPushButton::clicked, this, &CListPage::OnDelete);
    connect(Button(m_ids.nDefaults), &QPushButton::clicked, this, &CListPage::OnRestoreDefaults);
    if (m_eAddSource == EListAddSource::EntryDialog && m_ids.nEdit != 0)
        connect(Button(m_ids.nEdit), &QPushButton::clicked, this, &CListPage::OnEdit);

    const QSignalBlocker quiet(pList); // filling is not a user's selection
    m_pRules->Initialise();
    Button(m_ids.nDelete)->setEnabled(false);
}

void CListPage::OnOK()
{
    m_pRules->Commit();
}

void CListPage::RefreshButtons()
{
    const bool bSelected = CListBoxOperations::EnableIfSelected(*ListBox());
    Button(m_ids.nDelete)->setEnabled(bSelected);
    if (m_eAddSource == EListAddSource::EntryDialog && m_ids.nEdit != 0)
        Button(m_ids.nEdit)->setEnabled(bSelected);
}

void CListPage::OnAdd()
{
    switch (m_eAddSource)
    {
    case EListAddSource::EntryDialog:
    {
        // Owned by the page, so the dialog stays above the sheet; its
        // refusals go above the dialog.
        CEntryDialog dialog(Context().messageBox, this);
        dialog.m_bExcludeMode = m_pRules->ExcludeMode();
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_pRules->AddEntry(dialog.m_strEntry);
        break;
    }
    case EListAddSource::FolderBrowser:
    {
        // Starts at the selected entry, else at the remembered drive's root.
        const std::optional<std::string> folder = TakeChoice(Context().pathPicker.BrowseForFolder(
            this, FolderBrowserTitle(), PickerStart({m_pRules->EditText().value_or("")})));
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
            this, PickerStart({strRemembered, m_pRules->EditText().value_or("")}), strRemembered));
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
    const int nIndex = ListBox()->GetCurSel();
    const std::optional<std::string> text = m_pRules->EditText();
    if (!text)
        return;
    CEntryDialog dialog(Context().messageBox, this);
    dialog.m_bEditMode = true;
    dialog.m_bExcludeMode = m_pRules->ExcludeMode();
    dialog.m_strEntry = *text;
    if (dialog.exec() != QDialog::Accepted)
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
