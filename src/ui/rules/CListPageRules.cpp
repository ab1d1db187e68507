#include "ui/rules/CListPageRules.h"

#include "settings/TextFolding.h"
#include "ui/rules/EntryRules.h"

namespace
{
constexpr const char* ADD_SECTION = "Add";
constexpr const char* ADD_PATH = "Path";
} // namespace

CListPageRules::CListPageRules(int nKind, CScrubixDoc& doc, IListBox& listBox,
                               IMessageBox& messageBox)
    : m_nKind(nKind), m_operations(doc), m_listBox(listBox), m_messageBox(messageBox)
{
}

void CListPageRules::Initialise()
{
    m_operations.FillListBox(m_nKind, m_listBox);
    CListBoxOperations::UpdateListBoxExtent(m_listBox);
    if (m_nKind != LIST_FILTER)
        return;

    for (const std::string& strDefault : m_operations.Doc().DefaultLists[LIST_FILTER])
    {
        bool bPresent = false;
        for (int i = 0; i < m_listBox.GetCount() && !bPresent; ++i)
            bPresent = EqualsIgnoreCaseAscii(m_listBox.GetText(i), strDefault);
        if (bPresent)
            continue;
        const std::optional<SPrompt> question = MissingFilterDefaultPrompt(strDefault);
        if (question && m_messageBox.Show(*question))
        {
            m_listBox.AddString(strDefault);
            CListBoxOperations::UpdateListBoxExtent(m_listBox);
        }
    }
}

void CListPageRules::Commit()
{
    m_operations.StoreListBox(m_nKind, m_listBox);
}

void CListPageRules::AddEntry(const std::string& strEntry)
{
    std::string strKept = strEntry;
    if (m_nKind == LIST_EXTEN)
        strKept = ToUpperAscii(strKept);
    else if (m_nKind == LIST_EXCLUDE)
        strKept = TrimEntryBlanks(strKept);
    CListBoxOperations::AddListBoxEntry(m_listBox, strKept);
}

std::optional<std::string> CListPageRules::EditText() const
{
    const int nIndex = m_listBox.GetCurSel();
    if (nIndex < 0)
        return std::nullopt;
    return m_listBox.GetText(nIndex);
}

void CListPageRules::FinishEdit(int nIndex, const std::string& strEntry)
{
    if (nIndex >= 0 && nIndex < m_listBox.GetCount())
        m_listBox.DeleteString(nIndex);
    AddEntry(strEntry);
}

bool CListPageRules::AddFolder(const std::string& strPath)
{
    const SPathVerdict verdict =
        CheckFolderPath(strPath, m_nKind == LIST_FOLDER, m_operations.Doc().FileSystem());
    switch (verdict.eVerdict)
    {
    case EPathVerdict::Refuse:
        m_messageBox.Show(verdict.prompt);
        return false;
    case EPathVerdict::AskThenAdd:
        if (!m_messageBox.Show(verdict.prompt))
            return false;
        break;
    case EPathVerdict::Add:
        break;
    }
    CListBoxOperations::AddListBoxEntry(m_listBox, verdict.strEntry);
    return true;
}

bool CListPageRules::AddFile(const std::string& strPath)
{
    if (std::optional<SPrompt> tooLong = CheckEntryLength(strPath))
    {
        m_messageBox.Show(*tooLong);
        return false;
    }
    m_operations.Doc().Store().SetString(ADD_SECTION, ADD_PATH, strPath);
    CListBoxOperations::AddListBoxEntry(m_listBox, strPath);
    return true;
}

std::string CListPageRules::RememberedFile() const
{
    return m_operations.Doc().Store().GetString(ADD_SECTION, ADD_PATH, "");
}

bool CListPageRules::DeleteSelection()
{
    const int nIndex = m_listBox.GetCurSel();
    if (nIndex < 0)
        return false;
    const std::string strEntry = m_listBox.GetText(nIndex);

    bool bConfirmed = true;
    if (m_nKind == LIST_FILTER)
    {
        // Every question is asked, even after a No.
        for (const SPrompt& question :
             FilterDeleteQuestions(strEntry, m_operations.Doc().DefaultLists[LIST_FILTER]))
            bConfirmed = m_messageBox.Show(question) && bConfirmed;
    }
    else if (m_nKind == LIST_EXCLUDE)
    {
        if (std::optional<SPrompt> question = ExcludeDeleteQuestion(strEntry))
            bConfirmed = m_messageBox.Show(*question);
    }
    if (!bConfirmed)
        return false;
    CListBoxOperations::DeleteListBoxSelection(m_listBox);
    return true;
}

void CListPageRules::RestoreDefaults()
{
    m_operations.RestoreListBoxDefaults(m_nKind, m_listBox);
}
