#pragma once

#include <functional>
#include <future>
#include <string>
#include <vector>
#include <windows.h>

class IShell;

// The first-start Welcome dialog (template 140): the new user chooses between
// purging candidates and moving them to the Recycle Bin. It has a title bar
// but no close box (the template has no system menu). Created afresh, run
// modally, no owner:
//
//   CWelcomeDialog welcome(shell, strHelpPage);
//   const bool bMove = CWelcomeDialog::ChoosesMove(welcome.DoModal(nullptr)); // Move = bMove ? 0 :
//   1
//
// Results: "I Will Try Deletion Mode" (the default button with the focus, so
// also Enter) gives IDOK; "I Just Want to Move Files to the Recycle Bin" and
// Esc give IDCANCEL. "I Need Help..." opens the help target through the shell
// and leaves the dialog open; when the shell cannot open it (known at once or
// later, while the dialog is still up) the dialog beeps. Reading and clearing
// `Newbie` and storing the choice are the caller's. User-interface thread only.
class CWelcomeDialog
{
public:
    // strHelpTarget: the help page that "I Need Help..." opens (the topic of
    // this dialog, help context HELP_CONTEXT_WELCOME).
    CWelcomeDialog(IShell& shell, std::string strHelpTarget);

    // Runs the dialog until a choice is made: IDOK or IDCANCEL (-1 when the
    // window could not be created, which the caller treats like IDOK).
    INT_PTR DoModal(HWND hOwner);

    // True when a result means "move to the Recycle Bin" (Cancel or Esc).
    static bool ChoosesMove(INT_PTR nResult) { return nResult == IDCANCEL; }

    // What a failed help launch does; the default is the system's beep.
    void SetBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // The dialog while it runs, else nullptr.
    HWND Window() const { return m_hWnd; }

    // Polls unsettled help launches while the dialog is up.
    static constexpr UINT_PTR OPEN_POLL_TIMER_ID = 102;
    static constexpr UINT OPEN_POLL_MS = 50;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    void OnHelp();
    void PollOpens();

    IShell& m_shell;
    std::string m_strHelpTarget;
    std::function<void()> m_beep;
    HWND m_hWnd = nullptr;
    // Help launches whose outcome is not known yet.
    std::vector<std::future<bool>> m_pendingOpens;
};
