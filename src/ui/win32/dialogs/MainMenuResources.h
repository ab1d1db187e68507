#pragma once

#include "ui/res/MenuTemplate.h"

#include <vector>
// windows.h first: commctrl.h builds on it.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

// The main frame's menu, accelerator table and toolbar made from the shared
// templates (src/ui/res/MenuTemplate.h), and the program's icon. The toolbar
// images and the icon are resources of the executable (src/ui/win32/res/
// scrubix.rc, linked into every executable that calls these functions through
// the scrubix_win32_res objects). User-interface thread only.

// Menu 128: one popup per EMenuItemKind::Popup row, holding the rows up to the
// next popup; items carry their command ids and texts ("&" mnemonics and the
// "\t" accelerator text kept), separators are separators. The caller owns the
// menu (a menu set on a window is destroyed with it). nullptr on failure.
HMENU CreateMainMenu();

// Accelerators 128: every row of GetAccelerators() in table order, as virtual
// keys with their Ctrl, Shift and Alt flags. The caller destroys it
// (DestroyAcceleratorTable). nullptr on failure.
HACCEL CreateMainAccelerators();

// The virtual key of a key named in the templates' accelerator tables.
WORD AcceleratorVirtualKey(EAcceleratorKey eKey);
// One row of an accelerator table as Windows takes it: the virtual key with
// its Ctrl, Shift and Alt flags, and the command.
ACCEL AcceleratorEntry(const SAccelerator& accelerator);

// The toolbar's images: one per button of GetToolbarButtons() (separators take
// none), in order, 16 x 15 pixels with alpha, or their doubled 32 x 30 images
// when nDpi is 192 or more. nDpi 0 means the screen's (LOGPIXELSY of the
// screen; the program is DPI-aware by its manifest). The caller destroys it
// (ImageList_Destroy). nullptr when an image is missing or cannot be decoded.
HIMAGELIST CreateToolbarImages(int nDpi = 0);

// The toolbar's buttons for TB_ADDBUTTONS, in template order: each button
// enabled, with its command id and image index in CreateToolbarImages();
// separators as TBSTYLE_SEP. No button text (tool tips come from the string
// table through TTN_GETDISPINFO).
std::vector<TBBUTTON> ToolbarButtons();

// The program's icon at nSize x nSize pixels (the nearest of its 16, 24, 32,
// 48 and 256 pixel images, scaled when no size matches). The caller destroys
// it (DestroyIcon). nullptr when the executable carries no icon.
HICON LoadProgramIcon(int nSize);
