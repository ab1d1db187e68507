#pragma once

#include "ui/rules/Commands.h"

#include <string>
#include <vector>
#include <windows.h>

// The results list's menus and keys on the main frame, from the shared
// Results menu template (ui/res/ResultsMenuTemplate.h): the "&Results" menu
// between "&File" and "&Help", File's "&Export Results..." before the
// separator above Exit, the list's context menu, and their keys ahead of the
// accelerators of menu 128. User-interface thread only.

// The command id of a list command (sorting has one per column): 32800 and up,
// clear of the program's commands and of the framework's.
int ListCommandId(EListCommand command, int nColumn = 0);
// The list command of an id; false for any other id.
bool ListCommandFromId(int nId, EListCommand& command, int& nColumn);

// Adds Export Results to the menu bar's first popup and inserts the Results
// popup as the bar's second entry.
void AddResultsMenus(HMENU hBar);

// "Ctrl+Shift+A" as an accelerator for nCommandId; false when the text names
// no key.
bool ParseAcceleratorKeys(const char* pszKeys, int nCommandId, ACCEL& accelerator);
// The list commands' keys, then every row of accelerator table 128. The caller
// destroys it (DestroyAcceleratorTable).
HACCEL CreateFrameAccelerators();

// One item of the context menu as shown: the command id (0: a separator), its
// text and whether it is enabled.
struct SContextMenuItem
{
    int nCommandId = 0;
    std::string strText;
    bool bEnabled = false;
};

// The context menu's items for the list's state: each available command
// enabled, the others grayed; "Exclude *.&ext" named after the current row's
// entry (strExtensionEntry, "*.tmp"; empty when it has none).
std::vector<SContextMenuItem> ListContextMenuItems(const SListCommandContext& context,
                                                   const std::string& strExtensionEntry);
// The popup menu of those items; the caller destroys it (DestroyMenu).
HMENU CreateListContextMenu(const std::vector<SContextMenuItem>& items);
// The text of the Exclude *.ext item for the current row's entry.
std::string ExcludeExtensionItemText(const std::string& strExtensionEntry);
