#pragma once

#include "ui/res/DialogTemplate.h"

#include <functional>
#include <string>
#include <vector>
#include <windows.h>

// Turns a template of src/ui/res/ into the bytes of an in-memory DLGTEMPLATE
// (with DS_SETFONT) for CreateDialogIndirectParam, DialogBoxIndirectParam and
// PSP_DLGINDIRECT pages, so both front ends build their windows from the one
// set of templates. Sizes stay in dialog units: the window system turns them
// into pixels with the template's font, as for a dialog from a resource file.
//
// Each control kind becomes its standard control (BUTTON, STATIC, EDIT,
// LISTBOX, COMBOBOX, SysListView32, msctls_progress32); Custom controls take
// the window class the caller names. A control that has an accessible name
// but no text of its own (a list, a combo box, an edit field) is preceded by
// a hidden static with that name, which is where screen readers look for the
// name of an unlabelled control.

struct SDialogBuildOptions
{
    // Window class of each Custom control by control id; empty: "STATIC".
    std::function<std::wstring(const SControlTemplate&)> customClass;
    // Extra window styles for the dialog itself (WS_CHILD pages add DS_CONTROL).
    DWORD nExtraStyle = 0;
};

// The template's bytes, DWORD-aligned; keep them alive while the call that
// reads them runs (the window system copies what it needs).
std::vector<WORD> BuildDialogTemplate(const SDialogTemplate& dialog,
                                      const SDialogBuildOptions& options = {});

// The Win32 style bits of one control of the template (WS_CHILD and
// WS_VISIBLE included unless the control is hidden).
DWORD ControlStyle(const SControlTemplate& control);

// The Win32 style bits of the dialog itself.
DWORD DialogStyle(const SDialogTemplate& dialog);

// The text as a Win32 control shows it: line breaks as "\r\n".
std::wstring ControlText(const char* pszText);
