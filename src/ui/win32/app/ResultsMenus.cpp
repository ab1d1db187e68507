#include "ui/win32/app/ResultsMenus.h"

#include "ui/res/MenuTemplate.h"
#include "ui/res/ResultsMenuTemplate.h"
#include "ui/win32/dialogs/MainMenuResources.h"
#include "ui/win32/dialogs/WideText.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace
{
constexpr int LIST_COMMAND_BASE = 32800;
constexpr int SORT_COLUMNS = 4;

// The item's text with its keys after a tab, as menus show them.
std::wstring MenuText(const SListMenuItem& item)
{
    std::string strText = item.pszText;
    if (*item.pszKeys != '\0')
        strText += std::string("\t") + item.pszKeys;
    return WideFromUtf8(strText);
}

int LastSeparatorPosition(HMENU hMenu)
{
    int nLast = -1;
    const int nCount = GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i)
    {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        if (GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &info) &&
            (info.fType & MFT_SEPARATOR) != 0)
            nLast = i;
    }
    return nLast;
}
} // namespace

int ListCommandId(EListCommand command, int nColumn)
{
    if (command == EListCommand::SortByColumn)
        return LIST_COMMAND_BASE + std::clamp(nColumn, 0, SORT_COLUMNS - 1);
    return LIST_COMMAND_BASE + SORT_COLUMNS + static_cast<int>(command) - 1;
}

bool ListCommandFromId(int nId, EListCommand& command, int& nColumn)
{
    for (const EListCommand candidate : ALL_LIST_COMMANDS)
    {
        const int nColumns = candidate == EListCommand::SortByColumn ? SORT_COLUMNS : 1;
        for (int nCandidateColumn = 0; nCandidateColumn < nColumns; ++nCandidateColumn)
            if (ListCommandId(candidate, nCandidateColumn) == nId)
            {
                command = candidate;
                nColumn = nCandidateColumn;
                return true;
            }
    }
    return false;
}

void AddResultsMenus(HMENU hBar)
{
    HMENU hFile = GetSubMenu(hBar, 0);
    if (hFile != nullptr)
    {
        const int nBefore = LastSeparatorPosition(hFile);
        InsertMenuW(hFile, static_cast<UINT>(nBefore), MF_BYPOSITION | MF_STRING,
                    static_cast<UINT_PTR>(ListCommandId(EListCommand::ExportResults)),
                    MenuText(EXPORT_RESULTS_ITEM).c_str());
    }
    HMENU hResults = CreatePopupMenu();
    for (const SListMenuItem& item : GetResultsMenu())
    {
        if (item.pszText == nullptr)
            AppendMenuW(hResults, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(hResults, MF_STRING,
                        static_cast<UINT_PTR>(ListCommandId(item.command, item.nColumn)),
                        MenuText(item).c_str());
    }
    InsertMenuW(hBar, 1, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(hResults),
                WideFromUtf8(RESULTS_MENU_TEXT).c_str());
}

bool ParseAcceleratorKeys(const char* pszKeys, int nCommandId, ACCEL& accelerator)
{
    BYTE nFlags = FVIRTKEY;
    std::string_view strKeys = pszKeys;
    for (;;)
    {
        const size_t nPlus = strKeys.find('+');
        if (nPlus == std::string_view::npos || nPlus + 1 >= strKeys.size())
            break;
        const std::string_view strModifier = strKeys.substr(0, nPlus);
        if (strModifier == "Ctrl")
            nFlags |= FCONTROL;
        else if (strModifier == "Shift")
            nFlags |= FSHIFT;
        else if (strModifier == "Alt")
            nFlags |= FALT;
        else
            return false;
        strKeys.remove_prefix(nPlus + 1);
    }
    if (strKeys.size() != 1)
        return false;
    const char cKey = strKeys[0];
    if (!((cKey >= 'A' && cKey <= 'Z') || (cKey >= '0' && cKey <= '9')))
        return false;
    accelerator = ACCEL{nFlags, static_cast<WORD>(cKey), static_cast<WORD>(nCommandId)};
    return true;
}

HACCEL CreateFrameAccelerators()
{
    std::vector<ACCEL> table;
    // The list's keys first: Ctrl+C and Ctrl+O are theirs, not the framework's
    // editing keys that table 128 also names.
    const auto add = [&table](const SListMenuItem& item)
    {
        ACCEL accelerator{};
        if (item.pszText != nullptr &&
            ParseAcceleratorKeys(item.pszKeys, ListCommandId(item.command, item.nColumn),
                                 accelerator))
            table.push_back(accelerator);
    };
    for (const SListMenuItem& item : GetResultsMenu())
        add(item);
    add(EXPORT_RESULTS_ITEM);
    for (const SAccelerator& accelerator : GetAccelerators())
        table.push_back(AcceleratorEntry(accelerator));
    return CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

std::string ExcludeExtensionItemText(const std::string& strExtensionEntry)
{
    return strExtensionEntry.empty() ? std::string(EXCLUDE_EXTENSION_TEXT)
                                     : EXCLUDE_ENTRY_TEXT_PREFIX + strExtensionEntry;
}

std::vector<SContextMenuItem> ListContextMenuItems(const SListCommandContext& context,
                                                   const std::string& strExtensionEntry)
{
    std::vector<SContextMenuItem> items;
    int nGroup = 0;
    for (const EListCommand command : GetListContextMenu())
    {
        const auto menu = GetResultsMenu();
        const auto it = std::find_if(menu.begin(), menu.end(),
                                     [command](const SListMenuItem& item) {
                                         return item.pszText != nullptr && item.command == command;
                                     });
        if (it == menu.end())
            continue; // not offered here
        if (ContextMenuGroup(command) != nGroup)
        {
            items.push_back(SContextMenuItem{});
            nGroup = ContextMenuGroup(command);
        }
        SContextMenuItem item;
        item.nCommandId = ListCommandId(command, it->nColumn);
        item.strText = command == EListCommand::ExcludeExtension
                           ? ExcludeExtensionItemText(strExtensionEntry)
                           : std::string(it->pszText);
        if (*it->pszKeys != '\0')
            item.strText += std::string("\t") + it->pszKeys;
        item.bEnabled = IsListCommandEnabled(command, context);
        items.push_back(item);
    }
    return items;
}

HMENU CreateListContextMenu(const std::vector<SContextMenuItem>& items)
{
    HMENU hMenu = CreatePopupMenu();
    for (const SContextMenuItem& item : items)
    {
        if (item.nCommandId == 0)
            AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(hMenu, MF_STRING | (item.bEnabled ? MF_ENABLED : MF_GRAYED),
                        static_cast<UINT_PTR>(item.nCommandId), WideFromUtf8(item.strText).c_str());
    }
    return hMenu;
}
