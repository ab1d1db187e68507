// The view's half of the results list's own commands: sorting, the check
// boxes of many rows, a row's file and folder, its exclusions, the export and
// Undo Last Move. Each checks its availability (IsListCommandEnabled) before
// it acts.
#include "disposal/CUndoLastMove.h"
#include "platform/IShell.h"
#include "settings/CScrubixDoc.h"
#include "settings/CSettingsStore.h"
#include "ui/rules/UndoTexts.h"
#include "ui/win32/app/CMainFrame.h"
#include "ui/win32/app/CScrubixView.h"
#include "ui/win32/dialogs/ScrubixMessageBox.h"
#include "ui/win32/dialogs/WideText.h"
#include "ui/win32/pages/CWin32MessageBox.h"

namespace
{
// Paths are in the ANSI code page (see CScrubixView.cpp); the clipboard
// takes them as UTF-16 converted from it.
std::wstring WideFromAnsiPath(const std::string& strPath)
{
    if (strPath.empty())
        return {};
    const int nLength = MultiByteToWideChar(CP_ACP, 0, strPath.data(),
                                            static_cast<int>(strPath.size()), nullptr, 0);
    std::wstring strWide(static_cast<size_t>(nLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, strPath.data(), static_cast<int>(strPath.size()), strWide.data(),
                        nLength);
    return strWide;
}

bool SetClipboardText(HWND hOwner, const std::wstring& strText)
{
    if (OpenClipboard(hOwner) == FALSE)
        return false;
    EmptyClipboard();
    const size_t nBytes = (strText.size() + 1) * sizeof(wchar_t);
    HGLOBAL hMemory = GlobalAlloc(GMEM_MOVEABLE, nBytes);
    bool bSet = false;
    if (hMemory != nullptr)
    {
        void* pTarget = GlobalLock(hMemory);
        if (pTarget != nullptr)
        {
            memcpy(pTarget, strText.c_str(), nBytes);
            GlobalUnlock(hMemory);
            bSet = SetClipboardData(CF_UNICODETEXT, hMemory) != nullptr;
        }
        if (!bSet)
            GlobalFree(hMemory);
    }
    CloseClipboard();
    return bSet;
}

// Writes the whole of strData to the handle; false on any short write.
bool WriteAll(HANDLE hFile, const std::string& strData)
{
    size_t nDone = 0;
    while (nDone < strData.size())
    {
        DWORD nWritten = 0;
        const DWORD nChunk = static_cast<DWORD>(std::min<size_t>(strData.size() - nDone, 1u << 24));
        if (WriteFile(hFile, strData.data() + nDone, nChunk, &nWritten, nullptr) == FALSE ||
            nWritten == 0)
            return false;
        nDone += nWritten;
    }
    return true;
}
} // namespace

SListCommandContext CScrubixView::ListCommandContext() const
{
    SListCommandContext context;
    context.state = m_nViewState;
    context.nRows = m_list.ShownRowCount();
    const int nCurrent = m_list.CurrentRow();
    context.bCurrentRow = nCurrent >= 0 && nCurrent < m_table.GetRowCount();
    if (context.bCurrentRow)
        context.bCurrentHasExtension =
            ExclusionEntry(EExclusion::Extension, CurrentRowPath()).has_value();
    context.lastPass = m_lastPass;
    return context;
}

void CScrubixView::RefreshLastPass()
{
    m_lastPass = CUndoLastMove::LastPass(m_services.store.Registry());
}

std::string CScrubixView::UndoLastMove()
{
    if (!IsListCommandAvailable(EListCommand::UndoLastMove))
        return {};
    CUndoLastMove undo(m_services.fileSystem, m_services.shell, m_services.store.Registry());
    HCURSOR hOld = SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)));
    const SUndoReport report = undo.Run();
    SetCursor(hOld);
    RefreshLastPass();
    m_frame.UpdateCommands();
    // The paths in it are the backend's, in the ANSI code page, which the
    // program's manifest makes UTF-8: the message box takes the text as UTF-8.
    const std::string strText = UndoReportText(report);
    ShowScrubixMessage(m_frame.Window(), strText);
    return strText;
}

bool CScrubixView::IsListCommandAvailable(EListCommand command) const
{
    return IsListCommandEnabled(command, ListCommandContext());
}

