#pragma once

#include "ui/rules/OptionsSheetRules.h"

#include <windows.h>

class CScrubixDoc;
class IMessageBox;
class IPathPicker;

// What every page of one opening of the Options sheet reaches: the settings
// document (the list pages edit its lists on OK), the sheet's working copy of
// the scalar settings (the pages' members: copied in before the sheet is
// shown, copied out only after OK), the message boxes, the path dialogs, and
// whether the sheet was closed with OK (the pages' commit step sets it).
struct SPageContext
{
    CScrubixDoc& doc;
    SOptionsValues& values;
    IMessageBox& messageBox;
    IPathPicker& pathPicker;
    HWND hSheet = nullptr; // the sheet's window once its first page exists
    bool bApplied = false;
};
