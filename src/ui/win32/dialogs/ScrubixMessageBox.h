#pragma once

#include <string>
#include <windows.h>

// The program's message boxes: the system's MessageBox titled "Scrubix" (the
// application title), the text the caller gives (UTF-8, the program's text
// form; paths inside it are in the ANSI code page, which the program's
// manifest makes UTF-8). Without an owner the box is task-modal: every
// top-level window of the calling thread is disabled while it is up, so it is
// modal to the whole program. Any thread may call them; each runs its own
// modal loop on the caller's thread.
//
// The Qt front end widens its boxes so the title bar shows the whole title
// (ui/rules/MessageBoxGeometry.h); the system box needs no such rule, as it
// sizes itself to its title.

// An OK-only box with the icon given (an MB_ICON* flag). Returns when it is closed.
void ShowScrubixMessage(HWND hOwner, const std::string& strText, UINT nIcon = MB_ICONINFORMATION);

// A box with the buttons and icon of nType (MB_YESNO | MB_ICONQUESTION, ...).
// Returns the button chosen (IDYES, IDNO, IDOK, ...), 0 when the box could
// not be shown.
int AskScrubix(HWND hOwner, const std::string& strText, UINT nType);
