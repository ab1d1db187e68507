#pragma once

#include <string>
#include <windows.h>

class IShell;

// Interim stand-in until the dialogs of this front end land: dialog 140.
class CWelcomeDialog
{
public:
    CWelcomeDialog(IShell& shell, std::string strHelpTarget);
    INT_PTR DoModal(HWND hOwner);
    static bool ChoosesMove(INT_PTR nResult) { return nResult == IDCANCEL; }

private:
    IShell& m_shell;
    std::string m_strHelpTarget;
};
