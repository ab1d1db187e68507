#pragma once

#include <string>
#include <windows.h>

// Interim stand-in until the dialogs of this front end land.
void ShowScrubixMessage(HWND hOwner, const std::string& strText, UINT nIcon = MB_ICONINFORMATION);
int AskScrubix(HWND hOwner, const std::string& strText, UINT nType);
