#pragma once

#include <windows.h>

// Interim stand-in until the dialogs of this front end land: dialog 137.
class CPurgeWarningDialog
{
public:
    static bool Confirm(HWND hOwner, bool& bDontShow);
};
