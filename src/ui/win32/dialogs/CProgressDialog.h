#pragma once

#include <string>
#include <windows.h>

// The File Moving Progress window (template 110): modeless, no close box and
// no buttons, a file line and a bar. The main frame owns it for one move.
//
//   auto pProgress = std::make_unique<CProgressDialog>(hFrame);
//   pProgress->m_nTotal = nRows;     // every row of the results list
//   pProgress->Create();             // centred over hFrame, range 0..nRows, shown
//   pProgress->Step(strPath);        // per WM_DISPOSE_STEP
//   pProgress.reset();               // on WM_DISPOSE_DONE: the window goes
//
// The bar's range is a full int (PBM_SETRANGE32), so lists of more than
// 65,535 rows are shown in proportion. Esc, Enter and WM_CLOSE do nothing: the
// window lives until its owner deletes the object (or destroys the owner
// window, which takes this one with it). It is shown even while the owner is
// hidden. The owner's message loop should pass the window's messages through
// IsDialogMessage. User-interface thread only.
class CProgressDialog
{
public:
    explicit CProgressDialog(HWND hOwner);
    ~CProgressDialog();
    CProgressDialog(const CProgressDialog&) = delete;
    CProgressDialog& operator=(const CProgressDialog&) = delete;

    // Creates and shows the window: centred over the owner (over the work
    // area of the owner's screen when the owner is hidden or absent), the
    // bar's range 0 .. m_nTotal (negative counts as 0), step 1, position 0,
    // the file line empty. Does nothing when the window exists already.
    void Create();

    // The next file: m_strFile becomes strFile, the position advances one
    // step (never past its upper bound) and the bar and the line show them.
    // The line holds the whole path and draws a path too long for it
    // shortened in the middle (its start and its file name both show). The
    // window is updated at most every DRAW_INTERVAL_MS: a step that comes
    // sooner is shown by a timer, so a fast move is not slowed by painting.
    // strFile is in the ANSI code page, as the backend's paths are (UTF-8
    // under the program's manifest): the line is set with the ANSI call.
    void Step(const std::string& strFile);

    static constexpr UINT DRAW_INTERVAL_MS = 40;
    static constexpr UINT_PTR DRAW_TIMER_ID = 1;

    // The position advanced by Step, and the bar's upper bound.
    int Position() const { return m_nPosition; }
    int Maximum() const;
    // The window, or nullptr before Create and after it was destroyed.
    HWND Window() const { return m_hWnd; }

    // The bar's upper bound, set by the creator before Create.
    int m_nTotal = 0;
    // The file last announced, shown by static 1052.
    std::string m_strFile;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR OnMessage(UINT nMessage, WPARAM wParam);
    void OnInitDialog();
    void ShowStep();

    HWND m_hOwner = nullptr;
    HWND m_hWnd = nullptr;
    int m_nPosition = 0;
    // When the window last showed a step (GetTickCount64), 0 before the first.
    ULONGLONG m_nDrawnAt = 0;
    bool m_bDrawPending = false;
};