void CScrubixView::SortByColumn(int nColumn)
{
    if (nColumn < 0 || nColumn >= CResultsListView::COLUMN_COUNT ||
        !IsListCommandAvailable(EListCommand::SortByColumn))
        return;
    m_bSortDescending = nColumn == m_nSortColumn && !m_bSortDescending;
    m_nSortColumn = nColumn;
    // The current row stays current and alone selected (CResultsListView::Sort).
    m_list.Sort(static_cast<ESortColumn>(nColumn), m_bSortDescending);
    m_list.ShowSortIndicator(nColumn, m_bSortDescending);
}

void CScrubixView::SetAllChecked(bool bChecked)
{
    if (IsListCommandAvailable(bChecked ? EListCommand::CheckAll : EListCommand::UncheckAll))
        m_list.SetAllChecked(bChecked);
}

void CScrubixView::InvertChecks()
{
    if (IsListCommandAvailable(EListCommand::InvertChecks))
        m_list.InvertChecks();
}

void CScrubixView::ToggleSelectedRows()
{
    if (!IsListCommandAvailable(EListCommand::ToggleSelected))
        return;
    const int nCurrent = m_list.CurrentRow();
    std::vector<int> rows = m_list.SelectedRows();
    if (rows.empty())
        rows.push_back(nCurrent);
    m_list.SetRowsChecked(rows, !m_list.IsRowChecked(nCurrent));
}

std::string CScrubixView::CurrentRowPath() const
{
    const int nCurrent = m_list.CurrentRow();
    if (nCurrent < 0 || nCurrent >= m_table.GetRowCount())
        return std::string();
    return m_table.Rows()[static_cast<size_t>(nCurrent)].strPath;
}

void CScrubixView::OpenCurrentFile()
{
    if (IsListCommandAvailable(EListCommand::OpenFile))
        m_services.shell.Open(CurrentRowPath());
}

void CScrubixView::OpenCurrentFolder()
{
    if (IsListCommandAvailable(EListCommand::OpenFolder))
        m_services.shell.Open(ContainingFolder(CurrentRowPath()));
}

bool CScrubixView::CopyCurrentPath(bool bHostPath)
{
    if (!IsListCommandAvailable(bHostPath ? EListCommand::CopyHostPath : EListCommand::CopyPath))
        return false;
    const std::string strPath = CurrentRowPath();
    return SetClipboardText(
        m_frame.Window(),
        WideFromAnsiPath(bHostPath ? m_services.shell.HostPath(strPath) : strPath));
}

bool CScrubixView::ExcludeCurrentRow(EExclusion kind)
{
    const EListCommand command = kind == EExclusion::FileName    ? EListCommand::ExcludeName
                                 : kind == EExclusion::Extension ? EListCommand::ExcludeExtension
                                                                 : EListCommand::FilterFolder;
    if (!IsListCommandAvailable(command))
        return false;
    const std::optional<std::string> entry = ExclusionEntry(kind, CurrentRowPath());
    if (!entry)
        return false;
    CWin32MessageBox messageBox(m_frame.Window());
    if (!AddExclusion(kind, *entry, m_doc, messageBox))
        return false;
    m_list.UncheckWhere([&](const SCandidateRow& row)
                        { return ExclusionMatches(kind, *entry, row.strPath, m_doc); });
    return true;
}

bool CScrubixView::ExportResults(const std::string& strFile, EExportFormat format)
{
    if (!IsListCommandAvailable(EListCommand::ExportResults) || strFile.empty())
        return false;
    // Written beside the file and put in its place when whole, so a failed
    // export never leaves half a file under the chosen name.
    const std::wstring strTarget = WideFromUtf8(strFile);
    const std::wstring strPart = strTarget + L".part";
    HANDLE hFile = CreateFileW(strPart.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    CResultsExportWriter writer(format);
    std::string strBuffer;
    constexpr size_t FLUSH_BYTES = 1 << 20;
    bool bWritten = true;
    writer.Begin(strBuffer);
    for (const SCandidateRow& row : m_table.Rows())
    {
        writer.Row(row, strBuffer);
        if (strBuffer.size() >= FLUSH_BYTES)
        {
            bWritten = WriteAll(hFile, strBuffer);
            strBuffer.clear();
            if (!bWritten)
                break;
        }
    }
    if (bWritten)
    {
        writer.End(strBuffer);
        bWritten = WriteAll(hFile, strBuffer);
    }
    CloseHandle(hFile);
    if (!bWritten ||
        MoveFileExW(strPart.c_str(), strTarget.c_str(), MOVEFILE_REPLACE_EXISTING) == FALSE)
    {
        DeleteFileW(strPart.c_str());
        return false;
    }
    return true;
}
