#pragma once

#include <string>
#include <windows.h>

class IMessageBox;

// The small modal dialog (template 131) in which an Extensions or Excludes
// entry is typed. Captioned "Add", or "Edit" when m_bEditMode is set before
// it is shown; the edit box has the focus and holds m_strEntry. OK closes it
// only when the entry passes its checks (empty entry always, the wildcard
// form in Exclude mode, the store's length limit); otherwise the message is
// shown and the dialog stays open with the text as typed. Cancel closes it
// without checks. The page that runs it owns it, so it stays above the
// Options sheet and the sheet is disabled while it runs; its refusals are
// shown above it. The entry is in the ANSI code page, as the program keeps
// its lists. User-interface thread only.
class CEntryDialog
{
public:
    explicit CEntryDialog(IMessageBox& messageBox) : m_messageBox(messageBox) {}

    bool m_bEditMode = false;
    bool m_bExcludeMode = false;
    std::string m_strEntry;

    // Runs modally; IDOK (m_strEntry holds the accepted entry) or IDCANCEL.
    INT_PTR DoModal(HWND hOwner);

    static constexpr const wchar_t* EDIT_CAPTION = L"Edit";

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    void OnInitDialog(HWND hWnd);
    void OnOK(HWND hWnd);

    IMessageBox& m_messageBox;
};
