#pragma once

#include <windows.h>

// The program's icon (resource 128 of the executable; the system's
// application icon where the executable has none), 32 x 32, shared.
HICON ProgramIcon();

// Puts the program's icon into every icon picture (SS_ICON static) of a
// dialog built from a template: the templates name the image, the bytes
// leave it empty.
void SetTemplateIcons(HWND hDialog);
