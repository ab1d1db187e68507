#pragma once

#include <windows.h>

// The Purge Warning (template 137): asks before a purge deletes the checked
// files, with the tick "Don't show this warning in the future.". Created
// afresh for each purge and run modally, without an owner; it has a close box.
// It runs on whichever thread calls it (the disposing thread's prompt does),
// in that thread's own modal loop.
//
//   bool bDontShow = false;
//   if (CPurgeWarningDialog::Confirm(nullptr, bDontShow)) { if (bDontShow) store WarnMe = 0; purge;
//   }
//
// "Yes" (the default button with the focus, so also Enter) gives IDOK and
// copies the tick into m_bDontShow; "No", Esc and the close box give IDCANCEL
// and leave m_bDontShow as it was, so a ticked box answered No stores nothing.
// The dialog itself writes no setting.
class CPurgeWarningDialog
{
public:
    // Runs a fresh warning: true for Yes; bDontShow is then the tick (false
    // for any other answer).
    static bool Confirm(HWND hOwner, bool& bDontShow);

    // Runs the dialog: IDOK, IDCANCEL, or -1 when it could not be created.
    INT_PTR DoModal(HWND hOwner);

    // Exchanged with check box 1028: shown as the tick when the dialog opens,
    // read back when it is answered Yes.
    bool m_bDontShow = false;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
};
