// The main frame's half of the results list's commands: the Results menu,
// File's Export Results, the list's context menu and their keys. The view
// carries them out; availability comes from IsListCommandEnabled.
#include "ui/res/MenuTemplate.h"
#include "ui/res/ResultsMenuTemplate.h"
#include "ui/rules/ListCommandDispatch.h"
#include "ui/win32/app/CMainFrame.h"
#include "ui/win32/app/ResultsMenus.h"
#include "ui/win32/dialogs/MainMenuResources.h"
#include "ui/win32/dialogs/ScrubixMessageBox.h"
#include "ui/win32/dialogs/WideText.h"

#include <commdlg.h>
#include <string_view>

void CMainFrame::UpdateListCommands()
{
    if (m_pView == nullptr)
        return;
    const SListCommandContext context = m_pView->ListCommandContext();
    for (const EListCommand command : ALL_LIST_COMMANDS)
    {
        const bool bOn = IsListCommandEnabled(command, context);
        const int nColumns =
            command == EListCommand::SortByColumn ? CResultsListView::COLUMN_COUNT : 1;
        for (int nColumn = 0; nColumn < nColumns; ++nColumn)
        {
            const int nId = ListCommandId(command, nColumn);
            m_enabled[nId] = bOn;
            if (m_hMenu != nullptr)
                EnableMenuItem(m_hMenu, static_cast<UINT>(nId),
                               MF_BYCOMMAND | (bOn ? MF_ENABLED : MF_GRAYED));
        }
    }
    if (m_hMenu != nullptr)
    {
        const std::optional<std::string> entry =
            ExclusionEntry(EExclusion::Extension, m_pView->CurrentRowPath());
        const std::wstring strText = WideFromUtf8(ExcludeExtensionItemText(entry.value_or("")));
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_STRING;
        info.dwTypeData = const_cast<wchar_t*>(strText.c_str());
        SetMenuItemInfoW(m_hMenu, static_cast<UINT>(ListCommandId(EListCommand::ExcludeExtension)),
                         FALSE, &info);
    }
}

std::string CMainFrame::MenuItemText(int nCommandId) const
{
    wchar_t szText[256] = {};
    GetMenuStringW(m_hMenu, static_cast<UINT>(nCommandId), szText, 256, MF_BYCOMMAND);
    return Utf8FromWide(szText);
}

bool CMainFrame::KeepsKeyForList(const MSG& msg) const
{
    if (msg.message != WM_KEYDOWN || m_pView == nullptr || GetFocus() != m_pView->ResultsList())
        return false;
    for (const SAccelerator& accelerator : GetAccelerators())
    {
        ECommand command = ECommand::Search;
        if (accelerator.bProgramCommand && accelerator.nModifiers == ACCEL_NONE &&
            AcceleratorVirtualKey(accelerator.eKey) == msg.wParam &&
            CommandFromId(static_cast<uint32_t>(accelerator.nCommandId), command))
            return ListKeepsCommandKey(command);
    }
    return false;
}

bool CMainFrame::IsListMenuKey(const MSG& msg) const
{
    if (m_pView == nullptr || msg.hwnd != m_pView->ResultsList())
        return false;
    const bool bDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool bUp = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (!bDown && !bUp)
        return false;
    return msg.wParam == VK_APPS || (msg.wParam == VK_F10 && (GetKeyState(VK_SHIFT) & 0x8000) != 0);
}

void CMainFrame::OnListCommand(EListCommand command, int nColumn)
{
    UpdateListCommands();
    DispatchListCommand(*m_pView, command, nColumn, [this] { ExportResults(); });
    UpdateListCommands();
}

namespace
{
// The save dialog: "CSV files (*.csv)" and "JSON files (*.json)", starting at
// "results.csv"; an empty name when cancelled.
std::string ChooseExportFileByDialog(HWND hOwner, EExportFormat& format)
{
    std::wstring strFilter;
    for (const auto& [pszName, pszPattern] :
         {std::pair{EXPORT_CSV_FILTER_NAME, EXPORT_CSV_PATTERN},
          std::pair{EXPORT_JSON_FILTER_NAME, EXPORT_JSON_PATTERN}})
    {
        strFilter += WideFromUtf8(std::string(pszName) + " (" + pszPattern + ")");
        strFilter.push_back(L'\0');
        strFilter += WideFromUtf8(pszPattern);
        strFilter.push_back(L'\0');
    }
    strFilter.push_back(L'\0');
    std::wstring strFile = WideFromUtf8(EXPORT_DEFAULT_NAME);
    strFile.resize(32768, L'\0');
    const std::wstring strTitle = WideFromUtf8(EXPORT_DIALOG_TITLE);
    OPENFILENAMEW open{};
    open.lStructSize = sizeof(open);
    open.hwndOwner = hOwner;
    open.lpstrFilter = strFilter.c_str();
    open.nFilterIndex = 1;
    open.lpstrFile = strFile.data();
    open.nMaxFile = static_cast<DWORD>(strFile.size());
    open.lpstrTitle = strTitle.c_str();
    open.lpstrDefExt = L"csv";
    open.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (GetSaveFileNameW(&open) == FALSE)
        return std::string();
    strFile.resize(wcslen(strFile.c_str()));
    const std::string strChosen = Utf8FromWide(strFile);
    format = ChooseExportFormat(strChosen,
                                open.nFilterIndex == 2 ? EExportFormat::Json : EExportFormat::Csv);
    return strChosen;
}
} // namespace

void CMainFrame::ExportResults()
{
    if (!m_pView->IsListCommandAvailable(EListCommand::ExportResults))
        return;
    EExportFormat format = EExportFormat::Csv;
    const std::string strFile = m_hooks.chooseExportFile ? m_hooks.chooseExportFile(format)
                                                         : ChooseExportFileByDialog(m_hWnd, format);
    if (strFile.empty())
        return;
    if (!m_pView->ExportResults(strFile, format))
    {
        const std::string_view strTemplate = EXPORT_FAILED_TEXT;
        const size_t nAt = strTemplate.find("%s");
        ShowScrubixMessage(m_hWnd, std::string(strTemplate.substr(0, nAt)) + strFile +
                                       std::string(strTemplate.substr(nAt + 2)));
    }
}

std::vector<SContextMenuItem> CMainFrame::ListContextMenu() const
{
    const std::optional<std::string> entry =
        ExclusionEntry(EExclusion::Extension, m_pView->CurrentRowPath());
    return ListContextMenuItems(m_pView->ListCommandContext(), entry.value_or(""));
}

void CMainFrame::ShowListContextMenu(POINT at)
{
    HWND hList = m_pView->ResultsList();
    if (at.x == -1 && at.y == -1)
    {
        // From the keyboard: below the current row's start, else the corner.
        const int nCurrent = m_pView->List().CurrentRow();
        RECT row{};
        row.left = LVIR_LABEL;
        at = POINT{4, 4};
        if (nCurrent >= 0 && SendMessageW(hList, LVM_GETITEMRECT, static_cast<WPARAM>(nCurrent),
                                          reinterpret_cast<LPARAM>(&row)) != FALSE)
            at = POINT{row.left + 4, row.bottom};
        ClientToScreen(hList, &at);
    }
    UpdateListCommands();
    HMENU hMenu = CreateListContextMenu(ListContextMenu());
    const int nChosen =
        m_hooks.trackContextMenu
            ? m_hooks.trackContextMenu(hMenu, at)
            : static_cast<int>(TrackPopupMenu(
                  hMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y,
                  0, m_hWnd, nullptr));
    DestroyMenu(hMenu);
    if (nChosen != 0)
        OnCommand(nChosen);
}
