#pragma once

#include "Win32AppSandbox.h"

#include <string>
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

// Reading and driving the results view through its controls' messages.

// A cell of the results list as the list shows it (LVM_GETITEMTEXT).
std::string Cell(CScrubixView& view, int nRow, int nColumn);
// The row that shows the path, -1 when none does.
int RowOf(CScrubixView& view, const std::string& strPath);
int RowCount(CScrubixView& view);
// The row's check box as the list shows it (its state image).
bool IsRowCheckedShown(CScrubixView& view, int nRow);
// Makes the row current and presses Space in the list, as a user would.
void ToggleRowWithSpace(CScrubixView& view, int nRow);
// Clicks the row's check box (its state icon).
void ClickCheckBox(CScrubixView& view, int nRow);
// A label's text by control id.
std::string LabelText(CScrubixView& view, int nControlId);

// Presses Search and pumps until the results (or Idle after an empty search).
bool SearchAndWait(CWin32AppSandbox& sandbox, int nTimeoutMs = 20000);
// Pumps until no disposal runs.
bool WaitForDisposalEnd(CWin32AppSandbox& sandbox, int nTimeoutMs = 20000);
// A key pressed on a window, through the program's message loop (its
// accelerators included).
void PressKey(CWin32AppSandbox& sandbox, HWND hWnd, UINT nKey);
