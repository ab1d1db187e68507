#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <windows.h>

// Answers the next modal dialog (or message box) of the calling thread once it
// is up. Call before the call that blocks (DoModal, DialogBox, MessageBox):
//
//   AnswerNextModal([](HWND hDialog) { ClickDialogButton(hDialog, IDOK); });
//   const INT_PTR nResult = dialog.DoModal(nullptr);
//
// A thread timer polls every 20 ms (the modal loop dispatches it) for a
// visible, enabled dialog window ("#32770") of this thread that was not there
// when AnswerNextModal was called, optionally with a given title, and hands it
// to the answer once. Answers queue: arm two for two dialogs in a row. After
// nTimeoutMs without a dialog the poll gives up (the blocking call then keeps
// waiting; a test that hangs there never saw its dialog). Same thread as the
// dialog; the answer runs inside the modal loop.
namespace modal_answer_detail
{
struct SPending
{
    std::function<void(HWND)> answer;
    std::set<HWND> before;
    std::wstring strTitle;
    DWORD nDeadline = 0;
    unsigned nOrder = 0; // arming order
};

inline unsigned NextOrder()
{
    static unsigned nOrder = 0;
    return ++nOrder;
}

inline std::map<UINT_PTR, SPending>& Pending()
{
    static std::map<UINT_PTR, SPending> pending;
    return pending;
}

inline bool IsDialogClass(HWND hWnd)
{
    wchar_t szClass[16] = {};
    GetClassNameW(hWnd, szClass, 16);
    return std::wstring(szClass) == L"#32770";
}

inline BOOL CALLBACK CollectDialog(HWND hWnd, LPARAM lParam)
{
    if (IsDialogClass(hWnd))
        reinterpret_cast<std::set<HWND>*>(lParam)->insert(hWnd);
    return TRUE;
}

inline std::set<HWND> ThreadDialogs()
{
    std::set<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

inline void CALLBACK Poll(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    auto it = Pending().find(nTimer);
    if (it == Pending().end())
        return;
    // Only the oldest pending answer may take a dialog, so queued answers
    // meet their dialogs in order.
    SPending& pending = it->second;
    for (const auto& [nOther, other] : Pending())
    {
        if (other.nOrder < pending.nOrder)
            return;
    }
    HWND hFound = nullptr;
    for (HWND hWnd : ThreadDialogs())
    {
        if (pending.before.count(hWnd) != 0 || !IsWindowVisible(hWnd) || !IsWindowEnabled(hWnd))
            continue;
        if (!pending.strTitle.empty())
        {
            wchar_t szTitle[256] = {};
            GetWindowTextW(hWnd, szTitle, 256);
            if (pending.strTitle != szTitle)
                continue;
        }
        hFound = hWnd;
        break;
    }
    if (hFound == nullptr && static_cast<LONG>(GetTickCount() - pending.nDeadline) < 0)
        return;
    KillTimer(nullptr, nTimer);
    std::function<void(HWND)> answer = std::move(pending.answer);
    Pending().erase(it);
    if (hFound != nullptr)
        answer(hFound);
}
} // namespace modal_answer_detail

inline void AnswerNextModal(std::function<void(HWND)> answer, std::wstring strTitle = {},
                            DWORD nTimeoutMs = 10000)
{
    using namespace modal_answer_detail;
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 20, Poll);
    Pending()[nTimer] = SPending{std::move(answer), ThreadDialogs(), std::move(strTitle),
                                 GetTickCount() + nTimeoutMs};
}

// Runs work once, nMs milliseconds from now, from a thread timer: inside
// whatever message loop runs then (a modal dialog's included).
namespace modal_answer_detail
{
inline std::map<UINT_PTR, std::function<void()>>& Later()
{
    static std::map<UINT_PTR, std::function<void()>> later;
    return later;
}

inline void CALLBACK RunLaterTimer(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    KillTimer(nullptr, nTimer);
    auto it = Later().find(nTimer);
    if (it == Later().end())
        return;
    std::function<void()> work = std::move(it->second);
    Later().erase(it);
    work();
}
} // namespace modal_answer_detail

inline void RunLater(DWORD nMs, std::function<void()> work)
{
    using namespace modal_answer_detail;
    Later()[SetTimer(nullptr, 0, nMs, RunLaterTimer)] = std::move(work);
}

// Clicks a dialog's button as the user would (the button must be visible and
// enabled).
inline void ClickDialogButton(HWND hDialog, int nId)
{
    SendMessageW(GetDlgItem(hDialog, nId), BM_CLICK, 0, 0);
}

// Presses a key in a dialog as the keyboard would: posted to the control with
// the focus (or the dialog), so the modal loop's dialog manager sees it (Enter
// runs the default button, Esc cancels).
inline void PressDialogKey(HWND hDialog, UINT nVirtualKey)
{
    HWND hFocus = GetFocus();
    if (hFocus == nullptr || (hFocus != hDialog && !IsChild(hDialog, hFocus)))
        hFocus = hDialog;
    PostMessageW(hFocus, WM_KEYDOWN, nVirtualKey, 1);
    PostMessageW(hFocus, WM_KEYUP, nVirtualKey, 0xC0000001);
}

// The text of a window (a dialog's control or a message box's static) as UTF-16.
inline std::wstring WindowTextOf(HWND hWnd)
{
    const int nLength = GetWindowTextLengthW(hWnd);
    std::wstring strText(static_cast<size_t>(std::max(nLength, 0)) + 1, L'\0');
    GetWindowTextW(hWnd, strText.data(), nLength + 1);
    strText.resize(static_cast<size_t>(std::max(nLength, 0)));
    return strText;
}
