#pragma once

#include <vector>
#include <windows.h>
// commctrl.h needs windows.h first.
#include <commctrl.h>

// Interim stand-in until the dialogs of this front end land.
HMENU CreateMainMenu();
HACCEL CreateMainAccelerators();
HIMAGELIST CreateToolbarImages();
std::vector<TBBUTTON> ToolbarButtons();
HICON LoadProgramIcon(int nSize);
