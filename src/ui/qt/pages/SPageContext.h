#pragma once

#include "ui/rules/OptionsSheetRules.h"

class CScrubixDoc;
class IMessageBox;
class IPathPicker;

// What every page of one opening of the Options sheet reaches: the settings
// document (the list pages edit its lists on OK), the sheet's working copy of
// the scalar settings (the pages' members: copied in before the sheet is
// shown, copied out only after OK), the message boxes and the path dialogs.
struct SPageContext
{
    CScrubixDoc& doc;
    SOptionsValues& values;
    IMessageBox& messageBox;
    IPathPicker& pathPicker;
};
